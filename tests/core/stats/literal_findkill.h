#pragma once
// A literal version of findkill and the statistics pass, written with an
// EditableDocument's find / select / caret operations step by step, over a
// player table searched linearly. Slow and plain: the randomised tests hold
// the fast scanner to it.

#include "core/log/log_document.h"
#include "core/stats/player_record.h"

#include <string>
#include <vector>

namespace quorvath::test {

struct LiteralTable {
    std::vector<PlayerRecord> players = std::vector<PlayerRecord>(1);
    int playerupper = 0;

    int upper() const { return static_cast<int>(players.size()) - 1; }
    int findOrAdd(const std::string& name);
    int findplayerindex(const std::string& name);
};

void literalFindkill(LogDocument& doc, const std::string& killtype, int involved,
                     LiteralTable& table);
// The 30 scans in order, then "All Players".
void literalStatisticsPass(LogDocument& doc, LiteralTable& table);

} // namespace quorvath::test
