// The files a stranger's server or a careless click can hand the loader,
// through the real path (checkLogFile, readLogText, loadLog, the archive
// copy), and what the loader promises about the files it touches: the archive
// copy is the log byte for byte, and the log itself is never written.

#include "core/common/file_errors.h"
#include "core/common/progress.h"
#include "core/log/line_index.h"
#include "core/log/log_file.h"
#include "core/log/log_loader.h"
#include "core/log/round_separator.h"
#include "core/stats/statistics_pass.h"
#include "fuzz/render_checks.h"
#include "support/acting_user.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <sys/stat.h>

namespace quorvath {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Loads `path` into a document that already holds "earlier".
struct Loaded {
    std::optional<std::string> error;
    LogDocument doc;
};
Loaded load(const std::string& path) {
    Loaded out;
    out.doc.setText("earlier");
    Progress progress;
    out.error = loadLog(path, out.doc, progress);
    return out;
}

TEST(LogRefusals, NameTheFileAndTheReasonAndKeepTheDocument) {
    TempDir dir;
    const std::string missing = dir.file("missing.log").string();
    const std::string folder = dir.path().string();
    const std::string through = dir.file("plain").string() + "/inner.log";
    const std::string secret = dir.file("secret.log").string();
    const std::string big = dir.file("big.log").string();
    writeFile(dir.file("plain"), "x");
    writeFile(secret, "boot msec\r\n");
    fs::permissions(secret, fs::perms::none);
    writeFile(big, "x");
    fs::resize_file(big, MaxLogBytes + 1); // sparse: refused by its size alone
    const std::string exact = dir.file("exact.log").string();
    writeFile(exact, "x");
    fs::resize_file(exact, MaxLogBytes);
    const std::pair<std::string, std::string> refusals[] = {
        {missing, "The file \"" + missing + "\" does not exist."},
        {folder, "\"" + folder + "\" is a folder, not a file."},
        {through, "The file \"" + through + "\" does not exist."},
        {secret, "The file \"" + secret + "\" cannot be read: Permission denied."},
        {big, "The file \"" + big + "\" is too large: logs of at most 1 GiB can be loaded."},
    };
    test::ActingAsNobody nobody; // root would read the secret
    ASSERT_TRUE(nobody.effective());
    for (const auto& [path, message] : refusals) {
        EXPECT_EQ(checkLogFile(path), message); // File > Open asks before any copy
        const Loaded r = load(path);
        EXPECT_EQ(r.error, message);
        EXPECT_EQ(r.doc.text(), "earlier");
    }
    // The copy of a log it cannot read names the log, not the copy it never began.
    EXPECT_EQ(copyFileReplacing(secret, dir.file("copy.log").string()), refusals[3].second);
    EXPECT_EQ(checkLogFile(exact), std::nullopt); // the limit itself is allowed
}

// A pipe has no size to be refused by: what it brings is held to the limit,
// also when the limit falls just where one read of the pipe ends.
TEST(LogRefusals, APipeBringingMoreThanTheLimitIsRefused) {
    TempDir dir;
    const std::string pipe = dir.file("pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    constexpr std::size_t kLimit = 1 << 16; // what one read takes
    for (const std::size_t size : {kLimit, kLimit + 1}) {
        const std::jthread writer(
            [&] { std::ofstream(pipe, std::ios::binary) << std::string(size, 'x'); });
        std::string bytes;
        const auto error = readWholeFile(pipe, kLimit, "too large", bytes);
        EXPECT_EQ(error, size > kLimit ? std::optional<std::string>("too large") : std::nullopt);
        EXPECT_EQ(bytes.size(), size > kLimit ? 0 : size);
    }
}

TEST(LogRefusals, RoundsThatWouldOutgrowThirtyTwoBitPositions) {
    // Every banner is longer than the block it replaces: 24 characters become 149.
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "Current search path:msec";
    LogDocument doc;
    doc.setText(text);
    Progress progress;
    EXPECT_FALSE(separateRounds(doc, progress, 10 * 149 - 1));
    EXPECT_EQ(doc.text(), text); // untouched
    EXPECT_TRUE(separateRounds(doc, progress, 10 * 149));
    EXPECT_EQ(doc.length(), 10 * 149);
}

TEST(OddLogs, LoadAndKeepEveryProperty) {
    TempDir dir;
    const std::string path = dir.file("odd.log").string();
    const struct {
        std::string bytes;
        std::string keeps; // a stretch the rendered text holds
        int lines;         // in the rendered text, -1: not checked
    } logs[] = {
        {"", "", 1}, // nothing to separate, nothing to render
        {randomBytes(1 << 16, 7), "", -1},
        {std::string(4096, '\0'), "", -1},
        {std::string("\0msec\0\n\0^\0", 11), std::string("\0\r\n\0", 4), -1},
        // Every LF gets its CR; the banner brings two line breaks.
        {"x msec\nA was shot by B's M4\n\nB fell to his death.\n",
         "\r\nA was shot by B's M4\r\n\r\nB fell", 4 + 2 + 1},
        // A bare CR is no line break for the view: the log is one long line.
        {"x msec\rA was shot by B's M4\rB fell to his death.\r",
         "\rA was shot by B's M4\rB fell to his death.\r", 3},
    };
    for (const auto& log : logs) {
        writeFile(path, log.bytes);
        const Loaded r = load(path);
        EXPECT_EQ(r.error, std::nullopt);
        EXPECT_NE(r.doc.text().find(log.keeps), std::string::npos);
        LineIndex lines;
        lines.build(r.doc.text());
        if (log.lines >= 0) {
            EXPECT_EQ(lines.lineCount(), log.lines) << ::testing::PrintToString(log.bytes);
        }
        EXPECT_EQ(fuzz::checkRendered(r.doc), ""); // the whole chain: the fuzz seeds' replay
    }
}

TEST(OddLogs, OneLineOfThreeHundredMegabytes) {
    TempDir dir;
    const std::string path = dir.file("oneline.log").string();
    writeFile(path, "");
    fs::resize_file(path, 300 << 20); // NULs, and no "msec": the first banner takes it all
    const Loaded r = load(path);
    EXPECT_EQ(r.error, std::nullopt);
    EXPECT_EQ(r.doc.length(), 0);
}

TEST(ReadLogText, BareLfBecomesCrLfOtherBytesStay) {
    TempDir dir;
    const auto path = dir.file("a.log").string();
    writeFile(path, std::string("\na\r\nb\rc\n\n\r\r\n\xFF\0z", 15));
    std::string text = "old";
    EXPECT_EQ(readLogText(path, text), std::nullopt);
    EXPECT_EQ(text, std::string("\r\na\r\nb\rc\r\n\r\n\r\r\n\xFF\0z", 18));
}

// The bare LFs are counted in blocks: a lone one anywhere, at a block's edge
// or in the tail after the last block, is still seen, a CR two bytes before
// it or not.
TEST(ReadLogText, ALoneBareLfIsSeenWhereverItIs) {
    // Large enough to be counted in two halves at once: around where they meet too.
    const std::size_t size = (std::size_t{8} << 20) + 7;
    for (std::size_t at :
         {std::size_t{0}, std::size_t{1}, std::size_t{63}, std::size_t{64}, std::size_t{65},
          size / 2 - 1, size / 2, size / 2 + 1, size - 8, size - 1}) {
        std::string text(size, 'x');
        text[at] = '\n';
        if (at >= 2)
            text[at - 2] = '\r';
        expandBareLineFeeds(text);
        ASSERT_EQ(text.size(), size + 1) << at;
        EXPECT_EQ(text.substr(at, 2), "\r\n") << at;
    }
    std::string text(size, '\r'); // every LF has its CR, the one at the middle too
    text[size / 2] = '\n';
    expandBareLineFeeds(text);
    EXPECT_EQ(text.size(), size);
}

TEST(ArchiveCopy, NameDropsFourCharactersWhateverTheyAre) {
    const auto at = [](int year, int month, int day, int hour, int minute) {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        return t;
    };
    const std::tm t = at(2004, 3, 15, 14, 5);
    EXPECT_EQ(archiveCopyName("D:\\logs\\games.log", t), "D:\\logs\\games14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("/srv/games.html", t), "/srv/games.14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("/srv/a.c", t), "/srv14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("a.l", t), "14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("/srv/x.l\xC3\xB6g", t), "/srv/x14-05-03-15-04.log"); // UTF-8 ö
    EXPECT_EQ(archiveCopyName("x.log", at(2010, 12, 31, 0, 0)), "x00-00-12-31-10.log");
    EXPECT_EQ(archiveCopyName("x.log", at(1999, 1, 2, 23, 59)), "x23-59-01-02-99.log");
}

TEST(ArchiveCopy, RefusalsNameTheCopyAndLeaveTheLog) {
    TempDir dir;
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string log = (folder / "server.log").string();
    writeFile(log, "boot msec\r\n");
    const std::string denied = (folder / "copy.log").string(), through = log + "/copy.log",
                      inTheWay = (folder / "taken.log").string();
    fs::create_directory(inTheWay);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const std::pair<std::string, std::string> refusals[] = {
        {denied, "The archive copy \"" + denied + "\" of \"" + log +
                     "\" cannot be written: Permission denied."},
        {through, "The archive copy \"" + through + "\" of \"" + log +
                      "\" cannot be written: Not a directory."},
        {inTheWay,
         "The archive copy \"" + inTheWay + "\" cannot be written: a folder has that name."},
    };
    {
        test::ActingAsNobody nobody; // root would write into the read-only folder
        ASSERT_TRUE(nobody.effective());
        for (const auto& [copy, message] : refusals)
            EXPECT_EQ(copyFileReplacing(log, copy), message);
    }
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(denied));
    EXPECT_EQ(readFile(log), "boot msec\r\n");
}

TEST(ChosenLog, IsNeverWrittenAndItsArchiveCopyIsItByteForByte) {
    TempDir dir;
    const std::string log = dir.file("server.log").string();
    // Every byte value, bare LFs and CRs included: the copy never converts line ends.
    const std::string bytes =
        readFile(test::sourcePath("samples/demo.log")) + randomBytes(3 << 20, 11) + "a\nb\rc\r\n";
    writeFile(log, bytes);
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(log, stamp);
    const std::string copy = dir.file("server-copy.log").string();
    writeFile(copy, std::string(5 << 20, 'z')); // an older, longer copy is replaced whole
    ASSERT_EQ(copyFileReplacing(log, copy), std::nullopt);
    EXPECT_TRUE(readFile(copy) == bytes);

    Loaded r = load(log);
    ASSERT_FALSE(r.error);
    PlayerTable players;
    Progress progress;
    runStatisticsPass(r.doc, players, progress);
    ASSERT_GT(players.playerCount(), 0);
    EXPECT_TRUE(readFile(log) == bytes);
    EXPECT_EQ(fs::last_write_time(log), stamp);

    EXPECT_EQ(removeFile(copy), std::nullopt);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(removeFile(copy), std::nullopt); // already gone: no error
    EXPECT_EQ(removeFile(dir.path().string()),
              "The file \"" + dir.path().string() + "\" cannot be deleted: it is a folder.");
}

} // namespace
} // namespace quorvath
