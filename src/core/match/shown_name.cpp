#include "core/match/shown_name.h"

namespace quorvath {

void appendShownName(std::string& out, std::string_view raw) {
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '^') {
            ++i; // the code's own byte goes with it
            continue;
        }
        out.push_back(raw[i]);
    }
}

} // namespace quorvath
