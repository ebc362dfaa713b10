#pragma once
// KeptMatchEvents: match events kept past the call that handed them over,
// each with copies of its texts (names, and the map settings, GUID, ... of
// its details) in the keeper's one buffer. The Accurate pass hands its events
// to its tally thread this way, a batch at a time; a history can keep a map's
// events until it ends.

#include "core/match/match_event.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorvath {

class KeptMatchEvents final : public MatchEventSink {
public:
    // Keeps a copy of `event`.
    void onEvent(const MatchEvent& event) override;

    std::size_t size() const { return events_.size(); }
    bool empty() const { return events_.empty(); }
    // Forgets every event and keeps the room for the next ones.
    void clear() {
        events_.clear();
        details_.clear();
        texts_.clear();
    }

    // Each kept event in turn, in the order kept, its texts pointing into the
    // keeper (valid until it keeps more or is cleared).
    void sendTo(MatchEventSink& sink);

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    struct Kept {
        MatchEvent event;
        std::size_t textsAt;   // where its texts' copies start, one after the other
        std::size_t detailsAt; // into details_; kNone for none
    };
    std::vector<Kept> events_;
    std::vector<MatchDetails> details_;
    std::string texts_;
};

} // namespace quorvath
