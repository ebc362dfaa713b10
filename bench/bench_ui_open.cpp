// The windows on a large log, step by step as a user goes: open it (archive
// copy, load, render, first screen painted: "Ready"), page through it, a
// first Find (of a text that is not there, so the whole log is searched),
// Highlight Nick, "Get the guff" until the statistics window is filled, then
// Preferences > Counting > Accurate until it is filled again. For each step
// its wall time and the resident size of the whole process (Qt included), at
// its peak during the step and after it, per byte of log.
// Plain main; run by scripts/bench (bench_table reads the "= " lines).
// Figures, not a pass/fail test.
//   bench_ui_open [--log FILE | --size-mb N]

#include "bench_prompts.h"
#include "core/common/settings_store.h"
#include "core/log/log_file.h"
#include "gui/log_session.h"
#include "gui/log_view.h"
#include "gui/main_window.h"
#include "gui/statistics_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace quorvath;

namespace {

// Deletes the dated copy when asked; everything else is cancelled.
class NoPrompts : public bench::CancellingPrompts {
public:
    KeepAnswer askKeep(const std::string&, const std::string&) override {
        return {KeepChoice::Delete};
    }
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

// Lets the next peak (VmHWM) start from the memory in use now.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Times one step and the memory the process holds.
class Step {
public:
    explicit Step(double logBytes) : logBytes_(logBytes) {
        resetPeak();
        clock_.start();
    }
    // Prints "= name seconds peak after" for bench_table and a line for people.
    void report(const char* name, const char* what) {
        const double seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
        const double peak = static_cast<double>(procStatus("VmHWM:")) / logBytes_;
        const double after = static_cast<double>(procStatus("VmRSS:")) / logBytes_;
        std::printf("%-44s %7.3f s   memory: peak %.2f, after %.2f bytes per log byte\n", what,
                    seconds, peak, after);
        std::printf("= %s %.4f %.3f %.3f\n", name, seconds, peak, after);
        std::fflush(stdout);
    }

private:
    double logBytes_;
    QElapsedTimer clock_;
};

// Runs the event loop until `sender` emits `signal`, as the program waits:
// asleep, so the worker threads have the cores.
template <typename Sender, typename Signal> void waitFor(Sender* sender, Signal signal) {
    QEventLoop loop;
    const auto connection = QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
}

} // namespace

int main(int argc, char** argv) {
    std::string log;
    int sizeMb = 100;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--log")
            log = argv[i + 1];
        if (std::string(argv[i]) == "--size-mb")
            sizeMb = std::atoi(argv[i + 1]);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quorvath-bench-ui";
    std::filesystem::create_directories(dir);
    if (log.empty()) {
        log = (dir / "big.log").string();
        const std::string gen = std::string(QUORVATH_GEN_LOG) + " --size-mb " +
                                std::to_string(sizeMb) + " --seed 7 --out " + log;
        if (std::system(gen.c_str()) != 0)
            return 1;
    } else { // opening makes its archive copy beside the log: work on a link in our folder
        const std::filesystem::path link = dir / "log.log";
        std::filesystem::remove(link);
        std::filesystem::create_symlink(std::filesystem::absolute(log), link);
        log = link.string();
    }
    const auto bytes = static_cast<double>(std::filesystem::file_size(log));

    QApplication app(argc, argv);
    MemorySettingsStore settings;
    NoPrompts prompts;
    LogSession session(settings, prompts);
    MainWindow window(session, settings, prompts);
    StatisticsWindow statistics(session, settings, prompts);
    window.show();
    QApplication::processEvents();
    std::printf("log %.1f MB, the windows alone %.1f MB\n", bytes / 1e6,
                static_cast<double>(procStatus("VmRSS:")) / 1e6);

    {
        Step step(bytes);
        QTimer::singleShot(0, &session, [&] { session.openLog(log); });
        waitFor(&session, &LogSession::workFinished);
        window.logView()->viewport()->repaint(); // shown: the first screen painted
        step.report("open", "open to \"Ready\" (copy, load, render, show)");
    }
    {
        QScrollBar* bar = window.logView()->verticalScrollBar();
        QElapsedTimer clock;
        clock.start();
        const int pages = 200;
        for (int i = 0; i < pages; ++i) {
            bar->setValue(bar->maximum() / pages * i);
            window.logView()->viewport()->repaint();
        }
        std::printf("page jump + repaint: %.2f ms\n", static_cast<double>(clock.elapsed()) / pages);
    }
    {
        auto* searchBox = window.findChild<QLineEdit*>("searchBox");
        auto* findButton = window.findChild<QPushButton*>("findButton");
        searchBox->setText("no such words in a log");
        Step step(bytes);
        findButton->click();
        window.logView()->viewport()->repaint();
        step.report("find", "first Find (a miss: the whole log searched)");
    }
    {
        session.setNick("Quorvath");
        Step step(bytes);
        QTimer::singleShot(0, &session, [&] { session.highlightNick(); });
        waitFor(&session, &LogSession::workFinished);
        window.logView()->viewport()->repaint();
        step.report("highlight", "Highlight Nick");
    }
    {
        Step step(bytes);
        QTimer::singleShot(0, &session, [&] { session.requestStatistics(); });
        waitFor(&statistics, &StatisticsWindow::statisticsShown);
        statistics.repaint(); // the list and the sheet painted
        step.report("guff", "\"Get the guff\" to the filled statistics window");
    }
    {
        Step step(bytes);
        QTimer::singleShot(0, &session, [&] {
            session.setCountingChoice(
                {CountingMode::Accurate, session.countingChoice().includeWarmup});
        });
        waitFor(&statistics, &StatisticsWindow::statisticsShown);
        statistics.repaint();
        step.report("accurate", "Counting > Accurate to the filled window again");
    }
    std::printf("%d players\n", session.players().playerCount());
    removeFile(session.archiveCopy());
    std::filesystem::remove_all(dir);
    return 0;
}
