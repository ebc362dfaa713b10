#pragma once
// The Help menu's windows, "About Quorvath" and the quick guide: each shown
// without blocking the main window, closed (and deleted) by its OK button.

#include <QDialog>

namespace quorvath {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // Shows the About window, or raises it when it is already open.
    static AboutDialog* showOnce(QWidget* parent);
};

// Help > Quick guide: opening a log, searching, statistics, keyboard routes and
// counting modes on one short page; raised when it is already open.
QDialog* showQuickGuide(QWidget* parent);

} // namespace quorvath
