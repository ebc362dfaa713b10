#include "core/stats/literal_event_scan.h"

#include "core/stats/statistics_pass.h"
#include "support/editable_document.h"

#include <algorithm>

namespace quorvath::test {

namespace {

// A piece of the text, with the choices taken for odd lengths: nothing for a
// length below 1, the range kept inside the text.
std::string mid(const std::string& text, int start, int length) {
    const int n = static_cast<int>(text.size());
    if (length <= 0 || start >= n)
        return {};
    return text.substr(static_cast<std::size_t>(start),
                       static_cast<std::size_t>(std::min(length, n - start)));
}

void raise(PlayerRecord& r, Counter c) { ++r.counters[static_cast<std::size_t>(c)]; }

bool holdsItem(const AliasCollection& aliases, int item) {
    for (int x = 1; x <= aliases.count(); ++x)
        if (aliases.item(x) == item)
            return true;
    return false;
}

} // namespace

int LiteralTable::findOrAdd(const std::string& name) {
    for (int i = 1; i <= playerCount(); ++i)
        if (players[static_cast<std::size_t>(i)].name == name)
            return i;
    players.emplace_back();
    players.back().name = name;
    return playerCount();
}

int LiteralTable::findPlayerIndex(const std::string& name) {
    for (int i = 1; i <= playerCount(); ++i) {
        const PlayerRecord& r = players[static_cast<std::size_t>(i)];
        if (r.name == name || r.originalName == name)
            return i;
    }
    return 0;
}

void literalBookPhraseEvents(LogDocument& document, const std::string& phrase, EventKind kind,
                             LiteralTable& t) {
    EditableDocument doc(document);
    const std::string& text = doc.text();
    const int n = doc.length();
    const int phraseLength = static_cast<int>(phrase.size());
    int separator = 5;
    std::vector<int> lineStarts{0};
    std::vector<std::string> firstNames{""}, secondNames{""}, weapons{""};
    std::vector<int> headshotFlags{0}, teamKillFlags{0};
    int eventCount = 0;

    // Phase 1: collecting.
    int pos = doc.find(phrase, 0);
    while (pos != -1) {
        const auto e = static_cast<std::size_t>(++eventCount);
        lineStarts.push_back(0);
        firstNames.emplace_back();
        secondNames.emplace_back();
        weapons.emplace_back();
        headshotFlags.push_back(0);
        teamKillFlags.push_back(0);
        doc.moveCaretBackwardTo('\n');
        const int lineStart = doc.selStart();
        doc.moveCaretForwardTo('\n');
        const int lineEnd = doc.selStart();
        const int lineLength = lineEnd - lineStart;
        doc.moveCaretBackwardTo('\'');
        const int apos = doc.selStart();
        lineStarts[e] = lineStart;
        firstNames[e] = mid(text, lineStart, pos - lineStart - 1);
        if (kind == EventKind::TwoPlayer) {
            if (phrase == "was stabbed by") {
                weapons[e] = "Bayonet";
            } else if (phrase == "was sliced by") {
                weapons[e] = "Knife";
            } else if (phrase == "renamed to") {
                weapons[e] = "re";
                separator = 0;
            } else {
                weapons[e] = mid(text, apos + 2, lineEnd - apos - 2);
            }
            if (phrase == "was sliced by" || phrase == "was stabbed by") {
                const int ref = doc.lineOf(pos);
                const int q = pos + phraseLength + 1;
                for (int k = 0;; ++k) {
                    if (q + k >= n || doc.lineOf(q + k + 1) != ref)
                        break;
                    secondNames[e] += text[static_cast<std::size_t>(q + k)];
                    if (secondNames[e].ends_with("\r"))
                        secondNames[e].pop_back();
                    doc.setSelStart(q + k + 1);
                }
                if (secondNames[e].ends_with(" [HeaDShoT]")) {
                    secondNames[e].resize(secondNames[e].size() - 11);
                    headshotFlags[e] = 1;
                }
            } else {
                secondNames[e] =
                    mid(text, pos + phraseLength + 1,
                        lineLength - static_cast<int>(firstNames[e].size()) -
                            static_cast<int>(weapons[e].size()) - phraseLength - separator);
                if (secondNames[e].ends_with("\r"))
                    secondNames[e].pop_back();
                if (weapons[e].ends_with(" [HeaDShoT]")) {
                    weapons[e].resize(weapons[e].size() - 11);
                    headshotFlags[e] = 1;
                }
            }
            const int p1 = doc.find(firstNames[e], lineStart);
            doc.select(p1 + 1, 1);
            const Colour c1 = doc.selectionColour();
            const int p2 = doc.find(secondNames[e], lineStart);
            doc.select(p2 + 1, 1);
            const Colour c2 = doc.selectionColour();
            if (c1 == c2 && c2 != 0xE0E0E0)
                teamKillFlags[e] = 1;
        }
        pos = doc.find(phrase, lineEnd);
    }

    // Phase 2: booking.
    auto weaponRaise = [&](const std::string& w, bool victim, int who) {
        PlayerRecord& r = t.players[static_cast<std::size_t>(who)];
        auto pick = [&](Counter d, Counter k) { raise(r, victim ? d : k); };
        if (w == "AK74")
            pick(ak74Deaths, ak74Kills);
        else if (w == "ANM14")
            pick(anm14Deaths, anm14Kills);
        else if (w == "M15")
            pick(m15Deaths, m15Kills);
        else if (w == "M84")
            pick(m84Deaths, m84Kills);
        else if (w == "M590" && phrase == "was bludgeoned by")
            pick(m590BludgeonDeaths, m590BludgeonKills);
        else if (w == "M590")
            pick(m590Deaths, m590Kills);
        else if (w == "USAS-12")
            pick(usas12Deaths, usas12Kills);
        else if (w == "SMOHG92")
            pick(smohg92Deaths, smohg92Kills);
        else if (w == "RPG7")
            pick(rpg7Deaths, rpg7Kills);
        else if (w == "M3A1")
            pick(m3a1Deaths, m3a1Kills);
        else if (w == "M4")
            pick(m4Deaths, m4Kills);
        else if (w == "M60")
            pick(m60Deaths, m60Kills);
        else if (w == "MP5")
            pick(mp5Deaths, mp5Kills);
        else if (w == "MSG90A1")
            pick(msg90a1Deaths, msg90a1Kills);
        else if (w == "M203")
            pick(m203Deaths, m203Kills);
        else if ((w == "M1911A1" || w == "US SOCOM" || w == "Silver Talon") &&
                 phrase == "was pistol whipped by")
            pick(pistolWhipDeaths, pistolWhipKills);
        else if (w == "M1911A1")
            pick(m1911a1Deaths, m1911a1Kills);
        else if (w == "US SOCOM")
            pick(socomDeaths, socomKills);
        else if (w == "Silver Talon")
            pick(silverTalonDeaths, silverTalonKills);
        else if (w == "Micro-Uzi")
            pick(microUziDeaths, microUziKills);
        else if (w == "MM1")
            pick(mm1Deaths, mm1Kills);
        else if (w == "Bayonet")
            pick(bayonetDeaths, bayonetKills);
        else if (w == "Knife")
            pick(knifeDeaths, knifeKills);
        else if (w == "Sig 551")
            pick(sig551Deaths, sig551Kills);
    };
    auto one = [&](PlayerRecord& r) {
        const std::string& k = phrase;
        if (k == "has taken the briefcase!")
            raise(r, briefcasesTaken);
        else if (k == "has dropped the briefcase!")
            raise(r, briefcasesDropped);
        else if (k == "has escaped with the briefcase!")
            raise(r, briefcaseEscapes);
        else if (k == "blew himself up.") {
            raise(r, grenadeSuicides);
            raise(r, totalDeaths);
        } else if (k == "fell to his death.") {
            raise(r, fallSuicides);
            raise(r, totalDeaths);
        } else if (k == "killed himself.") {
            raise(r, m203Suicides);
            raise(r, totalDeaths);
        } else if (k == "was in the wrong place.") {
            raise(r, wrongPlaceSuicides);
            raise(r, totalDeaths);
        } else if (k == "called a vote.")
            raise(r, votesCalled);
        else if (k == "has captured the Blue Flag!" || k == "has captured the Red Flag!")
            raise(r, flagsCaptured);
        else if (k == "has defused the bomb!")
            raise(r, bombsDefused);
        else if (k == "has planted the bomb!")
            raise(r, bombsPlanted);
        else if (k == "has dropped the bomb!")
            raise(r, bombsDropped);
        else if (k == "has taken the bomb!")
            raise(r, bombsTaken);
        else if (k == "You were kicked off of the server!")
            raise(r, timesKicked);
        else if (k == "You have been temporarily banned from this server!")
            raise(r, timesTempBanned);
        else if (k == "You have been banned from this server!")
            raise(r, timesBanned);
        else if (k == "has dropped the Blue Flag!" || k == "has dropped the Red Flag!")
            raise(r, flagsDropped);
        else if (k == "has taken the Blue Flag!" || k == "has taken the Red Flag!")
            raise(r, flagsTaken);
    };
    // One look for the victim's drop line at the caret (the line after the kill,
    // or one above it): 0 none, 1 credited, 2 " has dropped" of something else.
    auto dropCheck = [&](const std::string& victim, int ki) {
        const int len = static_cast<int>(victim.size());
        doc.setSelLength(len + 12);
        if (doc.selectedText() != victim + " has dropped")
            return 0;
        doc.setSelLength(len + 19);
        const std::string sel = doc.selectedText();
        PlayerRecord& k = t.players[static_cast<std::size_t>(ki)];
        if (sel == victim + " has dropped the br") {
            raise(k, briefcaseCarrierKills);
            return 1;
        }
        if (sel == victim + " has dropped the Bl" || sel == victim + " has dropped the Re") {
            raise(k, flagCarrierKills);
            return 1;
        }
        if (sel == victim + " has dropped the bo") {
            raise(k, bombCarrierKills);
            return 1;
        }
        return 2;
    };
    auto backOneLine = [&] {
        doc.setSelStart(doc.selStart() - 1);
        doc.moveCaretBackwardTo('\n');
    };

    for (std::size_t e = 1; e <= static_cast<std::size_t>(eventCount); ++e) {
        const int v = t.findOrAdd(firstNames[e]);
        int m = 0;
        const bool tk = kind == EventKind::TwoPlayer && weapons[e] != "re" && teamKillFlags[e] == 1;
        if (tk) {
            raise(t.players[static_cast<std::size_t>(v)], teamKilledDeaths);
            raise(t.players[static_cast<std::size_t>(v)], totalDeaths);
        } else if (kind == EventKind::OnePlayer) {
            one(t.players[static_cast<std::size_t>(v)]);
            if (phrase == "has planted the bomb!") {
                doc.setSelStart(lineStarts[e]);
                int E = doc.find("team eliminated!", lineStarts[e]);
                int F = doc.find("has defused", lineStarts[e]);
                const int D = doc.find("team has destroyed the target!", lineStarts[e]);
                int G = doc.find("team has defended the target!", lineStarts[e]);
                if (E == -1)
                    E = D + 1;
                if (F == -1)
                    F = D + 1;
                if (G == -1)
                    G = D + 1;
                if (D != -1 && D < E && D < F && D < G)
                    raise(t.players[static_cast<std::size_t>(v)], targetsDestroyed);
            }
            continue;
        } else if (kind == EventKind::TwoPlayer) {
            weaponRaise(weapons[e], true, v);
            if (weapons[e] == "re") {
                bool found = false;
                for (int j = 1; j <= t.playerCount() && !found; ++j) {
                    const AliasCollection& a = t.players[static_cast<std::size_t>(j)].aliases;
                    for (int x = 1; x <= a.count(); ++x)
                        if (a.item(x) == v) {
                            m = j;
                            found = true;
                            break;
                        }
                }
                if (!found)
                    m = v;
            }
            if (phrase != "renamed to")
                raise(t.players[static_cast<std::size_t>(v)], totalDeaths);
        } else {
            continue;
        }
        if (headshotFlags[e] == 1)
            raise(t.players[static_cast<std::size_t>(v)], headshotDeaths);
        const int k = t.findOrAdd(secondNames[e]);
        if (tk) {
            raise(t.players[static_cast<std::size_t>(k)], teamKills);
            continue;
        }
        weaponRaise(weapons[e], false, k);
        if (weapons[e] == "re") {
            AliasCollection& a = t.players[static_cast<std::size_t>(m)].aliases;
            if (!holdsItem(a, k) && k != m)
                if (a.add(k, t.players[static_cast<std::size_t>(k)].name))
                    t.players[static_cast<std::size_t>(k)].master = m;
        }
        if (phrase != "renamed to") {
            if (headshotFlags[e] == 1)
                raise(t.players[static_cast<std::size_t>(k)], headshotKills);
            raise(t.players[static_cast<std::size_t>(k)], totalKills);
        }
        if (phrase == "renamed to")
            continue;
        if (secondNames[e].empty())
            secondNames[e] = "nobody";
        const int vi = t.findPlayerIndex(firstNames[e]);
        const int ki = t.findPlayerIndex(secondNames[e]);
        t.players[static_cast<std::size_t>(ki)].victims.add(vi, 1);
        t.players[static_cast<std::size_t>(vi)].killers.add(ki, 1);

        doc.setSelStart(lineStarts[e]);
        doc.moveCaretForwardTo('\n');
        doc.setSelStart(doc.selStart() + 2);
        dropCheck(firstNames[e], ki);
        backOneLine();
        backOneLine();
        for (int round = 0; round < 3; ++round) {
            const int r = dropCheck(firstNames[e], ki);
            if (r == 1)
                break;
            if (r == 0)
                backOneLine();
        }
    }
    doc.setSelStart(1);
}

void literalStatisticsPass(LogDocument& doc, LiteralTable& t) {
    t.players.resize(1);
    for (const StatisticsScan& scan : kStatisticsScans)
        literalBookPhraseEvents(doc, std::string(scan.phrase), scan.kind, t);
    PlayerRecord& all = t.players[0];
    all.name = "All Players";
    for (int c = kFirstCounter; c <= kLastCounter; ++c) {
        all.counters[static_cast<std::size_t>(c)] = 0;
        for (int i = 1; i <= t.playerCount(); ++i)
            all.counters[static_cast<std::size_t>(c)] +=
                t.players[static_cast<std::size_t>(i)].counters[static_cast<std::size_t>(c)];
    }
}

} // namespace quorvath::test
