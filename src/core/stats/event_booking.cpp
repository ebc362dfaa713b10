#include "core/stats/event_booking.h"

#include "core/stats/statistics_scans.h"
#include "core/stats/weapons.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace quorvath {

namespace {

constexpr std::string_view kPlanted = "has planted the bomb!";
constexpr std::string_view kNobody = "nobody";

struct WeaponRow {
    std::string_view weapon;
    std::string_view onlyWith; // the phrase the row needs; empty: any
    std::string_view notWith;  // a phrase the row excludes; empty: none
    Counter victim;
    Counter killer;
};

constexpr std::string_view kWhipped = "was pistol whipped by";
constexpr std::string_view kBludgeoned = "was bludgeoned by";

// A weapon's classic word; `onlyWith` and `notWith` tell its alternate
// attack from its shot.
consteval WeaponRow row(Counter kills, std::string_view onlyWith = {},
                        std::string_view notWith = {}) {
    const Weapon& w = weapon(kills);
    return {w.classicWord, onlyWith, notWith, w.deaths, w.kills};
}

// A pistol whip with `handgun`, told by its phrase.
consteval WeaponRow whip(Counter handgun) {
    const Weapon& w = weapon(pistolWhipKills);
    return {weapon(handgun).classicWord, kWhipped, {}, w.deaths, w.kills};
}

constexpr WeaponRow kWeaponTable[] = {
    row(ak74Kills),
    row(anm14Kills),
    row(m15Kills),
    row(m84Kills),
    row(m590BludgeonKills, kBludgeoned),
    row(m590Kills, {}, kBludgeoned),
    row(usas12Kills),
    row(smohg92Kills),
    row(rpg7Kills),
    row(m3a1Kills),
    row(m4Kills),
    row(m60Kills),
    row(mp5Kills),
    row(msg90a1Kills),
    row(m203Kills),
    whip(m1911a1Kills),
    row(m1911a1Kills, {}, kWhipped),
    whip(socomKills),
    row(socomKills, {}, kWhipped),
    whip(silverTalonKills),
    row(silverTalonKills, {}, kWhipped),
    row(microUziKills),
    row(mm1Kills),
    row(bayonetKills),
    row(knifeKills),
    row(sig551Kills),
};

constexpr bool everyWeaponWordFits() {
    for (const WeaponRow& row : kWeaponTable)
        if (row.weapon.size() >= WeaponWords::kLongest)
            return false;
    return true;
}
static_assert(everyWeaponWordFits());

} // namespace

// --- round ends ------------------------------------------------------------------

RoundEnds::RoundEnds(std::vector<std::vector<int>>& sweepHits, std::size_t first) {
    for (std::size_t i = 0; i < positions_.size(); ++i)
        positions_[i] = std::move(sweepHits[first + i]);
}

int RoundEnds::next(Which which, int from) const {
    const auto& list = positions_[which];
    const auto it = std::lower_bound(list.begin(), list.end(), from);
    return it == list.end() ? -1 : *it;
}

bool RoundEnds::targetDestroyedAfter(int from) const {
    const int d = next(Destroyed, from);
    auto orAfterD = [d](int p) { return p == -1 ? d + 1 : p; };
    const int e = orAfterD(next(Eliminated, from));
    const int f = orAfterD(next(Defused, from));
    const int g = orAfterD(next(Defended, from));
    return d != -1 && d < e && d < f && d < g;
}

// --- weapon table --------------------------------------------------------------------

WeaponWords::WeaponWords(std::string_view phrase) {
    for (const WeaponRow& row : kWeaponTable) {
        if (!row.onlyWith.empty() && phrase != row.onlyWith)
            continue;
        if (!row.notWith.empty() && phrase == row.notWith)
            continue;
        auto& words = byLength_[row.weapon.size()];
        // The first row of a word that fits the phrase is the one that counts.
        if (std::none_of(words.begin(), words.end(),
                         [&](const Word& w) { return w.word == row.weapon; }))
            words.push_back({row.weapon, row.victim, row.killer});
    }
}

