#pragma once
// The dialogs that wait for the user, behind one small interface so that the
// windows can be driven by scripted answers in tests. Texts are UTF-8; paths
// are full paths in the file system's encoding.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

struct FileFilter {
    std::string description; // "Log Files"
    std::string pattern;     // "*.log"
};

// "Log Files|*.log|Text Files|*.txt" as description/pattern pairs.
std::vector<FileFilter> parseFileFilter(std::string_view pairs);

// The answer to "keep this file?": Cancel goes back to what the user was doing;
// `always` asks never to be asked again (the choice then stands for every time).
enum class KeepChoice { Keep, Delete, Cancel };
struct KeepAnswer {
    KeepChoice choice = KeepChoice::Cancel;
    bool always = false;
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // Input box, its text field holding `initial`: the text when OK was
    // pressed (perhaps empty), nothing on Cancel.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& initial) = 0;
    // Keep / Delete / Cancel, with a "do not ask again" check box; Escape is Cancel.
    virtual KeepAnswer askKeep(const std::string& question, const std::string& title) = 0;
    // An error or a warning, with an OK button only.
    virtual void message(const std::string& text, const std::string& title) = 0;
    // A question before a change the user may not want: true for OK, false
    // for Cancel (also Escape).
    virtual bool confirm(const std::string& question, const std::string& title) = 0;
    // File-open dialog: the chosen file's full path, "" when none was chosen.
    // The file need not exist (a typed name is returned as it is).
    virtual std::string openFile(const std::string& title, const std::vector<FileFilter>& filters,
                                 const std::string& initialFolder) = 0;
    // File-open dialog for several existing files: their full paths, none
    // when none was chosen.
    virtual std::vector<std::string> openFiles(const std::string& title,
                                               const std::vector<FileFilter>& filters,
                                               const std::string& initialFolder) = 0;
    // Folder dialog: the chosen folder's full path, "" when none was chosen.
    virtual std::string chooseFolder(const std::string& title,
                                     const std::string& initialFolder) = 0;
    // Colour dialog (0x00BBGGRR): the chosen colour, `initial` on Cancel.
    virtual std::uint32_t chooseColour(const std::string& title, std::uint32_t initial) = 0;
};

} // namespace quorvath
