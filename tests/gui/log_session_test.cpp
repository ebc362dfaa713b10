// Replacing the log while a statistics pass reads it: the pass is stopped and
// waited for before the old document goes, and the new log is what the
// windows then show and count.

#include "core/log/log_loader.h"
#include "core/stats/statistics_pass.h"
#include "gui/drag_list_widget.h"
#include "gui/log_view.h"
#include "gui/ui_support.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvath {
namespace {

using LogSessionTest = test::ProgramTest;

TEST_F(LogSessionTest, OpeningALogWhileAPassRunsStopsThePassAndShowsTheNewLog) {
    const std::string big = dir.file("big.log").string();
    const std::string command =
        std::string(QUORVATH_GEN_LOG_TOOL) + " --size-mb 32 --seed 5 --out " + big;
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string demo = demoLog();
    start();
    open(big);
    ASSERT_TRUE(prompts.messages.empty());

    inMain<QPushButton>("getStatisticsButton")->click();
    // Busy until the pass's end is taken from the event loop: it surely still
    // runs, or has at least not been taken in, when the log is replaced.
    ASSERT_TRUE(session->busy());
    int statisticsShown = 0; // only a finished pass shows statistics, never a load
    QObject::connect(session.get(), &LogSession::statisticsReady, [&] { ++statisticsShown; });
    prompts.answers = {test::kDeleteCopy}; // the big log's archive copy goes
    session->openLog(demo);
    waitWhileBusy();
    EXPECT_FALSE(session->statistics().statisticsDone()); // the stopped pass counted nothing
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(window->logView()->isHidden());
    EXPECT_EQ(inMain<QLabel>("statusLabel")->text(), "Ready - player console log");
    EXPECT_EQ(inStatistics<QLabel>("statusLabel")->text(), "Ready...");
    EXPECT_EQ(session->players().playerCount(), 0);
    EXPECT_EQ(inStatistics<DragListWidget>("playerList")->count(), 0);
    session->setNick("Joe");
    session->highlightNick();
    waitWhileBusy();
    EXPECT_EQ(statisticsShown, 0);

    // The demo log as the core alone loads and counts it.
    LogDocument doc;
    PlayerTable players;
    Progress progress;
    ASSERT_FALSE(loadLog(demo, doc, progress).has_value());
    EXPECT_EQ(session->document().text(), doc.text());
    runStatisticsPass(doc, players, progress);
    getStatistics();
    ASSERT_EQ(session->players().playerCount(), players.playerCount());
    for (int i = 0; i <= players.playerCount(); ++i)
        EXPECT_EQ(session->players()[i].counters, players[i].counters) << players[i].name;
}

// A log replaced while it still loads never reaches the screen: its archive
// copy goes, and only the copy of the log shown stays beside the logs.
TEST_F(LogSessionTest, ALogReplacedWhileItLoadsLeavesNoArchiveCopy) {
    const std::string sample = test::readFile(test::sourcePath("samples/demo.log"));
    const std::string first = logFile("first.log", sample);
    const std::string second = logFile("second.log", sample);
    start();
    session->openLog(first);
    ASSERT_TRUE(session->busy());
    session->openLog(second);
    waitWhileBusy();
    EXPECT_TRUE(prompts.messages.empty());
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        files.push_back(entry.path().filename().string().substr(0, 5));
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"first", "secon", "secon"}));
}

// Once ended, the program ends again at once without asking: a second close
// (the desktop's, as it logs out) is never refused.
TEST_F(LogSessionTest, OnceEndedItEndsAgainWithoutAsking) {
    start();
    open(logFile("a.log", test::readFile(test::sourcePath("samples/demo.log"))));
    prompts.answers = {test::kDeleteCopy};
    EXPECT_TRUE(session->end());
    const std::size_t asked = prompts.asked.size();
    EXPECT_TRUE(session->end());
    EXPECT_EQ(prompts.asked.size(), asked);
}

} // namespace
} // namespace quorvath
