// sof2mp.cfg files the logging-mode dialog can meet, through the real file
// operations, and the fuzz target's properties on its seeds and past findings.

#include "core/gamecfg/game_config.h"
#include "fuzz/config_checks.h"
#include "support/acting_user.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace quorvath::gamecfg {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(FuzzConfigReplay, SeedsAndPastFindingsKeepEveryProperty) {
    int replayed = 0;
    for (const char* folder : {"fuzz/seeds/config", "fuzz/regressions/config"}) {
        const fs::path root = test::sourcePath(folder);
        if (!fs::is_directory(root))
            continue;
        for (const auto& entry : fs::directory_iterator(root)) {
            EXPECT_EQ(fuzz::checkConfigText(readFile(entry.path())), "") << entry.path();
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 5);
}

TEST(FuzzConfigChecks, CatchAMissedRewrite) {
    EXPECT_EQ(fuzz::checkConfigText("seta logfile \"0\"\r\n"), "");
    EXPECT_EQ(fuzz::checkConfigText(std::string("\0seta logfile \xFF", 15)), "");
}

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

class HostileConfig : public ::testing::Test {
protected:
    std::string path() const { return dir.file("sof2mp.cfg").string(); }
    TempDir dir;
};

TEST_F(HostileConfig, PhraseWithinTheLastFourteenCharactersIsLeftAlone) {
    // The phrase starts 13 or 14 characters before the end: no 15th character to set.
    const std::string full = "seta sv_fps 20\r\nseta logfile \"2\"";
    const std::size_t at = full.find("seta logfile ");
    for (std::size_t end = at + 13; end <= at + 14; ++end) {
        const std::string text = full.substr(0, end);
        writeFile(path(), text);
        const auto stamp = fs::last_write_time(path()) - std::chrono::hours(1);
        fs::last_write_time(path(), stamp);
        EXPECT_EQ(readLogMode(path()).mode, 0) << text;
        EXPECT_EQ(writeLogMode(path(), 3), std::nullopt) << text;
        EXPECT_EQ(readFile(path()), text);
        EXPECT_EQ(fs::last_write_time(path()), stamp) << "not even rewritten: " << text;
    }
}

TEST_F(HostileConfig, ReadOnlyForAUserToo) {
    const std::string text = "seta logfile \"1\"\r\n";
    writeFile(path(), text);
    fs::permissions(path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    test::ActingAsNobody nobody;
    ASSERT_TRUE(nobody.effective());
    EXPECT_EQ(readLogMode(path()).mode, 1);
    const auto error = writeLogMode(path(), 3);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "The file \"" + path() + "\" cannot be written: it is read-only.");
    EXPECT_EQ(readFile(path()), text);
}

TEST_F(HostileConfig, ReplacedWholeByRenameAndNothingLeftBehind) {
    const std::string text = "// header\r\nseta logfile \"1\"\r\nseta logfilename \"a.log\"\r\n";
    writeFile(path(), text);
    const ino_t before = inodeOf(path());
    ASSERT_EQ(writeLogMode(path(), 3), std::nullopt);
    std::string expected = text;
    expected[expected.find("\"1\"") + 1] = '3';
    EXPECT_EQ(readFile(path()), expected);
    EXPECT_NE(inodeOf(path()), before); // a new file renamed into place, not rewritten in place
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(HostileConfig, AFailedWriteLeavesTheOldFileWhole) {
    // A folder where the temporary file cannot be made: the write fails before the rename.
    const fs::path folder = dir.file("mp");
    fs::create_directory(folder);
    const std::string cfg = (folder / "sof2mp.cfg").string();
    const std::string text = "seta logfile \"1\"\r\n";
    writeFile(cfg, text);
    fs::permissions(cfg, fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    std::optional<std::string> error;
    {
        test::ActingAsNobody nobody;
        ASSERT_TRUE(nobody.effective());
        error = writeLogMode(cfg, 3);
    }
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("cannot be written: no temporary file can be made beside it"),
              std::string::npos)
        << *error;
    EXPECT_EQ(readFile(cfg), text);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
} // namespace quorvath::gamecfg
