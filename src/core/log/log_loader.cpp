#include "core/log/log_loader.h"

#include "core/common/file_errors.h"
#include "core/log/colour_renderer.h"
#include "core/log/log_file.h"
#include "core/log/round_separator.h"

namespace quorvath {

std::optional<std::string> loadLog(const std::string& path, LogDocument& doc, Progress& progress) {
    std::string text;
    if (auto error = readLogText(path, text))
        return error;
    if (!loadLogText(std::move(text), doc, progress))
        return tooLargeMessage(path, LogTooLongReason);
    return std::nullopt;
}

bool loadLogText(std::string text, LogDocument& doc, Progress& progress) {
    // The separation rebuilds every attribute, so the default ones that
    // setText would make are skipped: for a large log that is a whole buffer.
    doc.setText(std::string());
    doc.textBuffer() = std::move(text);
    if (doc.textBuffer().size() > MaxTextLength || !separateRounds(doc, progress, MaxTextLength)) {
        doc.setText(std::string());
        return false;
    }
    renderColourCodes(doc, progress);
    return true;
}

bool loadLogBytes(std::string bytes, LogDocument& doc, Progress& progress) {
    expandBareLineFeeds(bytes);
    return loadLogText(std::move(bytes), doc, progress);
}

} // namespace quorvath
