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
    // A piece of plain ASCII goes out as held (mostly a log is nothing else):
    // only the others are converted, through a copy.
    constexpr std::size_t piece = 1 << 16;
    std::string converted;
    for (std::size_t from = 0; from < text.size(); from += piece) {
        const std::string_view part = text.substr(from, piece);
        if (isPlainAscii(part)) {
            std::fwrite(part.data(), 1, part.size(), out);
            continue;
        }
        converted.clear();
        appendUtf8FromWindows1252(converted, part);
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
    const auto runKey = [&doc](std::uint8_t a) {
        return (static_cast<std::uint64_t>(doc.paletteColour(a)) << 8) |
               static_cast<std::uint8_t>(a & ~attr::ColourMask);
    };
    std::string buffer;
    std::size_t start = 0;
    std::uint8_t shown = 0;
    const auto writeRun = [&](std::size_t end) { // the run from `start` on, ending at `end`
        if (end == start)
            return;
        buffer += std::to_string(start) + '\t' + std::to_string(end - start) + '\t' +
                  std::to_string(doc.paletteColour(shown)) + '\t' + styleLetters(shown) + '\n';
        if (buffer.size() > (1 << 16)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
        start = end;
    };
    doc.attributeRuns().forEachRun([&](std::size_t at, std::uint8_t a) {
        if (at == 0 || runKey(a) != runKey(shown)) {
            writeRun(at);
            shown = a;
        }
    });
    writeRun(doc.text().size());
    std::fwrite(buffer.data(), 1, buffer.size(), out);
}

} // namespace quorvath::cli
