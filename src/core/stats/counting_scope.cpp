#include "core/stats/counting_scope.h"

#include "core/common/name_table.h"
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

std::string_view countingModeName(CountingMode mode) { return nameIn(kModeNames, mode); }

std::optional<CountingMode> countingModeNamed(std::string_view name) {
    for (const auto& [m, text] : kModeNames)
        if (equalFolded(text, name))
            return m;
    return std::nullopt;
}

} // namespace quorvath
