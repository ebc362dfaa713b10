// The match history at scale, as one table: a 100 MB log imported (MB per
// second, and as a multiple of `wc -l` on it), then N generated logs of
// 10 MB from several servers (a player's console log, a server's games.log
// and a dedicated server's console log in turn, dated across a year), imported
// at once and again, the database's size, the queries over the whole
// history and over a month, a server and a map of it, and the history's web
// report (written, its largest page, written again after one more log).
// Wall-clock seconds (the targets) and the CPU seconds of user and system,
// which other work on the machine does not stretch. Plain main; run by
// `scripts/bench --history`.
//   bench_history [--logs N] [--servers N] [--runs N] [--keep] [--dir DIR]
//                 [--postgres CONNECTION]
//
// With --postgres, the same logs are imported again by four importers at once
// (each every fourth log) into a database of the cluster CONNECTION reaches
// (quorvath_bench, made anew), beside SQLite's time and count of matches, and
// the whole history's queries are timed there too.
//
// The files go under /tmp/quorvath-bench-history (or DIR) and are deleted after (kept
// with --keep, the history too, and the logs then reused by the next run of
// the same size).

#include "bench_command.h"

#include <utime.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
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

// As queries name it; its log colours it.
std::string serverName(int server) { return "Server " + std::to_string(server + 1); }

// The generated match's host name made this server's, in place.
void renameHost(const fs::path& log, int server) {
    std::ifstream in(log, std::ios::binary);
    std::ostringstream read;
    read << in.rdbuf();
    std::string bytes = read.str();
    const std::string from = "\\sv_hostname\\^1Quorvath ^7Test\\";
    const std::string to = "\\sv_hostname\\^3" + serverName(server) + "\\";
    std::string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    for (std::size_t hit; (hit = bytes.find(from, at)) != std::string::npos; at = hit + from.size())
        out.append(bytes, at, hit - at).append(to);
    out.append(bytes, at, std::string::npos);
    std::ofstream(log, std::ios::binary | std::ios::trunc) << out;
}

// Logs come in threes: a console log of a server's regulars, then a match
// generated as both server logs (about 10 MB each), the dedicated console's
// given the next server's name so that its matches are not the game log's.
// They are dated day by day over a year.
bool generateLog(const fs::path& dir, int i, int count, int servers, fs::path& log) {
    const int group = i / 3, kind = i % 3;
    const auto named = [&](int at) {
        const int server = (at / 3 + (at % 3 == 2 ? 1 : 0)) % servers;
        char name[64];
        std::snprintf(name, sizeof name, "%05d-s%d-%s.log", at, server + 1,
                      at % 3 == 0   ? "console"
                      : at % 3 == 1 ? "games"
                                    : "server");
        return std::pair{dir / name, server};
    };
    const auto [path, server] = named(i);
    log = path;
    if (!fs::exists(log) && kind == 0) {
        if (!runCommand(std::string(QUORVATH_GEN_LOG) + " --size-mb 10 --roster-seed " +
                            std::to_string(100 + server) + " --seed " + std::to_string(1000 + i) +
                            " --out " + quoted(log.string()),
                        false))
            return false;
    } else if (!fs::exists(log)) {
        const fs::path prefix = dir / "match";
        if (!runCommand(std::string(QUORVATH_GEN_LOG) + " --match " + kGameTypes[group % 5] +
                            " --maps 42 --events 2000 --players 20 --seed " +
                            std::to_string(1000 + group) + " --out " + quoted(prefix.string()),
                        false))
            return false;
        for (int at : {3 * group + 1, 3 * group + 2}) {
            const auto [to, host] = named(at);
            fs::rename(prefix.string() + (at % 3 == 1 ? "-games.log" : "-server.log"), to);
            renameHost(to, host);
        }
        for (const char* other : {"-console.log", "-truth.txt", "-matches.txt"})
            fs::remove(prefix.string() + other);
    }
    const auto date = static_cast<time_t>(kFirstDay + (i * 365 / std::max(1, count)) * kDay);
    const utimbuf times{date, date};
    return ::utime(log.c_str(), &times) == 0;
}

struct Row {
    std::string label;
    double seconds = 0;
    double cpuSeconds = 0;
    std::string figure; // MB/s, x wc, share of the logs
    std::string target;
};

