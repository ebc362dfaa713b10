#pragma once
// "About Quorvath": shown without blocking the main window, closed (and
// deleted) by its OK button.

#include <QDialog>

namespace quorvath {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // Shows the About window, or raises it when it is already open.
    static AboutDialog* showOnce(QWidget* parent);
};

} // namespace quorvath
