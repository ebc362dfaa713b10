// quorvath-report run as a program: its command line, and how a refused log
// reaches the user. Its outputs are held to tests/golden (report_golden_test).

#include "cli/report_tool_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using quorvath::test::runReportTool;
using quorvath::test::sourcePath;
using quorvath::test::TempDir;
using quorvath::test::ToolRun;
using quorvath::test::writeFile;

// CLI11's reason, then the usage line of the command being read.
TEST(ReportTool, WrongCommandLinesExitTwoWithTheReasonAndTheUsage) {
    const struct {
        const char* args;
        const char* reason;
        std::string usage = "quorvath-report [OPTIONS] [LOG] [SUBCOMMAND]";
    } cases[] = {
        {"", "LOG is required"},
        {"--players", "LOG is required"},
        {"a.log b.log", "The following argument was not expected: b.log"},
        {"a.log --players --sheets",
         "Requires at most 1 options be given from "
         "[--players,--sheet,--sheets,--ranking,--top,--counts,--rendered,--runs]"},
        {"a.log --players --players", "--players: At Most 1 required but received 2"},
        {"a.log --sheet A --sheet B", "--sheet: At Most 1 required but received 2"},
        {"a.log --sheet", "--sheet: 1 required TEXT missing"},
        {"a.log --ranking", "--ranking: 1 required TEXT missing"},
        {"a.log --top", "--top: 1 required TEXT missing"},
        {"a.log --nick", "--nick: 1 required TEXT missing"},
        {"a.log --rendered --bogus", "The following argument was not expected: --bogus"},
        {"a.log -x", "The following argument was not expected: -x"},
        {"a.log --encoding latin9", "--encoding: takes utf-8 or cp1252, not latin9"},
        {"a.log --format", "--format: 1 required TEXT missing"},
        {"a.log --players --format xml", "--format: takes text, csv or json, not xml"},
        {"a.log --rendered --format csv",
         "--format csv and json go with --players, --sheets, --ranking or --top"},
        {"a.log --counts --format=json",
         "--format csv and json go with --players, --sheets, --ranking or --top"},
        {"a.log --kind", "--kind: 1 required TEXT missing"},
        {"a.log --kind=console", "--kind: takes player, game or server, not console"},
        {"a.log --counting", "--counting: 1 required TEXT missing"},
        {"a.log --counting exact", "--counting: takes classic or accurate, not exact"},
        {"a.log history", "history: comes first, before its own options"},
        {"--nick Joe history --players", "history: comes first, before its own options"},
        {"history --players --bogus", "The following argument was not expected: --bogus",
         "quorvath-report history [OPTIONS] [SUBCOMMAND]"},
        {"history import", "LOG is required", "quorvath-report history import [OPTIONS] LOG..."},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun r = runReportTool(dir, c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, std::string("quorvath-report: ") + c.reason + "\nUsage: " + c.usage +
                             "\nRun with --help for more information.\n");
    }
    // Help wins over everything else on the line, reads no log, and answers
    // for the command it follows.
    const struct {
        const char* args;
        const char* usage;
    } helps[] = {
        {"missing.log --players --help", "Usage: quorvath-report [OPTIONS] [LOG] [SUBCOMMAND]\n"},
        {"-h", "Usage: quorvath-report [OPTIONS] [LOG] [SUBCOMMAND]\n"},
        {"history --help", "Usage: quorvath-report history [OPTIONS] [SUBCOMMAND]\n"},
        {"history import --help", "Usage: quorvath-report history import [OPTIONS] LOG...\n"},
    };
    for (const auto& help : helps) {
        SCOPED_TRACE(help.args);
        const ToolRun r = runReportTool(dir, help.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_NE(r.out.find(help.usage), std::string::npos) << r.out;
    }
    // A lone "-" is a file name, not an option.
    EXPECT_EQ(runReportTool(dir, "- --players").status, 1);
}

// One request in every form the command line takes: options before or after
// the log, repeated (the last one counts), defaults given out loud.
TEST(ReportTool, EveryFormOfARequestPrintsTheSame) {
    const std::string console = "'" + sourcePath("samples/demo.log").string() + "'";
    const std::string server = "'" + sourcePath("tests/golden/match-ctf-games.log").string() + "'";
    const struct {
        std::string args;
        std::string same;
    } forms[] = {
        {"--players " + console, console + " --players"},
        {"--linked --nick Quorvath " + console, console + " --nick Quorvath --linked"},
        {console + " --nick Nobody --nick Quorvath", console + " --nick Quorvath"},
        {console + " --format csv --format json --players", console + " --players --format json"},
        {console + " --encoding utf-8 --encoding cp1252 --players",
         console + " --players --encoding cp1252"},
        {console + " --counting classic --sheets", console + " --sheets"},
        {console + " --kind game --kind player", console + " --kind player"},
        {console + " --linked --linked --top Quorvath", console + " --top Quorvath --linked"},
        {console + " --format text --ranking Kills", console + " --ranking Kills"},
        {server + " --counting classic --kind game --ranking Kills", server + " --ranking Kills"},
        {server + " --warmup --counting accurate --sheets", "--warmup " + server + " --sheets"},
        {console + " --nick=Quorvath --format=csv --ranking=Kills",
         console + " --nick Quorvath --format csv --ranking Kills"},
        {"-h", "--help"},
    };
    TempDir dir;
    for (const auto& form : forms) {
        SCOPED_TRACE(form.args);
        const ToolRun r = runReportTool(dir, form.args), same = runReportTool(dir, form.same);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.status, same.status);
        EXPECT_EQ(r.err, same.err);
        EXPECT_EQ(r.out, same.out);
        EXPECT_NE(r.out, "");
    }
}

