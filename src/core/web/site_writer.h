#pragma once
// What the page writers share: the pages every site has (index, players,
// rankings) from a counted table, with a place for what the history adds,
// and the parts every page starts with.

#include "core/rank/ranked_list.h"
#include "core/web/page_data.h"
#include "core/web/site_pages.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath::web {

// What a history adds to the pages of its table: matches, places, dates.
class PageExtras {
public:
    virtual void addToIndex(mustache::data& index) const = 0;
    virtual void addToPlayer(int player, mustache::data& page) const = 0;

protected:
    ~PageExtras() = default;
};

// Some pages built and put, false when one cannot be (folder.error() tells why).
using PageTask = std::function<bool()>;
// Runs the tasks on this thread and one more, each task taken by whichever
// is free; false once one says false (the rest are then not begun).
bool onTwoThreads(const std::vector<PageTask>& tasks);

// Every page of the table's site: style sheet, rankings, players, index,
// with `more` (a caller's own pages) on the same two threads; false
// (folder.error() tells why) when a page cannot be written.
bool writeTableSite(const LogSite& site, const SiteTemplates& templates, SiteFolder& folder,
                    const PageExtras* extras, const std::vector<PageTask>& more = {});

// Hands the page `name`, `page` rendered with `data`, to the folder: keyed by
// its data, so that a folder keeping a manifest skips it when unchanged.
bool putPage(SiteFolder& folder, const std::string& name, mustache::mustache& page,
             const mustache::data& data);

// What a manifest's pages depend on besides their data: the templates and
// how pages are put together from data.
std::string pageIdentity(const SiteTemplates& templates);

// "player-N.html"
std::string playerPage(int player);

// Who has a page and how a name links to it: every player the rankings could
// list (a person's first name when linked), whoever the minimum leaves out.
class PlayerLinks {
public:
    explicit PlayerLinks(const LogSite& site);

    const std::vector<int>& paged() const { return paged_; }
    bool hasPage(int player) const { return hasPage_[static_cast<std::size_t>(player)]; }
    // The player's page; false (the name shown without a link) when he has none.
    mustache::data linkTo(int player) const;
    // The player whose page stands for `name`: his person's when linked; 0 for none.
    int pageOf(std::string_view name) const;
    // An entry of a list: place, name, link, value, and whether he is the user.
    void fillEntry(mustache::data& d, const RankedEntry& e, bool wholeNumbers) const;
    bool isNick(int player) const { return player == nickPlayer_ && nickPlayer_ != 0; }

private:
    const PlayerTable& players_;
    std::vector<int> paged_;
    std::vector<bool> hasPage_; // by player
    int nickPlayer_ = 0;
};

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
