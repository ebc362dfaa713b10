// File > Export web report... offscreen: the site of the open log as the
// report tool writes it (the golden demo site, byte for byte), counted first
// when it was not yet, written again with nothing changed, the history's site
// of a selection shown, cancelled with every page whole, and the outcomes
// said in the status line.

#include "core/history/history_import.h"
#include "core/history/sqlite/sqlite_history.h"
#include "core/web/site_folder.h"
#include "core/web/site_state.h"
#include "gui/app_texts.h"
#include "gui/statistics_texts.h"
#include "gui/ui_support.h"
#include "gui/web_report_export.h"

#include <QAction>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace quorvath {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> siteFiles(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = test::readFile(entry.path());
    return files;
}

class WebReportTest : public test::ProgramTest {
protected:
    void startWithDemoLog() {
        settings.set(settings_keys::Nick, "Quorvath");
        start();
        open(demoLog());
        window->webReport().setBrowserOpener([this](const QUrl& url) {
            opened.push_back(url);
            return true;
        });
    }
    // Export web report... into `folder`, waiting until the site is written.
    void exportInto(const fs::path& folder) {
        prompts.folders.push_back(folder.string());
        inMain<QAction>("exportWebReportAction")->trigger();
        ASSERT_TRUE(test::waitUntil([&] { return !session->busy() && !exporting(); }));
    }
    bool exporting() { return window->webReport().running(); }
    QString status() { return inMain<QLabel>("statusLabel")->text(); }

    std::vector<QUrl> opened;
};

TEST_F(WebReportTest, TheOpenLogsSiteIsTheReportToolsAndOpensInTheBrowser) {
    startWithDemoLog();
    const fs::path site = dir.file("site");
    exportInto(site); // the statistics are counted first
    EXPECT_TRUE(session->statistics().statisticsDone());
    const auto files = siteFiles(site);
    EXPECT_EQ(files, siteFiles(test::sourcePath("tests/golden/demo-site")));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0],
              QUrl::fromLocalFile(QString::fromStdString((site / "index.html").string())));
    EXPECT_EQ(status(), texts::webReportWritten(int(files.size()), 0,
                                                QString::fromStdString(site.string()), true));
    EXPECT_EQ(settings.get(settings_keys::WebReportFolder, ""), site.string());

    // Again, as counted already: the folder it wrote into is offered, nothing changed.
    exportInto(site);
    EXPECT_EQ(prompts.lastInitialFolder, site.string());
    EXPECT_EQ(status(), texts::webReportWritten(0, int(files.size()),
                                                QString::fromStdString(site.string()), true));

    // Linked as the statistics window shows it: the aliases' pages go.
    statistics->findChild<QAction*>("linkAliasesAction")->trigger();
    ASSERT_TRUE(session->statistics().linked());
    exportInto(dir.file("linked"));
    EXPECT_LT(siteFiles(dir.file("linked")).size(), files.size());
}

