#include "core/web/html_text.h"

#include "core/common/windows1252.h"
#include "core/log/log_colours.h"

#include <algorithm>
#include <cstdio>

namespace quorvath::web {

namespace {

void appendEscaped(std::string& out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = "&quot;"; break;
        case '\'': entity = "&#39;"; break;
        default: continue;
        }
        appendUtf8FromWindows1252(out, text.substr(from, i - from));
        out += entity;
        from = i + 1;
    }
    appendUtf8FromWindows1252(out, text.substr(from));
}

// "#rrggbb" of a 0x00BBGGRR colour.
std::string cssColour(Colour c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c & 0xFFu, (c >> 8) & 0xFFu,
                  (c >> 16) & 0xFFu);
    return buffer;
}

// Calls `piece(text, code)` for each stretch of `name` between codes, with
// the digit of the last "^0".."^7" before it (0 for none); another code
// leaves the colour as it was.
template <class Piece> void forEachColouredPiece(std::string_view name, Piece piece) {
    char code = 0;
    std::size_t from = 0;
    for (std::size_t i = name.find('^'); i != std::string_view::npos; i = name.find('^', from)) {
        piece(name.substr(from, i - from), code);
        const char next = i + 1 < name.size() ? name[i + 1] : 0;
        if (next >= '0' && next <= '7')
            code = next;
        from = std::min(i + 2, name.size());
    }
    piece(name.substr(from), code);
}

} // namespace

std::string escapedHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

std::string nameHtml(std::string_view name) {
    std::string out;
    forEachColouredPiece(name, [&](std::string_view piece, char code) {
        if (piece.empty())
            return;
        if (code == 0) {
            appendEscaped(out, piece);
            return;
        }
        out += "<span style=\"color:";
        out += cssColour(colours::CodeColours[static_cast<std::size_t>(code - '0')]);
        out += "\">";
        appendEscaped(out, piece);
        out += "</span>";
    });
    return out;
}

std::string plainNameHtml(std::string_view name) {
    std::string out;
    forEachColouredPiece(name, [&](std::string_view piece, char) { appendEscaped(out, piece); });
    return out;
}

} // namespace quorvath::web
