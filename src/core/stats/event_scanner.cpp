#include "core/stats/event_scanner.h"

#include "core/common/progress.h"
#include "core/stats/event_line.h"
#include "core/stats/phrase_sweep.h"

#include <string>

namespace quorvath {

namespace {

void scanHits(const LogDocument& doc, std::string_view killtype, int involved, PlayerTable& players,
              const std::vector<int>& hits, const RoundEnds* roundEnds, Progress* progress) {
    EventLineCutter cutter(doc, killtype, involved);
    EventBooker booker(doc, killtype, involved, players, roundEnds);
    const std::int64_t length = doc.length();
    int searchFrom = 0; // the next search starts at the line end: one occurrence per line
    for (int pos : hits) {
        if (pos < searchFrom)
            continue;
        const EventLine& line = cutter.cut(pos);
        searchFrom = line.lineEnd;
        if (progress)
            progress->setPosition(pos, length);
        // Nothing that cutting reads is changed by booking, so each occurrence
        // is booked at once instead of after all are collected.
        booker.book(line);
    }
    if (progress)
        progress->setPosition(length, length);
}

} // namespace

void findkill(const LogDocument& doc, std::string_view killtype, int involved, PlayerTable& players,
              Progress* progress) {
    const PhraseSweep sweep({std::string(killtype)});
    scanHits(doc, killtype, involved, players, sweep.run(doc.text())[0], nullptr, progress);
}

void findkill(const LogDocument& doc, std::string_view killtype, int involved, PlayerTable& players,
              const std::vector<int>& hits, const RoundEnds& roundEnds, Progress* progress) {
    scanHits(doc, killtype, involved, players, hits, &roundEnds, progress);
}

} // namespace quorvath
