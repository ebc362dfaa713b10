#include "gui/work_progress_dialog.h"

#include "core/common/progress.h"

#include <QTimer>

#include <algorithm>

namespace quorvath {

namespace {
constexpr int kInterval = 100; // ms
constexpr int kWidth = 420;    // px: a folder's name fits
} // namespace

WorkProgressDialog::WorkProgressDialog(const Progress& progress, const QString& title,
                                       const QString& cancelText, QWidget* parent)
    : QProgressDialog(QString::fromStdString(progress.status()), cancelText, 0, 100, parent),
      progress_(progress), timer_(new QTimer(this)) {
    setWindowTitle(title);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(kWidth);
    connect(timer_, &QTimer::timeout, this, &WorkProgressDialog::follow);
    timer_->start(kInterval);
}

void WorkProgressDialog::follow() {
    if (wasCanceled())
        return; // the owner's "Stopping..." label stays
    setLabelText(QString::fromStdString(progress_.status()));
    const std::int64_t length = progress_.length();
    setMaximum(length > 0 ? 100 : 0); // a busy bar while the length is not known
    if (length > 0)
        setValue(static_cast<int>(std::min(progress_.position(), length) * 100 / length));
}

} // namespace quorvath