// A history selection shown: the history's own site (matches, maps,
// servers, ratings), the report tool's `html --history` but for the name it
// gives its counting.
TEST_F(WebReportTest, AHistorySelectionShownGetsTheHistorysSite) {
    const std::string prefix = dir.file("ctf").string();
    const std::string command = std::string("\"") + QUORVATH_GEN_LOG_TOOL +
                                "\" --match ctf --seed 4 --maps 2 --players 6 --out \"" + prefix +
                                "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string database = dir.file("history.sqlite").string();
    {
        std::unique_ptr<HistoryStore> store;
        ASSERT_FALSE(openSqliteHistory(database, store));
        LogImport result;
        ASSERT_FALSE(importLog(*store, prefix + "-games.log", result));
    }
    startWithDemoLog();
    session->showHistoryStatistics(database, {}, {}, "History: all matches");
    waitWhileBusy();
    const int players = session->players().playerCount();
    exportInto(dir.file("site")); // no log counted first: the selection as shown
    EXPECT_EQ(session->players().playerCount(), players);
    auto shown = siteFiles(dir.file("site"));
    shown.erase(web::SiteFolder::kManifestName); // its keys hash the counting's name too
    shown.erase(web::kStateName);                // and so does its identity
    EXPECT_EQ(status(),
              texts::webReportWritten(int(shown.size()), 0,
                                      QString::fromStdString(dir.file("site").string()), true));
    for (auto& [name, bytes] : shown) {
        const std::string shownName = "match history, Accurate counting";
        for (auto at = bytes.find(shownName); at != std::string::npos; at = bytes.find(shownName))
            bytes.replace(at, shownName.size(), "Accurate counting");
    }
    const std::string tool = std::string("\"") + QUORVATH_REPORT_TOOL + "\" html \"" +
                             dir.file("tool").string() + "\" --history --db \"" + database +
                             "\" --nick Quorvath >/dev/null";
    ASSERT_EQ(std::system(tool.c_str()), 0) << tool;
    auto written = siteFiles(dir.file("tool"));
    written.erase(web::SiteFolder::kManifestName);
    written.erase(web::kStateName);
    EXPECT_EQ(shown, written);
    for (const char* page : {"match-2.html", "map-1.html", "server-1.html", "ratings.html"})
        EXPECT_TRUE(shown.count(page)) << page;

    // A history that can no longer be read is named, in the status line and a message.
    test::writeFile(database, std::string(4096, 'x'));
    exportInto(dir.file("again"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find(database), std::string::npos) << prompts.messages[0];
    EXPECT_EQ(status().toStdString(), prompts.messages[0]);
}

TEST_F(WebReportTest, EveryOtherOutcomeIsSaid) {
    start();
    inMain<QAction>("exportWebReportAction")->trigger();
    EXPECT_EQ(status(), texts::NoLogToExport);
    open(demoLog());
    prompts.folders.push_back("");
    inMain<QAction>("exportWebReportAction")->trigger();
    EXPECT_EQ(status(), texts::NoWebReportFolder);

    // A folder that cannot be made is named, in the status line and a message.
    test::writeFile(dir.file("taken"), "a file");
    window->webReport().setBrowserOpener([](const QUrl&) { return false; });
    exportInto(dir.file("taken"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find(dir.file("taken").string()), std::string::npos);
    EXPECT_EQ(status().toStdString(), prompts.messages[0]);

    exportInto(dir.file("site"));
    EXPECT_TRUE(status().endsWith("; no browser opened it: open index.html there"))
        << status().toStdString();
}

TEST_F(WebReportTest, CancelStopsBeforeThePageInProgressAndLeavesEveryPageWhole) {
    startWithDemoLog();
    WebReportExport& exporter = window->webReport();
    const fs::path site = dir.file("site");
    // A site far longer than the test: Cancel stops it.
    ASSERT_TRUE(exporter.writeSite(site.string(), [](web::SiteFolder& folder) {
        for (int page = 0; page < 100000; ++page)
            if (!folder.put("page-" + std::to_string(page) + ".html", std::string(100, 'x')))
                return folder.error();
        return std::optional<std::string>();
    }));
    EXPECT_FALSE(inMain<QAction>("exportWebReportAction")->isEnabled());
    EXPECT_FALSE(exporter.writeSite(site.string(),
                                    [](web::SiteFolder&) { return std::optional<std::string>(); }));
    ASSERT_TRUE(test::waitUntil([&] { return exporter.progress().position() > 3; }));
    auto* progress = window->findChild<QProgressDialog*>("webReportProgress");
    ASSERT_NE(progress, nullptr);
    progress->findChild<QPushButton*>()->click();
    ASSERT_TRUE(test::waitUntil([&] { return !exporter.running(); }));
    const auto files = siteFiles(site);
    EXPECT_EQ(status(),
              texts::webReportCancelled(int(files.size()), QString::fromStdString(site.string())));
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(name.front(), 'p') << name; // no temporary file stays
        EXPECT_EQ(bytes.size(), 100u) << name;
    }
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(inMain<QAction>("exportWebReportAction")->isEnabled());
}

} // namespace
} // namespace quorvath
