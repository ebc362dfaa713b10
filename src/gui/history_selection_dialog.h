#pragma once
// History > Statistics: which matches of the history to count. Since and
// until (dates, that day included; each off unless checked), a server, a
// map and game types ("ctf,inf"), as the report tool's --since, --until,
// --server, --map and --gametype; an empty field selects every match. The
// fields keep what was typed while the program runs; the dialog's place is
// kept in the preferences.
//
// Interface thread only.

#include "core/history/match_record.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLineEdit;

namespace quorvath {

class SettingsStore;

class HistorySelectionDialog : public QDialog {
    Q_OBJECT
public:
    HistorySelectionDialog(SettingsStore& settings, QWidget* parent);

    // The selection as the history reads it: names in the log's Windows-1252,
    // dates as seconds since 1970 (UTC), until as the start of the next day.
    HistorySelection selection() const;
    // For the statistics window's title: "History: since 2026-11-01, map mp_shop".
    QString description() const;

    void done(int result) override; // keeps the dialog's place

private:
    SettingsStore& settings_;
    QCheckBox* sinceOn_;
    QDateEdit* since_;
    QCheckBox* untilOn_;
    QDateEdit* until_;
    QLineEdit* server_;
    QLineEdit* map_;
    QLineEdit* gameTypes_;
};

} // namespace quorvath
