#include "gui/about_dialog.h"

#include "gui/app_texts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace quorvath {

namespace {
QFrame* line(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}
} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(texts::AboutCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    auto* lblTitle = new QLabel(texts::AboutTitle, this);
    lblTitle->setObjectName("lblTitle");
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = new QLabel(texts::AboutVersion, this);
    lblVersion->setObjectName("lblVersion");
    auto* lblDescription = new QLabel(texts::AboutDescription, this);
    lblDescription->setObjectName("lblDescription");
    lblDescription->setWordWrap(true);
    auto* cmdOK = new QPushButton(texts::Ok, this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(line(this));
    texts->addWidget(lblDescription);
    top->addLayout(texts, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(line(this));
    all->addWidget(cmdOK, 0, Qt::AlignRight);
    setMinimumWidth(380);
}

AboutDialog* AboutDialog::showOnce(QWidget* parent) {
    static QPointer<AboutDialog> open;
    if (!open)
        open = new AboutDialog(parent);
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}

} // namespace quorvath
