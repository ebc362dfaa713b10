#pragma once
// quorvath-report html: the web report of one log as a static site.
//   quorvath-report html OUT_DIR LOG [--templates DIR] [--nick NAME] [--linked]

#include <string>
#include <vector>

namespace quorvath::cli {

// The arguments after "html"; returns the exit status.
int runHtmlCommand(const std::vector<std::string>& args);

} // namespace quorvath::cli
