#pragma once
// CutNames: the stage right behind the console log parser that gives a name
// cut short in a kill or suicide line (29 characters) to the player it
// stands for, by who is in the game at that moment: the players seen in this
// map (entering, chatting, acting, named in full) and not yet gone
// (disconnected, renamed away). Exactly one of them whose name starts with
// the cut name: the event goes on under his name. Several: it goes on
// unresolved (the cut name, its `cutRaw` kept). None: the events from there
// on are held back until the map ends (or a great many are held), and the
// cut name then goes to the one player seen anywhere in that map whose name
// starts with it (else stays unresolved). So a sink gets every event of a
// map, in order, by the time the map ends, its names as resolved as they
// will ever be.
//
// One thread; events in log order, then finish() once the log is read.

#include "core/common/string_hash.h"
#include "core/match/match_event.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

class CutNames final : public MatchEventSink {
public:
    explicit CutNames(MatchEventSink& sink) : sink_(sink) {}

    void onEvent(const MatchEvent& event) override;
    // Hands on what is still held back.
    void finish() { release(); }

private:
    struct Held {
        MatchEvent event;
        std::array<std::string, 4> names; // player, its cut, other, its cut
        std::array<bool, 2> pending{};    // player, other: no candidate was present
    };

    void notePresence(const MatchEvent& event);
    void release();

    MatchEventSink& sink_;
    StringMap<bool> inMap_; // shown names seen in this map: still in the game?
    std::vector<Held> held_;
};

} // namespace quorvath
