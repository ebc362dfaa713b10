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
    const AttributeRuns& runs = doc.attributeRuns();
    const auto runKey = [&doc](std::uint8_t a) {
        return (static_cast<std::uint64_t>(doc.paletteColour(a)) << 8) |
               static_cast<std::uint8_t>(a & ~attr::ColourMask);
    };
    const std::size_t length = doc.text().size();
    std::string buffer;
    for (std::size_t r = 0, next; r < runs.runCount() && runs.runStart(r) < length; r = next) {
        const std::uint8_t a = runs.runAttribute(r);
        for (next = r + 1; next < runs.runCount() && runKey(runs.runAttribute(next)) == runKey(a);)
            ++next;
        const std::size_t start = runs.runStart(r);
        const std::size_t end = next < runs.runCount() ? runs.runStart(next) : length;
        buffer += std::to_string(start) + '\t' + std::to_string(end - start) + '\t' +
                  std::to_string(doc.paletteColour(a)) + '\t' + styleLetters(a) + '\n';
        if (buffer.size() > (1 << 16)) {
            std::fwrite(buffer.data(), 1, buffer.size(), out);
            buffer.clear();
        }
    }
    std::fwrite(buffer.data(), 1, buffer.size(), out);
}

} // namespace quorvath::cli
