#pragma once
// What the page writers share: the pages every site has (index, players,
// rankings) from a counted table, with a place for what the history adds,
// and the parts every page starts with.

#include "core/web/page_data.h"
#include "core/web/site_pages.h"

#include <string>

namespace quorvath::web {

// What a history adds to the pages of its table: matches, places, dates.
class PageExtras {
public:
    virtual void addToIndex(mustache::data& index) const = 0;
    virtual void addToPlayer(int player, mustache::data& page) const = 0;

protected:
    ~PageExtras() = default;
};

// Every page of the table's site: style sheet, rankings, players, index;
// false (folder.error() tells why) when a page cannot be written.
bool writeTableSite(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder,
                    const PageExtras* extras);

// "player-N.html"
std::string playerPage(int player);

// "NAME.html", or "NAME-P.html" after the first page.
std::string pagedName(const std::string& name, std::size_t page);

// What every page holds: `title` (HTML), the site's name and description and
// the partials.
void startPage(mustache::data& page, const LogSite& site, const SiteTemplates::Compiled& templates,
               const std::string& title);

// The page numbers of a list paged `pages` long, `current` marked.
void fillPageLinks(mustache::data& page, const std::string& name, std::size_t pages,
                   std::size_t current);

} // namespace quorvath::web
