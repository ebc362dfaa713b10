#pragma once
// What quorvath-report prints of a rendered log.

#include "core/log/log_document.h"

#include <cstdio>

namespace quorvath::cli {

// The text as the view holds it, bytes unchanged.
void writeRendered(const LogDocument& doc, std::FILE* out);

// One line per maximal run of equal colour and style:
// start TAB length TAB colour (decimal) TAB "biu" letters or "-" LF.
void writeRuns(const LogDocument& doc, std::FILE* out);

} // namespace quorvath::cli
