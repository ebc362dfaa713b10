#pragma once
// quorvath-report html: the web report of one log or of the match history
// as a static site.
//   quorvath-report html OUT_DIR LOG [--templates DIR] [--nick NAME] [--linked]
//   quorvath-report html OUT_DIR --history [--db FILE] [SELECTION] [RANKED] [...]

#include <string>
#include <vector>

namespace quorvath::cli {

// The arguments after "html"; returns the exit status.
int runHtmlCommand(const std::vector<std::string>& args);

// Writes the site of every match of the history `database` into `folder`, as
// `html FOLDER --history --db DATABASE` does (an import's --html); returns
// the exit status, the problem said on standard error.
int writeWholeHistorySite(const std::string& database, const std::string& folder);

} // namespace quorvath::cli
