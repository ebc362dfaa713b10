#include "core/match/console_log_parser.h"

#include "core/log/round_separator.h"
#include "core/match/shown_name.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace quorvath {

namespace {

constexpr std::string_view kNameClose = "^7";
constexpr std::string_view kPhraseAfterName = "^7 ";
constexpr std::string_view kWeaponAfterKiller = "^7's ";
// Chat text always starts in the chat colour after the speaker's colon.
constexpr std::string_view kChatOpening = ": ^2";
// A dead player's or a spectator's chat; a name may start with "*" too
// ("*NS*Hawk has taken the Blue Flag!"), so the whole word is compared.
constexpr std::string_view kChatPrefixes[] = {"*ghost* ", "*spec* "};

// An obituary name starts with its colour code: "^1" red, "^4" blue, "^7"
// free-for-all. Returns the code's digit (0 when the name has none) and takes
// the code off `raw`.
char takeOpeningCode(std::string_view& raw) {
    if (raw.size() < 2 || raw[0] != '^')
        return 0;
    const char code = raw[1];
    raw.remove_prefix(2);
    return code;
}

bool isTeamCode(char code) { return code == '1' || code == '4'; }

// A team line starts with the team's word: "Blue team has destroyed the target!".
constexpr std::pair<std::string_view, Team> kTeamWords[] = {{"Red ", Team::Red},
                                                            {"Blue ", Team::Blue}};

Team teamNamed(std::string_view words) {
    for (const auto& [word, team] : kTeamWords)
        if (words == word)
            return team;
    return Team::Unknown;
}

// Who won the round an objective line ends, from the team it names: nothing
// when the line ends no round, Unknown when nobody won it.
std::optional<Team> roundWinner(ObjectiveStep step, Team named) {
    switch (step) {
    case ObjectiveStep::TargetDestroyed:
    case ObjectiveStep::RoundWon: return named;
    case ObjectiveStep::RoundLost:
        return named == Team::Red ? Team::Blue : named == Team::Blue ? Team::Red : Team::Unknown;
    case ObjectiveStep::RoundDrawn: return Team::Unknown;
    default: return std::nullopt;
    }
}

// The shown name: `raw` itself when it has no colour code (team games strip
// them), else its shown form built in `buffer`.
std::string_view shownInto(std::string_view raw, std::string& buffer) {
    if (raw.find('^') == std::string_view::npos)
        return raw;
    buffer.clear();
    appendShownName(buffer, raw);
    return buffer;
}

} // namespace

ConsoleLogParser::ConsoleLogParser(const GameTable& table, MatchEventSink& sink)
    : table_(table), cutNames_(sink), sink_(cutNames_) {
    for (const KillForm& form : table.killForms) {
        auto known = std::find_if(killPhrases_.begin(), killPhrases_.end(),
                                  [&](const KillPhrase& p) { return p.phrase == form.phrase; });
        if (known == killPhrases_.end())
            known = killPhrases_.insert(killPhrases_.end(), KillPhrase{form.phrase, {}});
        known->forms.push_back(&form);
    }
    const auto add = [this](std::string_view phrase, Meaning meaning, std::size_t row,
                            bool namesPlayer, bool closed, bool opened) {
        if (phrase.empty())
            return;
        endingsByLastByte_[static_cast<unsigned char>(phrase.back())].push_back(
            {phrase, meaning, row, namesPlayer, closed, opened});
    };
    for (std::size_t i = 0; i < table.causeMessages.size(); ++i)
        add(table.causeMessages[i].message, Meaning::Cause, i, true, true, true);
    for (std::size_t i = 0; i < table.objectives.size(); ++i)
        add(table.objectives[i].phrase, Meaning::Objective, i, table.objectives[i].namesPlayer,
            false, false);
    for (std::size_t i = 0; i < table.playerPhrases.size(); ++i)
        add(table.playerPhrases[i].phrase, Meaning::PlayerPhrase, i, true, false, false);
    for (std::size_t i = 0; i < table.presencePhrases.size(); ++i)
        add(table.presencePhrases[i].phrase, Meaning::Presence, i, true, true, false);
}

void ConsoleLogParser::parseLine(std::string_view line) {
    if (line.empty())
        return;
    if (parseChat(line) || parseKill(line) || parseLineEnding(line) || parseRename(line))
        return;
    if (line.starts_with(BlockStartPhrase))
        sink_.onEvent(MatchEvent(MatchEventType::MapStart));
    else if (line.starts_with(ShutdownLine))
        sink_.onEvent(MatchEvent(MatchEventType::MapEnd));
}

bool ConsoleLogParser::parseChat(std::string_view line) {
    for (std::string_view prefix : kChatPrefixes)
        if (line.starts_with(prefix)) {
            sink_.onEvent(MatchEvent(MatchEventType::Chat));
            return true;
        }
    const std::size_t opening = line.find(kChatOpening);
    if (opening == std::string_view::npos)
        return false;
    // "^1Name^7: ^2text": the speaker, in full, is in the game (a team chat's
    // "^1(Name^1)^7" and a ghost's or spectator's line name nobody for sure).
    MatchEvent event(MatchEventType::Chat);
    std::string_view speaker = line.substr(0, opening);
    if (speaker.ends_with(kNameClose) && takeOpeningCode(speaker) != 0 && !speaker.empty() &&
        speaker.front() != '(') {
        speaker.remove_suffix(kNameClose.size());
        if (!speaker.empty())
            event.player = fullName(speaker, firstName_);
    }
    sink_.onEvent(event);
    return true;
}