std::optional<std::pair<Counter, Counter>> WeaponWords::counters(std::string_view weapon) const {
    if (weapon.size() >= kLongest)
        return std::nullopt;
    for (const Word& w : byLength_[weapon.size()])
        if (std::memcmp(w.word.data(), weapon.data(), weapon.size()) == 0)
            return std::pair{w.victim, w.killer};
    return std::nullopt;
}

// --- records ------------------------------------------------------------------------

// The words: the first and the last eight characters (overlapping from 9 to
// 15 characters); from 4 to 7 the first and last four; below that the first,
// middle and last character. Up to 16 characters they hold the whole name.
NamePool::Slot NamePool::keyOf(std::string_view name) {
    const char* p = name.data();
    const std::size_t n = name.size();
    const auto word = [](const char* at) {
        std::uint64_t w;
        std::memcpy(&w, at, 8);
        return w;
    };
    const auto half = [](const char* at) {
        std::uint32_t w;
        std::memcpy(&w, at, 4);
        return std::uint64_t{w};
    };
    const auto byte = [](char c) { return std::uint64_t{static_cast<unsigned char>(c)}; };
    Slot key;
    key.length = static_cast<std::uint32_t>(n);
    if (n >= 8) {
        key.head = word(p);
        key.tail = word(p + n - 8);
    } else if (n >= 4) {
        key.head = half(p) | half(p + n - 4) << 32;
    } else if (n > 0) {
        key.head = byte(p[0]) | byte(p[n / 2]) << 8 | byte(p[n - 1]) << 16;
    }
    return key;
}

std::size_t NamePool::hashOf(const Slot& key) {
    constexpr std::uint64_t mix = 0x9E3779B97F4A7C15u;
    std::uint64_t h = (key.head * mix) ^ (key.tail + key.length) * 0xC2B2AE3D27D4EB4Fu;
    h ^= h >> 29;
    h *= mix;
    return static_cast<std::size_t>(h ^ (h >> 32));
}

int NamePool::intern(std::string_view name) {
    if (2 * (names_.size() + 1) > slots_.size())
        grow();
    const Slot key = keyOf(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hashOf(key) & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.number < 0) {
            slot = key;
            slot.number = size();
            names_.emplace_back(name);
            return slot.number;
        }
        if (slot.head == key.head && slot.tail == key.tail && slot.length == key.length &&
            (key.length <= 16 || names_[static_cast<std::size_t>(slot.number)] == name))
            return slot.number;
    }
}

