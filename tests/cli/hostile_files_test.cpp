// quorvath-report LOG --rendered on hostile files: a refusal names the file on
// standard error and exits 1; anything it can read it prints.

#include "cli/report_tool_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using quorvath::test::TempDir;
using quorvath::test::writeFile;

using quorvath::test::ToolRun;

ToolRun rendered(const TempDir& dir, const std::string& log, bool asNobody = false) {
    return quorvath::test::runReportTool(dir, "\"" + log + "\" --rendered", asNobody);
}

void expectRefused(const ToolRun& r, const std::string& message) {
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quorvath-report: " + message + "\n");
}

TEST(ReportToolHostile, RefusalsNameTheFileAndExitOne) {
    TempDir dir;
    const std::string missing = dir.file("missing.log").string();
    expectRefused(rendered(dir, missing), "The file \"" + missing + "\" does not exist.");

    const std::string folder = dir.file("logs").string();
    fs::create_directory(folder);
    expectRefused(rendered(dir, folder), "\"" + folder + "\" is a folder, not a file.");

    const std::string secret = dir.file("secret.log").string();
    writeFile(secret, "boot msec\r\n");
    fs::permissions(secret, fs::perms::none);
    expectRefused(rendered(dir, secret, true),
                  "The file \"" + secret + "\" cannot be read: Permission denied.");

    // Sparse: refused by its size alone, before anything is read.
    const std::string big = dir.file("huge.log").string();
    writeFile(big, "x");
    fs::resize_file(big, (1ull << 30) + 1);
    const ToolRun r = rendered(dir, big);
    fs::remove(big);
    expectRefused(r, "The file \"" + big + "\" is too large: logs of at most 1 GiB can be loaded.");
}

TEST(ReportToolHostile, OddButReadableFilesArePrinted) {
    TempDir dir;
    const std::string log = dir.file("odd.log").string();
    writeFile(log, "");
    ToolRun r = rendered(dir, log);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");

    const std::string binary("\0\x01\xFF^\0msec\0\n\x80^", 13);
    writeFile(log, binary);
    r = rendered(dir, log);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find('^'), std::string::npos);
    EXPECT_NE(r.out.find(std::string("\0\r\n", 3)), std::string::npos); // NULs pass through

    writeFile(log, "msec\nA\nB\n");
    EXPECT_EQ(rendered(dir, log).out.substr(149), "\r\nA\r\nB\r\n");
    writeFile(log, "msec\rA\rB\r");
    EXPECT_EQ(rendered(dir, log).out.substr(149), "\rA\rB\r");
}

TEST(ReportToolHostile, AReadOnlyFolderIsNoObstacle) {
    // The report tool makes no archive copy: a log in a folder it cannot write to prints.
    TempDir dir;
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string log = (folder / "server.log").string();
    writeFile(log, "msec\r\nhello\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const ToolRun r = rendered(dir, log, true);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(149), "\r\nhello\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
