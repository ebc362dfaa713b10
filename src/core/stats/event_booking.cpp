#include "core/stats/event_booking.h"

#include <algorithm>
#include <string>

namespace quorvath {

namespace {

constexpr std::string_view kRenamed = "renamed to";
constexpr std::string_view kPlanted = "has planted the bomb!";
constexpr std::string_view kRenameWeapon = "re";
constexpr std::string_view kNobody = "nobody";

struct OnePlayerRow {
    std::string_view phrase;
    Counter first;
    std::optional<Counter> second;
};

constexpr OnePlayerRow kOnePlayerTable[] = {
    {"has taken the briefcase!", briefcasesTaken, {}},
    {"has dropped the briefcase!", briefcasesDropped, {}},
    {"has escaped with the briefcase!", briefcaseEscapes, {}},
    {"blew himself up.", grenadeSuicides, totalDeaths},
    {"fell to his death.", fallSuicides, totalDeaths},
    {"killed himself.", m203Suicides, totalDeaths},
    {"was in the wrong place.", wrongPlaceSuicides, totalDeaths},
    {"called a vote.", votesCalled, {}},
    {"has captured the Blue Flag!", flagsCaptured, {}},
    {"has captured the Red Flag!", flagsCaptured, {}},
    {"has defused the bomb!", bombsDefused, {}},
    {"has planted the bomb!", bombsPlanted, {}},
    {"has dropped the bomb!", bombsDropped, {}},
    {"has taken the bomb!", bombsTaken, {}},
    {"You were kicked off of the server!", timesKicked, {}},
    {"You have been temporarily banned from this server!", timesTempBanned, {}},
    {"You have been banned from this server!", timesBanned, {}},
    {"has dropped the Blue Flag!", flagsDropped, {}},
    {"has dropped the Red Flag!", flagsDropped, {}},
    {"has taken the Blue Flag!", flagsTaken, {}},
    {"has taken the Red Flag!", flagsTaken, {}},
};

struct WeaponRow {
    std::string_view weapon;
    std::string_view onlyWith; // the phrase the row needs; empty: any
    std::string_view notWith;  // a phrase the row excludes; empty: none
    Counter victim;
    Counter killer;
};

constexpr std::string_view kWhipped = "was pistol whipped by";
constexpr std::string_view kBludgeoned = "was bludgeoned by";

constexpr WeaponRow kWeaponTable[] = {
    {"AK74", {}, {}, ak74Deaths, ak74Kills},
    {"ANM14", {}, {}, anm14Deaths, anm14Kills},
    {"M15", {}, {}, m15Deaths, m15Kills},
    {"M84", {}, {}, m84Deaths, m84Kills},
    {"M590", kBludgeoned, {}, m590BludgeonDeaths, m590BludgeonKills},
    {"M590", {}, kBludgeoned, m590Deaths, m590Kills},
    {"USAS-12", {}, {}, usas12Deaths, usas12Kills},
    {"SMOHG92", {}, {}, smohg92Deaths, smohg92Kills},
    {"RPG7", {}, {}, rpg7Deaths, rpg7Kills},
    {"M3A1", {}, {}, m3a1Deaths, m3a1Kills},
    {"M4", {}, {}, m4Deaths, m4Kills},
    {"M60", {}, {}, m60Deaths, m60Kills},
    {"MP5", {}, {}, mp5Deaths, mp5Kills},
    {"MSG90A1", {}, {}, msg90a1Deaths, msg90a1Kills},
    {"M203", {}, {}, m203Deaths, m203Kills},
    {"M1911A1", kWhipped, {}, pistolWhipDeaths, pistolWhipKills},
    {"M1911A1", {}, kWhipped, m1911a1Deaths, m1911a1Kills},
    {"US SOCOM", kWhipped, {}, pistolWhipDeaths, pistolWhipKills},
    {"US SOCOM", {}, kWhipped, socomDeaths, socomKills},
    {"Silver Talon", kWhipped, {}, pistolWhipDeaths, pistolWhipKills},
    {"Silver Talon", {}, kWhipped, silverTalonDeaths, silverTalonKills},
    {"Micro-Uzi", {}, {}, microUziDeaths, microUziKills},
    {"MM1", {}, {}, mm1Deaths, mm1Kills},
    {"Bayonet", {}, {}, bayonetDeaths, bayonetKills},
    {"Knife", {}, {}, knifeDeaths, knifeKills},
    {"Sig 551", {}, {}, sig551Deaths, sig551Kills},
};

std::uint64_t holding(int holder, int item) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(holder)) << 32) |
           static_cast<std::uint32_t>(item);
}

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

std::optional<std::pair<Counter, Counter>> weaponCounters(std::string_view weapon,
                                                          std::string_view phrase) {
    for (const WeaponRow& row : kWeaponTable) {
        if (row.weapon != weapon)
            continue;
        if (!row.onlyWith.empty() && phrase != row.onlyWith)
            continue;
        if (!row.notWith.empty() && phrase == row.notWith)
            continue;
        return std::pair{row.victim, row.killer};
    }
    return std::nullopt;
}

// --- booking ---------------------------------------------------------------------------

EventBooker::EventBooker(const LogDocument& doc, std::string_view phrase, EventKind kind,
                         PlayerTable& players, const RoundEnds& roundEnds)
    : text_(doc.text()), phrase_(phrase), kind_(kind), renamePhrase_(phrase == kRenamed),
      players_(players), roundEnds_(roundEnds) {
    for (const OnePlayerRow& row : kOnePlayerTable)
        if (row.phrase == phrase) {
            onePlayerCounters_.push_back(row.first);
            if (row.second)
                onePlayerCounters_.push_back(*row.second);
        }
    plantPhrase_ = phrase == kPlanted;
}

