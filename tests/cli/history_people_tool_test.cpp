// quorvath-report history's people and tables: the committed server game log
// tests/golden/match-ctf-games.log imported with --date 2026-01-02 prints
// the bytes of tests/golden/history/ROW.out for each row (bots left out of
// rankings and top lists unless --bots, the minimum activity, the people,
// maps, servers, a player's matches and the ratings in each format); merges and splits
// fold people under --linked until forgotten.
//
// After a deliberate change of an output, regenerate the files and review the
// diff before committing:
//   QUORVATH_UPDATE_GOLDEN=1 ctest --test-dir build/test -R HistoryPeopleTool

#include "cli/report_tool_run.h"
#include "support/history_backend.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace quorvath::test;

struct Row {
    const char* name;
    const char* args; // after "history --db DB"
};

constexpr Row kRows[] = {
    {"people", "people"},
    {"people-csv", "people --format csv"},
    {"maps", "maps"},
    {"servers-json", "servers --format json"},
    {"matches-mullins", "matches Mullins"},
    {"matches-mullins-linked", "matches Mullins --linked --format csv"},
    {"ratings", "ratings"},
    {"ratings-linked-json", "ratings --linked --format json"},
    {"rating-history-mullins", "rating-history Mullins --linked --format csv"},
    {"ranking-kills", "--ranking Kills"},
    {"ranking-kills-bots", "--ranking Kills --bots"},
    {"ranking-kills-min-kills", "--ranking Kills --min-kills 5"},
    {"ranking-kills-min-matches", "--ranking Kills --min-matches 2"},
    {"ranking-kills-min-matches-linked", "--ranking Kills --min-matches 2 --linked"},
    {"top-kane", "--top Kane"},
    {"top-kane-bots", "--top Kane --bots"},
};

// The history of the committed log, in `dir`; "--db FILE".
std::string importedHistory(const TempDir& dir) {
    const std::string db = "--db '" + historyAt(dir.file("h.sqlite").string()) + "'";
    const auto run =
        runReportTool(dir, "history import --date 2026-01-02 " + db + " '" +
                               sourcePath("tests/golden/match-ctf-games.log").string() + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    return db;
}

TEST(HistoryPeopleTool, EveryTableAndRankingOfTheCommittedLog) {
    const bool update = std::getenv("QUORVATH_UPDATE_GOLDEN") != nullptr;
    const fs::path folder = sourcePath("tests/golden/history");
    if (update)
        fs::create_directories(folder);
    TempDir dir;
    const std::string db = importedHistory(dir);
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const auto run =
            runReportTool(dir, "history " + db + " " + row.args + " --encoding cp1252");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const fs::path file = folder / (std::string(row.name) + ".out");
        if (update)
            writeFile(file, run.out);
        else
            EXPECT_EQ(run.out, readFile(file));
    }
}

TEST(HistoryPeopleTool, AMergeFoldsTwoNamesUntilForgottenAndASplitUndoesALink) {
    TempDir dir;
    const std::string db = importedHistory(dir);
    const auto history = [&](const std::string& args) {
        return runReportTool(dir, "history " + db + " " + args + " --encoding cp1252");
    };
    const std::string before = history("--sheets --linked").out;
    const auto merge = runReportTool(dir, "history merge " + db + " Sam Samuel");
    EXPECT_EQ(merge.status, 0) << merge.err;
    EXPECT_EQ(merge.out,
              "\"Sam\" and \"Samuel\" are one person (decision 1; history forget 1 undoes it)\n");
    EXPECT_NE(history("--players --linked").out.find("Sam (Samuel)\r\n"), std::string::npos);
    EXPECT_EQ(history("--sheets").out.find("Sam (Samuel)"), std::string::npos); // unlinked
    const auto split = runReportTool(dir, "history split " + db + " Mullins");
    EXPECT_EQ(split.out, "\"Mullins\" stands alone (decision 2; history forget 2 undoes it)\n");
    EXPECT_EQ(history("--players --linked").out.find("(Mullins)"), std::string::npos);
    const auto decisions = history("decisions --format csv").out;
    EXPECT_NE(decisions.find(",merge,Sam,Samuel\r\n"), std::string::npos) << decisions;
    EXPECT_NE(decisions.find(",split,Mullins,\r\n"), std::string::npos) << decisions;
    EXPECT_EQ(runReportTool(dir, "history forget " + db + " 1").out, "decision 1 forgotten\n");
    EXPECT_EQ(runReportTool(dir, "history forget " + db + " 2").out, "decision 2 forgotten\n");
    EXPECT_TRUE(history("--sheets --linked").out == before);

    struct Refused {
        const char* args;
        int status;
        const char* says;
    };
    for (const Refused& r :
         {Refused{"merge Sam Sam", 2, "one person with itself"},
          Refused{"merge Sam Nobody", 1,
                  "no player of the history is named "
                  "\"Nobody\""},
          Refused{"split Nobody", 1, "\"Nobody\""}, Refused{"merge Sam", 2, "OTHER"},
          Refused{"--ranking Kills --min-kills -1", 2, "min-kills"}}) {
        SCOPED_TRACE(r.args);
        const auto run = history(r.args);
        EXPECT_EQ(run.status, r.status);
        EXPECT_NE(run.err.find(r.says), std::string::npos) << run.err;
    }
    const auto nobody = history("matches Nobody");
    EXPECT_EQ(nobody.err, "quorvath-report: warning: no selected match has a player named "
                          "\"Nobody\"\n");
    EXPECT_EQ(nobody.out, "date  server  map  gametype  name  kills  deaths  result\n");
    const auto noDecision = runReportTool(dir, "history forget " + db + " 7");
    EXPECT_EQ(noDecision.status, 1);
    EXPECT_NE(noDecision.err.find("there is no decision 7"), std::string::npos) << noDecision.err;
    EXPECT_EQ(history("decisions").out, "id  made  decision  name  other\n");
}

} // namespace
