// The statistics pass on a generated, loaded and rendered 100 MB log: the whole
// pass, and how much of it goes to finding the phrases (one sweep) versus
// cutting and booking the lines. Then the Accurate pass on the same log (read
// again from its file, as the window reads the archive copy), which may take
// at most 1.5 times the Classic pass, and on a server game log of about the
// same size (gen-log --match), with its loading; `wc -l` on each file for scale.
//
//   bench_stats [--size-mb N] [--players N] [--pass-only] [--log FILE]
//
// --log takes that log for the Classic pass instead of generating one.
// --pass-only stops after the Classic pass and its processor time, best of
// more runs (the figures of a change to the pass alone, on a busy machine).

#include "core/common/progress.h"
#include "core/log/log_loader.h"
#include "core/match/accurate_pass.h"
#include "core/match/log_opening.h"
#include "core/stats/event_booking.h"
#include "core/stats/phrase_sweep.h"
#include "core/stats/player_table.h"
#include "core/stats/statistics_pass.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of all the process's threads so far.
double processorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double best(std::vector<double> runs) { return *std::min_element(runs.begin(), runs.end()); }

double wcLines(const std::string& path) {
    const std::string command = "wc -l \"" + path + "\" >/dev/null";
    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        if (std::system(command.c_str()) != 0)
            return 0;
        runs.push_back(secondsSince(start));
    }
    return best(runs);
}

double accuratePass(const std::string& path, quorvath::LogKind kind, quorvath::PlayerTable& table) {
    quorvath::Progress progress;
    quorvath::CountingScope scope;
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        if (auto error = quorvath::countAccuratelyFromFile(path, kind, {}, table, scope, progress))
            std::fprintf(stderr, "bench_stats: %s\n", error->c_str());
        runs.push_back(secondsSince(start));
    }
    return best(runs);
}

} // namespace

int main(int argc, char** argv) {
    double sizeMb = 100;
    int players = 300;
    bool passOnly = false;
    std::string log;
    for (int i = 1; i < argc; ++i)
        passOnly = passOnly || std::string(argv[i]) == "--pass-only";
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--size-mb")
            sizeMb = std::atof(argv[i + 1]);
        if (std::string(argv[i]) == "--players")
            players = std::atoi(argv[i + 1]);
        if (std::string(argv[i]) == "--log")
            log = argv[i + 1];
    }
    const auto dir = std::filesystem::temp_directory_path() / "quorvath-bench-stats";
    std::filesystem::create_directories(dir);
    const std::string path = log.empty() ? (dir / "big.log").string() : log;
    const std::string command = std::string("\"") + QUORVATH_GEN_LOG + "\" --size-mb " +
                                std::to_string(sizeMb) + " --players " + std::to_string(players) +
                                " --seed 11 --out \"" + path + "\"";
    if (log.empty() && std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "bench_stats: gen-log failed: %s\n", command.c_str());
        return 1;
    }

    quorvath::LogDocument doc;
    quorvath::Progress progress;
    if (auto error = quorvath::loadLog(path, doc, progress)) {
        std::fprintf(stderr, "bench_stats: %s\n", error->c_str());
        return 1;
    }
    const double mb = doc.length() / (1024.0 * 1024.0);

    std::vector<std::string> phrases;
    for (const auto& scan : quorvath::kStatisticsScans)
        phrases.emplace_back(scan.phrase);
    for (auto roundEnd : quorvath::RoundEnds::kPhrases)
        phrases.emplace_back(roundEnd);

    const int kRuns = passOnly ? 15 : 5;
    std::vector<double> passRuns, passProcessor, sweepRuns;
    std::size_t occurrences = 0;
    quorvath::PlayerTable table;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        const double processorStart = processorSeconds();
        quorvath::runStatisticsPass(doc, table, progress);
        passRuns.push_back(secondsSince(start));
        passProcessor.push_back(processorSeconds() - processorStart);

        start = Clock::now();
        const auto hits = quorvath::PhraseSweep(phrases).run(doc.text());
        sweepRuns.push_back(secondsSince(start));
        occurrences = 0;
        for (const auto& h : hits)
            occurrences += h.size();
    }
    const double pass = best(passRuns);
    const double sweep = best(sweepRuns);
    std::printf("rendered log: %.1f MB, %zu phrase hits, %d players\n", mb, occurrences,
                table.playerCount());
    std::printf("statistics pass: %.3f s (best of %d; target < 1.5 s), processor %.3f s\n", pass,
                kRuns, best(passProcessor));
    std::printf("  finding phrases (one sweep): %.3f s (%.0f%%)\n", sweep, 100.0 * sweep / pass);
    std::printf("  cutting and booking lines:   %.3f s (%.0f%%)\n", pass - sweep,
                100.0 * (pass - sweep) / pass);
    std::printf("All Players: %d kills, %d deaths, %d team kills, %d headshots\n",
                table[0][quorvath::totalKills], table[0][quorvath::totalDeaths],
                table[0][quorvath::teamKills], table[0][quorvath::headshotKills]);
    if (passOnly)
        return pass < 1.5 ? 0 : 2;

    const double wc = wcLines(path);
    const double accurate = accuratePass(path, quorvath::LogKind::PlayerConsole, table);
    std::printf("wc -l on the log: %.3f s\n", wc);
    std::printf("Accurate pass, same log from its file: %.3f s (%.2f x Classic, %.1f x wc -l; "
                "target <= 1.5 x Classic)\n",
                accurate, accurate / pass, accurate / wc);
    std::printf("All Players: %d kills, %d deaths, %d team kills, %d headshots\n",
                table[0][quorvath::totalKills], table[0][quorvath::totalDeaths],
                table[0][quorvath::teamKills], table[0][quorvath::headshotKills]);

    // A server game log of about the same size: loading (the readable view)
    // and the Accurate pass.
    const std::string match = (dir / "match").string();
    const std::string matchCommand =
        std::string("\"") + QUORVATH_GEN_LOG + "\" --match ctf --seed 11 --players 24 --maps " +
        std::to_string(std::max(1, static_cast<int>(sizeMb * 47))) + " --out \"" + match + "\"";
    if (std::system(matchCommand.c_str()) != 0) {
        std::fprintf(stderr, "bench_stats: gen-log failed: %s\n", matchCommand.c_str());
        return 1;
    }
    const std::string games = match + "-games.log";
    std::vector<double> loadRuns;
    for (int run = 0; run < 3; ++run) {
        quorvath::LogDocument serverDoc;
        quorvath::LogKindDetection detection;
        const auto start = Clock::now();
        if (auto error = quorvath::openLog(games, serverDoc, progress, detection))
            std::fprintf(stderr, "bench_stats: %s\n", error->c_str());
        loadRuns.push_back(secondsSince(start));
    }
    const double gamesWc = wcLines(games);
    const double gamesPass = accuratePass(games, quorvath::LogKind::ServerGameLog, table);
    std::printf("server game log: %.1f MB, loaded and rendered in %.3f s (%.1f x wc -l %.3f s)\n",
                static_cast<double>(std::filesystem::file_size(games)) / (1024.0 * 1024.0),
                best(loadRuns), best(loadRuns) / gamesWc, gamesWc);
    std::printf("Accurate pass on it: %.3f s (%.1f x wc -l), %d players, %d kills\n", gamesPass,
                gamesPass / gamesWc, table.playerCount(), table[0][quorvath::totalKills]);
    return pass < 1.5 && accurate <= 1.5 * pass ? 0 : 2;
}
