#include "gui/ui_support.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

namespace quorvath::test {

void ensureApp() {
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives for the whole test program
}

bool waitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 60000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void ProgramTest::start() {
    session = std::make_unique<LogSession>(settings, prompts);
    window = std::make_unique<MainWindow>(*session, settings, prompts);
    statistics = std::make_unique<StatisticsWindow>(*session, settings, prompts);
}

void ProgramTest::TearDown() {
    // Closing asks about the archive copy: the copies made go.
    prompts.answers.assign(4, kDeleteCopy);
    if (window)
        window->close();
    statistics.reset();
    window.reset();
    session.reset();
}

void ProgramTest::open(const std::string& path) {
    prompts.files.push_back(path);
    inMain<QAction>("openAction")->trigger();
    waitWhileBusy();
}

std::string ProgramTest::logFile(const std::string& name, const std::string& bytes) {
    writeFile(dir.file(name), bytes);
    return dir.file(name).string();
}

void ProgramTest::getStatistics() {
    inMain<QPushButton>("getStatisticsButton")->click();
    waitWhileBusy();
}

} // namespace quorvath::test
