#include "core/web/match_list_pages.h"

#include <algorithm>

namespace quorvath::web {

std::vector<MatchListPage> matchListPages(const std::string& name, std::size_t count,
                                          std::size_t perPage) {
    const std::string first = name + ".html";
    const auto blockFile = [&](std::size_t block) {
        return name + "-" + std::to_string(block) + ".html";
    };
    const std::size_t blocks = count > perPage ? (count + perPage - 1) / perPage : 0;
    std::vector<MatchListPage> pages;
    pages.push_back({first, count - std::min(count, perPage), count, false, "", "", "", ""});
    if (blocks > 0) { // the newest rows past the first page lie in the block before the last
        pages[0].older = blockFile(blocks - 1);
        pages[0].oldest = blockFile(1);
    }
    for (std::size_t block = 1; block <= blocks; ++block) {
        MatchListPage& page = pages.emplace_back();
        page.file = blockFile(block);
        page.from = (block - 1) * perPage;
        page.to = std::min(count, block * perPage);
        page.block = true;
        page.newest = first;
        if (block < blocks)
            page.newer = blockFile(block + 1);
        if (block > 1) {
            page.older = blockFile(block - 1);
            page.oldest = blockFile(1);
        }
    }
    return pages;
}

} // namespace quorvath::web
