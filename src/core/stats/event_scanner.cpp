#include "core/stats/event_scanner.h"

#include "core/common/progress.h"
#include "core/stats/event_line.h"

namespace quorvath {

void bookPhraseEvents(const LogDocument& doc, std::string_view phrase, EventKind kind,
                      PlayerTable& players, const std::vector<int>& hits,
                      const RoundEnds& roundEnds, Progress* progress) {
    EventLineCutter cutter(doc, phrase, kind);
    NamePool names;
    NameIndexes indexes(names, players);
    std::vector<BookedPair> booked;
    EventBooker booker(phrase, kind, players, roundEnds, booked);
    const WeaponWords weapons(phrase);
    const std::int64_t length = doc.length();
    int searchFrom = 0; // the next search starts at the line end: one occurrence per line
    for (int pos : hits) {
        if (pos < searchFrom)
            continue;
        const EventLine& line = cutter.cut(pos);
        searchFrom = line.lineEnd;
        if (progress)
            progress->setPosition(pos, length);
        booker.book(recordEvent(line, kind, weapons, names), indexes);
    }
    KillPairs pairs;
    pairs.addAll(booked);
    pairs.bookInto(players);
    if (progress)
        progress->setPosition(length, length);
}

} // namespace quorvath
