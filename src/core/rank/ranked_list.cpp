#include "core/rank/ranked_list.h"

#include <charconv>
#include <cstdint>

namespace quorvath {

std::string rankedValueText(double value, bool wholeNumber) {
    if (wholeNumber)
        return std::to_string(static_cast<std::int64_t>(value));
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

} // namespace quorvath
