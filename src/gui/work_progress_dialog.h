#pragma once
// A progress dialog that follows long work on a worker of its own: the
// Progress's stage as its label and its position as the bar (a busy bar
// while its length is 0, not known), looked at every 100 ms; the dialog's Cancel button
// (canceled()) is for the owner to act on. It stays up until the owner closes it, so that it never
// closes by itself while the work still runs.
//
// Interface thread only.

#include <QProgressDialog>

class QTimer;

namespace quorvath {

class Progress;

class WorkProgressDialog : public QProgressDialog {
    Q_OBJECT
public:
    WorkProgressDialog(const Progress& progress, const QString& title, const QString& cancelText,
                       QWidget* parent);

private:
    void follow();

    const Progress& progress_;
    QTimer* timer_;
};

} // namespace quorvath
