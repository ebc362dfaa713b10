#include "core/match/cut_names.h"

namespace quorvath {

namespace {

// The players of a set whose names start with a cut name: none, one (named)
// or several.
struct Candidates {
    std::size_t count = 0;
    std::string_view name;
};

// Among the players seen in the map, those still in the game or all.
Candidates candidatesFor(const StringMap<bool>& inMap, std::string_view cut, bool presentOnly) {
    Candidates found;
    for (const auto& [name, present] : inMap)
        if ((present || !presentOnly) && name.starts_with(cut)) {
            ++found.count;
            found.name = name;
        }
    return found;
}

// A map without end (a log without loading blocks) must not be held whole.
constexpr std::size_t kMostHeld = std::size_t{1} << 16;

std::array<NamedPlayer*, 2> namedIn(MatchEvent& event) { return {&event.player, &event.other}; }

} // namespace

void CutNames::notePresence(const MatchEvent& event) {
    const auto see = [this](const NamedPlayer& p, bool present) {
        if (p.name.empty() || !p.cutRaw.empty())
            return;
        if (const auto it = inMap_.find(p.name); it != inMap_.end())
            it->second = present;
        else
            inMap_.emplace(p.name, present);
    };
    const bool gone = event.type == MatchEventType::Disconnect ||
                      event.type == MatchEventType::Rename; // gone under that name
    see(event.player, !gone);
    see(event.other, true);
}

void CutNames::onEvent(const MatchEvent& event) {
    if (event.type == MatchEventType::MapStart) {
        release();
        inMap_.clear();
        sink_.onEvent(event);
        return;
    }
    notePresence(event);
    if (event.player.cutRaw.empty() && event.other.cutRaw.empty() && held_.empty()) {
        sink_.onEvent(event);
        return;
    }
    MatchEvent resolved = event;
    std::array<bool, 2> pending{};
    const std::array<NamedPlayer*, 2> named = namedIn(resolved);
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (named[i]->cutRaw.empty())
            continue;
        const Candidates present = candidatesFor(inMap_, named[i]->name, true);
        if (present.count == 1)
            *named[i] = NamedPlayer(present.name);
        pending[i] = present.count == 0;
    }
    if (held_.empty() && !pending[0] && !pending[1]) {
        sink_.onEvent(resolved);
        return;
    }
    Held& held = held_.emplace_back(Held{resolved, {}, pending});
    for (std::size_t i = 0; i < named.size(); ++i) {
        held.names[2 * i].assign(named[i]->name);
        held.names[2 * i + 1].assign(named[i]->cutRaw);
    }
    if (event.type == MatchEventType::MapEnd || held_.size() >= kMostHeld)
        release();
}

// The held events in order, a cut name no one present had going to the one
// player seen in the map whose name starts with it.
void CutNames::release() {
    for (Held& held : held_) {
        const std::array<NamedPlayer*, 2> named = namedIn(held.event);
        for (std::size_t i = 0; i < named.size(); ++i) {
            std::string& name = held.names[2 * i];
            std::string& cutRaw = held.names[2 * i + 1];
            if (held.pending[i]) {
                if (const Candidates seen = candidatesFor(inMap_, name, false); seen.count == 1) {
                    name.assign(seen.name);
                    cutRaw.clear();
                }
            }
            *named[i] = NamedPlayer(name, cutRaw);
        }
        sink_.onEvent(held.event);
    }
    held_.clear();
}

} // namespace quorvath