void EventBooker::book(const EventLine& line) {
    const int victim = players_.findOrAdd(line.firstName);
    if (kind_ == EventKind::OnePlayer) {
        bookOnePlayerEvent(victim, line);
        return;
    }
    // Deliberate: the weapon word "re" marks a rename, also when a kill line
    // of another phrase happens to end in it.
    const bool reWeapon = line.weapon == kRenameWeapon;
    const bool teamKill = !reWeapon && line.teamKill;
    const auto weapon = weaponCounters(line.weapon, phrase_);
    int master = 0;
    if (teamKill) {
        ++players_[victim][teamKilledDeaths];
        ++players_[victim][totalDeaths];
    } else {
        if (weapon)
            ++players_[victim][weapon->first];
        if (reWeapon)
            master = masterOf(victim);
        if (!renamePhrase_)
            ++players_[victim][totalDeaths];
    }
    if (line.headshot)
        ++players_[victim][headshotDeaths];

    const int killer = players_.findOrAdd(line.secondName);
    if (teamKill) {
        ++players_[killer][teamKills]; // no headshot, total, pair or carrier credit
        return;
    }
    if (weapon)
        ++players_[killer][weapon->second];
    if (reWeapon)
        linkRename(master, killer);
    if (renamePhrase_)
        return;
    if (line.headshot)
        ++players_[killer][headshotKills];
    ++players_[killer][totalKills];
    bookPair(line);
}

void EventBooker::bookOnePlayerEvent(int player, const EventLine& line) {
    for (Counter c : onePlayerCounters_)
        ++players_[player][c];
    if (!plantPhrase_)
        return;
    if (roundEnds_.targetDestroyedAfter(line.lineStart))
        ++players_[player][targetsDestroyed];
}

void EventBooker::bookPair(const EventLine& line) {
    // The counters above went to the player with the empty name; the pair and
    // the carrier credit go to whoever is called "nobody" (slot 0 when none).
    const std::string_view killerName = line.secondName.empty() ? kNobody : line.secondName;
    const int victim = players_.findPlayerIndex(line.firstName);
    const int killer = players_.findPlayerIndex(killerName);
    players_[killer].victims.add(victim, 1);
    players_[victim].killers.add(killer, 1);
    creditCarrierKill(killer, line.firstName, line.lineEnd);
}

// The victim's drop line may follow the kill line directly, and may also stand
// on one of the three lines above it; both places can credit.
void EventBooker::creditCarrierKill(int killer, std::string_view victim, int lineEnd) {
    auto credit = [&](Drop drop) {
        switch (drop) {
        case Drop::Briefcase: ++players_[killer][briefcaseCarrierKills]; return true;
        case Drop::Flag: ++players_[killer][flagCarrierKills]; return true;
        case Drop::Bomb: ++players_[killer][bombCarrierKills]; return true;
        default: return false;
        }
    };
    const int n = static_cast<int>(text_.size());
    int caret = std::clamp(lineEnd + 2, 0, n);
    credit(dropLineAt(caret, victim));

    caret = lineAbove(lineAbove(caret)); // the kill line's start, then the line before it
    for (int round = 0; round < 3; ++round) {
        const Drop drop = dropLineAt(caret, victim);
        if (drop == Drop::None)
            caret = lineAbove(caret);
        else if (credit(drop))
            return;
        // deliberate: a drop line of another object is examined again next round
    }
}

EventBooker::Drop EventBooker::dropLineAt(int at, std::string_view victim) const {
    static constexpr std::string_view kDropped = " has dropped";
    const std::string_view rest = text_.substr(static_cast<std::size_t>(at));
    if (rest.size() < victim.size() + kDropped.size() || rest.substr(0, victim.size()) != victim ||
        rest.substr(victim.size(), kDropped.size()) != kDropped)
        return Drop::None;
    if (rest.size() < victim.size() + 19)
        return Drop::Other;
    const std::string_view object = rest.substr(victim.size(), 19);
    if (object == " has dropped the br")
        return Drop::Briefcase;
    if (object == " has dropped the Bl" || object == " has dropped the Re")
        return Drop::Flag;
    if (object == " has dropped the bo")
        return Drop::Bomb;
    return Drop::Other;
}

// Back one position, then backward up to LF.
int EventBooker::lineAbove(int caret) const {
    caret = std::max(caret - 1, 0);
    return lastIndexOf(text_, '\n', caret) + 1;
}

// The player a rename's old name is filed under: the lowest player holding it
// as an alias, else the old name itself.
int EventBooker::masterOf(int player) {
    if (!aliasIndexBuilt_) {
        for (int j = 1; j <= players_.playerCount(); ++j) {
            const AliasCollection& aliases = players_[j].aliases;
            for (int a = 1; a <= aliases.count(); ++a) {
                lowestHolder_.try_emplace(aliases.item(a), j); // j ascends: the first stays lowest
                held_.insert(holding(j, aliases.item(a)));
            }
        }
        aliasIndexBuilt_ = true;
    }
    const auto it = lowestHolder_.find(player);
    return it == lowestHolder_.end() ? player : it->second;
}

void EventBooker::linkRename(int master, int newName) {
    if (newName == master || held_.count(holding(master, newName)))
        return;
    // A refused key (one already held) changes nothing, master included.
    if (!players_[master].aliases.add(newName, players_[newName].name))
        return;
    players_[newName].master = master;
    held_.insert(holding(master, newName));
    auto [it, added] = lowestHolder_.try_emplace(newName, master);
    if (!added)
        it->second = std::min(it->second, master);
}

} // namespace quorvath
