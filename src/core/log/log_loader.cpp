#include "core/log/log_loader.h"

#include "core/common/file_errors.h"
#include "core/log/colour_renderer.h"
#include "core/log/log_file.h"
#include "core/log/round_separator.h"

namespace quorvath {

namespace {

// Separates and renders `text`.
bool loadText(std::string text, LogDocument& doc, Progress& progress) {
    doc.setText(std::move(text)); // the separation makes the attributes anew
    if (doc.textBuffer().size() > MaxTextLength || !separateRounds(doc, progress, MaxTextLength)) {
        doc.setText(std::string());
        return false;
    }
    renderColourCodes(doc, progress);
    return true;
}

} // namespace

std::optional<std::string> loadLog(const std::string& path, LogDocument& doc, Progress& progress) {
    std::string bytes;
    if (auto error = readLogBytes(path, bytes))
        return error;
    if (!loadLogBytes(std::move(bytes), doc, progress))
        return tooLargeMessage(path, LogTooLongReason);
    return std::nullopt;
}

bool loadLogText(std::string text, LogDocument& doc, Progress& progress) {
    return loadText(std::move(text), doc, progress);
}

bool loadLogBytes(std::string bytes, LogDocument& doc, Progress& progress) {
    expandBareLineFeeds(bytes);
    return loadLogText(std::move(bytes), doc, progress);
}

} // namespace quorvath