void NamePool::grow() {
    std::vector<Slot> old(std::max<std::size_t>(slots_.size() * 2, 64));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.number < 0)
            continue;
        std::size_t i = hashOf(slot) & mask;
        while (slots_[i].number >= 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

EventRecord recordEvent(const EventLine& line, EventKind kind, const WeaponWords& weapons,
                        NamePool& names) {
    EventRecord event;
    event.firstName = names.intern(line.firstName);
    if (kind == EventKind::OnePlayer) {
        event.secondNameOrLineStart = line.lineStart;
        return event;
    }
    event.secondNameOrLineStart = names.intern(line.secondName);
    // Deliberate: the weapon word "re" marks a rename, also when a kill line
    // of another phrase happens to end in it.
    const bool reWeapon = line.weapon == kRenameWeapon;
    if (const auto weapon = weapons.counters(line.weapon)) {
        event.victimCounter = static_cast<std::uint8_t>(weapon->first);
        event.killerCounter = static_cast<std::uint8_t>(weapon->second);
    }
    event.flags = static_cast<std::uint8_t>(
        (line.headshot ? EventRecord::Headshot : 0) | (reWeapon ? EventRecord::RenameWeapon : 0) |
        (!reWeapon && line.teamKill ? EventRecord::TeamKill : 0));
    event.drops = static_cast<std::uint8_t>(static_cast<unsigned>(line.dropAfter) |
                                            static_cast<unsigned>(line.dropAbove) << 4);
    return event;
}

int NameIndexes::lookUp(int name) {
    if (indexes_.size() < static_cast<std::size_t>(names_.size()))
        indexes_.resize(static_cast<std::size_t>(names_.size()), 0);
    int& index = indexes_[static_cast<std::size_t>(name)];
    if (index == 0) // a name's index never changes while a pass books
        index = players_.findOrAdd(names_.name(name));
    return index;
}

namespace {

std::uint64_t pairKey(std::size_t killer, std::size_t victim) {
    return std::uint64_t{killer} << 32 | victim;
}

std::size_t slotOf(std::uint64_t pair, std::size_t mask) {
    return static_cast<std::size_t>((pair * 0x9E3779B97F4A7C15u) >> 20) & mask;
}

} // namespace

void KillPairs::addPast(int killer, int victim, std::uint32_t count) {
    const auto k = static_cast<std::size_t>(killer);
    const auto v = static_cast<std::size_t>(victim);
    const std::size_t need = std::max(k, v) + 1;
    if (need <= kLargestSide && (side_ > 0 || pairs_.empty())) {
        // A larger square, the counts copied over.
        std::size_t side = std::max<std::size_t>(side_, 64);
        while (side < need)
            side *= 2;
        std::vector<std::uint32_t> square(side * side, 0);
        for (std::size_t i = 0; i < side_; ++i)
            std::copy_n(square_.begin() + static_cast<std::ptrdiff_t>(i * side_), side_,
                        square.begin() + static_cast<std::ptrdiff_t>(i * side));
        square_.swap(square);
        side_ = side;
        square_[k * side_ + v] += count;
        return;
    }
    if (side_ > 0) { // too many players for a square: its counts go to the table
        for (std::size_t i = 0; i < side_; ++i)
            for (std::size_t j = 0; j < side_; ++j)
                if (const std::uint32_t inSquare = square_[i * side_ + j])
                    addToTable(pairKey(i, j), inSquare);
        std::vector<std::uint32_t>().swap(square_);
        side_ = 0;
    }
    addToTable(pairKey(k, v), count);
}

void KillPairs::addToTable(std::uint64_t pair, std::uint32_t count) {
    if (4 * (used_ + 1) > 3 * pairs_.size())
        grow();
    const std::size_t mask = pairs_.size() - 1;
    std::size_t i = slotOf(pair, mask);
    while (pairs_[i] != pair && pairs_[i] != kEmpty)
        i = (i + 1) & mask;
    if (pairs_[i] == kEmpty) {
        pairs_[i] = pair;
        ++used_;
    }
    counts_[i] += count;
}

void KillPairs::grow() {
    std::vector<std::uint64_t> oldPairs(std::max<std::size_t>(pairs_.size() * 2, 1024), kEmpty);
    std::vector<std::uint32_t> oldCounts(oldPairs.size(), 0);
    oldPairs.swap(pairs_);
    oldCounts.swap(counts_);
    const std::size_t mask = pairs_.size() - 1;
    for (std::size_t k = 0; k < oldPairs.size(); ++k) {
        if (oldPairs[k] == kEmpty)
            continue;
        std::size_t i = slotOf(oldPairs[k], mask);
        while (pairs_[i] != kEmpty)
            i = (i + 1) & mask;
        pairs_[i] = oldPairs[k];
        counts_[i] = oldCounts[k];
    }
}

void KillPairs::addAll(const std::vector<BookedPair>& booked) {
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < booked.size(); ++i) {
#if defined(__GNUC__)
        if (i + kAhead < booked.size()) {
            const auto k = static_cast<std::size_t>(booked[i + kAhead].killer);
            const auto v = static_cast<std::size_t>(booked[i + kAhead].victim);
            if (k < side_ && v < side_)
                __builtin_prefetch(square_.data() + k * side_ + v, 1);
        }
#endif
        add(booked[i].killer, booked[i].victim);
    }
}

