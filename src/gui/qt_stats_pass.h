#pragma once
// The statistics pass as the statistics window runs it: on a worker thread,
// with Timer1 showing the running scan on Label1, Label2 and ProgressBar1.
// Timer1 ticks every 200 ms, every 50 ms from the fifth scan on; each scan
// ends with "100% Complete" and the bar at 100.
//
// Interface thread only; the table and the document belong to the worker
// until `finished` arrives.

#include "core/common/progress.h"

#include <QObject>
#include <QString>

class QLabel;
class QProgressBar;
class QTimer;

namespace quorvath {

class BackgroundWork;
class LogDocument;
class PlayerTable;

class StatsPassRunner : public QObject {
    Q_OBJECT
public:
    StatsPassRunner(QLabel* label1, QLabel* label2, QProgressBar* progressBar1,
                    QObject* parent = nullptr);
    ~StatsPassRunner() override; // waits for a running pass

    // False (and nothing starts) while a pass runs.
    bool start(const LogDocument& doc, PlayerTable& players);
    bool running() const;
    void wait();
    QTimer* timer() const { return timer1_; }

signals:
    // The pass ended ("" or the reason it failed); the display shows the last
    // scan complete.
    void finished(const QString& error);

public slots:
    void Timer1_Timer();

private:
    void scanEnded();

    QLabel* label1_;
    QLabel* label2_;
    QProgressBar* progressBar1_;
    QTimer* timer1_;
    BackgroundWork* work_;
    Progress progress_;
    int startStage_ = 0;
    int shownStage_ = 0;
};

} // namespace quorvath
