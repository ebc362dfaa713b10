#pragma once
// What quorvath-report prints of a rendered log.

#include "cli/output_options.h"
#include "core/log/log_document.h"

#include <cstdio>

namespace quorvath::cli {

// The text as the view holds it: its bytes unchanged for Cp1252, converted
// piece by piece for Utf8 (no whole copy of a large log).
void writeRendered(const LogDocument& doc, Encoding encoding, std::FILE* out);

// One line per maximal run of equal colour and style:
// start TAB length TAB colour (decimal) TAB "biu" letters or "-" LF.
void writeRuns(const LogDocument& doc, std::FILE* out);

} // namespace quorvath::cli
