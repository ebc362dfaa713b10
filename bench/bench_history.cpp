// The match history at scale, as one table: a 100 MB log imported (MB per
// second, and as a multiple of `wc -l` on it), then N generated logs of
// 10 MB from several servers (a player's console log, a server's games.log
// and a dedicated server's console log in turn, dated across a year), imported
// at once and again, the database's size, the queries over the whole history
// and over a month, a server and a map of it, and the history's web report
// (written, its largest page, written again after one more log). Plain main;
// run by `scripts/bench --history`.
//   bench_history [--logs N] [--servers N] [--runs N] [--keep]
//
// The files go under /tmp/quorvath-bench-history and are deleted after (kept
// with --keep, and then reused by the next run of the same size).

#include "bench_command.h"

#include <utime.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench::quoted;
using bench::runCommand;

constexpr std::int64_t kDay = 24 * 60 * 60;
constexpr std::int64_t kFirstDay = 20454 * kDay; // 2026-01-01
const char* const kGameTypes[] = {"ctf", "inf", "dem", "elim", "dm"};

std::string tool() { return quoted(QUORVATH_REPORT_TOOL); }

std::string serverName(int server) { return "^3Server " + std::to_string(server + 1); }

// The generated match's host name made this server's, in place.
bool renameHost(const fs::path& log, int server) {
    std::ifstream in(log, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    std::string bytes = read.str();
    const std::string from = "\\sv_hostname\\^1Quorvath ^7Test\\";
    const std::string to = "\\sv_hostname\\" + serverName(server) + "\\";
    std::string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    for (std::size_t hit; (hit = bytes.find(from, at)) != std::string::npos; at = hit + from.size())
        out.append(bytes, at, hit - at).append(to);
    out.append(bytes, at, std::string::npos);
    std::ofstream(log, std::ios::binary | std::ios::trunc) << out;
    return true;
}

// Log i: server i % servers; a console log of the server's regulars, else
// one kind of a generated match (about 10 MB); dated day by day over a year.
bool generateLog(const fs::path& dir, int i, int count, int servers, fs::path& log) {
    const int server = i % servers;
    const int kind = (i / servers) % 3;
    char name[64];
    std::snprintf(name, sizeof name, "%05d-s%d-%s.log", i, server + 1,
                  kind == 0   ? "console"
                  : kind == 1 ? "games"
                              : "server");
    log = dir / name;
    if (!fs::exists(log)) {
        const std::string seed = std::to_string(1000 + i);
        if (kind == 0) {
            if (!runCommand(std::string(QUORVATH_GEN_LOG) + " --size-mb 10 --roster-seed " +
                                std::to_string(100 + server) + " --seed " + seed + " --out " +
                                quoted(log.string()),
                            false))
                return false;
        } else {
            const fs::path prefix = dir / "match";
            if (!runCommand(std::string(QUORVATH_GEN_LOG) + " --match " + kGameTypes[i % 5] +
                                " --maps 42 --events 2000 --players 20 --seed " + seed + " --out " +
                                quoted(prefix.string()),
                            false))
                return false;
            fs::rename(prefix.string() + (kind == 1 ? "-games.log" : "-server.log"), log);
            renameHost(log, server);
            for (const char* other :
                 {"-console.log", "-games.log", "-server.log", "-truth.txt", "-matches.txt"})
                fs::remove(prefix.string() + other);
        }
    }
    const auto date = static_cast<time_t>(kFirstDay + (i * 365 / std::max(1, count)) * kDay);
    const utimbuf times{date, date};
    return ::utime(log.c_str(), &times) == 0;
}

struct Row {
    std::string label;
    double seconds = 0;
    std::string figure; // MB/s, x wc, share of the logs
    std::string target;
};

std::string verdict(double value, double most, const char* unit) {
    std::ostringstream t;
    t << "<= " << most << unit << " (" << (value <= most ? "yes" : "NO") << ")";
    return t.str();
}

// The best of `runs` runs of a command, its output dropped; -1 when it fails.
double best(const std::string& command, int runs) {
    double seconds = 1e300;
    for (int r = 0; r < runs; ++r) {
        const auto run = runCommand(command, false);
        if (!run)
            return -1;
        seconds = std::min(seconds, run->seconds);
    }
    return seconds;
}

double fileSize(const fs::path& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec ? 0.0 : static_cast<double>(size);
}

// The history's web report: written new, its largest page, and written
// again after one more log is imported.
bool measureSite(const std::string& db, const fs::path& logDir, int logs, int servers,
                 std::vector<Row>& rows) {
    const fs::path site = logDir.parent_path() / "site";
    fs::remove_all(site);
    const std::string html =
        tool() + " html " + quoted(site.string()) + " --history --db " + quoted(db);
    const auto written = runCommand(html, false);
    if (!written)
        return false;
    std::size_t pages = 0;
    std::uintmax_t largest = 0;
    for (const auto& entry : fs::directory_iterator(site)) {
        ++pages;
        largest = std::max(largest, entry.file_size());
    }
    rows.push_back({"web report of the whole history", written->seconds,
                    std::to_string(pages) + " pages", verdict(written->seconds, 30.0, " s")});
    rows.push_back({"  its largest page", 0, std::to_string(largest / 1024) + " KB",
                    verdict(static_cast<double>(largest) / 1024, 300, " KB")});
    fs::path extra;
    if (!generateLog(logDir, logs, logs + 1, servers, extra) ||
        !runCommand(tool() + " history import --db " + quoted(db) + " " + quoted(extra.string()),
                    false))
        return false;
    const auto again = runCommand(html, false);
    fs::remove(extra);
    if (!again)
        return false;
    rows.push_back({"  written again after one more log", again->seconds, "",
                    verdict(again->seconds, 2.0, " s")});
    fs::remove_all(site);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int logs = 1000, servers = 5, runs = 3;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--logs" && hasValue)
            logs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--servers" && hasValue)
            servers = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--runs" && hasValue)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--keep")
            keep = true;
    }
    const fs::path dir = "/tmp/quorvath-bench-history";
    const fs::path logDir = dir / ("logs-" + std::to_string(logs) + "-" + std::to_string(servers));
    fs::create_directories(logDir);
    const std::string db = (dir / "history.sqlite").string();
    const auto dropHistory = [&] {
        for (const char* end : {"", "-wal", "-shm"})
            fs::remove(db + end);
    };
    std::vector<Row> rows;

    // One large log: the import's speed, parsing included.
    const std::string big = (dir / "big.log").string();
    if (!runCommand(std::string(QUORVATH_GEN_LOG) + " --size-mb 100 --seed 7 --out " + quoted(big),
                    false))
        return 1;
    const double bigMb = fileSize(big) / 1e6;
    const double bigWc = best("wc -l " + quoted(big), runs);
    double bigImport = 1e300;
    for (int r = 0; r < runs; ++r) {
        dropHistory();
        const auto run =
            runCommand(tool() + " history import --db " + quoted(db) + " " + quoted(big), false);
        if (!run)
            return 1;
        bigImport = std::min(bigImport, run->seconds);
    }
    char figure[64];
    std::snprintf(figure, sizeof figure, "%.0f MB/s, %.1f x wc", bigMb / bigImport,
                  bigImport / bigWc);
    const double rate = bigMb / bigImport;
    rows.push_back({"import one " + std::to_string(static_cast<int>(bigMb)) + " MB log", bigImport,
                    figure, std::string(">= 50 MB/s (") + (rate >= 50 ? "yes" : "NO") + ")"});
    fs::remove(big);

    // Many logs, as a server's admin keeps them.
    std::string list;
    double bytes = 0;
    for (int i = 0; i < logs; ++i) {
        fs::path log;
        if (!generateLog(logDir, i, logs, servers, log))
            return 1;
        list += " " + quoted(log.string());
        bytes += fileSize(log);
    }
    const double wcAll = best("cat" + list + " | wc -l", 1);
    dropHistory();
    const std::string import = tool() + " history import --db " + quoted(db) + list;
    const auto first = runCommand(import, false);
    if (!first)
        return 1;
    std::snprintf(figure, sizeof figure, "%.0f MB/s, %.1f x wc", bytes / 1e6 / first->seconds,
                  first->seconds / wcAll);
    rows.push_back({"import " + std::to_string(logs) + " logs", first->seconds, figure,
                    verdict(first->seconds, 300.0 * logs / 1000, " s")});
    const double dbShare = (fileSize(db) + fileSize(db + "-wal")) / bytes;
    std::snprintf(figure, sizeof figure, "%.1f%% of the logs", 100 * dbShare);
    rows.push_back({"database size", 0, figure, verdict(100 * dbShare, 20, "%")});
    const auto again = runCommand(import, false);
    if (!again)
        return 1;
    rows.push_back({"import them again (nothing new)", again->seconds, "",
                    verdict(again->seconds, 30.0 * logs / 1000, " s")});

    // Queries: the whole history, then a month, a server and a map of it.
    const std::string month = "--since 2026-06-01 --until 2026-06-30";
    const std::pair<std::string, std::string> selections[] = {
        {"whole history", ""},
        {"one month", month},
        {"one server", "--server " + quoted(serverName(1))},
        {"one map", "--map mp_shop"}};
    const char* const commands[] = {"--sheet Quorvath", "--ranking Kills", "--top Quorvath",
                                    "--players"};
    for (const auto& [name, selection] : selections)
        for (const char* command : commands) {
            const double seconds = best(
                tool() + " history --db " + quoted(db) + " " + selection + " " + command, runs);
            const double most = selection.empty() ? 0.2 : 1.0;
            rows.push_back({name + ": " + command, seconds, "", verdict(seconds, most, " s")});
        }

    if (!measureSite(db, logDir, logs, servers, rows))
        return 1;

    std::printf(
        "history of %d generated logs (%.0f MB, %d servers), queries best of %d runs; "
        "load %s",
        logs, bytes / 1e6, servers, runs,
        runCommand("cut -d' ' -f1-3 /proc/loadavg", true).value_or(bench::Run{}).output.c_str());
    std::printf("  %-44s %8s   %-22s %s\n", "step", "seconds", "figure", "target (meets it?)");
    for (const Row& row : rows)
        std::printf("  %-44s %8.3f   %-22s %s\n", row.label.c_str(), row.seconds,
                    row.figure.c_str(), row.target.c_str());
    dropHistory();
    if (!keep)
        fs::remove_all(dir);
    return 0;
}
