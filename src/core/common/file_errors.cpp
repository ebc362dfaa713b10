#include "core/common/file_errors.h"

#include "core/common/large_buffer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quorvath {

namespace fs = std::filesystem;

std::string quotedPath(const std::string& path) { return "\"" + path + "\""; }

std::string fileMissingMessage(const std::string& path) {
    return "The file " + quotedPath(path) + " does not exist.";
}

std::string notAFileMessage(const std::string& path) {
    return quotedPath(path) + " is a folder, not a file.";
}

std::string cannotReadMessage(const std::string& path, std::string_view reason) {
    return "The file " + quotedPath(path) + " cannot be read: " + std::string(reason) + ".";
}

std::string cannotWriteMessage(const std::string& path, std::string_view reason) {
    return "The file " + quotedPath(path) + " cannot be written: " + std::string(reason) + ".";
}

std::string cannotDeleteMessage(const std::string& path, std::string_view reason) {
    return "The file " + quotedPath(path) + " cannot be deleted: " + std::string(reason) + ".";
}

std::string tooLargeMessage(const std::string& path, std::string_view reason) {
    return "The file " + quotedPath(path) + " is too large: " + std::string(reason);
}

std::optional<std::string> checkIsFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return fileMissingMessage(path);
    if (ec)
        return cannotReadMessage(path, ec.message());
    if (status.type() == fs::file_type::directory)
        return notAFileMessage(path);
    return std::nullopt;
}

std::optional<std::string> checkReadable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return cannotReadMessage(path, std::strerror(errno));
    std::fclose(file);
    return std::nullopt;
}

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         const std::string& tooLarge, std::string& bytes) {
    bytes.clear();
    if (auto error = checkIsFile(path))
        return error;
    std::error_code ec;
    std::uint64_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
    if (ec)
        size = 0; // no size known: read on to the end all the same
    if (size > maxBytes)
        return tooLarge;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return cannotReadMessage(path, std::strerror(errno));
    // In pieces through a small buffer that stays in cache: each byte of the
    // large one is written once (sizing it first would write it twice). The
    // size is a hint: a growing file (or a pipe) is read on to its end, up to
    // the limit.
    reserveLarge(bytes, static_cast<std::size_t>(size));
    {
        // The pages are faulted in on another core, ahead of the copies into
        // them: the kernel clears a page faster than a read fills it.
        const std::jthread faulting = faultInPages(bytes.data(), bytes.capacity());
        char chunk[1 << 16];
        std::size_t got = 0;
        while (bytes.size() <= maxBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.append(chunk, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed || bytes.size() > maxBytes) {
        bytes.clear();
        bytes.shrink_to_fit();
        return failed ? cannotReadMessage(path, std::strerror(error)) : tooLarge;
    }
    return std::nullopt;
}

} // namespace quorvath
