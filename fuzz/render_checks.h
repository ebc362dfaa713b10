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
    // The runs start at 0, in order, each within the text; none for an empty text.
    std::string broken;
    std::size_t next = 0; // where the next run may start
    doc.attributeRuns().forEachRun([&](std::size_t start, std::uint8_t) {
        if (broken.empty() &&
            (start < next || start >= doc.text().size() || (next == 0) != (start == 0)))
            broken = "the attribute runs are out of order at " + std::to_string(start);
        next = start + 1;
    });
    if (broken.empty() && (next == 0) != doc.text().empty())
        broken = "the attributes do not cover the text";
    return broken;
}

} // namespace quorvath::fuzz
