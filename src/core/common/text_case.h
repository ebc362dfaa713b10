#pragma once
// Letters without case, for every search of the program (Find, Highlight Nick,
// the round and colour passes, the statistics phrases, the config settings):
// a log is Windows-1252, so its accented capitals match their small forms too.
//
// The fold: A-Z, 0xC0-0xDE but 0xD7 with 0xE0-0xFE but 0xF7, and 0x8A/0x9A,
// 0x8C/0x9C, 0x8E/0x9E, 0x9F/0xFF all fold to the small form; every other
// byte stays itself.

#include <array>
#include <cstddef>
#include <string_view>

namespace quorvath {

namespace detail {
constexpr std::array<unsigned char, 256> makeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (std::size_t c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (std::size_t c = 'A'; c <= 'Z'; ++c)
        table[c] = static_cast<unsigned char>(c + 32);
    for (std::size_t c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // the multiplication sign has no small form
            table[c] = static_cast<unsigned char>(c + 32);
    table[0x8A] = 0x9A; // S with caron
    table[0x8C] = 0x9C; // OE
    table[0x8E] = 0x9E; // Z with caron
    table[0x9F] = 0xFF; // Y with diaeresis
    return table;
}
} // namespace detail

// A table rather than a function so that the byte loops inline it.
inline constexpr std::array<unsigned char, 256> kFoldTable = detail::makeFoldTable();

constexpr unsigned char foldCase(unsigned char c) { return kFoldTable[c]; }

// Whether two texts are the same but for the case of their letters.
constexpr bool equalFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(static_cast<unsigned char>(a[i])) !=
            foldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace quorvath
