#pragma once
// The properties the config-file settings keep whatever the file holds. Used
// by fuzz/fuzz_config.cpp and by the tests that replay its seeds. Returns ""
// when they hold, else what broke.

#include "core/gamecfg/game_config.h"

#include <string>
#include <string_view>

namespace quorvath::fuzz {

inline std::string checkConfigText(std::string_view bytes) {
    using namespace quorvath::gamecfg;
    const std::string text(bytes);
    const int mode = logModeInText(text);
    if (mode < 0 || mode > 3)
        return "the mode read is not 0 to 3";
    const std::string name = logFileNameInText(text);
    if (name.size() > text.size())
        return "the log file name is longer than the file";
    checkLogFileName(name);
    isConfigFileName(text);
    if (logFileNamePrompt(name).size() < name.size() ||
        logFileNameSetting(name).size() != name.size() + 19)
        return "the name setting or prompt lost the name";
    std::string renamed = text;
    setLogFileNameInText(renamed, "Sof2.log");
    if (logFileNameInText(renamed) != "Sof2.log")
        return "a name just set is not the name read back";

    for (int m = -1; m <= 4; ++m) {
        std::string rewritten = text;
        const bool changed = setLogModeInText(rewritten, m);
        if (rewritten.size() != text.size())
            return "rewriting the mode changed the length";
        int differing = 0;
        for (std::size_t k = 0; k < text.size(); ++k)
            differing += rewritten[k] != text[k];
        if (differing > 1)
            return "rewriting the mode changed more than one byte";
        if (!changed && differing != 0)
            return "a refused rewrite changed the text";
        if (changed) {
            const std::size_t at = text.find("seta logfile ");
            if (m < 0 || m > 3 || rewritten[at + 14] != static_cast<char>('0' + m))
                return "the mode digit is not the 15th character from the phrase";
        }
    }
    return "";
}

} // namespace quorvath::fuzz
