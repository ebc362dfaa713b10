#pragma once
// Runs the built quorvath-report with its output captured in files of `dir`.

#include "support/test_support.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvath::test {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

// `args` as a shell would take them; as root, `asNobody` runs the tool as
// uid/gid 65534 so that permission bits apply to it.
inline ToolRun runReportTool(const TempDir& dir, const std::string& args, bool asNobody = false) {
    const auto out = dir.file("stdout"), err = dir.file("stderr");
    std::string command = std::string("\"") + QUORVATH_REPORT_TOOL + "\" " + args + " >\"" +
                          out.string() + "\" 2>\"" + err.string() + "\"";
    if (asNobody && ::geteuid() == 0)
        command = "setpriv --reuid=65534 --regid=65534 --clear-groups " + command;
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

} // namespace quorvath::test
