// The history site's kept state: what is stored reads back the same, and
// bytes cut short or changed anywhere read back as no state.

#include "core/web/site_state.h"

#include <gtest/gtest.h>

namespace {

using namespace quorvath;
using namespace quorvath::web;

MatchRecord match(const std::string& map, std::int64_t playedAt) {
    MatchRecord m;
    m.map = map;
    m.server = "^3Clan";
    m.playedAt = playedAt;
    m.players.resize(2);
    m.players[0].name = "Anna";
    m.players[1].name = "Bo";
    return m;
}

SiteState state() {
    SiteState s{"identity", "names", {}, {}};
    HistoryTally& t = s.tally;
    for (const auto& [map, at] : {std::pair{"mp_shop", 100}, {"mp_jor1", -5}}) {
        const MatchRecord m = match(map, at);
        t.fingerprints.push_back("fingerprint " + std::string(map));
        t.matches.push_back({at, t.servers.add(m), t.maps.add(m), "ctf", 2});
    }
    t.mapMatches = {{{0}, {0, 7, -1}}, {{1}, {0, 0, 3}}};
    t.serverMatches = {{{0, 1}, {0, 7, 2}}};
    t.played = {{}, {{0, 1, 7, 2}, {1, 1, 0, 3}}, {}};
    PlayerRating& anna = s.people.emplace_back();
    anna.matches = 2;
    anna.rating = {26.5, 7.25};
    anna.steps = {{0, "", "", {25.5, 8.0}, 0}, {0, "", "", {26.5, 7.25}, 1}};
    return s;
}

std::string encoded(const SiteState& s) {
    return encodeState(s.identity, s.names, s.tally, s.people);
}

TEST(SiteState, ReadsBackWhatWasStoredWithTheStepsPlaces) {
    const std::optional<SiteState> back = decodeState(encoded(state()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->identity, "identity");
    EXPECT_EQ(back->names, "names");
    EXPECT_EQ(back->tally.fingerprints, state().tally.fingerprints);
    EXPECT_EQ(back->tally.matches[1].playedAt, -5);
    EXPECT_EQ(back->tally.maps.places()[1].place, "mp_jor1");
    EXPECT_EQ(back->tally.maps.names(0), state().tally.maps.names(0));
    EXPECT_EQ(back->tally.mapMatches[0].kills, (std::vector<std::int64_t>{0, 7, -1}));
    EXPECT_EQ(back->tally.played[1][1].deaths, 3);
    const RatingStep& step = back->people.at(0).steps.at(1);
    EXPECT_EQ(step.after.sigma, 7.25);
    EXPECT_EQ(step.map, "mp_jor1");
    EXPECT_EQ(step.server, "^3Clan");
    EXPECT_EQ(step.playedAt, -5);
    // Going on, a tally adds the next match to the places it kept.
    HistoryTally tally = std::move(back->tally);
    EXPECT_EQ(tally.maps.add(match("mp_shop", 200)), 0u);
    EXPECT_EQ(tally.maps.places()[0].matches, 2);
}

TEST(SiteState, DamagedBytesAreNoState) {
    const std::string bytes = encoded(state());
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(decodeState(bytes.substr(0, size))) << size;
    EXPECT_FALSE(decodeState(bytes + "x"));
    std::string otherVersion = bytes;
    otherVersion[14] = '9';
    EXPECT_FALSE(decodeState(otherVersion));
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x10);
        EXPECT_FALSE(decodeState(changed)) << at;
    }
}

} // namespace
