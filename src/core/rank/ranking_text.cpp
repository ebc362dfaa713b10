#include "core/rank/ranking_text.h"

#include "core/common/line_end.h"
#include "core/stats/counting_scope.h"

namespace quorvath {
namespace {

bool isTopList(const RankedList& list) {
    return list.meaning == RankedMeaning::Victims || list.meaning == RankedMeaning::Killers;
}

void appendEntries(std::string& out, const RankedList& list, const char* afterPlace) {
    for (const RankedEntry& entry : list.entries) {
        out.append(std::to_string(entry.place)).append(afterPlace);
        out.append(rankedValueText(entry.value, list.wholeNumbers));
        out.append("\t").append(entry.name).append(kCrLf);
    }
}

} // namespace

std::string rankedListHeading(const RankedList& list) {
    return isTopList(list) ? list.title : "Rankings for " + list.title;
}

std::string rankingPaneText(const std::vector<RankedList>& lists) {
    std::string out;
    bool first = true;
    for (const RankedList& list : lists) {
        if (isTopList(list)) {
            out.append(rankedListHeading(list)).append(kCrLf).append(kCrLf);
            appendEntries(out, list, ":\t"); // no blank after the colon here, unlike the rankings
            out.append(kCrLf);
            continue;
        }
        if (!first)
            out.append(kCrLf).append(kCrLf);
        first = false;
        out.append(rankedListHeading(list)).append(kCrLf).append(kCrLf);
        if (!list.recorded)
            out.append(NotInThisLog).append(kCrLf);
        appendEntries(out, list, ": \t");
    }
    return out;
}

} // namespace quorvath
