#include "core/report/count_listing.h"

#include "core/common/name_table.h"

#include <utility>

namespace quorvath {

namespace {

constexpr std::pair<Counter, std::string_view> kCounterNames[] = {
#define QUORVATH_COUNTER_NAME(name, number) {name, #name},
    QUORVATH_COUNTERS(QUORVATH_COUNTER_NAME)
#undef QUORVATH_COUNTER_NAME
};

} // namespace

std::string_view counterName(Counter c) { return nameIn(kCounterNames, c); }

std::string countListing(const PlayerTable& players, const CountingScope& scope) {
    std::string out;
    if (scope.unrecorded.any()) {
        out += "# not in this log:";
        for (int c = kFirstCounter; c <= kLastCounter; ++c)
            if (!scope.records(static_cast<Counter>(c)))
                out.append(" ").append(counterName(static_cast<Counter>(c)));
        out += '\n';
    }
    for (int i = 1; i <= players.playerCount(); ++i) {
        const PlayerRecord& r = players[i];
        for (int c = kFirstCounter; c <= kLastCounter; ++c) {
            const auto counter = static_cast<Counter>(c);
            if (r[counter] != 0 && scope.records(counter))
                out.append(r.name)
                    .append("\t")
                    .append(counterName(counter))
                    .append("\t")
                    .append(std::to_string(r[counter]))
                    .append("\n");
        }
        for (int a = 1; a <= r.aliases.count(); ++a)
            out.append(r.name)
                .append("\talias\t")
                .append(players[r.aliases.item(a)].name)
                .append("\n");
    }
    return out;
}

} // namespace quorvath
