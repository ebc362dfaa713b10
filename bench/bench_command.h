#pragma once
// Running a command line for a benchmark: its time, its peak memory and,
// when asked, its output. Shared by the table benchmarks.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace bench {

struct Run {
    double seconds = 0;
    double cpuSeconds = 0; // user and system: what a busy machine does not stretch
    double peakBytes = 0;  // the child's largest resident set
    std::string output;
};

inline std::string quoted(const std::string& s) { return "'" + s + "'"; }

// Runs a command line through the shell, its output kept (or dropped); nothing
// when it fails (grep's 1 for no match counts as success).
inline std::optional<Run> runCommand(const std::string& command, bool keepOutput) {
    namespace fs = std::filesystem;
    const fs::path out = fs::temp_directory_path() / "quorvath-bench-command.out";
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const std::string line = command + " >" + (keepOutput ? out.string() : "/dev/null");
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        (WEXITSTATUS(status) != 0 && WEXITSTATUS(status) != 1)) {
        std::fprintf(stderr, "bench: failed: %s\n", command.c_str());
        return std::nullopt;
    }
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024.0; // kilobytes on Linux
    if (keepOutput) {
        std::ifstream in(out);
        std::ostringstream text;
        text << in.rdbuf();
        run.output = text.str();
    }
    return run;
}

} // namespace bench
