#pragma once
// The per-user preferences: string values under application "Quorvath",
// section "General". The Qt layer stores them with QSettings; tests and the
// report tool use the in-memory store.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace quorvath {

namespace settings_keys {
// Where earlier versions kept the last log chosen (a file's path, despite the
// name): read only, for the Open dialog of a settings file that has no recent log.
inline constexpr const char* SofDir = "SofDir";
inline constexpr const char* Nick = "Nick";
inline constexpr const char* Sof2CFGFile = "Sof2CFGFile";
inline constexpr const char* BackColor = "BackColor";
inline constexpr const char* TextColor = "TextColor";
// The main window's size, position and state (Qt's own encoding, in base64).
inline constexpr const char* MainWindowGeometry = "MainWindowGeometry";
inline constexpr const char* MainWindowState = "MainWindowState";
// The statistics window's own size and position, kept apart from the main window's.
inline constexpr const char* StatisticsWindowGeometry = "StatisticsWindowGeometry";
// Followed by 1 to kMaxRecentLogs: the logs opened last, newest first.
inline constexpr const char* RecentLog = "RecentLog";
// Preferences > Counting: "Classic" or "Accurate", as countingModeName spells them.
inline constexpr const char* Counting = "Counting";
// "true": kills made during a server's warm-up are counted too.
inline constexpr const char* IncludeWarmup = "IncludeWarmup";
// What becomes of the dated copy made of each opened log (a dated_copies
// value); anything else asks each time.
inline constexpr const char* DatedCopies = "DatedCopies";
// The match history's database: a file or a PostgreSQL connection string
// (never with its password); empty or not set: the default file.
inline constexpr const char* HistoryFile = "HistoryFile";
// The folder File > Export web report... wrote into last.
inline constexpr const char* WebReportFolder = "WebReportFolder";
// Who the history's rankings take: at least so many kills and matches
// (numbers; none set: no minimum), and bots when "true".
inline constexpr const char* HistoryMinKills = "HistoryMinKills";
inline constexpr const char* HistoryMinMatches = "HistoryMinMatches";
inline constexpr const char* HistoryRankBots = "HistoryRankBots";
// History > Players: its size and position.
inline constexpr const char* HistoryPlayersGeometry = "HistoryPlayersGeometry";
inline constexpr const char* HistoryRatingsGeometry = "HistoryRatingsGeometry";
// History > Statistics' selection dialog: its size and position.
inline constexpr const char* HistorySelectionGeometry = "HistorySelectionGeometry";
} // namespace settings_keys

namespace dated_copies {
inline constexpr const char* Ask = "ask";
inline constexpr const char* Keep = "keep";     // kept without asking
inline constexpr const char* Delete = "delete"; // deleted without asking
} // namespace dated_copies

inline constexpr std::size_t kMaxRecentLogs = 8;

inline constexpr int kDefaultBackColor = 0;     // black
inline constexpr int kDefaultTextColor = 49152; // 0x00C000, green

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& key, const std::string& fallback) const = 0;
    virtual void set(const std::string& key, const std::string& value) = 0;
};

class MemorySettingsStore : public SettingsStore {
public:
    std::string get(const std::string& key, const std::string& fallback) const override {
        auto it = values_.find(key);
        return it == values_.end() ? fallback : it->second;
    }
    void set(const std::string& key, const std::string& value) override { values_[key] = value; }
    bool contains(const std::string& key) const { return values_.count(key) != 0; }

private:
    std::map<std::string, std::string> values_;
};

// A stored colour as a whole number; anything that is not a whole decimal
// number in the 32-bit range gives `fallback`.
int colourSetting(const SettingsStore& store, const std::string& key, int fallback);

// File > Recent logs: the stored list, newest first, and the list stored anew.
std::vector<std::string> recentLogs(const SettingsStore& store);
void storeRecentLogs(SettingsStore& store, const std::vector<std::string>& logs);
// Where File > Open starts: at the log opened last (the newest recent log, else
// the one earlier versions kept), "" when none is known.
std::string openDialogStart(const SettingsStore& store);
// `logs` with `path` first, no entry twice, at most kMaxRecentLogs long.
std::vector<std::string> withRecentLog(std::vector<std::string> logs, const std::string& path);

} // namespace quorvath
