// quorvath-report html --history: the site of a history read back from a real
// browser's DOM agrees with the history's own queries (maps, the Kills
// ranking, a player's matches, and each of those matches' scoreboards, the
// ratings and a player's rating over time), every link resolves, every page
// is valid HTML, hostile names are text, a site is rewritten only where it
// changed (the pages it skips never stale), and screenshots of each page kind.

#include "cli/report_tool_run.h"
#include "cli/site_checks.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace quorvath::test;
using nlohmann::json;

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// A history of two generated logs (a ctf server's game log and a dm
// dedicated server's console log) in `dir`; its --db argument.
std::string generatedHistory(const TempDir& dir) {
    for (const auto& [type, seed] : {std::pair{"ctf", "5"}, {"dm", "6"}}) {
        const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " +
                                     type + " --seed " + seed + " --maps 3 --out " +
                                     quoted(dir.file(type).string());
        EXPECT_EQ(std::system(generate.c_str()), 0);
    }
    const std::string db = "--db " + quoted(dir.file("history.sqlite").string());
    const auto import =
        runReportTool(dir, "history import " + db + " " + quoted(dir.file("ctf-games.log")) + " " +
                               quoted(dir.file("dm-server.log")));
    EXPECT_EQ(import.status, 0) << import.err;
    return db;
}

json queried(const TempDir& dir, const std::string& args) {
    const auto run = runReportTool(dir, args + " --format json --encoding utf-8");
    EXPECT_EQ(run.status, 0) << args << run.err;
    return json::parse(run.out);
}

// A name as text: tags and colour codes gone, entities read.
std::string plainText(std::string html) {
    html = std::regex_replace(html, std::regex("<[^>]*>"), "");
    for (const auto& [entity, text] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}})
        html = std::regex_replace(html, std::regex(entity), text);
    return html;
}

std::string withoutCodes(const std::string& name) {
    return std::regex_replace(name, std::regex("\\^."), "");
}

std::vector<std::smatch> allMatches(const std::string& text, const std::regex& pattern) {
    return {std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()};
}
// The matches point into the text: it must outlive them.
std::vector<std::smatch> allMatches(std::string&& text, const std::regex& pattern) = delete;

// A rating as the lists show it: its figure, and the provisional mark (after
// the name in a ranking, after the figure in a player's table).
const std::string kMark = "( <span class=\"none\">provisional</span>)?";
const std::string kFigure = "<td class=\"value\"[^>]*>(-?[\\d.]+)";

void expectRating(const std::smatch& shown, std::size_t figure, std::size_t mark, const json& row) {
    EXPECT_DOUBLE_EQ(std::stod(shown[figure]), row["rating"].get<double>());
    EXPECT_EQ(shown[mark].matched, row.contains("provisional") ? row["provisional"] == "provisional"
                                                               : row["sigma"].get<double>() > 8.0);
}

