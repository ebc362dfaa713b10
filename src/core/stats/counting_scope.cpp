#include "core/stats/counting_scope.h"

#include "core/common/text_case.h"

#include <array>
#include <utility>

namespace quorvath {

namespace {
constexpr std::array<std::pair<CountingMode, std::string_view>, 2> kModeNames = {{
    {CountingMode::Classic, "Classic"},
    {CountingMode::Accurate, "Accurate"},
}};
} // namespace

std::string_view countingModeName(CountingMode mode) {
    for (const auto& [m, name] : kModeNames)
        if (m == mode)
            return name;
    return {};
}

std::optional<CountingMode> countingModeNamed(std::string_view name) {
    for (const auto& [m, text] : kModeNames)
        if (equalFolded(text, name))
            return m;
    return std::nullopt;
}

} // namespace quorvath
