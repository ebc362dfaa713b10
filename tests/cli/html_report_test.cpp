// quorvath-report html: the site of samples/demo.log byte for byte (golden
// files in tests/golden/demo-site), a log of hostile names shown as text (in
// the files and in the DOM of a real browser), every link between the pages
// resolving to a written file, nothing loaded from elsewhere, and the command's
// rewriting, templates and errors.
//
// After a deliberate change of the pages, regenerate the files and review the
// diff before committing:
//   QUORVATH_UPDATE_GOLDEN=1 ctest --test-dir build/test -R HtmlReport

#include "cli/report_tool_run.h"
#include "cli/site_checks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace quorvath::test;

TEST(HtmlReport, DemoSiteIsGolden) {
    TempDir dir;
    const auto run =
        runReportTool(dir, "html \"" + dir.file("site").string() + "\" \"" +
                               sourcePath("samples/demo.log").string() + "\" --nick Quorvath");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto files = siteFiles(dir.file("site"));
    const fs::path golden = sourcePath("tests/golden/demo-site");
    if (std::getenv("QUORVATH_UPDATE_GOLDEN")) {
        fs::remove_all(golden);
        fs::create_directories(golden);
        for (const auto& [name, bytes] : files)
            writeFile(golden / name, bytes);
    }
    EXPECT_EQ(files, siteFiles(golden));
    expectSelfContained(files);
    expectValidHtml(dir.file("site"));
    EXPECT_EQ(files.size(), 1u + 1u + 13u + 29u); // index, style, players, one page per category
}

TEST(HtmlReport, HostileNamesAreText) {
    TempDir dir;
    writeFile(dir.file("games.log"), kHostileLog);
    const fs::path site = dir.file("site");
    const auto run = runReportTool(dir, "html \"" + site.string() + "\" \"" +
                                            dir.file("games.log").string() + "\"");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto files = siteFiles(site);
    expectSelfContained(files);
    expectValidHtml(site);
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(bytes.find("<script"), std::string::npos) << name;
        EXPECT_EQ(bytes.find("<img"), std::string::npos) << name;
    }
    const std::string& index = files.at("index.html");
    EXPECT_NE(index.find(kScriptText), std::string::npos);
    EXPECT_NE(index.find(kImageText), std::string::npos);
    EXPECT_NE(index.find("Red &amp; Co"), std::string::npos);
    // A game log records no objectives: no card of them (the demo's console log has one).
    EXPECT_EQ(index.find("<h3>Objectives</h3>"), std::string::npos);
    // The most one-sided nemesis: he killed the image three times, was killed once back.
    EXPECT_NE(
        index.find("(3) over <a href=\"player-2.html\">" + kImageText + "</a>, who killed back 1"),
        std::string::npos)
        << index;

    QUORVATH_SKIP_WITHOUT_BROWSER();
    const Browser browser;
    for (const char* page : {"index.html", "player-1.html", "player-2.html", "ranking-01.html"}) {
        const std::string dom = browser.dom(site / page);
        EXPECT_NE(dom.find(kScriptText), std::string::npos) << page << dom;
        EXPECT_NE(dom.find("&lt;img src=x&gt;"), std::string::npos) << page << dom;
        EXPECT_EQ(dom.find("<script"), std::string::npos) << page;
        EXPECT_EQ(dom.find("<img"), std::string::npos) << page;
    }
}

// On a phone a long name wraps, and each figure stays on the screen beside its
// own name: in a list, within that name's entry. A copy of each page measures
// them (headless chromium lays out no narrower than 500 px).
TEST(HtmlReport, ALongNameLeavesEachFigureBesideItsOwnNameOnAPhone) {
    TempDir dir;
    std::string log = kHostileLog;
    log.replace(log.find("^1Red^7 & Co"), 12, "^1Red^7" + std::string(60, 'W'));
    writeFile(dir.file("games.log"), log);
    const fs::path site = dir.file("site");
    ASSERT_EQ(runReportTool(dir, "html \"" + site.string() + "\" \"" +
                                     dir.file("games.log").string() + "\"")
                  .status,
              0);
    QUORVATH_SKIP_WITHOUT_BROWSER();
    const Browser browser;
    for (const auto& file : fs::directory_iterator(site)) {
        const std::string name = file.path().filename().string();
        if (name != "ranking-01.html" && !name.starts_with("player-"))
            continue; // the rankings are all one template
        std::string page = readFile(file.path());
        page.insert(
            page.find("</body>"),
            "<script>let fits = true; for (const c of document.querySelectorAll('.value')) "
            "{ const r = c.getBoundingClientRect(), entry = c.closest('li'); "
            "const e = entry ? entry.getBoundingClientRect() : r; "
            "fits = fits && r.right <= innerWidth && r.top >= e.top && r.bottom <= e.bottom; "
            "} document.body.dataset.fits = fits;</script>");
        writeFile(site / "probe.html", page);
        const std::string dom = browser.dom(site / "probe.html", "390,844");
        EXPECT_NE(dom.find("data-fits=\"true\""), std::string::npos) << name;
    }
}

