#include "gui/about_dialog.h"

#include "gui/app_icon.h"
#include "gui/app_texts.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace quorvath {

namespace {

constexpr QSize kGuideSize{620, 640}; // the whole guide at 96 dpi, without scrolling
constexpr int kGuideMargin = 4;

QFrame* separator(QWidget* parent) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}
} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("aboutDialog");
    setWindowTitle(texts::AboutCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* icon = new QLabel(this);
    icon->setObjectName("icon");
    icon->setPixmap(appIcon().pixmap(48, 48));
    auto* titleLabel = new QLabel(texts::AboutTitle, this);
    titleLabel->setObjectName("titleLabel");
    QFont titleFont = titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    auto* versionLabel = new QLabel(texts::AboutVersion + QApplication::applicationVersion(), this);
    versionLabel->setObjectName("versionLabel");
    auto* descriptionLabel = new QLabel(texts::AboutDescription, this);
    descriptionLabel->setObjectName("descriptionLabel");
    descriptionLabel->setWordWrap(true);
    auto* okButton = new QPushButton(texts::Ok, this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::close);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    column->addWidget(titleLabel);
    column->addWidget(versionLabel);
    column->addWidget(separator(this));
    column->addWidget(descriptionLabel);
    top->addLayout(column, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(separator(this));
    all->addWidget(okButton, 0, Qt::AlignRight);
    setMinimumWidth(380);
}

QDialog* showQuickGuide(QWidget* parent) {
    static QPointer<QDialog> open;
    if (!open) {
        open = new QDialog(parent);
        open->setObjectName("quickGuide");
        open->setWindowTitle(texts::QuickGuideCaption);
        open->setAttribute(Qt::WA_DeleteOnClose);
        auto* page = new QLabel(texts::QuickGuide, open);
        page->setObjectName("guidePage");
        page->setTextFormat(Qt::RichText);
        page->setWordWrap(true);
        auto* okButton = new QPushButton(texts::Ok, open);
        okButton->setDefault(true);
        QObject::connect(okButton, &QPushButton::clicked, open, &QDialog::close);
        // The page scrolls: a wrapped label's height is not what its window is
        // first given, so a longer guide was cut at the bottom.
        auto* scroll = new QScrollArea(open);
        scroll->setWidget(page);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        page->setMargin(kGuideMargin);
        page->setAlignment(Qt::AlignTop | Qt::AlignLeft);
        auto* all = new QVBoxLayout(open);
        all->addWidget(scroll);
        all->addWidget(okButton, 0, Qt::AlignRight);
        open->resize(kGuideSize);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
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
