#include "core/common/windows1252.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace quorvath {

namespace {

// 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char windows1252FromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighTable.size(); ++i)
        if (kHighTable[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

char16_t unicodeFromWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kHighTable[byte - 0x80];
    return byte;
}

std::string windows1252FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size()) {
            out += '?'; // a stray continuation byte or a cut sequence
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? lead : static_cast<char32_t>(lead & (0x3F >> extra));
        for (int k = 1; k <= extra; ++k)
            cp = (cp << 6) |
                 (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3Fu);
        out += windows1252FromCodePoint(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string utf8FromWindows1252(std::string_view bytes) {
    std::string out;
    appendUtf8FromWindows1252(out, bytes);
    return out;
}

bool isPlainAscii(std::string_view bytes) {
    unsigned char any = 0; // every byte read, with no branch: the loop vectorises
    for (const char c : bytes)
        any = static_cast<unsigned char>(any | static_cast<unsigned char>(c));
    return any < 0x80;
}

void appendUtf8FromWindows1252(std::string& out, std::string_view bytes) {
    out.reserve(out.size() + bytes.size());
    constexpr std::uint64_t highBits = 0x8080808080808080u;
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Plain ASCII stays as it is: most of a log, taken eight bytes at a time.
        std::size_t plain = i;
        for (std::uint64_t word; plain + 8 <= bytes.size(); plain += 8) {
            std::memcpy(&word, bytes.data() + plain, 8);
            if (word & highBits)
                break;
        }
        while (plain < bytes.size() && static_cast<unsigned char>(bytes[plain]) < 0x80)
            ++plain;
        out.append(bytes.data() + i, plain - i);
        if (plain < bytes.size())
            appendUtf8(out, unicodeFromWindows1252(static_cast<unsigned char>(bytes[plain++])));
        i = plain;
    }
}

} // namespace quorvath
