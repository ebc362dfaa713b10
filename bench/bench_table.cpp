// The program's speed and memory on a generated log, as one table: each step
// in seconds and as a multiple of `wc -l` on the same file in the same run
// (the machine's floor for reading it), with its peak memory per byte of log
// and whether it meets its target. Every command runs once per round, in
// turn, so a busy machine slows them alike; the best round counts.
// Plain main; run by scripts/bench.
//   bench_table [--size-mb N] [--runs N] [--against BUILD_DIR]
//
// --against also times another build's quorvath-report and bench_ui_open,
// in the same rounds, for figures side by side with this build's.

#include "bench_command.h"
#include "core/stats/statistics_pass.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench::quoted;
using bench::runCommand;

struct Figure {
    double seconds = 1e300;
    double peak = 0;  // bytes per log byte
    double after = 0; // window steps: memory held after the step
    void add(double s, double p, double a = 0) {
        seconds = std::min(seconds, s);
        peak = std::max(peak, p);
        after = std::max(after, a);
    }
};

} // namespace

int main(int argc, char** argv) {
    double sizeMb = 100;
    int runs = 5;
    std::vector<fs::path> builds = {fs::path(QUORVATH_REPORT_TOOL).parent_path()};
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size-mb")
            sizeMb = std::atof(argv[i + 1]);
        else if (arg == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (arg == "--against")
            builds.push_back(fs::absolute(argv[i + 1]));
    }
    const fs::path dir = fs::temp_directory_path() / "quorvath-bench-table";
    fs::create_directories(dir);
    const std::string log = (dir / "big.log").string();
    const std::string phrases = (dir / "phrases.txt").string();
    std::ostringstream generate;
    generate << QUORVATH_GEN_LOG << " --size-mb " << sizeMb << " --seed 7 --out " << quoted(log);
    if (!runCommand(generate.str(), false))
        return 1;
    {
        std::ofstream out(phrases);
        for (const auto& scan : quorvath::kStatisticsScans)
            out << scan.phrase << '\n';
    }
    const double bytes = static_cast<double>(fs::file_size(log));

    // Keys: "wc", "grep", and per build "<build>|<step>".
    std::map<std::string, Figure> figures;
    for (int round = 0; round < runs; ++round) {
        // grep's output is kept: written to /dev/null it would stop at the first hit.
        for (const auto& [name, command] :
             {std::pair<std::string, std::string>{"wc", "wc -l " + quoted(log)},
              {"grep", "grep -cF -f " + quoted(phrases) + " " + quoted(log)}})
            if (auto run = runCommand(command, true))
                figures[name].add(run->seconds, run->peakBytes / bytes);
        for (const fs::path& build : builds) {
            const std::string tool = quoted((build / "quorvath-report").string());
            for (const char* step : {"rendered", "sheets"})
                if (auto run = runCommand(tool + " " + quoted(log) + " --" + step, false))
                    figures[build.string() + "|" + step].add(run->seconds, run->peakBytes / bytes);
            const fs::path uiBench = build / "bench_ui_open";
            if (!fs::exists(uiBench))
                continue;
            auto run = runCommand("QT_QPA_PLATFORM=offscreen " + quoted(uiBench.string()) +
                                      " --log " + quoted(log),
                                  true);
            std::istringstream lines(run ? run->output : "");
            for (std::string line; std::getline(lines, line);) {
                std::istringstream fields(line);
                std::string mark, name;
                double seconds = 0, peak = 0, after = 0;
                if (fields >> mark >> name >> seconds >> peak >> after && mark == "=")
                    figures[build.string() + "|window " + name].add(seconds, peak, after);
            }
        }
    }

    const double wc = figures["wc"].seconds;
    std::printf("%.1f MB log (gen-log --size-mb %g --seed 7), best of %d rounds; "
                "x wc: seconds / `wc -l` in the same run\n",
                bytes / 1e6, sizeMb, runs);
    std::printf("  %-44s %8s %8s %9s   %s\n", "step", "seconds", "x wc", "peak B/B",
                "target (meets it?)");
    struct Row {
        const char* key;
        const char* label;
        double maxRatio = 0;   // of wc -l; 0: none
        double maxSeconds = 0; // 0: none
        bool memory = false;   // a window step: held to 2.2 bytes per log byte
    };
    const bool large = sizeMb >= 1000;
    const Row rows[] = {
        {"wc", "wc -l"},
        {"grep", "grep -cF -f (the 30 phrases)"},
        {"rendered", "quorvath-report --rendered", large ? 0.0 : 12.0},
        {"sheets", "quorvath-report --sheets", large ? 0.0 : 25.0, large ? 5.0 : 0.0},
        {"window open", "window: open to \"Ready\"", 0, large ? 0.0 : 0.5, true},
        {"window find", "window: first Find", 0, 0, true},
        {"window highlight", "window: Highlight Nick", 0, 0, true},
        {"window guff", "window: Get the guff", 0, large ? 0.0 : 0.4, true},
        {"window accurate", "window: Counting > Accurate", 0, 0, true},
    };
    const auto printRow = [&](const Row& row, const Figure& f, const std::string& label) {
        std::string target;
        if (row.maxRatio > 0)
            target += "<= " + std::to_string(static_cast<int>(row.maxRatio)) + "x wc (" +
                      (f.seconds / wc <= row.maxRatio ? "yes" : "NO") + ")";
        if (row.maxSeconds > 0) {
            std::ostringstream t;
            t << "< " << row.maxSeconds << " s (" << (f.seconds < row.maxSeconds ? "yes" : "NO")
              << ")";
            target += t.str();
        }
        std::printf("  %-44s %8.3f %8.1f %9.2f   %s\n", label.c_str(), f.seconds, f.seconds / wc,
                    f.peak, target.c_str());
    };
    printRow(rows[0], figures["wc"], rows[0].label);
    printRow(rows[1], figures["grep"], rows[1].label);
    if (builds.size() > 1)
        for (std::size_t b = 1; b < builds.size(); ++b)
            std::printf("  (build %zu: %s)\n", b + 1, builds[b].c_str());
    for (std::size_t b = 0; b < builds.size(); ++b) {
        const fs::path& build = builds[b];
        const std::string name = builds.size() == 1 ? ""
                                 : b == 0           ? "this build: "
                                                    : "build " + std::to_string(b + 1) + ": ";
        double windowPeak = 0;
        for (const Row& row : rows) {
            const std::string key = build.string() + "|" + row.key;
            if (!figures.count(key))
                continue;
            printRow(row, figures[key], name + row.label);
            if (row.memory)
                windowPeak = std::max(windowPeak, figures[key].peak);
        }
        if (windowPeak > 0)
            std::printf("  %-44s %8s %8s %9.2f   <= 2.2 B/B (%s)\n",
                        (name + "window memory, highest at any step").c_str(), "", "", windowPeak,
                        windowPeak <= 2.2 ? "yes" : "NO");
    }
    fs::remove_all(dir);
    return 0;
}
