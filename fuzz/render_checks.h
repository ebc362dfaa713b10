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
    if (doc.attributes().size() != doc.text().size())
        return "the attributes do not cover the text";
    return "";
}

} // namespace quorvath::fuzz
