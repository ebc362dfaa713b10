#pragma once
// The user prompts as Qt dialogs (input box, message boxes, file and colour
// dialogs), all modal to `parent`.

#include "core/common/user_prompts.h"

#include <QPointer>
#include <QWidget>

namespace quorvath {

class QtPrompts : public UserPrompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& initial) override;
    KeepAnswer askKeep(const std::string& question, const std::string& title) override;
    void message(const std::string& text, const std::string& title) override;
    bool confirm(const std::string& question, const std::string& title) override;
    std::string openFile(const std::string& title, const std::vector<FileFilter>& filters,
                         const std::string& initialFolder) override;
    std::vector<std::string> openFiles(const std::string& title,
                                       const std::vector<FileFilter>& filters,
                                       const std::string& initialFolder) override;
    std::string chooseFolder(const std::string& title, const std::string& initialFolder) override;
    std::uint32_t chooseColour(const std::string& title, std::uint32_t initial) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace quorvath
