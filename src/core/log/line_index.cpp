#include "core/log/line_index.h"

#include <algorithm>
#include <cstring>

namespace quorvath {

void LineIndex::build(std::string_view text) {
    text_ = text;
    starts_.clear();
    starts_.push_back(0);
    const char* base = text.data();
    const char* end = base + text.size();
    for (const char* p = base; p < end;) {
        const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!lf)
            break;
        p = static_cast<const char*>(lf) + 1;
        starts_.push_back(static_cast<int>(p - base));
    }
    longest_ = 0;
    for (int i = 0; i < lineCount(); ++i)
        longest_ = std::max(longest_, lineEnd(i) - lineStart(i));
}

void LineIndex::clear() {
    text_ = {};
    starts_.assign(1, 0);
    longest_ = 0;
}

int LineIndex::lineEnd(int line) const {
    const bool last = line + 1 >= lineCount();
    int end = last ? static_cast<int>(text_.size()) : lineStart(line + 1) - 1; // before the LF
    if (!last && end > lineStart(line) && text_[static_cast<std::size_t>(end - 1)] == '\r')
        --end;
    return end;
}

int LineIndex::lineOf(int pos) const {
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), pos);
    return static_cast<int>(it - starts_.begin()) - 1;
}

} // namespace quorvath
