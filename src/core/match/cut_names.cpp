#include "core/match/cut_names.h"

namespace quorvath {

namespace {

// The players of a set whose names start with a cut name: none, one (named)
// or several.
struct Candidates {
    std::size_t count = 0;
    std::string_view name;
};

Candidates candidatesFor(const StringSet& names, std::string_view cut) {
    Candidates found;
    for (const std::string& name : names)
        if (name.starts_with(cut)) {
            ++found.count;
            found.name = name;
        }
    return found;
}

std::array<NamedPlayer*, 2> namedIn(MatchEvent& event) { return {&event.player, &event.other}; }

} // namespace

void CutNames::notePresence(const MatchEvent& event) {
    const auto see = [this](const NamedPlayer& p) {
        if (p.name.empty() || !p.cutRaw.empty())
            return;
        if (present_.find(p.name) == present_.end())
            present_.emplace(p.name);
        if (seenInMap_.find(p.name) == seenInMap_.end())
            seenInMap_.emplace(p.name);
    };
    const auto gone = [this](const NamedPlayer& p) {
        if (const auto it = present_.find(p.name); it != present_.end())
            present_.erase(it);
    };
    switch (event.type) {
    case MatchEventType::Disconnect:
        see(event.player); // seen in this map all the same
        gone(event.player);
        break;
    case MatchEventType::Rename:
        see(event.player);
        gone(event.player);
        see(event.other);
        break;
    default:
        see(event.player);
        see(event.other);
        break;
    }
}

void CutNames::onEvent(const MatchEvent& event) {
    if (event.type == MatchEventType::MapStart) {
        release();
        present_.clear();
        seenInMap_.clear();
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
        const Candidates present = candidatesFor(present_, named[i]->name);
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
    if (event.type == MatchEventType::MapEnd)
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
                if (const Candidates seen = candidatesFor(seenInMap_, name); seen.count == 1) {
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
