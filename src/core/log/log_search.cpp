#include "core/log/log_search.h"

#include "core/common/progress.h"

#include <algorithm>

namespace quorvath {

int findFirst(LogDocument& doc, std::string_view what) {
    doc.setSelStart(1);
    return doc.find(what, 1);
}

int findNext(LogDocument& doc, std::string_view what, int lastHit) {
    const int from = (lastHit == -1 ? 0 : lastHit) + static_cast<int>(what.size());
    doc.setSelStart(from);
    return doc.find(what, from);
}

std::vector<int> findNickHits(const LogDocument& doc, std::string_view nick, Progress& progress) {
    std::vector<int> hits;
    if (nick.empty())
        return hits;
    progress.setPosition(0, doc.length());
    for (int start = 0;;) {
        const int hit = doc.findPosition(nick, start);
        if (hit < 0)
            break;
        hits.push_back(hit);
        start = hit + static_cast<int>(nick.size());
        progress.setPosition(start);
    }
    return hits;
}

void highlightHits(LogDocument& doc, const std::vector<int>& hits, int length) {
    constexpr std::uint8_t flags = attr::Bold | attr::Italic | attr::Underline;
    doc.attributeRuns().addFlags(hits, static_cast<std::size_t>(std::max(length, 0)), flags,
                                 doc.textBuffer().size());
    doc.select(0, 0);
}

} // namespace quorvath
