// History > Import logs... in the window, on generated logs: how long the
// import takes and the longest the interface thread went without turning its
// event loop meanwhile (a 1 ms timer's longest gap), which must stay under
// 50 ms. Plain main; run by scripts/bench. Exits 2 when the gap misses it.
//   bench_ui_import [--logs N] [--size-mb N]

#include "bench_prompts.h"
#include "core/common/settings_store.h"
#include "gui/history_importer.h"
#include "gui/history_menu.h"
#include "gui/log_session.h"
#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace quorvath;

namespace {

constexpr double kLongestGapMs = 50;

// Chooses the generated logs; everything else is cancelled.
class ChosenLogs : public bench::CancellingPrompts {
public:
    explicit ChosenLogs(std::vector<std::string> logs) : logs_(std::move(logs)) {}
    std::vector<std::string> openFiles(const std::string&, const std::vector<FileFilter>&,
                                       const std::string&) override {
        return logs_;
    }

private:
    std::vector<std::string> logs_;
};

} // namespace

int main(int argc, char** argv) {
    int logCount = 4;
    int sizeMb = 50;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--logs")
            logCount = std::atoi(argv[i + 1]);
        if (std::string(argv[i]) == "--size-mb")
            sizeMb = std::atoi(argv[i + 1]);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "quorvath-bench-import";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::vector<std::string> logs;
    for (int n = 0; n < logCount; ++n) {
        logs.push_back((dir / ("log" + std::to_string(n) + ".log")).string());
        const std::string gen = std::string(QUORVATH_GEN_LOG) + " --size-mb " +
                                std::to_string(sizeMb) + " --seed " + std::to_string(30 + n) +
                                " --out " + logs.back();
        if (std::system(gen.c_str()) != 0)
            return 1;
    }

    QApplication app(argc, argv);
    MemorySettingsStore settings;
    settings.set(settings_keys::HistoryFile, (dir / "history.sqlite").string());
    ChosenLogs prompts(logs);
    LogSession session(settings, prompts);
    MainWindow window(session, settings, prompts);
    window.show();
    QApplication::processEvents();

    auto* menu = window.findChild<HistoryMenu*>("historyMenu");
    QElapsedTimer clock, sinceTick;
    qint64 longestGap = 0;
    QTimer ticks;
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.nsecsElapsed());
        sinceTick.restart();
    });
    QString status;
    QEventLoop loop;
    QObject::connect(menu, &HistoryMenu::statusChanged, [&](const QString& s) {
        status = s;
        if (!menu->importer().running())
            loop.quit();
    });
    clock.start();
    sinceTick.start();
    ticks.start();
    window.findChild<QAction*>("importLogsAction")->trigger();
    loop.exec();
    ticks.stop();

    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const double gapMs = static_cast<double>(longestGap) / 1e6;
    std::printf("%s\n", status.toStdString().c_str());
    std::printf("import of %d logs of %d MB: %.2f s (%.0f MB/s); the interface thread's longest "
                "gap %.1f ms (target: under %.0f ms)\n",
                logCount, sizeMb, seconds, logCount * sizeMb / seconds, gapMs, kLongestGapMs);
    std::printf("= import %.4f %.1f\n", seconds, gapMs);
    std::filesystem::remove_all(dir);
    return gapMs < kLongestGapMs ? 0 : 2;
}