std::string verdict(double value, double most, const char* unit) {
    std::ostringstream t;
    t << "<= " << most << unit << " (" << (value <= most ? "yes" : "NO") << ")";
    return t.str();
}

// The best of `runs` runs of a command, its output dropped.
std::optional<bench::Run> best(const std::string& command, int runs) {
    std::optional<bench::Run> fastest;
    for (int r = 0; r < runs; ++r) {
        const auto run = runCommand(command, false);
        if (!run)
            return std::nullopt;
        if (!fastest || run->seconds < fastest->seconds)
            fastest = run;
    }
    return fastest;
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
        if (entry.path().filename().string().front() == '.')
            continue; // the manifest of the pages, not one of them
        ++pages;
        largest = std::max(largest, entry.file_size());
    }
    rows.push_back({"web report of the whole history", written->seconds, written->cpuSeconds,
                    std::to_string(pages) + " pages", verdict(written->seconds, 30.0, " s")});
    rows.push_back({"  its largest page", 0, 0, std::to_string(largest / 1024) + " KB",
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
    rows.push_back({"  written again after one more log", again->seconds, again->cpuSeconds, "",
                    verdict(again->seconds, 2.0, " s")});
    fs::remove_all(site);
    return true;
}

std::string countOfMatches(const std::string& sql, const std::string& command) {
    const auto run = runCommand(command + " " + quoted(sql), true);
    return run ? run->output.substr(0, run->output.find('\n')) : "?";
}

const char* const kCommands[] = {"--sheet Quorvath", "--ranking Kills", "--top Quorvath",
                                 "--players"};

// The logs imported by four importers at once into one PostgreSQL database,
// then its whole history queried; false when a step fails.
bool addPostgresRows(const std::string& cluster, const std::vector<std::string>& logs,
                     const bench::Run& sqliteImport, const std::string& sqliteMatches, int runs,
                     std::vector<Row>& rows) {
    const std::string admin = "psql -q " + quoted(cluster) + " -c ";
    if (!runCommand(admin + quoted("DROP DATABASE IF EXISTS quorvath_bench"), false) ||
        !runCommand(admin + quoted("CREATE DATABASE quorvath_bench"), false))
        return false;
    const std::string db = quoted(cluster + " dbname=quorvath_bench");
    std::string importers = "pids=; ";
    for (std::size_t k = 0; k < 4; ++k) {
        importers += tool() + " history import --db " + db;
        for (std::size_t i = k; i < logs.size(); i += 4)
            importers.append(" ").append(quoted(logs[i]));
        importers += " >/dev/null & pids=\"$pids $!\"; ";
    }
    importers += "for p in $pids; do wait $p || exit 2; done";
    const auto imported = runCommand(importers, false);
    if (!imported)
        return false;
    char figure[64];
    std::snprintf(figure, sizeof figure, "%.2f x SQLite's",
                  imported->seconds / sqliteImport.seconds);
    rows.push_back(
        {"PostgreSQL: 4 importers at once", imported->seconds, imported->cpuSeconds, figure,
         verdict(imported->seconds, 300.0 * static_cast<double>(logs.size()) / 1000, " s")});
    const std::string matches =
        countOfMatches("SELECT count(*) FROM matches", "psql -tA " + db + " -c");
    rows.push_back({"PostgreSQL: matches stored", 0, 0, matches + " (SQLite " + sqliteMatches + ")",
                    matches == sqliteMatches ? "the same (yes)" : "the same (NO)"});
    for (const char* command : kCommands) {
        const auto run =
            best(tool() + " history --db " + db + " " + command + " 2>/dev/null", runs);
        if (!run)
            return false;
        rows.push_back({std::string("PostgreSQL whole history: ") + command, run->seconds,
                        run->cpuSeconds, "", verdict(run->seconds, 0.5, " s")});
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int logs = 1000, servers = 5, runs = 3;
    bool keep = false;
    std::string postgres;
    fs::path dir = "/tmp/quorvath-bench-history";
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
        else if (arg == "--postgres" && hasValue)
            postgres = argv[++i];
        else if (arg == "--dir" && hasValue)
            dir = argv[++i];
    }
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
    const auto bigWc = best("wc -l " + quoted(big), runs);
    std::optional<bench::Run> bigRun;
    for (int r = 0; r < runs && bigWc; ++r) {
        dropHistory();
        const auto run =
            runCommand(tool() + " history import --db " + quoted(db) + " " + quoted(big), false);
        if (!run)
            return 1;
        if (!bigRun || run->seconds < bigRun->seconds)
            bigRun = run;
    }
    if (!bigRun)
        return 1;
    const double bigImport = bigRun->seconds;
    char figure[64];
    std::snprintf(figure, sizeof figure, "%.0f MB/s, %.1f x wc", bigMb / bigImport,
                  bigImport / bigWc->seconds);
    const double rate = bigMb / bigImport;
    rows.push_back({"import one " + std::to_string(static_cast<int>(bigMb)) + " MB log", bigImport,
                    bigRun->cpuSeconds, figure,
                    std::string(">= 50 MB/s (") + (rate >= 50 ? "yes" : "NO") + ")"});
    fs::remove(big);

    // Many logs, as a server's admin keeps them.
    std::string list;
    std::vector<std::string> paths;
    double bytes = 0;
    for (int i = 0; i < logs; ++i) {
        fs::path log;
        if (!generateLog(logDir, i, logs, servers, log))
            return 1;
        list.append(" ").append(quoted(log.string()));
        paths.push_back(log.string());
        bytes += fileSize(log);
    }
    const auto wcAll = best("cat" + list + " | wc -l", 1);
    if (!wcAll)
        return 1;
    dropHistory();
    const std::string import = tool() + " history import --db " + quoted(db) + list;
    const auto first = runCommand(import, false);
    if (!first)
        return 1;
    std::snprintf(figure, sizeof figure, "%.0f MB/s, %.1f x wc", bytes / 1e6 / first->seconds,
                  first->seconds / wcAll->seconds);
    rows.push_back({"import " + std::to_string(logs) + " logs", first->seconds, first->cpuSeconds,
                    figure, verdict(first->seconds, 300.0 * logs / 1000, " s")});
    const double dbShare = (fileSize(db) + fileSize(db + "-wal")) / bytes;
    std::snprintf(figure, sizeof figure, "%.1f%% of the logs", 100 * dbShare);
    rows.push_back({"database size", 0, 0, figure, verdict(100 * dbShare, 20, "%")});
    const auto again = runCommand(import, false);
    if (!again)
        return 1;
    rows.push_back({"import them again (nothing new)", again->seconds, again->cpuSeconds, "",
                    verdict(again->seconds, 30.0 * logs / 1000, " s")});

    // Queries: the whole history, then a month, a server and a map of it.
    const std::string month = "--since 2026-06-01 --until 2026-06-30";
    const std::pair<std::string, std::string> selections[] = {
        {"whole history", ""},
        {"one month", month},
        {"one server", "--server " + quoted(serverName(1))},
        {"one map", "--map mp_shop"}};
    for (const auto& [name, selection] : selections)
        for (const char* command : kCommands) {
            const auto run = best(tool() + " history --db " + quoted(db) + " " + selection + " " +
                                      command + " 2>/dev/null",
                                  runs);
            if (!run)
                return 1;
            const double most = selection.empty() ? 0.2 : 1.0;
            rows.push_back({name + ": " + command, run->seconds, run->cpuSeconds, "",
                            verdict(run->seconds, most, " s")});
        }

    // Counted before the site's measure imports one more log.
    const std::string sqliteMatches =
        countOfMatches("SELECT count(*) FROM matches", "sqlite3 " + quoted(db));
    if (!measureSite(db, logDir, logs, servers, rows))
        return 1;
    if (!postgres.empty() && !addPostgresRows(postgres, paths, *first, sqliteMatches, runs, rows))
        return 1;

    std::printf(
        "history of %d generated logs (%.0f MB, %d servers), queries best of %d runs; "
        "load %s",
        logs, bytes / 1e6, servers, runs,
        runCommand("cut -d' ' -f1-3 /proc/loadavg", true).value_or(bench::Run{}).output.c_str());
    std::printf("  %-40s %8s %8s   %-22s %s\n", "step", "seconds", "cpu s", "figure",
                "target (meets it?)");
    for (const Row& row : rows)
        std::printf("  %-40s %8.3f %8.3f   %-22s %s\n", row.label.c_str(), row.seconds,
                    row.cpuSeconds, row.figure.c_str(), row.target.c_str());
    if (!keep)
        fs::remove_all(dir);
    return 0;
}
