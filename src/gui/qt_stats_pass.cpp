#include "gui/qt_stats_pass.h"

#include "core/stats/statistics_pass.h"
#include "gui/qt_background_work.h"
#include "gui/stats_texts.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <exception>

namespace quorvath {

namespace {
constexpr int kFirstInterval = 200;
constexpr int kLaterInterval = 50;
constexpr int kFirstQuickScan = 5;
} // namespace

StatsPassRunner::StatsPassRunner(QLabel* label1, QLabel* label2, QProgressBar* progressBar1,
                                 QObject* parent)
    : QObject(parent), label1_(label1), label2_(label2), progressBar1_(progressBar1),
      timer1_(new QTimer(this)), work_(new BackgroundWork(this)) {
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(75); // the design value; every pass sets its own
    connect(timer1_, &QTimer::timeout, this, &StatsPassRunner::Timer1_Timer);
    connect(work_, &BackgroundWork::finished, this, [this](const QString& error) {
        timer1_->stop();
        scanEnded();
        emit finished(error);
    });
}

StatsPassRunner::~StatsPassRunner() { work_->wait(); }

bool StatsPassRunner::running() const { return work_->running(); }

void StatsPassRunner::wait() { work_->wait(); }

bool StatsPassRunner::start(const LogDocument& doc, PlayerTable& players) {
    if (work_->running())
        return false;
    startStage_ = shownStage_ = progress_.stage();
    progress_.setPosition(0, 0);
    label1_->setText(
        QString::fromUtf8(scanCaption(1).data(), static_cast<qsizetype>(scanCaption(1).size())));
    timer1_->setInterval(kFirstInterval);
    timer1_->start();
    const LogDocument* document = &doc;
    PlayerTable* table = &players;
    work_->start([this, document, table]() -> std::optional<std::string> {
        try {
            runStatisticsPass(*document, *table, progress_, [this](int number) {
                if (number == kFirstQuickScan) // the timer lives on the interface thread
                    QMetaObject::invokeMethod(
                        timer1_, [this] { timer1_->setInterval(kLaterInterval); },
                        Qt::QueuedConnection);
            });
        } catch (const std::exception& e) {
            return std::string("The statistics could not be gathered: ") + e.what();
        }
        return std::nullopt;
    });
    return true;
}

void StatsPassRunner::scanEnded() {
    label2_->setText(stats_texts::ScanComplete);
    progressBar1_->setValue(100);
}

void StatsPassRunner::Timer1_Timer() {
    const int stage = progress_.stage();
    if (stage != shownStage_) {
        const bool oneEnded = shownStage_ != startStage_;
        shownStage_ = stage;
        label1_->setText(QString::fromStdString(progress_.status()));
        if (oneEnded) {
            scanEnded(); // shown for one tick, as between two scans
            return;
        }
    }
    double value = 0;
    if (!progressValue(progress_.position(), progress_.length(), value))
        return; // an empty log: the display stays
    progressBar1_->setValue(static_cast<int>(value));
    label2_->setText(QString::fromStdString(percentCaption(value)));
}

} // namespace quorvath
