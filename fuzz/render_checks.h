#pragma once
// The properties a rendered log keeps whatever the file holds; part of the
// whole chain's checks (log_checks.h), and all the log's own tests need.
// Returns "" when they hold, else what broke.

#include "core/log/log_document.h"

#include <string>

namespace quorvath::fuzz {

inline std::string checkRendered(const LogDocument& doc) {
    if (doc.text().find('^') != std::string::npos)
        return "the rendered text holds a ^ at " + std::to_string(doc.text().find('^'));
    const AttributeRuns& runs = doc.attributeRuns();
    if (doc.text().empty() != (runs.runCount() == 0) ||
        (runs.runCount() > 0 && runs.runStart(0) != 0))
        return "the attributes do not cover the text";
    for (std::size_t r = 1; r < runs.runCount(); ++r)
        if (runs.runStart(r) <= runs.runStart(r - 1) || runs.runStart(r) >= doc.text().size())
            return "the attribute runs are out of order at run " + std::to_string(r);
    return "";
}

} // namespace quorvath::fuzz
