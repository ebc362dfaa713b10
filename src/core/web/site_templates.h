#pragma once
// The Mustache templates of the web report: compiled into the program, or a
// clan's own from a folder (the same file names). Every template is parsed
// when the set is made, so a broken one is told before any page is written.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quorvath::web {

// The files of a template set: the page kinds of one log's site, the two
// partials every page includes ({{> header}}, {{> footer}}), the style sheet
// (copied as it is beside the pages), the page kinds only the history has and
// the partial of its tables of matches ({{> matchtable}}).
inline constexpr std::string_view kTemplateFiles[] = {
    "index.mustache",   "player.mustache",     "ranking.mustache", "header.mustache",
    "footer.mustache",  "style.css",           "match.mustache",   "place.mustache",
    "matches.mustache", "matchtable.mustache",
};

class SiteTemplates {
public:
    ~SiteTemplates();
    SiteTemplates(SiteTemplates&&) noexcept;
    SiteTemplates& operator=(SiteTemplates&&) noexcept;

    // The set compiled into the program.
    static SiteTemplates builtIn();
    // The set in `folder`; a message naming the file that is missing, cannot
    // be read or does not parse.
    static std::variant<SiteTemplates, std::string> fromFolder(const std::string& folder);

    struct Compiled; // the parsed templates (mustache.hpp stays in the .cpp files)
    const Compiled& compiled() const { return *compiled_; }

private:
    explicit SiteTemplates(std::unique_ptr<Compiled> compiled);
    std::unique_ptr<Compiled> compiled_;
};

} // namespace quorvath::web
