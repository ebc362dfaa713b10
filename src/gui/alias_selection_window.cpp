#include "gui/alias_selection_window.h"

#include "core/common/settings_store.h"
#include "core/common/windows1252.h"
#include "core/session/statistics_session.h"
#include "gui/qt_colours.h"
#include "gui/qt_fonts.h"
#include "gui/qt_twips_layout.h"
#include "gui/stats_texts.h"

#include <QLabel>
#include <QListWidget>

namespace quorvath {

SelectPLayers::SelectPLayers(StatisticsSession& session, const SettingsStore& settings,
                             QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName("SelectPLayers");
    setWindowTitle(stats_texts::AliasSelectionCaption);
    setModal(true);
    auto* layout = new TwipsLayout(this, 5625, 9030);
    label3_ = new QLabel(stats_texts::AliasSelectionLabel3, this);
    label3_->setObjectName("Label3");
    label3_->setFont(designFont("Arial", 9.75, true));
    aliaslist_ = new QListWidget(this);
    aliaslist_->setObjectName("Aliaslist");
    aliaslist_->setFont(designFont("Arial", 12, true));
    aliaslist_->setSortingEnabled(false);
    layout->add(label3_, 60, 30, 5505, 225, TwipsLayout::StretchWidth);
    layout->add(aliaslist_, 60, 300, 5505, 8580,
                TwipsLayout::StretchWidth | TwipsLayout::StretchHeight);
    resize(layout->sizeHint());

    QPalette pal = aliaslist_->palette();
    pal.setColor(QPalette::Text, qColorFromBgr(static_cast<std::uint32_t>(colourSetting(
                                     settings, settings_keys::TextColor, kDefaultTextColor))));
    pal.setColor(QPalette::Base, qColorFromBgr(static_cast<std::uint32_t>(colourSetting(
                                     settings, settings_keys::BackColor, kDefaultBackColor))));
    aliaslist_->setPalette(pal);

    // The list is rebuilt after a click: done once the view has finished with
    // the click, never from inside its signal.
    connect(aliaslist_, &QListWidget::clicked, this, [this](const QModelIndex& index) {
        const int row = index.row();
        QMetaObject::invokeMethod(
            this, [this, row] { Aliaslist_Click(row); }, Qt::QueuedConnection);
    });
    RefreshAliasList(session_.aliasListLines());
}

void SelectPLayers::Aliaslist_Click(int row) {
    if (row < 0 || row >= static_cast<int>(lines_.size()))
        return;
    const std::string aliaspick = lines_[static_cast<std::size_t>(row)];
    RefreshAliasList(session_.clickAliasLine(aliaspick));
}

void SelectPLayers::RefreshAliasList(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    aliaslist_->clear();
    for (const std::string& line : lines_) {
        // A TAB in a list entry would show as nothing: indent the alias lines instead.
        QString text = QString::fromStdString(utf8FromWindows1252(line));
        if (text.startsWith('\t'))
            text.replace(0, 1, QStringLiteral("        "));
        aliaslist_->addItem(text);
    }
}

} // namespace quorvath
