// quorvath [LOG]: the main window; a LOG named on the command line is opened
// at start as if chosen with File > Open. --help and --version answer on the
// terminal, without a display.
//
// Hidden option for scripts/screenshot: --screenshot PNG LOG opens LOG with
// settings kept in memory, saves a picture of the main window once it is
// loaded, removes the archive copy it made and exits; --stats-screenshot PNG
// LOG does the same for the statistics window with a sheet and a ranking;
// --keyboard-stats-screenshot PNG LOG fills its panes with keys only.

#include "core/common/settings_store.h"
#include "gui/app_icon.h"
#include "gui/control_fonts.h"
#include "gui/log_session.h"
#include "gui/main_window.h"
#include "gui/qt_prompts.h"
#include "gui/qt_settings_store.h"
#include "gui/screenshots.h"
#include "gui/statistics_window.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

using namespace quorvath;

namespace {

constexpr int ExitUsage = 2;
constexpr const char* Usage =
    "Usage: quorvath [LOG]\n"
    "Shows a Soldier of Fortune II log (a player's console log, a server's game log or\n"
    "console log) with its colours and rounds, finds text in it and turns it into\n"
    "player statistics. A LOG named here opens at start.\n"
    "\n"
    "  --help     this text\n"
    "  --version  the program's version\n"
    "\n"
    "quorvath-report LOG prints the same statistics on the terminal; see its --help.\n";

// The hidden options that take a value.
bool takesValue(const char* arg) {
    for (const char* option : {"--screenshot", "--stats-screenshot", "--keyboard-stats-screenshot"})
        if (std::strcmp(arg, option) == 0)
            return true;
    return false;
}

// --help, --version and an option the program does not know, before any
// display is needed: the exit status when one was given.
std::optional<int> answeredOnTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quorvath %s\n", QUORVATH_VERSION);
            return 0;
        }
        if (takesValue(argv[i]))
            ++i;
        else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            const int usageLine = static_cast<int>(std::strchr(Usage, '\n') - Usage);
            std::fprintf(stderr, "quorvath: unknown option %s; see --help\n%.*s\n", argv[i],
                         usageLine, Usage);
            return ExitUsage;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (const auto status = answeredOnTerminal(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quorvath");
    QApplication::setApplicationName("Quorvath");
    QApplication::setApplicationVersion(QUORVATH_VERSION);
    QApplication::setDesktopFileName("quorvath");
    QApplication::setWindowIcon(appIcon());
    registerFontSubstitutes();

    QString screenshot;
    QString statisticsScreenshot;
    bool byKeyboard = false;
    std::string log;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--stats-screenshot") == 0 && i + 1 < argc)
            statisticsScreenshot = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--keyboard-stats-screenshot") == 0 && i + 1 < argc)
            statisticsScreenshot = QString::fromLocal8Bit(argv[++i]), byKeyboard = true;
        else
            log = argv[i];
    }

    std::unique_ptr<SettingsStore> settings;
    if (screenshot.isEmpty() && statisticsScreenshot.isEmpty())
        settings = std::make_unique<QtSettingsStore>();
    else
        settings = std::make_unique<MemorySettingsStore>(); // leaves the user's settings alone
    QtPrompts prompts;
    LogSession session(*settings, prompts);
    MainWindow window(session, *settings, prompts);
    prompts.setParent(&window);
    StatisticsWindow statistics(session, *settings, prompts); // set up hidden
    window.show();

    if (!screenshot.isEmpty())
        takeMainScreenshotWhenLoaded(session, window, screenshot);
    else if (!statisticsScreenshot.isEmpty())
        takeStatisticsScreenshotWhenReady(session, statistics, statisticsScreenshot, byKeyboard);
    if (!log.empty())
        QTimer::singleShot(0, &session, [&session, log] { session.openLog(log); });
    return app.exec();
}
