#pragma once
// Shared by the window tests: an offscreen QApplication, prompts that give
// scripted answers and remember what they were asked, and the program put
// together as main() does it.

#include "core/common/settings_store.h"
#include "core/common/user_prompts.h"
#include "gui/log_session.h"
#include "gui/main_window.h"
#include "gui/statistics_window.h"
#include "support/test_support.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvath::test {

// The one QApplication of the test program (offscreen platform).
void ensureApp();
// Runs the event loop until `done` holds; false after a minute (a hang).
bool waitUntil(const std::function<bool()>& done);

inline constexpr KeepAnswer kKeepCopy{KeepChoice::Keep};
inline constexpr KeepAnswer kDeleteCopy{KeepChoice::Delete};

class ScriptedPrompts : public UserPrompts {
public:
    std::deque<std::optional<std::string>> inputs;  // answers of input boxes (nullopt = Cancel)
    std::deque<KeepAnswer> answers;                 // answers of keep questions
    std::deque<std::string> files;                  // answers of file dialogs ("" = Cancel)
    std::deque<std::vector<std::string>> fileLists; // answers of several-file dialogs
    std::deque<std::string> folders;                // answers of folder dialogs ("" = Cancel)
    std::deque<std::uint32_t> colours;              // chosen colours; none left = Cancel
    std::deque<bool> confirmations;                 // answers of questions (false = Cancel)
    std::vector<std::string> asked;                 // every prompt, question and message, in order
    std::vector<std::string> messages;
    std::string lastInitialFolder;
    std::string lastInitialInput;             // what the last input box held when it opened
    std::vector<std::uint32_t> colourDialogs; // the colour each colour dialog opened on

    std::optional<std::string> inputBox(const std::string& prompt, const std::string&,
                                        const std::string& initial) override {
        lastInitialInput = initial;
        return take(inputs, prompt);
    }
    KeepAnswer askKeep(const std::string& question, const std::string&) override {
        return take(answers, question);
    }
    void message(const std::string& text, const std::string&) override {
        asked.push_back(text);
        messages.push_back(text);
    }
    bool confirm(const std::string& question, const std::string&) override {
        return take(confirmations, question);
    }
    std::string openFile(const std::string& title, const std::vector<FileFilter>&,
                         const std::string& initialFolder) override {
        lastInitialFolder = initialFolder;
        return take(files, title);
    }
    std::vector<std::string> openFiles(const std::string& title, const std::vector<FileFilter>&,
                                       const std::string& initialFolder) override {
        lastInitialFolder = initialFolder;
        return take(fileLists, title);
    }
    std::string chooseFolder(const std::string& title, const std::string& initialFolder) override {
        lastInitialFolder = initialFolder;
        return take(folders, title);
    }
    std::uint32_t chooseColour(const std::string& title, std::uint32_t initial) override {
        colourDialogs.push_back(initial);
        return colours.empty() ? initial : take(colours, title);
    }

private:
    template <typename T> T take(std::deque<T>& queue, const std::string& what) {
        asked.push_back(what);
        if (queue.empty()) {
            ADD_FAILURE() << "no scripted answer for: " << what;
            return T{};
        }
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

// The session and both windows on settings in memory and scripted prompts.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ensureApp(); }
    void TearDown() override;

    // Builds the program from the settings as scripted so far.
    void start();
    // File > Open of `path`, waiting until the log is loaded (or refused).
    void open(const std::string& path);
    void getStatistics(); // presses "Get the guff" and waits for the statistics
    // A log of `bytes` in `dir` (archive copies land beside it), and one of the sample log.
    std::string logFile(const std::string& name, const std::string& bytes);
    std::string demoLog() { return logFile("demo.log", readFile(sourcePath("samples/demo.log"))); }
    void waitWhileBusy() {
        ASSERT_TRUE(waitUntil([&] { return !session->busy(); }));
    }

    template <typename T> T* child(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    template <typename T> T* inMain(const char* name) { return child<T>(*window, name); }
    template <typename T> T* inStatistics(const char* name) { return child<T>(*statistics, name); }

    TempDir dir;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    std::unique_ptr<LogSession> session;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<StatisticsWindow> statistics;
};

} // namespace quorvath::test