// The rating ranking (the whole of it and the index's card) as history
// ratings gives it, and the leader's rating over time as rating-history.
void expectRatingsOf(const TempDir& dir, const std::string& db, const fs::path& site,
                     const Browser& browser) {
    const json ratings = queried(dir, "history ratings " + db);
    ASSERT_GT(ratings.size(), 5u);
    const std::string ranking = browser.dom(site / "ratings.html");
    const auto rows = allMatches(
        ranking, std::regex("<td class=\"place\">(\\d+)</td><td><a href=\"(player-\\d+)\\.html\">"
                            "(.*?)</a>" +
                            kMark + "</td>" + kFigure + "</td>"));
    ASSERT_EQ(rows.size(), ratings.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(plainText(rows[i][3]), withoutCodes(ratings[i]["name"]));
        expectRating(rows[i], 5, 4, ratings[i]);
        // Equal ratings share a place (equal figures may hide unequal ratings); a lower one
        // takes its row's number.
        const std::size_t place = std::stoul(rows[i][1]);
        if (i == 0 || rows[i][5] != rows[i - 1][5])
            EXPECT_EQ(place, i + 1);
        else
            EXPECT_TRUE(place == i + 1 || place == std::stoul(rows[i - 1][1])) << place;
    }
    const std::string index = browser.dom(site / "index.html");
    const auto card = index.substr(index.find("<a href=\"ratings.html\">Rating</a>"));
    const std::string cardList = card.substr(0, card.find("</ol>"));
    const auto leaders = allMatches(
        cardList,
        std::regex("<li value=\"\\d+\"><a href=\"player-\\d+\\.html\">(.*?)</a>( <span "
                   "class=\"none\">provisional</span>)? <span class=\"value\">(-?[\\d.]+)<"));
    ASSERT_EQ(leaders.size(), 5u);
    for (std::size_t i = 0; i < leaders.size(); ++i) {
        EXPECT_EQ(plainText(leaders[i][1]), withoutCodes(ratings[i]["name"]));
        expectRating(leaders[i], 3, 2, ratings[i]);
    }

    // The leader's page: his rating, the chart's points, his last rated matches newest first.
    const std::string leader = ratings[0]["name"];
    const json steps = queried(dir, "history rating-history " + db + " " + quoted(leader));
    const std::string page = browser.dom(site / (rows[0][2].str() + ".html"));
    EXPECT_NE(page.find("<p>" + std::string(rows[0][5]) + " "), std::string::npos);
    std::smatch line;
    ASSERT_TRUE(std::regex_search(page, line, std::regex("<polyline[^>]*points=\"([^\"]*)\"")));
    const std::string points = line[1];
    EXPECT_EQ(std::count(points.begin(), points.end(), ','), long(steps.size()));
    const auto shown =
        allMatches(page, std::regex("<tr><td class=\"date\">([^<]*)</td><td>([^<]*)</td><td "
                                    "class=\"wide\">.*?</td>" +
                                    kFigure + kMark + "</td>"));
    ASSERT_EQ(shown.size(), std::min<std::size_t>(steps.size(), 10));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const json& step = steps[steps.size() - 1 - i];
        EXPECT_EQ(shown[i][1].str(), step["date"]);
        EXPECT_EQ(shown[i][2].str(), step["map"]);
        expectRating(shown[i], 3, 4, step);
    }
    // Every page says whether its player is rated.
    for (const auto& [name, bytes] : siteFiles(site)) {
        const bool playerPage = std::regex_match(name, std::regex("player-\\d+\\.html"));
        EXPECT_TRUE(!playerPage || bytes.find("<h2>Rating</h2>") != std::string::npos) << name;
    }
}

