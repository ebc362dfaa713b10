#pragma once
// The parsed templates behind SiteTemplates, for the page writers.

#include "core/web/site_templates.h"

#include <kainjow/mustache.hpp>

namespace quorvath::web {

namespace mustache = kainjow::mustache;

// mustache.hpp's render() is not const, though rendering changes nothing.
struct SiteTemplates::Compiled {
    mutable mustache::mustache index;
    mutable mustache::mustache player;
    mutable mustache::mustache ranking;
    mutable mustache::mustache match;
    mutable mustache::mustache place;
    mutable mustache::mustache matches;
    std::string header; // partials are handed over as text
    std::string footer;
    std::string matchTable;
    std::string style;
    std::string identity; // a hash of every text, as pageKey gives it
};

} // namespace quorvath::web
