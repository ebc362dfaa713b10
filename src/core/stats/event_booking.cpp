#include "core/stats/event_booking.h"

#include "core/stats/phrase_sweep.h"

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

RoundEnds RoundEnds::find(const LogDocument& doc) {
    const PhraseSweep sweep({kPhrases.begin(), kPhrases.end()});
    auto hits = sweep.run(doc.text());
    std::array<std::vector<int>, 4> positions;
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = std::move(hits[i]);
    return RoundEnds(std::move(positions));
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
                                                          std::string_view killtype) {
    for (const WeaponRow& row : kWeaponTable) {
        if (row.weapon != weapon)
            continue;
        if (!row.onlyWith.empty() && killtype != row.onlyWith)
            continue;
        if (!row.notWith.empty() && killtype == row.notWith)
            continue;
        return std::pair{row.victim, row.killer};
    }
    return std::nullopt;
}

// --- booking ---------------------------------------------------------------------------

EventBooker::EventBooker(const LogDocument& doc, std::string_view killtype, int involved,
                         PlayerTable& players, const RoundEnds* roundEnds)
    : text_(doc.text()), doc_(doc), killtype_(killtype), involved_(involved),
      renamePhrase_(killtype == kRenamed), players_(players), roundEnds_(roundEnds) {
    for (const OnePlayerRow& row : kOnePlayerTable)
        if (row.phrase == killtype) {
            onePlayerCounters_.push_back(row.first);
            if (row.second)
                onePlayerCounters_.push_back(*row.second);
        }
    plantPhrase_ = killtype == kPlanted;
}

void EventBooker::book(const EventLine& line) {
    const int v = players_.findOrAdd(line.firstname);
    // Deliberate: the weapon word "re" marks a rename, also when a kill line
    // of another phrase happens to end in it.
    const bool reWeapon = line.weapontoken == kRenameWeapon;
    const auto weapon = weaponCounters(line.weapontoken, killtype_);
    int m = 0;
    if (involved_ == 2 && !reWeapon && line.teamkill) {
        ++players_[v][teamKilledDeaths];
        ++players_[v][totalDeaths];
    } else if (involved_ == 1) {
        bookOnePlayerEvent(v, line);
        return;
    } else if (involved_ == 2) {
        if (weapon)
            ++players_[v][weapon->first];
        if (reWeapon)
            m = renameMaster(v);
        if (!renamePhrase_)
            ++players_[v][totalDeaths];
    } else {
        return; // collected, booked nowhere
    }
    if (line.headshot)
        ++players_[v][headshotDeaths];

    const int k = players_.findOrAdd(line.secondname);
    if (!reWeapon && line.teamkill) {
        ++players_[k][teamKills]; // no headshot, total, pair or carrier credit
        return;
    }
    if (weapon)
        ++players_[k][weapon->second];
    if (reWeapon)
        linkRename(m, k);
    if (!renamePhrase_) {
        if (line.headshot)
            ++players_[k][headshotKills];
        ++players_[k][totalKills];
    }
    if (renamePhrase_)
        return;
    bookPair(line);
}

void EventBooker::bookOnePlayerEvent(int v, const EventLine& line) {
    for (Counter c : onePlayerCounters_)
        ++players_[v][c];
    if (!plantPhrase_)
        return;
    if (!roundEnds_) {
        ownRoundEnds_ = RoundEnds::find(doc_);
        roundEnds_ = &*ownRoundEnds_;
    }
    if (roundEnds_->targetDestroyedAfter(line.lineStart))
        ++players_[v][targetsDestroyed];
}

void EventBooker::bookPair(const EventLine& line) {
    playerupper_ = players_.upper();
    // The counters above went to the player with the empty name; the pair and
    // the carrier credit go to whoever is called "nobody" (slot 0 when none).
    const std::string_view killer = line.secondname.empty() ? kNobody : line.secondname;
    const int vi = players_.findplayerindex(line.firstname);
    const int ki = players_.findplayerindex(killer);
    players_[ki].victims.add(vi, 1);
    players_[vi].killers.add(ki, 1);
    creditCarrierKill(ki, line.firstname, line.lineEnd);
}

// The victim's drop line may follow the kill line directly, and may also stand
// on one of the three lines above it; both places can credit.
void EventBooker::creditCarrierKill(int ki, std::string_view victim, int lineEnd) {
    auto credit = [&](Drop drop) {
        switch (drop) {
        case Drop::Briefcase: ++players_[ki][briefcaseCarrierKills]; return true;
        case Drop::Flag: ++players_[ki][flagCarrierKills]; return true;
        case Drop::Bomb: ++players_[ki][bombCarrierKills]; return true;
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

int EventBooker::renameMaster(int o) {
    if (!aliasIndexBuilt_) {
        for (int j = 1; j <= players_.upper(); ++j) {
            const AliasCollection& aliases = players_[j].aliases;
            for (int a = 1; a <= aliases.count(); ++a) {
                lowestHolder_.try_emplace(aliases.item(a), j); // j ascends: the first stays lowest
                held_.insert(holding(j, aliases.item(a)));
            }
        }
        aliasIndexBuilt_ = true;
    }
    const auto it = lowestHolder_.find(o);
    return it == lowestHolder_.end() ? o : it->second;
}

void EventBooker::linkRename(int m, int n) {
    if (n == m || held_.count(holding(m, n)))
        return;
    // A refused key (one already held) changes nothing, master included.
    if (!players_[m].aliases.add(n, players_[n].name))
        return;
    players_[n].master = m;
    held_.insert(holding(m, n));
    auto [it, added] = lowestHolder_.try_emplace(n, m);
    if (!added)
        it->second = std::min(it->second, m);
}

} // namespace quorvath
