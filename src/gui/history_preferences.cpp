#include "gui/history_preferences.h"

#include "core/common/settings_store.h"
#include "core/history/database/open_history.h"
#include "core/history/sqlite/sqlite_history.h"

#include <charconv>

namespace quorvath {

namespace {

int storedCount(const SettingsStore& settings, const char* key) {
    const std::string text = settings.get(key, "");
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count > 0 ? count : 0;
}

} // namespace

std::string HistoryDatabase::chosen() const {
    return settings_.get(settings_keys::HistoryFile, "");
}

std::string HistoryDatabase::where() const {
    const std::string kept = chosen();
    if (kept.empty())
        return defaultHistoryFile();
    return !typed_.empty() && historyWithoutPassword(typed_) == kept ? typed_ : kept;
}

bool HistoryDatabase::choose(const std::string& where) {
    const std::string kept = historyWithoutPassword(where).value_or(where);
    settings_.set(settings_keys::HistoryFile, kept);
    typed_ = kept == where ? std::string() : where;
    return !typed_.empty();
}

RankingMinimum storedRankingMinimum(const SettingsStore& settings) {
    return {storedCount(settings, settings_keys::HistoryMinKills),
            storedCount(settings, settings_keys::HistoryMinMatches),
            settings.get(settings_keys::HistoryRankBots, "") == "true"};
}

void storeRankingMinimum(SettingsStore& settings, const RankingMinimum& minimum) {
    settings.set(settings_keys::HistoryMinKills, std::to_string(minimum.kills));
    settings.set(settings_keys::HistoryMinMatches, std::to_string(minimum.matches));
    settings.set(settings_keys::HistoryRankBots, minimum.bots ? "true" : "false");
}

} // namespace quorvath
