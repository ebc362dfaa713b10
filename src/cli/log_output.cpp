#include "cli/log_output.h"

#include "core/common/windows1252.h"

#include <string>

namespace quorvath::cli {

void writeRendered(const LogDocument& doc, Encoding encoding, std::FILE* out) {
    const std::string_view text = doc.text();
    if (encoding == Encoding::Cp1252) {
        std::fwrite(text.data(), 1, text.size(), out);
        return;
    }
    constexpr std::size_t piece = 1 << 16;
    std::string converted;
    for (std::size_t from = 0; from < text.size(); from += piece) {
        converted.clear();
        appendUtf8FromWindows1252(converted, text.substr(from, piece));
        std::fwrite(converted.data(), 1, converted.size(), out);
    }
}

namespace {

std::string styleLetters(std::uint8_t a) {
    std::string letters;
    if (a & attr::Bold)
        letters += 'b';
    if (a & attr::Italic)
        letters += 'i';
    if (a & attr::Underline)
        letters += 'u';
    return letters.empty() ? "-" : letters;
}

} // namespace

void writeRuns(const LogDocument& doc, std::FILE* out) {
    // Runs are compared by colour value and flags, not by palette index, so
    // two indexes of one colour could never split a run.
    const auto& attrs = doc.attributes();
    const auto runKey = [&doc](std::uint8_t a) {
        return (static_cast<std::uint64_t>(doc.paletteColour(a)) << 8) |
               static_cast<std::uint8_t>(a & ~attr::ColourMask);
    };
    std::string buffer;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= attrs.size(); ++i) {
        if (i < attrs.size() && runKey(attrs[i]) == runKey(attrs[start]))
            continue;
        buffer += std::to_string(start) + '\t' + std::to_string(i - start) + '\t' +
                  std::to_string(doc.paletteColour(attrs[start])) + '\t' +
                  styleLetters(attrs[start]) + '\n';
        if (buffer.size() > (1 << 16)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
        start = i;
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
}

} // namespace quorvath::cli
