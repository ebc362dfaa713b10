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

// Separates and renders `text`. The memory the document's attributes have
// is kept as room for the new ones (its contents are ignored).
bool loadText(std::string text, LogDocument& doc, Progress& progress) {
    // The separation rebuilds every attribute, so the default ones that
    // setText would make are skipped: for a large log that is a whole buffer.
    std::vector<std::uint8_t> attributeRoom = std::move(doc.attributeBuffer());
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

std::optional<std::string> readLogBytesAndAttributeRoom(const std::string& path, std::string& bytes,
                                                        std::vector<std::uint8_t>& attributeRoom) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (auto refused = ec ? std::nullopt : checkLogSize(path, size)) // before any room is taken
        return refused;
    std::thread readying;
    if (!ec)
        readying = std::thread([&attributeRoom, size] {
            reserveLarge(attributeRoom, static_cast<std::size_t>(size));
            attributeRoom.resize(static_cast<std::size_t>(size));
        });
    auto error = readLogBytes(path, bytes);
    if (readying.joinable())
        readying.join();
    if (error)
        std::vector<std::uint8_t>().swap(attributeRoom);
    return error;
}

std::optional<std::string> loadLog(const std::string& path, LogDocument& doc, Progress& progress) {
    std::string bytes;
    std::vector<std::uint8_t> attributeRoom;
    if (auto error = readLogBytesAndAttributeRoom(path, bytes, attributeRoom))
        return error;
    doc.attributeBuffer() = std::move(attributeRoom); // kept by the loading
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