void KillPairs::bookInto(PlayerTable& players) {
    OpponentLists lists = takeLists();
    addLists(lists, players);
}

KillPairs::OpponentLists KillPairs::takeLists() {
    std::size_t players = side_;
    for (std::size_t i = 0; i < pairs_.size(); ++i)
        if (pairs_[i] != kEmpty)
            players = std::max({players, static_cast<std::size_t>(pairs_[i] >> 32) + 1,
                                static_cast<std::size_t>(pairs_[i] & 0xFFFFFFFFu) + 1});
    OpponentLists lists;
    lists.victims.resize(players);
    lists.killers.resize(players);
    // Row by row: a killer's victims and each victim's killers are met in
    // ascending order, so each count lands at the end of its list.
    for (std::size_t i = 0; i < side_; ++i)
        for (std::size_t j = 0; j < side_; ++j)
            if (const std::uint32_t count = square_[i * side_ + j]) {
                lists.victims[i].add(static_cast<int>(j), static_cast<std::int32_t>(count));
                lists.killers[j].add(static_cast<int>(i), static_cast<std::int32_t>(count));
            }
    std::vector<std::uint32_t>().swap(square_);
    side_ = 0;

    struct Count {
        std::int32_t killer;
        std::int32_t victim;
        std::int32_t count; // fewer kills than a 32-bit count holds: the text has fewer lines
    };
    std::vector<Count> counts;
    counts.reserve(used_);
    for (std::size_t i = 0; i < pairs_.size(); ++i)
        if (pairs_[i] != kEmpty)
            counts.push_back({static_cast<std::int32_t>(pairs_[i] >> 32),
                              static_cast<std::int32_t>(pairs_[i] & 0xFFFFFFFFu),
                              static_cast<std::int32_t>(counts_[i])});
    std::vector<std::uint64_t>().swap(pairs_);
    std::vector<std::uint32_t>().swap(counts_);
    used_ = 0;
    // In index order each count lands at the end of its list.
    std::sort(counts.begin(), counts.end(), [](const Count& a, const Count& b) {
        return std::pair(a.killer, a.victim) < std::pair(b.killer, b.victim);
    });
    for (const Count& c : counts)
        lists.victims[static_cast<std::size_t>(c.killer)].add(c.victim, c.count);
    std::sort(counts.begin(), counts.end(), [](const Count& a, const Count& b) {
        return std::pair(a.victim, a.killer) < std::pair(b.victim, b.killer);
    });
    for (const Count& c : counts)
        lists.killers[static_cast<std::size_t>(c.victim)].add(c.killer, c.count);
    return lists;
}

// A list gets each index once, so merging its counts into a player's list is
// what adding the pairs' counts to it would have done; one merge keeps a long
// list (a whole history's) linear.
void KillPairs::addLists(OpponentLists& lists, PlayerTable& players) {
    const auto addTo = [](OpponentCounts& to, OpponentCounts& from) {
        if (to.empty()) {
            to = std::move(from);
            return;
        }
        to.fold(from, from.begin()->index, std::prev(from.end())->index, 1);
    };
    // Past the players the square may hold empty lists.
    for (std::size_t i = 0; i < lists.victims.size(); ++i) {
        if (!lists.victims[i].empty())
            addTo(players[static_cast<int>(i)].victims, lists.victims[i]);
        if (!lists.killers[i].empty())
            addTo(players[static_cast<int>(i)].killers, lists.killers[i]);
    }
}

// --- booking ---------------------------------------------------------------------------

