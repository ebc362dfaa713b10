#include "gui/history_ratings_dialog.h"

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/common/windows1252.h"
#include "core/history/database/open_history.h"
#include "gui/app_texts.h"
#include "gui/background_work.h"
#include "gui/history_texts.h"
#include "gui/work_progress_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace quorvath {

namespace t = history_texts;

namespace {

constexpr QSize kFirstSize{720, 560}; // px: a long name and every column show

QTableWidgetItem* cell(const QString& text, bool number) {
    auto* item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

HistoryRatingsDialog::HistoryRatingsDialog(SettingsStore& settings, UserPrompts& prompts,
                                           QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts), selectionLabel_(new QLabel(this)),
      linked_(new QCheckBox(t::LinkAliasesCheck, this)), table_(new QTableWidget(this)),
      state_(new QLabel(this)), worker_(new BackgroundWork(this)) {
    setObjectName("historyRatingsDialog");
    setWindowTitle(t::RatingsTitle);
    buildControls();
    connect(worker_, &BackgroundWork::finished, this, &HistoryRatingsDialog::onRated);
    const std::string geometry = settings_.get(settings_keys::HistoryRatingsGeometry, "");
    if (geometry.empty())
        resize(kFirstSize);
    else
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
}

HistoryRatingsDialog::~HistoryRatingsDialog() {
    progress_.requestStop(); // the worker passes over the rest of the matches
    worker_->abandon();
}

void HistoryRatingsDialog::buildControls() {
    selectionLabel_->setObjectName("ratedSelection");
    linked_->setObjectName("linkAliases");
    connect(linked_, &QCheckBox::toggled, this, &HistoryRatingsDialog::start);
    table_->setObjectName("ratingsTable");
    table_->setColumnCount(static_cast<int>(t::RatingColumns.size()));
    table_->setHorizontalHeaderLabels(t::RatingColumns);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setTabKeyNavigation(false); // Tab goes on to Close
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* note = new QLabel(t::RatingsNote, this);
    note->setWordWrap(true);
    state_->setObjectName("ratingsState");
    state_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selectionLabel_);
    layout->addWidget(linked_);
    layout->addWidget(table_, 1);
    layout->addWidget(note);
    layout->addWidget(state_);
    layout->addWidget(buttons);
}

bool HistoryRatingsDialog::rating() const { return worker_->running(); }

void HistoryRatingsDialog::rate(const std::string& database, const HistorySelection& selection,
                                const QString& description, bool bots) {
    show();
    raise();
    activateWindow();
    if (rating())
        return said(t::RatingRunning);
    database_ = database;
    selection_ = selection;
    bots_ = bots;
    selectionLabel_->setText(description);
    start();
}

void HistoryRatingsDialog::start() {
    if (rating() || database_.empty())
        return;
    // Rating creates no history.
    if (!namesPostgresDatabase(database_) &&
        !QFileInfo::exists(QString::fromStdString(database_))) {
        const QString missing = t::historyMissing(QString::fromStdString(database_));
        said(missing);
        prompts_.message(missing.toStdString(), texts::AppTitle);
        return activateWindow(); // the keys come back here
    }
    progress_.requestStop(false);
    progress_.setPosition(0, 0);
    progress_.beginStage(t::RatingHistory);
    state_->setText(t::RatingHistory);
    linked_->setEnabled(false);
    worker_->start(
        [this, database = database_, selection = selection_,
         options = RatingOptions{linked_->isChecked(), bots_}]() -> std::optional<std::string> {
            std::unique_ptr<HistoryStore> store;
            if (auto error = openHistory(database, store))
                return error;
            return rateSelection(*store, selection, options, rated_, &progress_);
        });
    progressDialog_ = new WorkProgressDialog(progress_, t::RatingsTitle, t::CancelWork, this);
    progressDialog_->setObjectName("ratingProgress");
    progressDialog_->setWindowModality(Qt::WindowModal);
    connect(progressDialog_, &QProgressDialog::canceled, this, [this] { progress_.requestStop(); });
    progressDialog_->show();
}

void HistoryRatingsDialog::onRated(const QString& error) {
    progressDialog_->hide(); // before a message shows
    progressDialog_->deleteLater();
    progressDialog_ = nullptr;
    linked_->setEnabled(true);
    if (progress_.stopRequested()) {
        ratings_.clear();
        showRatings();
        said(t::RatingCancelled);
    } else if (!error.isEmpty()) {
        said(error);
        prompts_.message(error.toStdString(), texts::AppTitle);
        activateWindow(); // the keys come back here, not to the window the message was over
    } else {
        ratings_ = std::move(rated_);
        showRatings();
        said(t::ratingsDone(qsizetype(ratings_.size()), progress_.position()));
    }
    rated_.clear();
}

void HistoryRatingsDialog::showRatings() {
    table_->setRowCount(static_cast<int>(ratings_.size()));
    int row = 0;
    for (const PlayerRating& r : ratings_) {
        const QStringList cells{QString::fromStdString(utf8FromWindows1252(r.name)),
                                QString::fromStdString(ratingFigure(r.rating.ordinal())),
                                QString::fromStdString(ratingFigure(r.rating.mu)),
                                QString::fromStdString(ratingFigure(r.rating.sigma)),
                                QString::number(r.matches),
                                r.provisional() ? kProvisionalMark : ""};
        for (int column = 0; column < cells.size(); ++column)
            table_->setItem(row, column, cell(cells[column], column > 0 && column < 5));
        ++row;
    }
    table_->resizeColumnsToContents();
}

void HistoryRatingsDialog::done(int result) {
    settings_.set(settings_keys::HistoryRatingsGeometry, saveGeometry().toBase64().toStdString());
    QDialog::done(result);
}

void HistoryRatingsDialog::said(const QString& status) {
    state_->setText(status);
    emit statusChanged(status);
}

} // namespace quorvath
