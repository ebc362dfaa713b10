// quorvath [LOG]: the main window; a LOG named on the command line is opened
// at start as if chosen with File > Open.
//
// Hidden option for scripts/screenshot: --screenshot PNG LOG opens LOG with
// settings kept in memory, saves a picture of the main window once it is
// loaded, removes the archive copy it made and exits; --stats-screenshot PNG
// LOG does the same for the statistics window with a sheet and a ranking.

#include "core/log/log_file.h"
#include "gui/main_window.h"
#include "gui/qt_fonts.h"
#include "gui/qt_prompts.h"
#include "gui/qt_settings_store.h"
#include "gui/qt_stats_screenshot.h"
#include "gui/stats_window.h"

#include <QApplication>
#include <QTimer>

#include <cstring>
#include <memory>

using namespace quorvath;

namespace {

void takeScreenshotWhenLoaded(MainWindow& window, const QString& png) {
    QObject::connect(&window, &MainWindow::workFinished, &window, [&window, png] {
        QTimer::singleShot(300, &window, [&window, png] {
            const bool saved = window.grab().save(png);
            if (window.logloaded())
                removeFile(window.archivecopy());
            QCoreApplication::exit(saved ? 0 : 1);
        });
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quorvath");
    QApplication::setApplicationName("Quorvath");
    registerFontSubstitutes();

    QString screenshot;
    QString statsScreenshot;
    std::string log;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
        else if (std::strcmp(argv[i], "--stats-screenshot") == 0 && i + 1 < argc)
            statsScreenshot = QString::fromLocal8Bit(argv[++i]);
        else
            log = argv[i];
    }

    std::unique_ptr<SettingsStore> settings;
    if (screenshot.isEmpty() && statsScreenshot.isEmpty())
        settings = std::make_unique<QtSettingsStore>();
    else
        settings = std::make_unique<MemorySettingsStore>(); // leaves the user's settings alone
    QtPrompts prompts;
    MainWindow window(*settings, prompts);
    prompts.setParent(&window);
    StatsFrm stats(window, *settings, prompts); // loaded hidden, wired to the main window
    stats.applyStartupColours();
    window.show();

    if (!screenshot.isEmpty())
        takeScreenshotWhenLoaded(window, screenshot);
    else if (!statsScreenshot.isEmpty())
        takeStatsScreenshotWhenReady(window, stats, statsScreenshot);
    if (!log.empty())
        QTimer::singleShot(0, &window, [&window, log] { window.openChosenFile(log); });
    return app.exec();
}
