#pragma once
// What a statistics command prints, from a log or from the history: the text
// of the command in the chosen format and encoding, and a warning on standard
// error for a player or category that names nothing.

#include "cli/cli_options.h"
#include "cli/stats_output.h"

#include <string>

namespace quorvath::cli {

// `options`' names are the log's (Windows-1252); `typedValue` and
// `typedNick` as the user typed them, for the warnings.
std::string statsCommandOutput(const StatsReport& report, const Options& options,
                               Encoding encoding);
void warnAboutUnknownNames(const StatsReport& report, const Options& options,
                           const std::string& typedValue, const std::string& typedNick);

} // namespace quorvath::cli
