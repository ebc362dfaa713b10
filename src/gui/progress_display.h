#pragma once
// The progress of long work as a window shows it: a status label with the
// running stage's text (cut with "..." when it does not fit, whole in its
// tooltip), a percentage label ("42% Complete...") and a bar, shown only
// while work runs, refreshed by a timer from the session's Progress.
//
// Interface thread only.

#include <QObject>

class QFont;
class QLabel;
class QProgressBar;
class QTimer;
class QWidget;

namespace quorvath {

class Progress;

class ProgressDisplay : public QObject {
    Q_OBJECT
public:
    // What the display does when a new stage begins. The main window clears
    // the percentage; the statistics window shows the scan before it complete
    // for one tick, as between two scans.
    enum class StageChange { ClearPercent, ShowPreviousComplete };

    // Makes the bar and the two labels as children of `widgets` (named
    // "progressBar", "statusLabel" and "percentLabel"), the labels in `labelFont`.
    ProgressDisplay(const Progress& progress, StageChange stageChange, QWidget* widgets,
                    const QFont& labelFont, QObject* parent);

    QLabel* statusLabel() const { return status_; }
    QLabel* percentLabel() const { return percent_; }
    QProgressBar* progressBar() const { return bar_; }

    // Starts refreshing; a status left over from earlier work is not shown.
    void start(int intervalMs);
    void setInterval(int intervalMs);
    void stop();
    // "100% Complete" and the bar full.
    void showComplete();
    // Stops, shows `status`, an empty percentage and an empty bar.
    void showReady(const QString& status);

private:
    void refresh();

    const Progress& progress_;
    StageChange stageChange_;
    QLabel* status_;
    QLabel* percent_;
    QProgressBar* bar_;
    QTimer* timer_;
    int startStage_ = 0;
    int shownStage_ = 0;
};

} // namespace quorvath
