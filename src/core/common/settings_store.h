#pragma once
// The per-user preferences: string values under application "Quorvath",
// section "General". The Qt layer stores them with QSettings; tests and the
// report tool use the in-memory store.

#include <map>
#include <string>

namespace quorvath {

namespace settings_keys {
inline constexpr const char* SofDir = "SofDir";
inline constexpr const char* Nick = "Nick";
inline constexpr const char* Sof2CFGFile = "Sof2CFGFile";
inline constexpr const char* BackColor = "BackColor";
inline constexpr const char* TextColor = "TextColor";
} // namespace settings_keys

inline constexpr const char* kDefaultCfgPath =
    "c:\\program files\\Soldier of Fortune II - Double Helix\\base\\mp\\sof2mp.cfg";
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

} // namespace quorvath
