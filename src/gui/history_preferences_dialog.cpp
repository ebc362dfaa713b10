#include "gui/history_preferences_dialog.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/history/database/open_history.h"
#include "core/history/sqlite/sqlite_history.h"
#include "gui/app_texts.h"
#include "gui/background_work.h"
#include "gui/history_preferences.h"
#include "gui/history_texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <filesystem>
#include <memory>

namespace quorvath {

namespace t = history_texts;

namespace {

constexpr int kMostCounted = 1000000;
constexpr int kFieldWidth = 420; // px: a connection string fits

// Opens the history at `where` and lets it go: refused as the History menu
// would be. A file that does not exist yet is a new history, made at the
// first import.
std::optional<std::string> testHistory(const std::string& where) {
    std::error_code ignored;
    if (!namesPostgresDatabase(where) && !std::filesystem::exists(where, ignored))
        return std::nullopt;
    std::unique_ptr<HistoryStore> store;
    return openHistory(where, store);
}

} // namespace

HistoryPreferencesDialog::HistoryPreferencesDialog(HistoryDatabase& database,
                                                   SettingsStore& settings, UserPrompts& prompts,
                                                   QWidget* parent)
    : QDialog(parent), database_(database), settings_(settings), prompts_(prompts),
      where_(new QLineEdit(this)), minKills_(new QSpinBox(this)), minMatches_(new QSpinBox(this)),
      rankBots_(new QCheckBox(t::RankBotsLabel, this)), state_(new QLabel(this)),
      buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this)),
      tester_(new BackgroundWork(this)) {
    setObjectName("historyPreferencesDialog");
    setWindowTitle(t::PreferencesTitle);
    auto* form = new QFormLayout(this);
    where_->setObjectName("historyDatabase");
    where_->setPlaceholderText(QString::fromStdString(defaultHistoryFile()));
    where_->setMinimumWidth(kFieldWidth);
    auto* browse = new QPushButton(t::BrowseLabel, this);
    browse->setObjectName("browseHistoryFile");
    connect(browse, &QPushButton::clicked, this, &HistoryPreferencesDialog::onBrowse);
    auto* place = new QHBoxLayout;
    place->addWidget(where_, 1);
    place->addWidget(browse);
    auto* caption = new QLabel(t::DatabaseLabel, this);
    caption->setBuddy(where_);
    form->addRow(caption, place);
    auto* note = new QLabel(t::DatabaseNote, this);
    note->setWordWrap(true);
    form->addRow(note);
    for (auto [box, name, label] : {std::tuple{minKills_, "minKills", t::MinKillsLabel},
                                    std::tuple{minMatches_, "minMatches", t::MinMatchesLabel}}) {
        box->setObjectName(name);
        box->setRange(0, kMostCounted);
        box->setSpecialValueText(t::NoMinimum);
        auto* boxCaption = new QLabel(label, this);
        boxCaption->setBuddy(box);
        form->addRow(boxCaption, box);
    }
    rankBots_->setObjectName("rankBots");
    form->addRow(rankBots_);
    state_->setObjectName("preferencesState");
    state_->setWordWrap(true);
    form->addRow(state_);
    form->addRow(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] { apply(true); });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QPushButton* applyButton = buttons_->button(QDialogButtonBox::Apply);
    applyButton->setText(t::ApplyButton);
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(false); });
    connect(tester_, &BackgroundWork::finished, this, &HistoryPreferencesDialog::onTested);
}

void HistoryPreferencesDialog::open() {
    if (!tester_->running()) {
        where_->setText(QString::fromStdString(database_.chosen()));
        const RankingMinimum minimum = storedRankingMinimum(settings_);
        minKills_->setValue(minimum.kills);
        minMatches_->setValue(minimum.matches);
        rankBots_->setChecked(minimum.bots);
        state_->clear();
    }
    show();
    raise();
    activateWindow();
}

void HistoryPreferencesDialog::onBrowse() {
    const std::string chosen = prompts_.openFile(
        t::HistoryFileTitle, parseFileFilter(t::HistoryFileFilter), database_.where());
    if (!chosen.empty())
        where_->setText(QString::fromStdString(chosen));
}

void HistoryPreferencesDialog::apply(bool closeAfter) {
    if (tester_->running())
        return;
    typed_ = where_->text().trimmed().toStdString();
    // Unchanged, it is still opened with the password typed this session.
    const std::string where = typed_ == database_.chosen() ? database_.where()
                              : typed_.empty()             ? defaultHistoryFile()
                                                           : typed_;
    if (!historyWithoutPassword(where)) {
        return refuse(t::unreadableConnection(where_->text().trimmed()));
    }
    closeAfter_ = closeAfter;
    setTesting(true);
    tester_->start([where] { return testHistory(where); });
}

void HistoryPreferencesDialog::onTested(const QString& error) {
    setTesting(false);
    if (!error.isEmpty()) // nothing is kept
        return refuse(error);
    const bool unchanged = typed_ == database_.chosen();
    const bool passwordKept =
        unchanged ? !typed_.empty() && database_.where() != typed_ : database_.choose(typed_);
    storeRankingMinimum(settings_,
                        {minKills_->value(), minMatches_->value(), rankBots_->isChecked()});
    const std::string kept = database_.chosen();
    const QString status = t::historyChosen(
        QString::fromStdString(kept.empty() ? defaultHistoryFile() : kept), passwordKept);
    where_->setText(QString::fromStdString(kept));
    showState(status);
    emit statusChanged(status);
    emit applied();
    if (closeAfter_)
        accept();
}

void HistoryPreferencesDialog::setTesting(bool testing) {
    for (QAbstractButton* button : buttons_->buttons())
        if (buttons_->buttonRole(button) != QDialogButtonBox::RejectRole)
            button->setEnabled(!testing);
    where_->setReadOnly(testing);
    if (testing)
        showState(t::TestingHistory);
}

void HistoryPreferencesDialog::refuse(const QString& problem) {
    showState(problem);
    emit statusChanged(problem);
    prompts_.message(problem.toStdString(), texts::AppTitle);
    activateWindow(); // the keys come back here, not to the window the message was over
}

void HistoryPreferencesDialog::showState(const QString& text) {
    state_->setText(text);
    adjustSize(); // a long message wraps: the dialog grows rather than overlap
}

} // namespace quorvath
