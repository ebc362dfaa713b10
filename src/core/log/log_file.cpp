#include "core/log/log_file.h"

#include "core/log/large_buffer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quorvath {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string reason(int error) { return std::strerror(error); }

// Says why `path` is no file to read, if it is not one.
std::optional<std::string> checkIsFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return "The file " + quoted(path) + " does not exist.";
    if (ec)
        return "The file " + quoted(path) + " cannot be read: " + ec.message() + ".";
    if (status.type() == fs::file_type::directory)
        return quoted(path) + " is a folder, not a file.";
    return std::nullopt;
}

std::string tooLarge(const std::string& path) { return tooLargeMessage(path, LogTooLargeReason); }

// Says why `path` cannot be read, if it cannot: opening it is the test that
// holds for every user (permission bits, access lists, a file locked away).
std::optional<std::string> checkReadable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "The file " + quoted(path) + " cannot be read: " + reason(errno) + ".";
    std::fclose(file);
    return std::nullopt;
}

} // namespace

std::string tooLargeMessage(const std::string& path, std::string_view reason) {
    return "The file " + quoted(path) + " is too large: " + std::string(reason);
}

void expandBareLineFeeds(std::string& text) {
    std::size_t bare = 0;
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
        if (i == 0 || text[i - 1] != '\r')
            ++bare;
    if (bare == 0)
        return;
    std::string expanded;
    reserveLarge(expanded, text.size() + bare);
    std::size_t from = 0;
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
        if (i > 0 && text[i - 1] == '\r')
            continue;
        expanded.append(text, from, i - from);
        expanded += "\r\n";
        from = i + 1;
    }
    expanded.append(text, from, std::string::npos);
    text.swap(expanded);
}

std::optional<std::string> checkLogFile(const std::string& path) {
    if (auto error = checkIsFile(path))
        return error;
    std::error_code ec;
    if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) > MaxLogBytes)
        return tooLarge(path);
    return checkReadable(path);
}

std::optional<std::string> readLogText(const std::string& path, std::string& text) {
    text.clear();
    if (auto error = checkIsFile(path))
        return error;
    std::error_code ec;
    const std::uint64_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
    if (size > MaxLogBytes)
        return tooLarge(path);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "The file " + quoted(path) + " cannot be read: " + reason(errno) + ".";
    // Read straight into the text; the size is a hint: a growing file (or a
    // pipe) is read on to its end, up to the limit.
    reserveLarge(text, static_cast<std::size_t>(size));
    text.resize(static_cast<std::size_t>(size));
    std::size_t have = std::fread(text.data(), 1, text.size(), file);
    text.resize(have);
    if (have == size) {
        char chunk[1 << 16];
        std::size_t got = 0;
        while (text.size() <= MaxLogBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            text.append(chunk, got);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        text.clear();
        return "The file " + quoted(path) + " cannot be read: " + reason(error) + ".";
    }
    if (text.size() > MaxLogBytes) {
        text.clear();
        text.shrink_to_fit();
        return tooLarge(path);
    }
    expandBareLineFeeds(text);
    if (text.size() > MaxTextLength) {
        text.clear();
        text.shrink_to_fit();
        return tooLargeMessage(path, LogTooLongReason);
    }
    return std::nullopt;
}

std::string archiveCopyName(const std::string& path, const std::tm& now) {
    // Four characters, not bytes: step back over UTF-8 continuation bytes so a
    // non-ASCII ending is not cut in half. A shorter path loses all of it.
    std::size_t cut = path.size();
    for (int dropped = 0; dropped < 4 && cut > 0; ++dropped) {
        --cut;
        while (cut > 0 && (static_cast<unsigned char>(path[cut]) & 0xC0) == 0x80)
            --cut;
    }
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d-%02d-%02d-%02d-%02d.log", now.tm_hour, now.tm_min,
                  now.tm_mon + 1, now.tm_mday, (now.tm_year + 1900) % 100);
    return path.substr(0, cut) + stamp;
}

std::optional<std::string> copyFileReplacing(const std::string& from, const std::string& to) {
    if (auto error = checkIsFile(from))
        return error;
    // A log that cannot be read is named as such, not as a copy that failed.
    if (auto error = checkReadable(from))
        return error;
    std::error_code ec;
    if (fs::is_directory(to, ec))
        return "The archive copy " + quoted(to) + " cannot be written: a folder has that name.";
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec)
        return "The archive copy " + quoted(to) + " of " + quoted(from) +
               " cannot be written: " + ec.message() + ".";
    return std::nullopt;
}

std::optional<std::string> removeFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return "The file " + quoted(path) + " cannot be deleted: it is a folder.";
    fs::remove(path, ec);
    if (ec)
        return "The file " + quoted(path) + " cannot be deleted: " + ec.message() + ".";
    return std::nullopt;
}

} // namespace quorvath