// Screenshots of the demo site for a person to look at, at a phone's width
// and a desktop's, in the build folder.
TEST(HtmlReport, ScreenshotsAreTaken) {
    TempDir dir;
    const fs::path site = dir.file("site");
    ASSERT_EQ(runReportTool(dir, "html \"" + site.string() + "\" \"" +
                                     sourcePath("samples/demo.log").string() + "\"")
                  .status,
              0);
    const fs::path shots = QUORVATH_WEB_SCREENSHOTS;
    fs::create_directories(shots);
    QUORVATH_SKIP_WITHOUT_BROWSER();
    const Browser browser;
    for (const char* page : {"index", "player-4", "ranking-02"}) {
        browser.screenshot(site / (std::string(page) + ".html"), "390,844",
                           shots / (std::string(page) + "-phone.png"));
        browser.screenshot(site / (std::string(page) + ".html"), "1280,900",
                           shots / (std::string(page) + "-desktop.png"));
    }
}

TEST(HtmlReport, WritingAgainWritesNothing) {
    TempDir dir;
    const std::string args = "html \"" + dir.file("site").string() + "\" \"" +
                             sourcePath("samples/demo.log").string() + "\"";
    ASSERT_EQ(runReportTool(dir, args).status, 0);
    const auto again = runReportTool(dir, args);
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("0 pages written, 44 unchanged"), std::string::npos) << again.out;
    const auto linked = runReportTool(dir, args + " --linked");
    EXPECT_EQ(linked.status, 0) << linked.err;
    expectSelfContained(siteFiles(dir.file("site")));
}

TEST(HtmlReport, ClanTemplatesAreUsed) {
    TempDir dir;
    const fs::path templates = dir.file("templates");
    fs::copy(sourcePath("src/core/web/templates"), templates);
    writeFile(templates / "index.mustache", "{{> header}}<p>Our clan</p>{{> footer}}");
    const std::string log = " \"" + sourcePath("samples/demo.log").string() + "\"";
    const auto run = runReportTool(dir, "html \"" + dir.file("site").string() + "\"" + log +
                                            " --templates \"" + templates.string() + "\"");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(readFile(dir.file("site") / "index.html").find("<p>Our clan</p>"), std::string::npos);

    writeFile(templates / "player.mustache", "{{#sheet}}");
    const auto broken = runReportTool(dir, "html \"" + dir.file("other").string() + "\"" + log +
                                               " --templates \"" + templates.string() + "\"");
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find((templates / "player.mustache").string()), std::string::npos)
        << broken.err;
    EXPECT_FALSE(fs::exists(dir.file("other")));
}

TEST(HtmlReport, ErrorsNameTheFileOrFolder) {
    TempDir dir;
    writeFile(dir.file("taken"), "a file");
    const std::string log = " \"" + sourcePath("samples/demo.log").string() + "\"";
    const auto folder = runReportTool(dir, "html \"" + dir.file("taken").string() + "\"" + log);
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err.find("\"" + dir.file("taken").string() + "\""), std::string::npos)
        << folder.err;

    const auto missing =
        runReportTool(dir, "html \"" + dir.file("site").string() + "\" nothing.log");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nothing.log"), std::string::npos) << missing.err;

    const auto nick =
        runReportTool(dir, "html \"" + dir.file("site").string() + "\"" + log + " --nick Nobody");
    EXPECT_EQ(nick.status, 0);
    EXPECT_NE(nick.err.find("no player is named \"Nobody\""), std::string::npos) << nick.err;

    EXPECT_EQ(runReportTool(dir, "html only-a-folder").status, 2);
    EXPECT_EQ(runReportTool(dir, "html a b --colour red").status, 2);
    const auto help = runReportTool(dir, "html --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--templates"), std::string::npos) << help.out;
}

} // namespace
