#include "log/log_loader.h"

#include "log/colour_renderer.h"
#include "log/log_file.h"
#include "log/round_separator.h"

namespace quorvath {

std::optional<std::string> loadLog(const std::string& path, LogDocument& doc,
                                   Progress& progress) {
    std::string text;
    if (auto error = readLogText(path, text))
        return error;
    loadLogText(std::move(text), doc, progress);
    return std::nullopt;
}

void loadLogText(std::string text, LogDocument& doc, Progress& progress) {
    // The separation rebuilds every attribute, so the default ones that
    // setText would make are skipped: for a large log that is a whole buffer.
    doc.setText(std::string());
    doc.textBuffer() = std::move(text);
    separateRounds(doc, progress);
    renderColourCodes(doc, progress);
}

void loadLogBytes(std::string bytes, LogDocument& doc, Progress& progress) {
    expandBareLineFeeds(bytes);
    loadLogText(std::move(bytes), doc, progress);
}

} // namespace quorvath
