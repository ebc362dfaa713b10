#pragma once
// A player's name as the game shows it: the name with every colour code
// ("^" and the byte after it, whatever that is) taken out, as the rendered
// console log leaves it. Every kind of log gives the same player this name,
// so the same person has one entry whichever log was read.

#include <string>
#include <string_view>

namespace quorvath {

// Appends the shown form of `raw` to `out`. A caret at the very end (a code
// cut short) goes too.
void appendShownName(std::string& out, std::string_view raw);

inline std::string shownName(std::string_view raw) {
    std::string out;
    appendShownName(out, raw);
    return out;
}

} // namespace quorvath
