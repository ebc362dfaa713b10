// Files a stranger's server or a careless click can hand the loader, through
// the real path (readLogText / loadLog / copyFileReplacing), and what the
// loader promises about the files it touches: the archive copy is the log byte
// for byte, and the log itself is never written.

#include "core/common/progress.h"
#include "core/log/log_file.h"
#include "core/log/log_loader.h"
#include "core/log/round_separator.h"
#include "fuzz/log_checks.h"
#include "support/acting_user.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

namespace quorvath {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

// FNV-1a, 64 bits: enough to tell two files apart in a test.
std::uint64_t checksum(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

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

TEST(HostileLog, RefusalsNameTheFileAndKeepTheDocument) {
    TempDir dir;
    const std::string missing = dir.file("missing.log").string();
    Loaded r = load(missing);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(*r.error, "The file \"" + missing + "\" does not exist.");
    EXPECT_EQ(r.doc.text(), "earlier");

    r = load(dir.path().string());
    ASSERT_TRUE(r.error);
    EXPECT_EQ(*r.error, "\"" + dir.path().string() + "\" is a folder, not a file.");
    EXPECT_EQ(r.doc.text(), "earlier");

    // A path through a file, as if it were a folder.
    writeFile(dir.file("plain"), "x");
    r = load(dir.file("plain").string() + "/inner.log");
    ASSERT_TRUE(r.error);
    EXPECT_NE(r.error->find("inner.log"), std::string::npos) << *r.error;
}

TEST(HostileLog, UnreadableFileIsReportedEvenForRoot) {
    TempDir dir;
    const std::string path = dir.file("secret.log").string();
    writeFile(path, "boot msec\r\n");
    fs::permissions(path, fs::perms::none);
    test::ActingAsNobody nobody;
    ASSERT_TRUE(nobody.effective());
    Loaded r = load(path);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(*r.error, "The file \"" + path + "\" cannot be read: Permission denied.");
    EXPECT_EQ(r.doc.text(), "earlier");
    // The copy reports the log it cannot read, not the copy it never began.
    const auto copyError = copyFileReplacing(path, dir.file("copy.log").string());
    ASSERT_TRUE(copyError);
    EXPECT_EQ(*copyError, "The file \"" + path + "\" cannot be read: Permission denied.");
}

TEST(HostileLog, EmptyBinaryAndNulFilesLoadAndKeepEveryProperty) {
    TempDir dir;
    const std::string empty = dir.file("empty.log").string();
    writeFile(empty, "");
    Loaded r = load(empty);
    EXPECT_FALSE(r.error);
    EXPECT_EQ(r.doc.text(), ""); // no "msec": nothing to separate, nothing to render

    for (const std::string& bytes :
         {randomBytes(1 << 16, 7), std::string(4096, '\0'), std::string("\0msec\0\n\0^\0", 11)}) {
        const std::string path = dir.file("binary.log").string();
        writeFile(path, bytes);
        r = load(path);
        EXPECT_FALSE(r.error);
        EXPECT_EQ(fuzz::checkRendered(r.doc), "");
        EXPECT_EQ(fuzz::checkLogBytes(bytes), "");
    }
}

TEST(HostileLog, OneLineOfThreeHundredMegabytesLoadsAndALargerFileIsRefusedBeforeReading) {
    TempDir dir;
    const std::string path = dir.file("oneline.log").string();
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::string chunk(1 << 20, 'x');
        for (int mb = 0; mb < 300; ++mb)
            ASSERT_EQ(std::fwrite(chunk.data(), 1, chunk.size(), f), chunk.size());
        std::fclose(f);
    }
    // No "msec" anywhere: the first banner never closes and the tail trim takes it all.
    Loaded r = load(path);
    EXPECT_FALSE(r.error);
    EXPECT_EQ(r.doc.length(), 0);

    fs::resize_file(path, MaxLogBytes + 1); // sparse: refused by its size alone
    r = load(path);
    fs::remove(path);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(*r.error,
              "The file \"" + path + "\" is too large: " + std::string(LogTooLargeReason));
    EXPECT_EQ(r.doc.text(), "earlier");
}

TEST(HostileLog, RoundsThatWouldOutgrowThirtyTwoBitPositionsAreRefused) {
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

TEST(HostileLog, OnlyLfOrOnlyCrLineEnds) {
    TempDir dir;
    const std::string path = dir.file("ends.log").string();
    writeFile(path, "x msec\nA was shot by B's M4\n\nB fell to his death.\n");
    Loaded lf = load(path);
    ASSERT_FALSE(lf.error);
    EXPECT_EQ(lf.doc.text().find("\n\n"), std::string::npos); // every LF has its CR now
    EXPECT_NE(lf.doc.text().find("\r\nA was shot by B's M4\r\n\r\nB fell"), std::string::npos);
    EXPECT_EQ(lf.doc.lineOf(lf.doc.length()), 4 + 2); // the banner brings two line breaks

    // A bare CR is no line break for the view: the log is one long line.
    const std::string cr = "x msec\rA was shot by B's M4\rB fell to his death.\r";
    writeFile(path, cr);
    Loaded crOnly = load(path);
    ASSERT_FALSE(crOnly.error);
    EXPECT_NE(crOnly.doc.text().find("\rA was shot by B's M4\rB fell to his death.\r"),
              std::string::npos);
    EXPECT_EQ(fuzz::checkLogBytes(cr), "");
}

TEST(ArchiveCopy, IsTheLogByteForByte) {
    TempDir dir;
    const std::string log = dir.file("server.log").string();
    // Every byte value, bare LFs and CRs included: the copy never converts line ends.
    const std::string bytes = randomBytes(3 << 20, 11) + "a\nb\rc\r\n";
    writeFile(log, bytes);
    const std::string copy = dir.file("server-copy.log").string();
    writeFile(copy, std::string(5 << 20, 'z')); // an older, longer copy is replaced whole
    ASSERT_EQ(copyFileReplacing(log, copy), std::nullopt);
    EXPECT_EQ(fs::file_size(copy), bytes.size());
    EXPECT_EQ(checksum(readFile(copy)), checksum(bytes));
}

TEST(ArchiveCopy, ReadOnlyFolderIsReportedAndTheLogStays) {
    TempDir dir;
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string log = (folder / "server.log").string();
    writeFile(log, "boot msec\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const std::string copy = (folder / "server-copy.log").string();
    std::optional<std::string> error;
    {
        test::ActingAsNobody nobody;
        ASSERT_TRUE(nobody.effective());
        error = copyFileReplacing(log, copy);
    }
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "The archive copy \"" + copy + "\" of \"" + log +
                          "\" cannot be written: Permission denied.");
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(readFile(log), "boot msec\r\n");

    // A folder in the way of the copy's name, and a copy whose folder is a file.
    fs::create_directory(copy);
    error = copyFileReplacing(log, copy);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("a folder has that name"), std::string::npos) << *error;
    error = copyFileReplacing(log, log + "/copy.log");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("cannot be written"), std::string::npos) << *error;
}

TEST(ChosenLog, IsNeverWritten) {
    TempDir dir;
    const std::string log = dir.file("server.log").string();
    std::string bytes;
    test::writeFile(log, bytes = readFile(test::sourcePath("samples/demo.log")) + "tail\n");
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(log, stamp);

    Loaded r = load(log);
    ASSERT_FALSE(r.error);
    PlayerTable players;
    Progress progress;
    runStatisticsPass(r.doc, players, progress);
    ASSERT_GT(players.upper(), 0);
    EXPECT_EQ(checksum(readFile(log)), checksum(bytes));
    EXPECT_EQ(fs::last_write_time(log), stamp);
}

} // namespace
} // namespace quorvath