EventBooker::EventBooker(std::string_view phrase, EventKind kind, PlayerTable& players,
                         const RoundEnds& roundEnds, std::vector<BookedPair>& pairs)
    : kind_(kind), renamePhrase_(phrase == kRenamePhrase), players_(players), roundEnds_(roundEnds),
      pairs_(pairs), pairIndexesFound_(!players.anyOriginalName()) {
    for (const StatisticsScan& scan : kStatisticsScans)
        if (scan.phrase == phrase && scan.counter) {
            onePlayerCounters_.push_back(*scan.counter);
            if (scan.suicide)
                onePlayerCounters_.push_back(totalDeaths);
        }
    plantPhrase_ = phrase == kPlanted;
}

void EventBooker::book(const EventRecord& event, NameIndexes& names) {
    const int victim = names.player(event.firstName);
    if (kind_ == EventKind::OnePlayer) {
        bookOnePlayerEvent(victim, event);
        return;
    }
    const bool reWeapon = event.flags & EventRecord::RenameWeapon;
    const bool teamKill = event.flags & EventRecord::TeamKill;
    const bool weapon = event.victimCounter != 0;
    int master = 0;
    if (teamKill) {
        ++players_[victim][teamKilledDeaths];
        ++players_[victim][totalDeaths];
    } else {
        if (weapon)
            ++players_[victim][static_cast<Counter>(event.victimCounter)];
        if (reWeapon)
            master = renameLinks().masterOf(victim);
        if (!renamePhrase_)
            ++players_[victim][totalDeaths];
    }
    const bool headshot = event.flags & EventRecord::Headshot;
    if (headshot)
        ++players_[victim][headshotDeaths];

    const int killer = names.player(event.secondNameOrLineStart);
    if (teamKill) {
        ++players_[killer][teamKills]; // no headshot, total, pair or carrier credit
        return;
    }
    if (weapon)
        ++players_[killer][static_cast<Counter>(event.killerCounter)];
    if (reWeapon)
        renameLinks().link(master, killer);
    if (renamePhrase_)
        return;
    if (headshot)
        ++players_[killer][headshotKills];
    ++players_[killer][totalKills];
    bookPair(victim, killer, event, names);
}

void EventBooker::bookOnePlayerEvent(int player, const EventRecord& event) {
    for (Counter c : onePlayerCounters_)
        ++players_[player][c];
    if (!plantPhrase_)
        return;
    if (roundEnds_.targetDestroyedAfter(event.secondNameOrLineStart))
        ++players_[player][targetsDestroyed];
}

void EventBooker::bookPair(int victim, int killer, const EventRecord& event, NameIndexes& names) {
    // The counters above went to the player with the empty name; the pair and
    // the carrier credit go to whoever is called "nobody" (slot 0 when none).
    // An empty victim's name is looked up again too: it finds player 1.
    const std::string& victimName = names.name(event.firstName);
    const std::string& killerName = names.name(event.secondNameOrLineStart);
    if (!pairIndexesFound_ || victimName.empty())
        victim = players_.findPlayerIndex(victimName);
    if (!pairIndexesFound_ || killerName.empty())
        killer = players_.findPlayerIndex(killerName.empty() ? kNobody : killerName);
    pairs_.push_back({killer, victim});
    creditCarrierKill(killer, event.dropAfter());
    creditCarrierKill(killer, event.dropAbove());
}

void EventBooker::creditCarrierKill(int killer, CarrierDrop drop) {
    switch (drop) {
    case CarrierDrop::Briefcase: ++players_[killer][briefcaseCarrierKills]; break;
    case CarrierDrop::Flag: ++players_[killer][flagCarrierKills]; break;
    case CarrierDrop::Bomb: ++players_[killer][bombCarrierKills]; break;
    case CarrierDrop::None: break;
    }
}

// Built at the first rename a phrase books, from the aliases the table holds
// by then.
RenameLinks& EventBooker::renameLinks() {
    if (!renameLinks_)
        renameLinks_.emplace(players_);
    return *renameLinks_;
}

} // namespace quorvath
