#pragma once
// Tables that give values their names: pairs of (value, name).

#include <string_view>

namespace quorvath {

// The name `table` gives `value`; empty when it gives none.
template <typename Table, typename Value>
std::string_view nameIn(const Table& table, const Value& value) {
    for (const auto& [v, name] : table)
        if (v == value)
            return name;
    return {};
}

} // namespace quorvath
