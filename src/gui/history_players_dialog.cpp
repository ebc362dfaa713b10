#include "gui/history_players_dialog.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/history/database/open_history.h"
#include "core/history/history_queries.h"
#include "core/history/history_totals.h"
#include "gui/app_texts.h"
#include "gui/background_work.h"
#include "gui/history_preferences.h"
#include "gui/history_texts.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>

#include <ctime>
#include <memory>

namespace quorvath {

namespace t = history_texts;

namespace {

constexpr int kPersonIndex = Qt::UserRole; // on a row's first item: its place in the people
constexpr QSize kFirstSize{1000, 640};     // px: every column of a long name shows

QString shown(const std::string& windows1252) {
    return QString::fromStdString(utf8FromWindows1252(windows1252));
}

QString joined(const std::vector<std::string>& items, std::size_t from, const char* between) {
    QStringList parts;
    for (std::size_t i = from; i < items.size(); ++i)
        parts << shown(items[i]);
    return parts.join(between);
}

QStandardItem* numberItem(qint64 number) {
    auto* item = new QStandardItem;
    item->setData(number, Qt::DisplayRole); // sorted as a number
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString decisionText(const PeopleDecision& d) {
    return d.kind == PeopleDecision::Kind::Merge
               ? QString("merge \"%1\" and \"%2\"").arg(shown(d.name), shown(d.other))
               : QString("split \"%1\"").arg(shown(d.name));
}

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

HistoryPlayersDialog::HistoryPlayersDialog(HistoryDatabase& database, SettingsStore& settings,
                                           UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), database_(database), settings_(settings), prompts_(prompts),
      filter_(named(new QLineEdit(this), "playerFilter")),
      peopleModel_(new QStandardItemModel(this)), shownPeople_(new QSortFilterProxyModel(this)),
      peopleView_(named(new QTableView(this), "peopleTable")),
      names_(named(new QListWidget(this), "personNames")),
      decisionsView_(named(new QTableWidget(this), "decisionsTable")),
      merge_(named(new QPushButton(t::MergeButton, this), "mergeButton")),
      split_(named(new QPushButton(t::SplitButton, this), "splitButton")),
      undo_(named(new QPushButton(t::UndoButton, this), "undoButton")),
      state_(named(new QLabel(this), "playersState")), worker_(new BackgroundWork(this)) {
    setObjectName("historyPlayersDialog");
    setWindowTitle(t::PlayersTitle);
    buildControls();
    connect(worker_, &BackgroundWork::finished, this, &HistoryPlayersDialog::onRunEnded);
    const std::string geometry = settings_.get(settings_keys::HistoryPlayersGeometry, "");
    if (geometry.empty())
        resize(kFirstSize);
    else
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
}

void HistoryPlayersDialog::buildControls() {
    peopleModel_->setHorizontalHeaderLabels(t::PeopleColumns);
    shownPeople_->setSourceModel(peopleModel_);
    shownPeople_->setFilterKeyColumn(-1); // any column: a name, an alias, a GUID
    shownPeople_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    connect(filter_, &QLineEdit::textChanged, shownPeople_,
            &QSortFilterProxyModel::setFilterFixedString);
    filter_->setPlaceholderText(t::FindHint);
    filter_->setClearButtonEnabled(true);
    peopleView_->setModel(shownPeople_);
    peopleView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    peopleView_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    peopleView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    peopleView_->setSortingEnabled(true);
    peopleView_->sortByColumn(-1, Qt::AscendingOrder); // in order of first appearance
    peopleView_->verticalHeader()->hide();
    peopleView_->setTabKeyNavigation(false); // Tab goes on to the names
    connect(peopleView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HistoryPlayersDialog::showNames);
    decisionsView_->setColumnCount(static_cast<int>(t::DecisionColumns.size()));
    decisionsView_->setHorizontalHeaderLabels(t::DecisionColumns);
    decisionsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    decisionsView_->setSelectionMode(QAbstractItemView::SingleSelection);
    decisionsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    decisionsView_->verticalHeader()->hide();
    decisionsView_->setTabKeyNavigation(false);
    decisionsView_->horizontalHeader()->setStretchLastSection(true);
    connect(decisionsView_, &QTableWidget::itemSelectionChanged, this,
            &HistoryPlayersDialog::updateEnabled);
    connect(names_, &QListWidget::itemSelectionChanged, this, &HistoryPlayersDialog::updateEnabled);
    connect(merge_, &QPushButton::clicked, this, &HistoryPlayersDialog::onMerge);
    connect(split_, &QPushButton::clicked, this, &HistoryPlayersDialog::onSplit);
    connect(undo_, &QPushButton::clicked, this, &HistoryPlayersDialog::onUndo);
    for (QPushButton* button : {merge_, split_, undo_})
        button->setAutoDefault(false); // Enter in Find does not decide anything

    auto* grid = new QGridLayout(this);
    const auto caption = [this](const char* text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };
    auto* find = new QHBoxLayout;
    find->addWidget(caption(t::FindLabel, filter_));
    find->addWidget(filter_, 1);
    grid->addLayout(find, 0, 0, 1, 3);
    grid->addWidget(peopleView_, 1, 0, 1, 3);
    grid->addWidget(caption(t::NamesLabel, names_), 2, 0, 1, 2);
    grid->addWidget(caption(t::DecisionsLabel, decisionsView_), 2, 2);
    auto* decide = new QVBoxLayout;
    decide->addWidget(merge_);
    decide->addWidget(split_);
    decide->addStretch();
    grid->addWidget(names_, 3, 0);
    grid->addLayout(decide, 3, 1);
    grid->addWidget(decisionsView_, 3, 2);
    grid->addWidget(undo_, 4, 2, Qt::AlignRight);
    state_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(state_, 5, 0, 1, 2);
    grid->addWidget(buttons, 5, 2);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
}

void HistoryPlayersDialog::open() {
    show();
    raise();
    activateWindow();
    filter_->setFocus();
    run({});
}

void HistoryPlayersDialog::done(int result) {
    settings_.set(settings_keys::HistoryPlayersGeometry, saveGeometry().toBase64().toStdString());
    QDialog::done(result);
}

bool HistoryPlayersDialog::reading() const { return worker_->running(); }

void HistoryPlayersDialog::run(const Change& change) {
    if (worker_->running())
        return;
    const std::string database = database_.where();
    // Reading creates no history.
    if (!namesPostgresDatabase(database) && !QFileInfo::exists(QString::fromStdString(database)))
        return said(t::historyMissing(QString::fromStdString(database)));
    outcome_.clear();
    state_->setText(t::ReadingPlayers);
    worker_->start([this, database, change]() -> std::optional<std::string> {
        std::unique_ptr<HistoryStore> store;
        if (auto error = openHistory(database, store))
            return error;
        if (change)
            if (auto error = change(*store, outcome_))
                return error;
        PlayerTable players;
        CountingScope scope;
        std::vector<NameActivity> activity;
        if (auto error = countSelection(*store, {}, players, scope, activity))
            return error;
        readPeople_ = peopleOf(players, activity);
        return store->readDecisions(readDecisions_);
    });
    updateEnabled();
}

void HistoryPlayersDialog::onRunEnded(const QString& error) {
    if (!error.isEmpty()) {
        said(error);
        prompts_.message(error.toStdString(), texts::AppTitle);
        activateWindow(); // the keys come back here, not to the window the message was over
    } else {
        people_ = std::move(readPeople_);
        decisions_ = std::move(readDecisions_);
        showPeople();
        showDecisions();
        said(outcome_.isEmpty()
                 ? t::playersRead(qsizetype(people_.size()), qsizetype(decisions_.size()))
                 : outcome_);
        if (!outcome_.isEmpty())
            emit decided();
    }
    updateEnabled();
}

void HistoryPlayersDialog::showPeople() {
    peopleModel_->removeRows(0, peopleModel_->rowCount());
    for (std::size_t i = 0; i < people_.size(); ++i) {
        const Person& p = people_[i];
        auto* name = new QStandardItem(shown(p.names.front()));
        name->setData(qulonglong(i), kPersonIndex);
        QStringList guids;
        for (const std::string& guid : p.guids)
            guids << QString::fromStdString(guid);
        peopleModel_->appendRow({name, new QStandardItem(joined(p.names, 1, " / ")),
                                 new QStandardItem(guids.join(' ')), numberItem(p.matches),
                                 numberItem(p.kills), numberItem(p.deaths),
                                 new QStandardItem(QString::fromStdString(dateText(p.firstSeen))),
                                 new QStandardItem(QString::fromStdString(dateText(p.lastSeen))),
                                 new QStandardItem(p.bot ? "bot" : "")});
    }
    peopleView_->resizeColumnsToContents();
    showNames();
}

void HistoryPlayersDialog::showDecisions() {
    decisionsView_->setRowCount(static_cast<int>(decisions_.size()));
    int row = 0;
    for (const PeopleDecision& d : decisions_) {
        const QStringList cells{QString::number(d.id), QString::fromStdString(dateText(d.madeAt)),
                                d.kind == PeopleDecision::Kind::Merge ? "merge" : "split",
                                shown(d.name), shown(d.other)};
        for (int column = 0; column < cells.size(); ++column)
            decisionsView_->setItem(row, column, new QTableWidgetItem(cells[column]));
        ++row;
    }
    decisionsView_->resizeColumnsToContents();
}

std::vector<int> HistoryPlayersDialog::selectedPeople() const {
    std::vector<int> chosen;
    for (const QModelIndex& row : peopleView_->selectionModel()->selectedRows())
        chosen.push_back(row.data(kPersonIndex).toInt());
    return chosen;
}

void HistoryPlayersDialog::showNames() {
    names_->clear();
    const std::vector<int> chosen = selectedPeople();
    if (chosen.size() == 1)
        for (const std::string& name : people_[std::size_t(chosen[0])].names)
            names_->addItem(shown(name));
    if (names_->count() > 0)
        names_->setCurrentRow(0);
    updateEnabled();
}

void HistoryPlayersDialog::updateEnabled() {
    const bool idle = !worker_->running();
    merge_->setEnabled(idle && selectedPeople().size() == 2);
    split_->setEnabled(idle && names_->currentRow() >= 0);
    undo_->setEnabled(idle && decisionsView_->currentRow() >= 0 &&
                      !decisionsView_->selectedItems().isEmpty());
}

void HistoryPlayersDialog::onMerge() {
    const std::vector<int> chosen = selectedPeople();
    if (chosen.size() != 2)
        return said(t::SelectTwo);
    PeopleDecision decision;
    decision.kind = PeopleDecision::Kind::Merge;
    decision.name = people_[std::size_t(chosen[0])].names.front();
    decision.other = people_[std::size_t(chosen[1])].names.front();
    const QString name = shown(decision.name), other = shown(decision.other);
    if (!confirmed(t::mergeQuestion(name, other)))
        return said(t::NothingChanged);
    run([decision, name, other](HistoryStore& store, QString& outcome) mutable {
        decision.madeAt = static_cast<std::int64_t>(std::time(nullptr));
        auto error = store.addDecision(decision);
        outcome = t::merged(name, other, decision.id);
        return error;
    });
}

void HistoryPlayersDialog::onSplit() {
    const std::vector<int> chosen = selectedPeople();
    const int row = names_->currentRow();
    if (chosen.size() != 1 || row < 0)
        return said(t::SelectName);
    PeopleDecision decision;
    decision.kind = PeopleDecision::Kind::Split;
    decision.name = people_[std::size_t(chosen[0])].names[std::size_t(row)];
    const QString name = shown(decision.name);
    if (!confirmed(t::splitQuestion(name)))
        return said(t::NothingChanged);
    run([decision, name](HistoryStore& store, QString& outcome) mutable {
        decision.madeAt = static_cast<std::int64_t>(std::time(nullptr));
        auto error = store.addDecision(decision);
        outcome = t::splitOff(name, decision.id);
        return error;
    });
}

void HistoryPlayersDialog::onUndo() {
    const int row = decisionsView_->currentRow();
    if (row < 0 || decisionsView_->selectedItems().isEmpty())
        return said(t::SelectDecision);
    const PeopleDecision& decision = decisions_[std::size_t(row)];
    const std::int64_t id = decision.id;
    if (!confirmed(t::undoQuestion(id, decisionText(decision))))
        return said(t::NothingChanged);
    run([id](HistoryStore& store, QString& outcome) {
        bool forgotten = false;
        auto error = store.forgetDecision(id, forgotten);
        outcome = forgotten ? t::undone(id) : t::decisionGone(id);
        return error;
    });
}

bool HistoryPlayersDialog::confirmed(const QString& question) {
    const bool yes = prompts_.confirm(question.toStdString(), texts::AppTitle);
    activateWindow(); // the keys come back here, not to the window the question was over
    return yes;
}

void HistoryPlayersDialog::said(const QString& status) {
    state_->setText(status);
    emit statusChanged(status);
}

} // namespace quorvath
