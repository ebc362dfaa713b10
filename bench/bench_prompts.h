#pragma once
// The window's questions answered as a benchmark wants: every choice
// cancelled, every message printed; a benchmark overrides what it answers.

#include "core/common/user_prompts.h"

#include <cstdio>

namespace quorvath::bench {

class CancellingPrompts : public UserPrompts {
public:
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    KeepAnswer askKeep(const std::string&, const std::string&) override { return {}; }
    void message(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    bool confirm(const std::string&, const std::string&) override { return false; }
    std::string openFile(const std::string&, const std::vector<FileFilter>&,
                         const std::string&) override {
        return {};
    }
    std::vector<std::string> openFiles(const std::string&, const std::vector<FileFilter>&,
                                       const std::string&) override {
        return {};
    }
    std::string chooseFolder(const std::string&, const std::string&) override { return {}; }
    std::uint32_t chooseColour(const std::string&, std::uint32_t c) override { return c; }
};

} // namespace quorvath::bench
