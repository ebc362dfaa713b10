#include "core/common/settings_store.h"

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

} // namespace quorvath