// "VICTIM^7 PHRASE KILLER^7's WEAPON": the victim's name is closed by the
// "^7" that a kill phrase follows (a free-for-all name may hold "^7" itself).
bool ConsoleLogParser::parseKill(std::string_view line) {
    for (std::size_t at = line.find(kPhraseAfterName); at != std::string_view::npos;
         at = line.find(kPhraseAfterName, at + 1)) {
        const std::string_view rest = line.substr(at + kPhraseAfterName.size());
        for (const KillPhrase& phrase : killPhrases_)
            if (rest.size() > phrase.phrase.size() && rest[phrase.phrase.size()] == ' ' &&
                rest.starts_with(phrase.phrase))
                return bookKill(line, at, phrase);
    }
    return false;
}

bool ConsoleLogParser::bookKill(std::string_view line, std::size_t closing,
                                const KillPhrase& phrase) {
    std::string_view killer =
        line.substr(closing + kPhraseAfterName.size() + phrase.phrase.size() + 1);
    MatchEvent event(MatchEventType::Kill);
    if (killer.size() > table_.headshotTag.size() && killer.ends_with(table_.headshotTag) &&
        killer[killer.size() - table_.headshotTag.size() - 1] == ' ') {
        killer.remove_suffix(table_.headshotTag.size() + 1);
        event.headshot = headshotsSeen_ = true;
    }
    std::string_view word;
    if (killer.ends_with(kNameClose)) {
        killer.remove_suffix(kNameClose.size());
    } else {
        const std::size_t apostrophe = killer.rfind(kWeaponAfterKiller);
        if (apostrophe == std::string_view::npos)
            return false; // not the form of a kill line: read on as another line
        word = killer.substr(apostrophe + kWeaponAfterKiller.size());
        killer = killer.substr(0, apostrophe);
    }
    for (const KillForm* form : phrase.forms)
        if (form->word == word) {
            event.form = form;
            break;
        }
    std::string_view victim = line.substr(0, closing);
    const char victimCode = takeOpeningCode(victim);
    const char killerCode = takeOpeningCode(killer);
    if (victim.empty() || killer.empty())
        return false; // no player's line
    event.teamKill = victimCode == killerCode && isTeamCode(victimCode);
    event.player = obituaryName(victim, firstName_);
    event.other = obituaryName(killer, secondName_);
    sink_.onEvent(event);
    return true;
}

// Lines that end in a known phrase: suicides, objectives, votes, kicks, bans,
// presence. The phrase follows the name and one blank.
bool ConsoleLogParser::parseLineEnding(std::string_view line) {
    for (const LineEnding& ending : endingsByLastByte_[static_cast<unsigned char>(line.back())]) {
        if (!line.ends_with(ending.phrase))
            continue;
        std::string_view name = line.substr(0, line.size() - ending.phrase.size());
        MatchEvent event(MatchEventType::Chat);
        if (ending.namesPlayer) {
            if (name.size() < 2 || name.back() != ' ')
                continue;
            name.remove_suffix(1);
            const bool closed = name.ends_with(kNameClose);
            if (ending.closedName && !closed)
                continue;
            if (closed)
                name.remove_suffix(kNameClose.size());
            if (ending.openedName)
                takeOpeningCode(name);
            if (name.empty())
                continue; // no player's line
            if (ending.openedName) {
                event.player = obituaryName(name, firstName_);
            } else {
                event.player = fullName(name, firstName_);
            }
        } else {
            event.team = teamNamed(name);
        }
        switch (ending.meaning) {
        case Meaning::Cause:
            event.type = MatchEventType::Death;
            event.cause = table_.causeMessages[ending.row].cause;
            break;
        case Meaning::Objective:
            event.type = MatchEventType::Objective;
            event.objective = &table_.objectives[ending.row];
            break;
        case Meaning::PlayerPhrase:
            event.type = MatchEventType::PlayerLine;
            event.counter = table_.playerPhrases[ending.row].counter;
            break;
        case Meaning::Presence: {
            const PresencePhrase& presence = table_.presencePhrases[ending.row];
            event.type = presence.step == PresenceStep::Connect      ? MatchEventType::Connect
                         : presence.step == PresenceStep::Disconnect ? MatchEventType::Disconnect
                                                                     : MatchEventType::TeamChange;
            event.team = presence.team;
            break;
        }
        }
        sink_.onEvent(event);
        if (ending.meaning == Meaning::Objective)
            if (const auto winner = roundWinner(event.objective->step, event.team)) {
                MatchEvent roundEnd(MatchEventType::RoundEnd);
                roundEnd.team = *winner;
                sink_.onEvent(roundEnd);
            }
        return true;
    }
    return false;
}

// "Old renamed to New", or "Old^7 renamed to New" when applied later.
bool ConsoleLogParser::parseRename(std::string_view line) {
    const std::size_t at = line.find(table_.renamePhrase);
    if (at == std::string_view::npos || at == 0)
        return false;
    std::string_view old = line.substr(0, at);
    if (old.ends_with(kNameClose))
        old.remove_suffix(kNameClose.size());
    const std::string_view renamed = line.substr(at + table_.renamePhrase.size());
    if (old.empty() || renamed.empty())
        return false;
    MatchEvent event(MatchEventType::Rename);
    event.player = fullName(old, firstName_);
    event.other = fullName(renamed, secondName_);
    sink_.onEvent(event);
    return true;
}

NamedPlayer ConsoleLogParser::obituaryName(std::string_view raw, std::string& buffer) const {
    const std::string_view shown = shownInto(raw, buffer);
    if (raw.size() == table_.killLineNameLength)
        return {shown, raw};
    return {shown, {}};
}

NamedPlayer ConsoleLogParser::fullName(std::string_view raw, std::string& buffer) const {
    return {shownInto(raw, buffer), {}};
}

} // namespace quorvath
