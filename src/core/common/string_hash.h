#pragma once
// A hash for maps and sets keyed by std::string that are looked up by
// std::string_view (names cut out of a log line) without building a string.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace quorvath {

struct StringViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

template <typename Value>
using StringMap = std::unordered_map<std::string, Value, StringViewHash, std::equal_to<>>;
using StringSet = std::unordered_set<std::string, StringViewHash, std::equal_to<>>;

} // namespace quorvath