TEST(HtmlHistory, FiguresInTheBrowserAreTheHistorysQueries) {
    TempDir dir;
    const std::string db = generatedHistory(dir);
    const fs::path site = dir.file("site");
    const auto run = runReportTool(dir, "html " + quoted(site.string()) + " --history " + db);
    ASSERT_EQ(run.status, 0) << run.err;
    expectSelfContained(siteFiles(site));
    expectValidHtml(site);
    const Browser browser;

    // A page per map, with the figures of history maps.
    const json maps = queried(dir, "history maps " + db);
    int matches = 0;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const std::string dom = browser.dom(site / ("map-" + std::to_string(i + 1) + ".html"));
        std::smatch figures;
        ASSERT_TRUE(std::regex_search(dom, figures,
                                      std::regex("(\\d+) matches, (\\d+) players, (\\d+) kills")))
            << dom;
        EXPECT_EQ(std::stoi(figures[1]), maps[i]["matches"]);
        EXPECT_EQ(std::stoi(figures[2]), maps[i]["players"]);
        EXPECT_EQ(std::stoi(figures[3]), maps[i]["kills"]);
        EXPECT_NE(dom.find("Map: " + maps[i]["map"].get<std::string>()), std::string::npos);
        matches += maps[i]["matches"].get<int>();
    }
    EXPECT_FALSE(fs::exists(site / ("map-" + std::to_string(maps.size() + 1) + ".html")));
    EXPECT_TRUE(fs::exists(site / ("match-" + std::to_string(matches) + ".html")));
    EXPECT_FALSE(fs::exists(site / ("match-" + std::to_string(matches + 1) + ".html")));

    // The Kills ranking, place by place.
    const json kills = queried(dir, "history " + db + " --ranking Kills");
    const std::string ranking = browser.dom(site / "ranking-01.html");
    const auto rows = allMatches(
        ranking, std::regex("<td class=\"place\">(\\d+)</td><td><a href=\"(player-\\d+)\\.html\">"
                            "(.*?)</a></td><td class=\"value\">(\\d+)</td>"));
    ASSERT_EQ(rows.size(), kills.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(std::stoi(rows[i][1]), kills[i]["rank"]);
        EXPECT_EQ(plainText(rows[i][3]), withoutCodes(kills[i]["name"]));
        EXPECT_EQ(std::stoi(rows[i][4]), kills[i]["value"]);
    }

    // The leader's matches, newest first, as history matches lists them (all
    // of them on his page: he played no more than ten), and each match's
    // scoreboard gives him the same kills.
    ASSERT_FALSE(rows.empty());
    const std::string leader = kills[0]["name"], page = rows[0][2];
    const json played = queried(dir, "history matches " + db + " " + quoted(leader));
    EXPECT_LE(played.size(), 10u);
    EXPECT_FALSE(fs::exists(site / (page + "-matches.html")));
    const std::string list = browser.dom(site / (page + ".html"));
    const auto shown = allMatches(
        list,
        std::regex("<tr><td class=\"date\"><a href=\"(match-\\d+\\.html)\">([^<]*)</a></td>.*?"
                   "<td class=\"value\">(\\d+)</td><td class=\"value\">(\\d+)</td></tr>"));
    ASSERT_EQ(shown.size(), played.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const json& row = played[played.size() - 1 - i];
        EXPECT_EQ(shown[i][2].str(), row["date"]);
        EXPECT_EQ(std::stoi(shown[i][3]), row["kills"]);
        EXPECT_EQ(std::stoi(shown[i][4]), row["deaths"]);
        const std::string match = readFile(site / shown[i][1].str());
        std::smatch board;
        ASSERT_TRUE(std::regex_search(
            match, board,
            std::regex("href=\"" + page + "\\.html\">.*?</a></td><td class=\"value\">(\\d+)<")))
            << shown[i][1];
        EXPECT_EQ(std::stoi(board[1]), row["kills"]) << shown[i][1];
        // Who killed whom: his victims add up to his kills.
        std::smatch victims;
        std::regex_search(
            match, victims,
            std::regex("<span class=\"killer\"><a href=\"" + page + "\\.html\">.*?</li>"));
        const std::string line = victims.str(); // none when he killed nobody
        int killed = 0;
        for (const auto& count :
             allMatches(line, std::regex("<span class=\"count\">(\\d+)</span>")))
            killed += std::stoi(count[1]);
        EXPECT_EQ(killed, row["kills"]) << shown[i][1];
    }
    expectRatingsOf(dir, db, site, browser);
}

// A player's console log records the objectives, a server's game log none:
// its matches' scoreboards show none rather than a column of zeros.
// A player's console log records no objectives, no map and no game type: its
// match says so, where a server's game log's shows them.
TEST(HtmlHistory, WhatALogDoesNotRecordIsSaidSo) {
    TempDir dir;
    const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL +
                                 "\" --match ctf --seed 5 --maps 1 --out " +
                                 quoted(dir.file("ctf").string());
    ASSERT_EQ(std::system(generate.c_str()), 0);
    const std::string db = "--db " + quoted(dir.file("history.sqlite").string());
    ASSERT_EQ(runReportTool(dir, "history import " + db + " " +
                                     quoted(dir.file("ctf-console.log")) + " " +
                                     quoted(dir.file("ctf-games.log")))
                  .status,
              0);
    const fs::path site = dir.file("site");
    ASSERT_EQ(runReportTool(dir, "html " + quoted(site.string()) + " --history " + db).status, 0);
    int consoles = 0;
    for (const char* page : {"match-1.html", "match-2.html"}) {
        const std::string match = readFile(site / page);
        const bool console = match.find("ctf-console.log") != std::string::npos;
        consoles += console;
        EXPECT_EQ(match.find("does not record objectives") == std::string::npos, console) << page;
        EXPECT_EQ(match.find("<td class=\"value wide\">&ndash;</td>") == std::string::npos, console)
            << page;
        std::smatch map;
        ASSERT_TRUE(std::regex_search(match, map,
                                      std::regex("<h1><a href=\"(map-\\d)\\.html\">([^<]*)</a>")));
        EXPECT_EQ(map[2] == "unknown map", console) << page;
        EXPECT_EQ(match.find("(UTC), unknown type, ") != std::string::npos, console) << page;
        EXPECT_NE(readFile(site / (map[1].str() + ".html")).find("<h1>Map: " + map[2].str()),
                  std::string::npos)
            << page;
    }
    EXPECT_EQ(consoles, 1);
}

