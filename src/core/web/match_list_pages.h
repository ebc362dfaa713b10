#pragma once

// The pages of a list of matches. The first holds the newest matches; past
// one page, the rest hold fixed blocks counted from the oldest match, so a
// new match changes the first page and the newest block only, and a new block
// its neighbour too.

#include <cstddef>
#include <string>
#include <vector>

namespace quorvath::web {

struct MatchListPage {
    std::string file;     // "NAME.html", or a block's "NAME-1.html" (the oldest), ...
    std::size_t from = 0; // its rows [from, to) in the order played, shown newest first
    std::size_t to = 0;
    bool block = false; // a block (the first page is not)
    std::string newest; // the links to the other pages; empty when none or itself
    std::string newer;
    std::string older;
    std::string oldest;
};

// "NAME.html" the newest `perPage` of `count` rows; past `perPage` rows also
// "NAME-1.html" the oldest `perPage`, "NAME-2.html" the next, ...
std::vector<MatchListPage> matchListPages(const std::string& name, std::size_t count,
                                          std::size_t perPage);

// Whether `page` is as it was when the list held its first `kept` rows: a
// block that was whole then, with a newer one after it.
inline bool unchangedSince(const MatchListPage& page, std::size_t kept) {
    return page.block && page.to < kept;
}

} // namespace quorvath::web
