#include "core/log/log_file.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvath {
namespace {

std::tm at(int year, int month, int day, int hour, int minute) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

TEST(ArchiveCopyName, DropsFourCharactersWhateverTheyAre) {
    const std::tm t = at(2004, 3, 15, 14, 5);
    EXPECT_EQ(archiveCopyName("D:\\logs\\games.log", t), "D:\\logs\\games14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("/srv/games.txt", t), "/srv/games14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("/srv/games.html", t), "/srv/games.14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("/srv/a.c", t), "/srv14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("a.l", t), "14-05-03-15-04.log");
    EXPECT_EQ(archiveCopyName("/srv/x.l\xC3\xB6g", t), "/srv/x14-05-03-15-04.log"); // UTF-8 ö
    EXPECT_EQ(archiveCopyName("x.log", at(2010, 12, 31, 0, 0)), "x00-00-12-31-10.log");
    EXPECT_EQ(archiveCopyName("x.log", at(1999, 1, 2, 23, 59)), "x23-59-01-02-99.log");
}

TEST(ReadLogText, BareLfBecomesCrLfOtherBytesStay) {
    test::TempDir dir;
    const auto path = dir.file("a.log").string();
    test::writeFile(path, std::string("\na\r\nb\rc\n\n\r\r\n\xFF\0z", 15));
    std::string text;
    EXPECT_EQ(readLogText(path, text), std::nullopt);
    EXPECT_EQ(text, std::string("\r\na\r\nb\rc\r\n\r\n\r\r\n\xFF\0z", 18));

    test::writeFile(path, "");
    text = "old";
    EXPECT_EQ(readLogText(path, text), std::nullopt);
    EXPECT_EQ(text, "");
}

TEST(ReadLogText, ErrorsNameTheFileAndTheReason) {
    test::TempDir dir;
    std::string text;
    const auto missing = dir.file("missing.log").string();
    auto error = readLogText(missing, text);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "The file \"" + missing + "\" does not exist.");

    error = readLogText(dir.path().string(), text);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "\"" + dir.path().string() + "\" is a folder, not a file.");

    const auto big = dir.file("big.log");
    test::writeFile(big, "x");
    std::filesystem::resize_file(big, MaxLogBytes + 1); // sparse: no real disk use
    error = readLogText(big.string(), text);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("too large"), std::string::npos);
    EXPECT_NE(error->find(big.string()), std::string::npos);
}

TEST(CopyAndRemove, CopyReplacesByteForByteAndRemoveToleratesMissing) {
    test::TempDir dir;
    const auto from = dir.file("a.log").string();
    const auto to = dir.file("copy.log").string();
    const std::string bytes("x\ny\r\n\0\xE9", 7);
    test::writeFile(from, bytes);
    test::writeFile(to, "older and longer content");
    EXPECT_EQ(copyFileReplacing(from, to), std::nullopt);
    EXPECT_EQ(test::readFile(to), bytes); // no line-end change in the copy

    auto error = copyFileReplacing(dir.file("none.log").string(), to);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("none.log"), std::string::npos);
    error = copyFileReplacing(from, dir.path().string());
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("folder"), std::string::npos);

    EXPECT_EQ(removeFile(to), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(to));
    EXPECT_EQ(removeFile(to), std::nullopt);
    EXPECT_TRUE(removeFile(dir.path().string()));
}

} // namespace
} // namespace quorvath