TEST(HtmlHistory, HostileNamesAreText) {
    TempDir dir;
    writeFile(dir.file("games.log"), kHostileLog);
    const std::string db = "--db " + quoted(dir.file("history.sqlite").string());
    ASSERT_EQ(
        runReportTool(dir, "history import " + db + " " + quoted(dir.file("games.log"))).status, 0);
    const fs::path site = dir.file("site");
    const auto run = runReportTool(dir, "html " + quoted(site.string()) + " --history " + db);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto files = siteFiles(site);
    expectSelfContained(files);
    expectValidHtml(site);
    QUORVATH_SKIP_WITHOUT_BROWSER();
    const Browser browser;
    for (const char* page : {"index.html", "match-1.html", "map-1.html", "server-1.html",
                             "player-1.html", "ratings.html"}) {
        const std::string dom = browser.dom(site / page);
        EXPECT_NE(dom.find(kScriptText), std::string::npos) << page << dom;
        EXPECT_EQ(dom.find("<script"), std::string::npos) << page;
        EXPECT_EQ(dom.find("<img"), std::string::npos) << page;
    }
    EXPECT_NE(files.at("match-1.html").find(kImageText), std::string::npos);
}

// Screenshots of each page kind the history adds, at a phone's width and a
// desktop's, in the build folder for a person to look at.
TEST(HtmlHistory, ScreenshotsAreTaken) {
    TempDir dir;
    const std::string db = generatedHistory(dir);
    const fs::path site = dir.file("site");
    ASSERT_EQ(runReportTool(dir, "html " + quoted(site.string()) + " --history " + db).status, 0);
    const fs::path shots = QUORVATH_WEB_SCREENSHOTS;
    fs::create_directories(shots);
    QUORVATH_SKIP_WITHOUT_BROWSER();
    const Browser browser;
    for (const char* page : {"index", "player-1", "match-2", "map-1", "map-1-matches", "server-1",
                             "matches", "ratings"}) {
        const fs::path html = site / (std::string(page) + ".html");
        browser.screenshot(html, "390,844",
                           shots / ("history-" + std::string(page) + "-phone.png"));
        browser.screenshot(html, "1280,900",
                           shots / ("history-" + std::string(page) + "-desktop.png"));
    }
    // The whole of a player's page: his rating lies below the first screen.
    browser.screenshot(site / "player-1.html", "390,3200",
                       shots / "history-player-1-whole-phone.png");
    browser.screenshot(site / "player-1.html", "1280,1800",
                       shots / "history-player-1-whole-desktop.png");
}

TEST(HtmlHistory, WritingAgainWritesOnlyWhatChanged) {
    TempDir dir;
    const std::string db = generatedHistory(dir);
    const std::string site = quoted(dir.file("site").string());
    const auto first = runReportTool(dir, "html " + site + " --history " + db);
    ASSERT_EQ(first.status, 0) << first.err;
    const auto again = runReportTool(dir, "html " + site + " --history " + db);
    EXPECT_NE(again.out.find("quorvath-report: 0 pages written"), std::string::npos) << again.out;

    // An import with --html writes the site again: the old matches' pages stay.
    // (A log of matches not yet stored: the other kinds of the same matches add none.)
    const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL +
                                 "\" --match elim --seed 7 --maps 1 --out " +
                                 quoted(dir.file("elim").string());
    ASSERT_EQ(std::system(generate.c_str()), 0);
    const auto import = runReportTool(dir, "history import " + db + " --html " + site + " " +
                                               quoted(dir.file("elim-games.log")));
    EXPECT_EQ(import.status, 0) << import.err;
    std::smatch counts;
    ASSERT_TRUE(
        std::regex_search(import.out, counts, std::regex("(\\d+) pages written, (\\d+) unchanged")))
        << import.out;
    EXPECT_GT(std::stoi(counts[1]), 0);
    EXPECT_GT(std::stoi(counts[2]), 0);

    const auto linked = runReportTool(dir, "html " + site + " --history " + db +
                                               " --linked --min-matches 2 --map mp_shop");
    EXPECT_EQ(linked.status, 0) << linked.err;
    const json rated = queried(dir, "history ratings " + db + " --linked --map mp_shop");
    const std::string ratings = readFile(dir.file("site") / "ratings.html");
    EXPECT_EQ(allMatches(ratings, std::regex("<td class=\"place\">")).size(), rated.size());
    expectSelfContained(siteFiles(dir.file("site")));
    expectValidHtml(dir.file("site"));
}

