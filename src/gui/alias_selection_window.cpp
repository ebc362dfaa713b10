#include "gui/alias_selection_window.h"

#include "core/common/settings_store.h"
#include "core/common/windows1252.h"
#include "core/session/statistics_session.h"
#include "gui/control_fonts.h"
#include "gui/qt_colours.h"
#include "gui/statistics_texts.h"
#include "gui/twips_layout.h"

#include <QLabel>
#include <QListWidget>

namespace quorvath {

AliasSelectionWindow::AliasSelectionWindow(StatisticsSession& statistics,
                                           const SettingsStore& settings, QWidget* parent)
    : QDialog(parent), statistics_(statistics) {
    setObjectName("aliasSelectionWindow");
    setWindowTitle(statistics_texts::AliasSelectionCaption);
    setModal(true);
    auto* layout = new TwipsLayout(this, 5625, 9030);
    auto* hint = new QLabel(statistics_texts::AliasSelectionHint, this);
    hint->setObjectName("hintLabel");
    hint->setFont(controlFont("Arial", 9.75, true));
    aliasList_ = new QListWidget(this);
    aliasList_->setObjectName("aliasList");
    aliasList_->setFont(controlFont("Arial", 12, true));
    aliasList_->setSortingEnabled(false);
    layout->add(hint, 60, 30, 5505, 225, TwipsLayout::StretchWidth);
    layout->add(aliasList_, 60, 300, 5505, 8580,
                TwipsLayout::StretchWidth | TwipsLayout::StretchHeight);
    resize(layout->sizeHint());

    setStoredColours(*aliasList_, settings);

    // The list is rebuilt after a click: done once the view has finished with
    // the click, never from inside its signal.
    connect(aliasList_, &QListWidget::clicked, this, [this](const QModelIndex& index) {
        const int row = index.row();
        QMetaObject::invokeMethod(
            this, [this, row] { chooseLine(row); }, Qt::QueuedConnection);
    });
    showLines(statistics_.aliasListLines());
}

void AliasSelectionWindow::chooseLine(int row) {
    if (row < 0 || row >= static_cast<int>(lines_.size()))
        return;
    const std::string chosen = lines_[static_cast<std::size_t>(row)];
    showLines(statistics_.clickAliasLine(chosen));
}

void AliasSelectionWindow::showLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    aliasList_->clear();
    for (const std::string& line : lines_) {
        // A TAB in a list entry would show as nothing: indent the alias lines instead.
        QString text = QString::fromStdString(utf8FromWindows1252(line));
        if (text.startsWith('\t'))
            text.replace(0, 1, QStringLiteral("        "));
        aliasList_->addItem(text);
    }
}

} // namespace quorvath
