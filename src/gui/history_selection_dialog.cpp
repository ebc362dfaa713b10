#include "gui/history_selection_dialog.h"

#include "core/common/settings_store.h"
#include "core/common/windows1252.h"
#include "gui/history_texts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeZone>

namespace quorvath {

namespace t = history_texts;

namespace {

constexpr int kFieldMargin = 24; // px beyond the hint, so that it shows whole

std::int64_t utcStartOf(const QDate& day) {
    return day.startOfDay(QTimeZone::utc()).toSecsSinceEpoch();
}

std::string logName(const QLineEdit& field) {
    return windows1252FromUtf8(field.text().trimmed().toStdString());
}

// "ctf, inf" as {"ctf", "inf"}.
std::vector<std::string> typeList(const QString& text) {
    std::vector<std::string> types;
    for (const QString& type : text.split(',', Qt::SkipEmptyParts))
        if (!type.trimmed().isEmpty())
            types.push_back(type.trimmed().toStdString());
    return types;
}

} // namespace

HistorySelectionDialog::HistorySelectionDialog(SettingsStore& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), sinceOn_(new QCheckBox(t::SinceLabel, this)),
      since_(new QDateEdit(QDate::currentDate().addMonths(-1), this)),
      untilOn_(new QCheckBox(t::UntilLabel, this)),
      until_(new QDateEdit(QDate::currentDate(), this)), server_(new QLineEdit(this)),
      map_(new QLineEdit(this)), gameTypes_(new QLineEdit(this)) {
    setObjectName("historySelectionDialog");
    setWindowTitle(t::SelectionTitle);
    auto* form = new QFormLayout(this);
    for (auto [on, date, name] :
         {std::tuple{sinceOn_, since_, "since"}, std::tuple{untilOn_, until_, "until"}}) {
        on->setObjectName(QString(name) + "On");
        date->setObjectName(QString(name) + "Date");
        date->setDisplayFormat("yyyy-MM-dd");
        date->setCalendarPopup(true);
        date->setEnabled(false);
        connect(on, &QCheckBox::toggled, date, &QWidget::setEnabled);
        form->addRow(on, date);
    }
    for (auto [field, name, label, hint] :
         {std::tuple{server_, "server", t::ServerLabel, t::AnyServer},
          std::tuple{map_, "map", t::MapLabel, t::AnyMap},
          std::tuple{gameTypes_, "gameTypes", t::GameTypesLabel, t::AnyGameType}}) {
        field->setObjectName(name);
        field->setPlaceholderText(hint);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(hint) + kFieldMargin);
        auto* caption = new QLabel(label, this);
        caption->setBuddy(field);
        form->addRow(caption, field);
    }
    auto* note = new QLabel(t::SelectionNote, this);
    note->setWordWrap(true);
    form->addRow(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    const std::string geometry = settings_.get(settings_keys::HistorySelectionGeometry, "");
    if (!geometry.empty())
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
}

HistorySelection HistorySelectionDialog::selection() const {
    HistorySelection selection;
    if (sinceOn_->isChecked())
        selection.since = utcStartOf(since_->date());
    if (untilOn_->isChecked())
        selection.until = utcStartOf(until_->date().addDays(1));
    selection.server = logName(*server_);
    selection.map = logName(*map_);
    selection.gameTypes = typeList(gameTypes_->text());
    return selection;
}

QString HistorySelectionDialog::description() const {
    QStringList parts;
    if (sinceOn_->isChecked())
        parts << "since " + since_->date().toString(Qt::ISODate);
    if (untilOn_->isChecked())
        parts << "until " + until_->date().toString(Qt::ISODate);
    if (!server_->text().trimmed().isEmpty())
        parts << "server " + server_->text().trimmed();
    if (!map_->text().trimmed().isEmpty())
        parts << "map " + map_->text().trimmed();
    QStringList types;
    for (const std::string& type : typeList(gameTypes_->text()))
        types << QString::fromStdString(type);
    if (!types.isEmpty())
        parts << types.join(',');
    return t::HistoryCaption + (parts.isEmpty() ? QString(t::AllMatches) : parts.join(", "));
}

void HistorySelectionDialog::done(int result) {
    settings_.set(settings_keys::HistorySelectionGeometry, saveGeometry().toBase64().toStdString());
    QDialog::done(result);
}

} // namespace quorvath
