#pragma once
// Shared by the window tests: an offscreen QApplication and prompts that give
// scripted answers and remember what they were asked.

#include "core/common/user_prompts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quorvath::test {

// The one QApplication of the test program (offscreen platform).
void ensureApp();
// Runs the event loop until `done` holds or 10 s passed; false on timeout.
bool waitUntil(const std::function<bool()>& done);

class ScriptedPrompts : public UserPrompts {
public:
    std::deque<std::string> inputs; // answers of input boxes ("" = Cancel)
    std::deque<bool> answers;       // answers of yes/no questions
    std::deque<std::string> files;  // answers of file dialogs ("" = Cancel)
    std::vector<std::string> asked; // every prompt, question and message, in order
    std::vector<std::string> messages;
    std::string lastInitialFolder;
    std::vector<FileFilter> lastFilters;
    std::deque<std::uint32_t> colours; // chosen colours; none left = Cancel
    struct ColourDialog {
        std::string title;
        std::uint32_t initial;
    };
    std::vector<ColourDialog> colourDialogs; // every colour dialog shown

    std::string inputBox(const std::string& prompt, const std::string& title) override;
    bool askYesNo(const std::string& question, const std::string& title) override;
    void message(const std::string& text, const std::string& title) override;
    std::string openFile(const std::string& title, const std::vector<FileFilter>& filters,
                         const std::string& initialFolder) override;
    std::uint32_t chooseColour(const std::string& title, std::uint32_t initial) override;
};

} // namespace quorvath::test
