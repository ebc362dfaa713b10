#include "core/common/settings_store.h"

#include <algorithm>
#include <charconv>

namespace quorvath {

int colourSetting(const SettingsStore& store, const std::string& key, int fallback) {
    const std::string text = store.get(key, std::to_string(fallback));
    int value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || text.empty())
        return fallback;
    return value;
}

std::vector<std::string> recentLogs(const SettingsStore& store) {
    std::vector<std::string> logs;
    for (std::size_t n = 1; n <= kMaxRecentLogs; ++n) {
        std::string path = store.get(settings_keys::RecentLog + std::to_string(n), "");
        if (!path.empty())
            logs.push_back(std::move(path));
    }
    return logs;
}

void storeRecentLogs(SettingsStore& store, const std::vector<std::string>& logs) {
    // Every slot is written, so an entry removed from the list leaves the file too.
    for (std::size_t n = 1; n <= kMaxRecentLogs; ++n)
        store.set(settings_keys::RecentLog + std::to_string(n),
                  n <= logs.size() ? logs[n - 1] : "");
}

std::string openDialogStart(const SettingsStore& store) {
    const std::vector<std::string> logs = recentLogs(store);
    return logs.empty() ? store.get(settings_keys::SofDir, "") : logs.front();
}

std::vector<std::string> withRecentLog(std::vector<std::string> logs, const std::string& path) {
    logs.erase(std::remove(logs.begin(), logs.end(), path), logs.end());
    logs.insert(logs.begin(), path);
    if (logs.size() > kMaxRecentLogs)
        logs.resize(kMaxRecentLogs);
    return logs;
}

} // namespace quorvath
