#pragma once
// What the preferences keep of the match history: where it is (a database
// file, or a PostgreSQL connection string shared by several servers) and
// whom its rankings take. A password typed into a connection string is kept
// here for this session only: the preferences get the string without it
// (libpq's ~/.pgpass and PGPASSWORD supply it next time).
//
// Interface thread only.

#include "core/history/people.h"

#include <string>

namespace quorvath {

class SettingsStore;

class HistoryDatabase {
public:
    explicit HistoryDatabase(SettingsStore& settings) : settings_(settings) {}

    // Where to open the history: the chosen database (with this session's
    // password), else the default file.
    std::string where() const;
    // The choice as the preferences keep it ("" for the default file).
    std::string chosen() const;
    // Keeps `where` ("" for the default file), which libpq can read when it
    // is a connection string; true when a password was typed into it, kept
    // for this session only.
    bool choose(const std::string& where);

private:
    SettingsStore& settings_;
    std::string typed_; // the chosen connection string, with its password
};

// The preferences' minimum for the history's rankings (none by default).
RankingMinimum storedRankingMinimum(const SettingsStore& settings);
void storeRankingMinimum(SettingsStore& settings, const RankingMinimum& minimum);

} // namespace quorvath
