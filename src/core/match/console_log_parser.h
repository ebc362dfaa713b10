#pragma once
// ConsoleLogParser: a player's console log, line by line, into match events.
// Names come from the colour structure of a line, never from counting
// characters: in a kill line the victim's colour code opens his name and the
// "^7" before the phrase closes it; the killer's code opens his and the "^7"
// before "'s WEAPON" (or the line end) closes it. Both names carrying the same
// team code make a team kill. Chat lines, those of dead players and
// spectators too, never count, whatever they quote.
//
// Kill and suicide lines cut names to a fixed length; the events go through
// CutNames, which gives such a name to the player it stands for among those
// in the game at that moment, so the sink gets full names.
//
// One thread; feed the lines in log order, then call finish().

#include "core/match/cut_names.h"
#include "core/match/game_table.h"
#include "core/match/match_event.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

class ConsoleLogParser {
public:
    ConsoleLogParser(const GameTable& table, MatchEventSink& sink);

    // One line, without its line end.
    void parseLine(std::string_view line);

    // Hands on the events still held back for a cut name.
    void finish() { cutNames_.finish(); }

    // Whether the log marked any head shot: a log without the mark (no mod
    // that prints it) cannot tell head shots at all.
    bool headshotsSeen() const { return headshotsSeen_; }

private:
    enum class Meaning : std::uint8_t { Cause, Objective, PlayerPhrase, Presence };
    struct LineEnding {
        std::string_view phrase;
        Meaning meaning;
        std::size_t row;  // into the table's list of that meaning
        bool namesPlayer; // the line starts with a player's name and a blank
        bool closedName;  // the name ends in "^7" (obituary and presence lines)
        bool openedName;  // the name starts with its team's colour code (obituaries)
    };
    struct KillPhrase {
        std::string_view phrase;
        std::vector<const KillForm*> forms; // the weapon words this phrase comes with
    };

    bool parseChat(std::string_view line);
    bool parseKill(std::string_view line);
    bool bookKill(std::string_view line, std::size_t closing, const KillPhrase& phrase);
    bool parseLineEnding(std::string_view line);
    bool parseRename(std::string_view line);
    NamedPlayer obituaryName(std::string_view raw, std::string& buffer) const;
    NamedPlayer fullName(std::string_view raw, std::string& buffer) const;

    const GameTable& table_;
    CutNames cutNames_;
    MatchEventSink& sink_; // the events go through cutNames_
    std::vector<KillPhrase> killPhrases_;
    std::array<std::vector<LineEnding>, 256> endingsByLastByte_;
    std::string firstName_; // name buffers for the event being handed over
    std::string secondName_;
    bool headshotsSeen_ = false;
};

} // namespace quorvath
