#include "core/history/history_import.h"

#include "core/common/file_errors.h"
#include "core/history/log_matches.h"
#include "core/match/game_table.h"
#include "core/match/log_kind.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace quorvath {

namespace {

namespace fs = std::filesystem;

// The head and the tail hashed: enough bytes to tell another log apart.
constexpr std::int64_t kEdgeBytes = 64 * 1024;
constexpr std::uint64_t kLargestLog = std::uint64_t{1} << 32;

std::string headHash(std::string_view bytes, std::int64_t size) {
    return fingerprintOf(bytes.substr(0, static_cast<std::size_t>(std::min(size, kEdgeBytes))));
}

std::string tailHash(std::string_view bytes, std::int64_t size) {
    const std::int64_t from = std::max<std::int64_t>(0, size - kEdgeBytes);
    return fingerprintOf(
        bytes.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(size - from)));
}

// The bytes [from, to) of the file, or "" when they cannot all be read.
std::string readRange(const std::string& path, std::int64_t from, std::int64_t to) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(to - from), '\0');
    if (!in.seekg(from) || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return {};
    return bytes;
}

// Whether the file at `path` is, up to the remembered size, what the last
// import read: its head and its tail then hash the same.
bool continues(const std::string& path, const LogState& last, std::int64_t size) {
    if (last.id == 0 || last.size < 0 || size < last.size)
        return false;
    const std::int64_t headEnd = std::min(last.size, kEdgeBytes);
    const std::int64_t tailFrom = std::max<std::int64_t>(0, last.size - kEdgeBytes);
    return fingerprintOf(readRange(path, 0, headEnd)) == last.headHash &&
           fingerprintOf(readRange(path, tailFrom, last.size)) == last.tailHash;
}

std::int64_t modificationTime(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? static_cast<std::int64_t>(status.st_mtime) : 0;
}

} // namespace

HistoryError importLog(HistoryStore& store, const std::string& path, LogImport& result,
                       const ImportOptions& options) {
    result = LogImport();
    if (auto error = checkReadable(path))
        return error;
    std::error_code ec;
    const auto size = static_cast<std::int64_t>(fs::file_size(path, ec));
    LogState log;
    if (auto error = store.lastState(path, log))
        return error;
    const bool sameLog = continues(path, log, size);
    if (sameLog && size == log.size) {
        result.unchanged = true;
        return std::nullopt;
    }
    std::string bytes;
    if (auto error = readWholeFile(path, kLargestLog, tooLargeMessage(path, "over 4 GiB"), bytes))
        return error;
    const LogKindDetection detection = detectLogKind(bytes);
    if (detection.evidence == KindEvidence::Unknown)
        return "The file " + quotedPath(path) +
               " is no kind of log Quorvath knows: nothing imported.";

    std::vector<MatchRecord> matches =
        readLogMatches(bytes, detection.kind, stockGameTable(), fs::path(path).filename().string());
    const std::int64_t playedAt = options.date != 0 ? options.date : modificationTime(path);
    for (MatchRecord& match : matches)
        match.playedAt = playedAt;
    result.matches = static_cast<int>(matches.size());

    // Until the last batch is in, the log is remembered as the last import
    // left it (or as a log never read whole), so that an interrupted import
    // reads it again.
    const std::int64_t seenId = log.id;
    if (!sameLog)
        log = LogState{0, path, -1, {}, {}, seenId};
    const LogState whole{0,
                         path,
                         static_cast<std::int64_t>(bytes.size()),
                         headHash(bytes, static_cast<std::int64_t>(bytes.size())),
                         tailHash(bytes, static_cast<std::int64_t>(bytes.size())),
                         seenId};
    const auto batchSize = static_cast<std::size_t>(std::max(1, options.batchMatches));
    std::size_t from = 0;
    do {
        const std::size_t to = std::min(matches.size(), from + batchSize);
        if (to == matches.size()) {
            const std::int64_t id = log.id;
            log = whole;
            log.id = id;
        }
        const std::vector<MatchRecord> batch(
            std::make_move_iterator(matches.begin() + static_cast<std::ptrdiff_t>(from)),
            std::make_move_iterator(matches.begin() + static_cast<std::ptrdiff_t>(to)));
        int added = 0;
        if (auto error = store.storeBatch(log, batch, added))
            return error;
        result.added += added;
        from = to;
        if (options.afterBatch && !options.afterBatch(static_cast<int>(from), result.matches) &&
            from < matches.size()) {
            result.stopped = true;
            break;
        }
    } while (from < matches.size());
    return std::nullopt;
}

} // namespace quorvath
