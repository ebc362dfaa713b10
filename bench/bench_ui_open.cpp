// Opening a generated 100 MB log in the main window (load, render, show),
// then paging through it, then "Get the guff" until the statistics window is
// filled: wall time and memory beyond the window's baseline.
// Plain main; run by scripts/bench. Figures, not a pass/fail test.
//   bench_ui_open [SIZE_MB]

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "core/log/log_file.h"
#include "gui/log_session.h"
#include "gui/log_view.h"
#include "gui/main_window.h"
#include "gui/statistics_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace quorvath;

namespace {

class NoPrompts : public UserPrompts {
public:
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    void message(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string openFile(const std::string&, const std::vector<FileFilter>&,
                         const std::string&) override {
        return {};
    }
    std::uint32_t chooseColour(const std::string&, std::uint32_t c) override { return c; }
};

// A line of /proc/self/status in kB, as bytes.
long long procStatus(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::atoll(line.c_str() + std::strlen(key)) * 1024;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const int sizeMb = argc > 1 ? std::atoi(argv[1]) : 100;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quorvath-bench-ui";
    std::filesystem::create_directories(dir);
    const std::string log = (dir / "big.log").string();
    const std::string gen = std::string(QUORVATH_GEN_LOG) + " --size-mb " + std::to_string(sizeMb) +
                            " --seed 7 --out " + log;
    if (std::system(gen.c_str()) != 0)
        return 1;
    const auto bytes = static_cast<double>(std::filesystem::file_size(log));

    QApplication app(argc, argv);
    MemorySettingsStore settings;
    NoPrompts prompts;
    LogSession session(settings, prompts);
    MainWindow window(session, settings, prompts);
    StatisticsWindow statistics(session, settings, prompts);
    window.show();
    QApplication::processEvents();
    const long long baseline = procStatus("VmRSS:");

    QElapsedTimer clock;
    clock.start();
    bool done = false;
    QObject::connect(&session, &LogSession::workFinished, [&] { done = true; });
    session.openLog(log);
    while (!done)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    window.logView()->viewport()->repaint(); // shown: the first screen painted
    const double openMs = static_cast<double>(clock.elapsed());
    const long long after = procStatus("VmRSS:");
    const long long peak = procStatus("VmHWM:");

    QScrollBar* bar = window.logView()->verticalScrollBar();
    clock.restart();
    const int pages = 200;
    for (int i = 0; i < pages; ++i) {
        bar->setValue(bar->maximum() / pages * i);
        window.logView()->viewport()->repaint();
    }
    const double pageMs = static_cast<double>(clock.elapsed()) / pages;

    bool shown = false;
    QObject::connect(&statistics, &StatisticsWindow::statisticsShown, [&] { shown = true; });
    clock.restart();
    session.requestStatistics();
    while (!shown)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    statistics.repaint(); // the list and the sheet painted
    const double guffMs = static_cast<double>(clock.elapsed());

    std::printf("log %.1f MB, %d lines\n", bytes / 1e6, window.logView()->lineCount());
    std::printf("open (copy, load, render, show): %.0f ms\n", openMs);
    std::printf("memory beyond baseline: %.2f bytes per log byte (peak %.2f)\n",
                static_cast<double>(after - baseline) / bytes,
                static_cast<double>(peak - baseline) / bytes);
    std::printf("page jump + repaint: %.2f ms\n", pageMs);
    std::printf("\"Get the guff\" to the filled statistics window: %.0f ms (%d players)\n", guffMs,
                session.players().playerCount());
    removeFile(session.archiveCopy());
    std::filesystem::remove_all(dir);
    return 0;
}
