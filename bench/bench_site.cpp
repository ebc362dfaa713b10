// The web report of a large log: a generated 20 MB log of 1,500 players (some
// thousands of pages) written as a new site and written again unchanged, in
// seconds and as a multiple of `wc -l` on the same file in the same rounds,
// with the pages' count and the largest page. Plain main; run by scripts/bench.
//   bench_site [--size-mb N] [--players N] [--runs N]

#include "bench_command.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;
using bench::quoted;
using bench::runCommand;

constexpr std::uintmax_t kMaxPageBytes = 300 * 1024;

} // namespace

int main(int argc, char** argv) {
    double sizeMb = 20;
    int players = 1500;
    int runs = 3;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size-mb")
            sizeMb = std::atof(argv[i + 1]);
        else if (arg == "--players")
            players = std::atoi(argv[i + 1]);
        else if (arg == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
    }
    const fs::path dir = fs::temp_directory_path() / "quorvath-bench-site";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string log = (dir / "big.log").string();
    const std::string site = (dir / "site").string();
    if (!runCommand(std::string(QUORVATH_GEN_LOG) + " --size-mb " + std::to_string(sizeMb) +
                        " --players " + std::to_string(players) + " --aliases 3 --seed 7 --out " +
                        quoted(log),
                    false))
        return 1;
    const std::string html =
        quoted(QUORVATH_REPORT_TOOL) + " html " + quoted(site) + " " + quoted(log);

    std::map<std::string, double> best; // step -> seconds, the best round
    const auto note = [&](const std::string& step, const std::optional<bench::Run>& run) {
        if (!run)
            return false;
        best[step] = best.count(step) ? std::min(best[step], run->seconds) : run->seconds;
        return true;
    };
    for (int round = 0; round < runs; ++round) {
        fs::remove_all(site);
        if (!note("wc", runCommand("wc -l " + quoted(log), true)) ||
            !note("new", runCommand(html, false)) || !note("again", runCommand(html, false)))
            return 1;
    }
    std::size_t pages = 0;
    std::uintmax_t largest = 0;
    for (const auto& entry : fs::directory_iterator(site)) {
        ++pages;
        largest = std::max(largest, entry.file_size());
    }
    const double wc = best["wc"];
    std::printf("%.1f MB log of %d players (gen-log --aliases 3 --seed 7), %zu pages, "
                "best of %d rounds\n",
                static_cast<double>(fs::file_size(log)) / 1e6, players, pages, runs);
    std::printf("  %-36s %8s %8s\n", "step", "seconds", "x wc");
    for (const auto& [step, label] : {std::pair{"wc", "wc -l"},
                                      {"new", "quorvath-report html (a new site)"},
                                      {"again", "quorvath-report html (written again)"}})
        std::printf("  %-36s %8.3f %8.1f\n", label, best[step], best[step] / wc);
    std::printf("  largest page: %.1f KB (<= 300 KB: %s)\n", static_cast<double>(largest) / 1024,
                largest <= kMaxPageBytes ? "yes" : "NO");
    fs::remove_all(dir);
    return largest <= kMaxPageBytes ? 0 : 2;
}
