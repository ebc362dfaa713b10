#include "core/common/user_prompts.h"

namespace quorvath {

std::vector<FileFilter> parseFileFilter(std::string_view pairs) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= pairs.size()) {
        const std::size_t bar = pairs.find('|', from);
        const std::size_t end = bar == std::string_view::npos ? pairs.size() : bar;
        parts.emplace_back(pairs.substr(from, end - from));
        if (bar == std::string_view::npos)
            break;
        from = bar + 1;
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({parts[i], parts[i + 1]});
    return filters;
}

} // namespace quorvath