// The pages a write skips as unchanged (its manifest holds what they were made
// from) are what a write into an empty folder gives, after each kind of change.
TEST(HtmlHistory, SkippedPagesAreNeverStale) {
    TempDir dir;
    const std::string db = generatedHistory(dir);
    const fs::path kept = dir.file("kept");
    const fs::path templates = dir.file("templates");
    fs::copy(sourcePath("src/core/web/templates"), templates);
    const json players = queried(dir, "history " + db + " --players");
    const std::string merge = "history merge " + db + " " +
                              quoted(players[1]["name"].get<std::string>()) + " " +
                              quoted(players[2]["name"].get<std::string>());
    for (const auto& [type, seed] : {std::pair{"elim", "7"}, {"inf", "8"}, {"dem", "9"}}) {
        const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " +
                                     type + " --seed " + seed + " --maps 2 --out " +
                                     quoted(dir.file(type).string());
        ASSERT_EQ(std::system(generate.c_str()), 0);
    }
    // A log that grows: its last match is stored unfinished, then whole.
    const std::string grown = readFile(dir.file("inf-games.log"));
    const fs::path growing = dir.file("growing.log");
    writeFile(growing, grown.substr(0, grown.size() * 3 / 4));
    // A log dated before every other: its matches come first.
    fs::last_write_time(dir.file("dem-server.log"),
                        fs::file_time_type::clock::now() - std::chrono::hours(24 * 365));
    const auto import = [&](const std::string& log) { return "history import " + db + " " + log; };
    const struct {
        std::string change; // a command of the tool, run first
        std::string options;
    } steps[] = {
        {"", ""},
        {import(quoted(dir.file("elim-games.log").string())), ""},
        {import(quoted(growing.string())), ""},
        {"", ""},
        {import(quoted(growing.string())), ""}, // grown to the whole log meanwhile
        {import(quoted(dir.file("dem-server.log").string())), ""},
        {"", ""}, // the kept state damaged meanwhile
        {merge, " --linked"},
        {"", ""},
        {"", " --nick " + quoted(players[3]["name"].get<std::string>())},
        {"", " --min-matches 2"},
        {"", " --bots"},
        {"", " --templates " + quoted(templates.string())},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        if (i == std::size(steps) - 1)
            writeFile(templates / "match.mustache", "{{> header}}<p>Ours</p>{{> footer}}");
        if (i == 4)
            writeFile(growing, grown);
        if (i == 6)
            writeFile(kept / ".quorvath-site", readFile(kept / ".quorvath-site").substr(0, 99));
        if (!steps[i].change.empty()) {
            ASSERT_EQ(runReportTool(dir, steps[i].change).status, 0);
        }
        const fs::path fresh = dir.file("fresh-" + std::to_string(i));
        for (const fs::path& site : {kept, fresh}) {
            const auto run = runReportTool(dir, "html " + quoted(site.string()) + " --history " +
                                                    db + steps[i].options);
            ASSERT_EQ(run.status, 0) << run.err;
        }
        const auto keptFiles = siteFiles(kept);
        EXPECT_TRUE(keptFiles.contains(".quorvath-site"));
        for (const auto& [name, bytes] : siteFiles(fresh))
            if (!name.starts_with(".quorvath-")) {
                EXPECT_EQ(keptFiles.at(name), bytes) << name;
            }
    }
}

// The match pages a list links to, newest first.
std::vector<int> listedMatches(const std::string& page) {
    std::vector<int> numbers;
    for (const auto& m :
         allMatches(page, std::regex("<td class=\"date\"><a href=\"match-(\\d+)\\.html\"")))
        numbers.push_back(std::stoi(m[1]));
    return numbers;
}

std::vector<int> newestFirst(int from, int to) {
    std::vector<int> numbers;
    for (int n = to; n >= from; --n)
        numbers.push_back(n);
    return numbers;
}

