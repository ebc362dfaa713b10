#include "core/log/log_loader.h"

#include "core/common/file_errors.h"
#include "core/common/large_buffer.h"
#include "core/log/colour_renderer.h"
#include "core/log/log_file.h"
#include "core/log/round_separator.h"

#include <cstdint>
#include <filesystem>
#include <thread>
#include <vector>

namespace quorvath {

namespace {

// Separates and renders `text`; `attributeRoom` is memory the attributes may
// take (its contents are ignored).
bool loadText(std::string text, std::vector<std::uint8_t> attributeRoom, LogDocument& doc,
              Progress& progress) {
    // The separation rebuilds every attribute, so the default ones that
    // setText would make are skipped: for a large log that is a whole buffer.
    doc.setText(std::string());
    doc.textBuffer() = std::move(text);
    doc.attributeBuffer() = std::move(attributeRoom);
    if (doc.textBuffer().size() > MaxTextLength || !separateRounds(doc, progress, MaxTextLength)) {
        doc.setText(std::string());
        return false;
    }
    renderColourCodes(doc, progress);
    return true;
}

} // namespace

std::optional<std::string> loadLog(const std::string& path, LogDocument& doc, Progress& progress) {
    // Fresh memory costs about as much to touch first as the file does to
    // read into it: the attributes' room is readied on a second thread while
    // the text is read.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    std::vector<std::uint8_t> attributeRoom;
    std::thread readying;
    if (!ec && size <= MaxLogBytes)
        readying = std::thread([&attributeRoom, size] {
            reserveLarge(attributeRoom, static_cast<std::size_t>(size));
            attributeRoom.resize(static_cast<std::size_t>(size));
        });
    std::string text;
    auto error = readLogText(path, text);
    if (readying.joinable())
        readying.join();
    if (error)
        return error;
    if (!loadText(std::move(text), std::move(attributeRoom), doc, progress))
        return tooLargeMessage(path, LogTooLongReason);
    return std::nullopt;
}

bool loadLogText(std::string text, LogDocument& doc, Progress& progress) {
    return loadText(std::move(text), {}, doc, progress);
}

bool loadLogBytes(std::string bytes, LogDocument& doc, Progress& progress) {
    expandBareLineFeeds(bytes);
    return loadLogText(std::move(bytes), doc, progress);
}

} // namespace quorvath
