// File > Open on hostile files: each refusal is one message box naming the
// file, the view stays empty and hidden, and the program goes on; odd but
// readable files load. The archive copy is the log byte for byte, and the log
// itself is never written.

#include "core/common/progress.h"
#include "core/common/settings_store.h"
#include "core/log/log_document.h"
#include "fuzz/log_checks.h"
#include "gui/log_view.h"
#include "gui/main_window.h"
#include "gui/ui_support.h"
#include "support/acting_user.h"
#include "support/test_support.h"

#include <QAction>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace quorvath {
namespace {

namespace fs = std::filesystem;

std::uint64_t checksum(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

class HostileOpen : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApp();
        window = std::make_unique<MainWindow>(settings, prompts);
        prompts.answers.assign(8, false); // each keep question: remove the earlier copy
    }
    void TearDown() override {
        prompts.answers.assign(8, false);
        window->close();
    }
    void open(const std::string& path) {
        prompts.files.push_back(path);
        window->FileMenuOpen_Click();
        ASSERT_TRUE(test::waitUntil([&] { return !window->busy(); }));
    }
    // The one message shown, which must name `file`.
    void expectRefused(const std::string& file, const std::string& reason) {
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_NE(prompts.messages[0].find("\"" + file + "\""), std::string::npos)
            << prompts.messages[0];
        EXPECT_NE(prompts.messages[0].find(reason), std::string::npos) << prompts.messages[0];
        EXPECT_TRUE(window->logView()->isHidden());
        EXPECT_EQ(window->document()->text(), "");
        EXPECT_TRUE(window->findChild<QAction*>("FileMenuOpen")->isEnabled());
        prompts.messages.clear();
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file(name).string();
        test::writeFile(path, bytes);
        return path;
    }

    MemorySettingsStore settings;
    test::ScriptedPrompts prompts;
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;
};

TEST_F(HostileOpen, FilesThatCannotBeOpenedAreEachOneMessage) {
    open(dir.path().string());
    expectRefused(dir.path().string(), "is a folder, not a file.");

    const std::string secret = write("secret.log", "boot msec\r\n");
    fs::permissions(secret, fs::perms::none);
    {
        test::ActingAsNobody nobody;
        ASSERT_TRUE(nobody.effective());
        open(secret);
    }
    expectRefused(secret, "cannot be read: Permission denied.");
    EXPECT_FALSE(window->logloaded()); // no copy was made: nothing to ask about

    // Past the size limit (sparse: the size alone refuses it, before any copy).
    const std::string big = write("huge.log", "x");
    fs::resize_file(big, (1ull << 30) + 1);
    open(big);
    EXPECT_FALSE(fs::exists(window->archivecopy()));
    fs::remove(big);
    expectRefused(big, "is too large: logs of at most 1 GiB can be loaded.");
    EXPECT_FALSE(window->logloaded());
}

TEST_F(HostileOpen, AnArchiveCopyThatCannotBeWrittenIsReported) {
    const fs::path folder = dir.file("readonly");
    fs::create_directory(folder);
    const std::string log = (folder / "server.log").string();
    test::writeFile(log, "boot msec\r\n");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    {
        test::ActingAsNobody nobody;
        ASSERT_TRUE(nobody.effective());
        open(log);
    }
    fs::permissions(folder, fs::perms::owner_all);
    expectRefused(window->archivecopy(), "cannot be written: Permission denied.");
    EXPECT_FALSE(window->logloaded());
    EXPECT_EQ(test::readFile(log), "boot msec\r\n");
}

TEST_F(HostileOpen, EmptyBinaryAndOddLineEndsLoad) {
    open(write("empty.log", ""));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(window->document()->text(), "");

    std::string binary;
    for (int i = 0; i < 1 << 16; ++i)
        binary += static_cast<char>((static_cast<unsigned>(i) * 2654435761u) >> 24);
    binary += std::string(1000, '\0');
    open(write("binary.log", binary));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(window->logView()->isHidden());
    EXPECT_EQ(fuzz::checkRendered(*window->document()), "");
    window->logView()->repaint(); // painting binary text must not trip anything

    open(write("lf.log", "msec\nA\nB\n"));
    EXPECT_EQ(window->document()->text().substr(149), "\r\nA\r\nB\r\n");
    open(write("cr.log", "msec\rA\rB\r"));
    EXPECT_EQ(window->document()->text().substr(149), "\rA\rB\r");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(HostileOpen, TheCopyIsTheLogAndTheLogIsNeverWritten) {
    std::string bytes = test::readFile(test::sourcePath("samples/demo.log"));
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>(i * 7919); // every byte value, bare CRs and LFs among them
    const std::string log = write("server.log", bytes);
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(log, stamp);

    open(log);
    ASSERT_TRUE(prompts.messages.empty());
    ASSERT_TRUE(window->logloaded());
    EXPECT_EQ(checksum(test::readFile(window->archivecopy())), checksum(bytes));
    PlayerTable players;
    Progress progress;
    runStatisticsPass(*window->document(), players, progress);
    EXPECT_GT(players.playerCount(), 0);
    EXPECT_EQ(checksum(test::readFile(log)), checksum(bytes));
    EXPECT_EQ(fs::last_write_time(log), stamp);
}

} // namespace
} // namespace quorvath