// A list of more than 100 matches: its first page the newest 100, then
// blocks of 100 from the oldest that later matches leave as they were; a
// site written on from before is what a write into an empty folder gives.
TEST(HtmlHistory, ALongListKeepsItsBlocksAsMatchesAreAdded) {
    TempDir dir;
    const std::string db = "--db " + quoted(dir.file("history.sqlite").string());
    const fs::path kept = dir.file("kept");
    std::string oldest; // the oldest block as first written
    const struct {
        const char* type;
        const char* maps;
        int matches; // in the history after its import
    } logs[] = {{"dm", "120", 121}, {"elim", "2", 124}, {"dm", "80", 205}};
    for (std::size_t i = 0; i < std::size(logs); ++i) {
        SCOPED_TRACE(i);
        const std::string out = dir.file("log-" + std::to_string(i)).string();
        const std::string generate = std::string("\"") + QUORVATH_GEN_LOG_TOOL + "\" --match " +
                                     logs[i].type + " --seed " + std::to_string(20 + i) +
                                     " --maps " + logs[i].maps + " --out " + quoted(out);
        ASSERT_EQ(std::system(generate.c_str()), 0);
        ASSERT_EQ(
            runReportTool(dir, "history import " + db + " " + quoted(out + "-games.log")).status,
            0);
        const fs::path fresh = dir.file("fresh-" + std::to_string(i));
        for (const fs::path& site : {kept, fresh})
            ASSERT_EQ(
                runReportTool(dir, "html " + quoted(site.string()) + " --history " + db).status, 0);
        const auto files = siteFiles(fresh);
        const auto keptFiles = siteFiles(kept);
        for (const auto& [name, bytes] : files)
            if (!name.starts_with(".quorvath-")) {
                EXPECT_EQ(keptFiles.at(name), bytes) << name;
            }
        expectSelfContained(keptFiles);

        const int count = logs[i].matches, blocks = (count + 99) / 100;
        EXPECT_EQ(listedMatches(files.at("matches.html")), newestFirst(count - 99, count));
        for (int block = 1; block <= blocks; ++block)
            EXPECT_EQ(listedMatches(files.at("matches-" + std::to_string(block) + ".html")),
                      newestFirst(100 * block - 99, std::min(count, 100 * block)))
                << block;
        EXPECT_FALSE(files.contains("matches-" + std::to_string(blocks + 1) + ".html"));
        if (i == 0)
            oldest = files.at("matches-1.html");
        EXPECT_EQ(files.at("matches-1.html"), oldest);
        EXPECT_NE(files.at("matches.html")
                      .find("<nav class=\"pages\"><strong>newest</strong> <a href=\"matches-" +
                            std::to_string(blocks - 1) +
                            ".html\">older</a> <a href=\"matches-1.html\">oldest</a></nav>"),
                  std::string::npos);
        EXPECT_NE(files.at("matches-2.html")
                      .find("<a href=\"matches.html\">newest</a>" +
                            std::string(blocks > 2 ? " <a href=\"matches-3.html\">newer</a>" : "") +
                            " <strong>101&ndash;" + std::to_string(std::min(count, 200)) +
                            "</strong> <a href=\"matches-1.html\">older</a> <a "
                            "href=\"matches-1.html\">oldest</a></nav>"),
                  std::string::npos);
    }
    expectValidHtml(kept);
    const fs::path shots = QUORVATH_WEB_SCREENSHOTS;
    fs::create_directories(shots);
    QUORVATH_SKIP_WITHOUT_BROWSER();
    const Browser browser;
    for (const char* page : {"matches", "matches-2"})
        for (const auto& [size, device] : {std::pair{"390,844", "phone"}, {"1280,900", "desktop"}})
            browser.screenshot(kept / (std::string(page) + ".html"), size,
                               shots /
                                   ("history-long-" + std::string(page) + "-" + device + ".png"));
}

TEST(HtmlHistory, WrongCommandLinesAndMissingHistories) {
    TempDir dir;
    const std::string site = quoted(dir.file("site").string());
    EXPECT_EQ(runReportTool(dir, "html " + site).status, 2);
    EXPECT_EQ(runReportTool(dir, "html " + site + " some.log --history").status, 2);
    EXPECT_EQ(runReportTool(dir, "html " + site + " some.log --db h.sqlite").status, 2);
    EXPECT_EQ(runReportTool(dir, "html " + site + " --history --since yesterday").status, 2);
    const auto missing = runReportTool(dir, "html " + site + " --history --db " +
                                                quoted(dir.file("none.sqlite").string()));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(dir.file("none.sqlite").string()), std::string::npos) << missing.err;
}

} // namespace
