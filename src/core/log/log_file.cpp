#include "core/log/log_file.h"

#include "core/common/file_errors.h"
#include "core/common/large_buffer.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>

namespace quorvath {

namespace fs = std::filesystem;

namespace {
std::string tooLarge(const std::string& path) { return tooLargeMessage(path, LogTooLargeReason); }
} // namespace

namespace {

// Below this size a second thread costs more than it saves.
constexpr std::size_t kMinCountedApart = std::size_t{8} << 20;

// The LFs without a CR before them at positions in [from, to), from >= 1:
// plain loops over the bytes that the compiler runs many bytes at a time,
// summed in a byte per block of 64 (measured four times as fast as summing
// each byte into a wide count). Most logs have none, and a search per line
// costs more.
std::size_t countBareLineFeeds(const unsigned char* bytes, std::size_t from, std::size_t to) {
    const auto bareAt = [bytes](std::size_t i) {
        return static_cast<std::uint8_t>((bytes[i] == '\n') & (bytes[i - 1] != '\r'));
    };
    std::size_t bare = 0;
    std::size_t i = from;
    for (; i + 64 <= to; i += 64) {
        std::uint8_t block = 0;
        for (std::size_t j = 0; j < 64; ++j)
            block = static_cast<std::uint8_t>(block + bareAt(i + j));
        bare += block;
    }
    for (; i < to; ++i)
        bare += bareAt(i);
    return bare;
}

} // namespace

void expandBareLineFeeds(std::string& text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    // A large text is counted in two halves at once: the pass over all of it
    // is serial work before the separation.
    const std::size_t half = n >= kMinCountedApart ? n / 2 : n;
    std::size_t bare = n > 0 && bytes[0] == '\n' ? 1 : 0;
    std::size_t secondHalf = 0;
    {
        std::jthread counting;
        if (half < n)
            counting = std::jthread([&] { secondHalf = countBareLineFeeds(bytes, half, n); });
        bare += countBareLineFeeds(bytes, 1, half);
    }
    bare += secondHalf;
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
    if (fs::is_regular_file(path, ec))
        if (auto error = checkLogSize(path, fs::file_size(path, ec)))
            return error;
    return checkReadable(path);
}

std::optional<std::string> checkLogSize(const std::string& path, std::uintmax_t size) {
    return size > MaxLogBytes ? std::optional(tooLarge(path)) : std::nullopt;
}

std::optional<std::string> readLogBytes(const std::string& path, std::string& bytes) {
    return readWholeFile(path, MaxLogBytes, tooLarge(path), bytes);
}

std::optional<std::string> readLogText(const std::string& path, std::string& text) {
    if (auto error = readLogBytes(path, text))
        return error;
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
        return "The archive copy " + quotedPath(to) + " cannot be written: a folder has that name.";
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec)
        return "The archive copy " + quotedPath(to) + " of " + quotedPath(from) +
               " cannot be written: " + ec.message() + ".";
    return std::nullopt;
}

std::optional<std::string> removeFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return cannotDeleteMessage(path, "it is a folder");
    fs::remove(path, ec);
    if (ec)
        return cannotDeleteMessage(path, ec.message());
    return std::nullopt;
}

} // namespace quorvath
