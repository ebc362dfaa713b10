// quorvath [LOG]: the main window; a LOG named on the command line is opened
// at start as if chosen with File > Open.
//
// Hidden option for scripts/screenshot: --screenshot PNG LOG opens LOG with
// settings kept in memory, saves a picture of the main window once it is
// loaded, removes the archive copy it made and exits; --stats-screenshot PNG
// LOG does the same for the statistics window with a sheet and a ranking.

#include "core/common/settings_store.h"
#include "gui/control_fonts.h"
#include "gui/log_session.h"
#include "gui/main_window.h"
#include "gui/qt_prompts.h"
#include "gui/qt_settings_store.h"
#include "gui/screenshots.h"
#include "gui/statistics_window.h"

#include <QApplication>
#include <QTimer>

#include <cstring>
#include <memory>

using namespace quorvath;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quorvath");
    QApplication::setApplicationName("Quorvath");
    registerFontSubstitutes();

    QString screenshot;
    QString statisticsScreenshot;
    std::string log;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--stats-screenshot") == 0 && i + 1 < argc)
            statisticsScreenshot = QString::fromLocal8Bit(argv[++i]);
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
    statistics.applyStoredColours();
    window.show();

    if (!screenshot.isEmpty())
        takeMainScreenshotWhenLoaded(session, window, screenshot);
    else if (!statisticsScreenshot.isEmpty())
        takeStatisticsScreenshotWhenReady(session, statistics, statisticsScreenshot);
    if (!log.empty())
        QTimer::singleShot(0, &session, [&session, log] { session.openLog(log); });
    return app.exec();
}
