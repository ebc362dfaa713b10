#include "gui/progress_display.h"

#include "core/common/progress.h"
#include "gui/statistics_texts.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

namespace quorvath {

namespace {

// A status that does not fit its room ends in "..." and shows whole as its tooltip.
class StatusLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect room = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
        setToolTip(shown == text() ? QString() : text());
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
};

} // namespace

ProgressDisplay::ProgressDisplay(const Progress& progress, StageChange stageChange,
                                 QWidget* widgets, const QFont& labelFont, QObject* parent)
    : QObject(parent), progress_(progress), stageChange_(stageChange),
      status_(new StatusLabel(widgets)), percent_(new QLabel(widgets)),
      bar_(new QProgressBar(widgets)), timer_(new QTimer(this)) {
    bar_->setObjectName("progressBar");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->hide(); // idle, an empty bar would look like a text field
    status_->setObjectName("statusLabel");
    percent_->setObjectName("percentLabel");
    status_->setFont(labelFont);
    percent_->setFont(labelFont);
    connect(timer_, &QTimer::timeout, this, &ProgressDisplay::refresh);
}

void ProgressDisplay::start(int intervalMs) {
    startStage_ = shownStage_ = progress_.stage();
    percent_->clear(); // until the work reports how far it got
    bar_->setValue(0);
    bar_->show();
    timer_->setInterval(intervalMs);
    timer_->start();
}

void ProgressDisplay::setInterval(int intervalMs) { timer_->setInterval(intervalMs); }

void ProgressDisplay::stop() { timer_->stop(); }

void ProgressDisplay::showComplete() {
    percent_->setText(statistics_texts::ScanComplete);
    bar_->setValue(100);
}

void ProgressDisplay::showReady(const QString& status) {
    stop();
    bar_->setValue(0);
    bar_->hide();
    status_->setText(status);
    percent_->clear();
}

void ProgressDisplay::refresh() {
    const int stage = progress_.stage();
    if (stage != shownStage_) {
        const bool oneEnded = shownStage_ != startStage_;
        shownStage_ = stage;
        status_->setText(QString::fromStdString(progress_.status()));
        if (stageChange_ == StageChange::ClearPercent) {
            percent_->clear();
        } else if (oneEnded) {
            showComplete();
            return;
        }
    }
    double value = 0;
    if (!progressValue(progress_.position(), progress_.length(), value))
        return; // no text to measure against: the display stays
    bar_->setValue(static_cast<int>(value));
    percent_->setText(QString::fromStdString(percentCaption(value)));
}

} // namespace quorvath
