#include "core/common/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>
#include <unistd.h>

namespace quorvath {

namespace fs = std::filesystem;

namespace {

// Writes `bytes` to `file`, just made at `path`, and closes it; a failed
// write removes it. The reason when it fails.
std::optional<std::string> writeAndClose(std::FILE* file, const fs::path& path,
                                         std::string_view bytes, Flush flush) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                         std::fflush(file) == 0 &&
                         (flush == Flush::ToSystem || ::fsync(::fileno(file)) == 0);
    const int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::error_code ignored;
        fs::remove(path, ignored);
        return std::strerror(written ? errno : error);
    }
    return std::nullopt;
}

// Writes `bytes` to a new file beside `target`; its path, or the reason it failed.
std::optional<std::string> writeTemporary(const fs::path& target, std::string_view bytes,
                                          Flush flush, fs::path& temporary) {
    // Seeded once a thread: a random_device costs more than a page's write.
    thread_local std::minstd_rand random{std::random_device{}()};
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = target;
        temporary += ".quorvath-" + std::to_string(random() % 1000000) + ".tmp";
        file = std::fopen(temporary.string().c_str(), "wbx"); // never reuse an existing file
        if (!file && errno != EEXIST)
            break;
    }
    if (!file)
        return std::string("no temporary file can be made beside it: ") + std::strerror(errno);
    return writeAndClose(file, temporary, bytes, flush);
}

} // namespace

std::optional<std::string> replaceWholeFile(const fs::path& target, std::string_view bytes,
                                            Flush flush) {
    fs::path temporary;
    if (auto why = writeTemporary(target, bytes, flush, temporary))
        return why;
    std::error_code ec;
    if (const auto old = fs::status(target, ec); fs::exists(old))
        fs::permissions(temporary, old.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return ec.message();
    }
    return std::nullopt;
}

std::optional<std::string> makeNewFile(const fs::path& target, std::string_view bytes,
                                       Flush flush) {
    std::FILE* file = std::fopen(target.string().c_str(), "wbx"); // never one already there
    if (!file)
        return errno == EEXIST ? replaceWholeFile(target, bytes, flush)
                               : std::optional<std::string>(std::strerror(errno));
    return writeAndClose(file, target, bytes, flush);
}

} // namespace quorvath
