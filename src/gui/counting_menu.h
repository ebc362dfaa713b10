#pragma once
// Preferences > Counting, in both windows: Classic or Accurate (one checked),
// and whether kills made during a server's warm-up count. A choice goes to
// the LogSession, which keeps it and counts again when it must; the menu
// shows the counting the log on screen gets, so on a server log Accurate is
// checked and Classic is off, with a tooltip saying why. Off while the
// session is busy.
//
// Interface thread only.

#include <QMenu>

class QAction;

namespace quorvath {

class LogSession;

class CountingMenu : public QMenu {
    Q_OBJECT
public:
    CountingMenu(LogSession& session, QWidget* parent);

private:
    void showChoice();

    LogSession& session_;
    QAction* classic_;
    QAction* accurate_;
    QAction* includeWarmup_;
};

} // namespace quorvath
