#include "gui/ui_support.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace quorvath::test {

void ensureApp() {
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives for the whole test program
}

bool waitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

namespace {
template <typename T> T take(std::deque<T>& queue, const std::string& what) {
    if (queue.empty()) {
        ADD_FAILURE() << "no scripted answer for: " << what;
        return T{};
    }
    T answer = queue.front();
    queue.pop_front();
    return answer;
}
} // namespace

std::string ScriptedPrompts::inputBox(const std::string& prompt, const std::string&) {
    asked.push_back(prompt);
    return take(inputs, prompt);
}

bool ScriptedPrompts::askYesNo(const std::string& question, const std::string&) {
    asked.push_back(question);
    return take(answers, question);
}

void ScriptedPrompts::message(const std::string& text, const std::string&) {
    asked.push_back(text);
    messages.push_back(text);
}

std::string ScriptedPrompts::openFile(const std::string& title,
                                      const std::vector<FileFilter>& filters,
                                      const std::string& initialFolder) {
    asked.push_back(title);
    lastFilters = filters;
    lastInitialFolder = initialFolder;
    return take(files, title);
}

std::uint32_t ScriptedPrompts::chooseColour(const std::string& title, std::uint32_t initial) {
    colourDialogs.push_back({title, initial});
    if (colours.empty())
        return initial; // Cancel
    const std::uint32_t chosen = colours.front();
    colours.pop_front();
    return chosen;
}

} // namespace quorvath::test
