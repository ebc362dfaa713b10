#pragma once
// A literal version of bookPhraseEvents and the statistics pass: each event
// collected with an EditableDocument's find / select / caret operations one
// step at a time, then booked, over a player table searched linearly. Slow
// and plain: the randomised tests hold the fast scanner to it.

#include "core/log/log_document.h"
#include "core/stats/event_line.h"
#include "core/stats/player_record.h"

#include <string>
#include <vector>

namespace quorvath::test {

struct LiteralTable {
    std::vector<PlayerRecord> players = std::vector<PlayerRecord>(1);

    int playerCount() const { return static_cast<int>(players.size()) - 1; }
    int findOrAdd(const std::string& name);
    int findPlayerIndex(const std::string& name);
};

void literalBookPhraseEvents(LogDocument& doc, const std::string& phrase, EventKind kind,
                             LiteralTable& table);
// The 30 scans in order, then "All Players".
void literalStatisticsPass(LogDocument& doc, LiteralTable& table);

} // namespace quorvath::test