// Clan tags make names that start with "-": a value, never an option.
TEST(ReportTool, ANameThatStartsWithADashIsAValue) {
    TempDir dir;
    const std::string log = dir.file("dash.log").string();
    writeFile(log, "----- Server Initialization Complete ----- 42 msec\r\n"
                   "^1-=X=-Joe^7 was shot by ^4Bob^7's M4\r\n");
    const ToolRun r = runReportTool(dir, "\"" + log + "\" --top -=X=-Joe --nick -=X=-Joe");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Top Victims\r\n\r\n\r\nTop Killers\r\n\r\n1:\t1\tBob\r\n\r\n");
}

TEST(ReportTool, NamesInTheTerminalsEncodingTablesAndAWordForUnknownNames) {
    TempDir dir;
    const std::string log = dir.file("accents.log").string();
    writeFile(log, "------- Server Initialization -------\r\n"
                   "----- Server Initialization Complete ----- 42 msec\r\n"
                   "^1J\xFCrgen^7 was shot by ^4Bob,Jr^7's M4\r\n"
                   "^4Bob,Jr^7 was shot by ^1J\xFCrgen^7's M4\r\n"
                   "----- CL_Shutdown -----\r\n");
    const std::string utf8Name = "J\xC3\xBCrgen";
    const struct {
        std::string args;
        std::string out; // what standard output holds
    } runs[] = {
        {"--top " + utf8Name + " --encoding utf-8", "Top Killers\r\n\r\n1:\t1\tBob,Jr\r\n"},
        {"--players --encoding utf-8", utf8Name + "\r\n"},
        {"--players --encoding cp1252", "J\xFCrgen\r\n"},
        {"--players --encoding UTF-8 --format text", utf8Name + "\r\n"},
        {"--players --encoding utf8", utf8Name + "\r\n"},
        {"--players --encoding windows-1252", "J\xFCrgen\r\n"},
        {"--top J\xFCrgen --encoding cp1252 --format csv",
         "list,rank,value,name\r\nTop Victims,1,1,\"Bob,Jr\"\r\n"},
        {"--players --format json --encoding cp1252",
         " {\"position\": 1, \"name\": \"" + utf8Name + "\"}"},
        {"--sheets --format csv --encoding utf-8", utf8Name + ",Total,kills,1\r\n"},
        {"--rendered --encoding utf-8", "\r\n" + utf8Name + " was shot by Bob,Jr's M4\r\n"},
        {"--rendered --encoding cp1252", "\r\nJ\xFCrgen was shot by Bob,Jr's M4\r\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.args);
        const ToolRun r = runReportTool(dir, "\"" + log + "\" " + run.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_NE(r.out.find(run.out), std::string::npos) << r.out;
    }
    // A name typed in UTF-8 read as Windows-1252 bytes matches nobody, and says so.
    const ToolRun wrong =
        runReportTool(dir, "\"" + log + "\" --sheet " + utf8Name + " --encoding cp1252");
    EXPECT_EQ(wrong.status, 0);
    EXPECT_EQ(wrong.out.rfind("Stats for : All Players\r\n", 0), 0u);
    EXPECT_EQ(wrong.err, "quorvath-report: warning: no player is named \"" + utf8Name + "\"\n");
}

// Names holding what a format reserves: quotes, a backslash, a comma, a
// blank, a control character.
TEST(ReportTool, TablesEscapeWhatTheirFormatReserves) {
    TempDir dir;
    const std::string log = dir.file("quotes.log").string();
    writeFile(log, "----- Server Initialization Complete ----- 42 msec\r\n"
                   "^1Big \"Q\"\\x^7 was shot by ^4Bob, Jr. 2^7's M4\r\n"
                   "^4Bob, Jr. 2^7 was shot by ^1Ctrl\x01^7's M4\r\n");
    const struct {
        const char* args;
        const char* out;
    } runs[] = {
        {"--players --format json", "[\n {\"position\": 0, \"name\": \"All Players\"},\n"
                                    " {\"position\": 1, \"name\": \"Big \\\"Q\\\"\\\\x\"},\n"
                                    " {\"position\": 2, \"name\": \"Bob, Jr. 2\"},\n"
                                    " {\"position\": 3, \"name\": \"Ctrl\\u0001\"}\n]\n"},
        {"--players --format csv", "position,name\r\n0,All Players\r\n1,\"Big \"\"Q\"\"\\x\"\r\n"
                                   "2,\"Bob, Jr. 2\"\r\n3,Ctrl\x01\r\n"},
        {"--top \"Bob, Jr. 2\" --format json",
         "[\n {\"list\": \"Top Victims\", \"rank\": 1, \"value\": 1, \"name\": \"Big "
         "\\\"Q\\\"\\\\x\"},\n {\"list\": \"Top Killers\", \"rank\": 1, \"value\": 1, \"name\": "
         "\"Ctrl\\u0001\"}\n]\n"},
        {"--top \"Bob, Jr. 2\" --format csv", "list,rank,value,name\r\nTop Victims,1,1,\"Big "
                                              "\"\"Q\"\"\\x\"\r\nTop Killers,1,1,Ctrl\x01\r\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.args);
        const ToolRun r = runReportTool(dir, "\"" + log + "\" --encoding utf-8 " + run.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, run.out);
    }
}

TEST(ReportTool, ARefusedLogIsNamedOnStandardErrorWithStatusOne) {
    TempDir dir;
    const std::string missing = dir.file("missing.log").string();
    const ToolRun r = runReportTool(dir, "\"" + missing + "\" --sheets");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quorvath-report: The file \"" + missing + "\" does not exist.\n");
    // Over the size limit: refused by its size (sparse, never read).
    const std::string big = dir.file("big.log").string();
    writeFile(big, "x");
    fs::resize_file(big, (1ull << 30) + 1);
    const ToolRun tooLarge = runReportTool(dir, "\"" + big + "\" --players");
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_EQ(tooLarge.out, "");
    EXPECT_EQ(tooLarge.err, "quorvath-report: The file \"" + big +
                                "\" is too large: logs of at most 1 GiB can be loaded.\n");
}

TEST(ReportTool, ALogInAReadOnlyFolderPrintsAndNothingIsWritten) {
    // The report tool makes no archive copy, so a folder it cannot write to is no obstacle.
    TempDir dir;
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string log = (folder / "server.log").string();
    writeFile(log, "msec\r\nhello\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const ToolRun r = runReportTool(dir, "\"" + log + "\" --rendered", true);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(149), "\r\nhello\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
