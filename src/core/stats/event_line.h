#pragma once
// EventLineCutter: the first half of findkill. For one occurrence of an event
// phrase it cuts the names, the weapon word and the headshot tag out of the
// line and probes the names' colours for a team kill, with the game's own
// arithmetic (a line of another form still gives names, cut at odd places).
//
// It reads the document's text and attribute buffers directly; the document
// must not change while a cutter is in use. One cutter serves one phrase:
// feed it that phrase's occurrences in ascending order.

#include "core/log/log_document.h"

#include <string>
#include <string_view>

namespace quorvath {

struct EventLine {
    int pos = 0;       // where the phrase was found
    int lineStart = 0; // matchline
    int lineEnd = 0;   // the line's CR (or its LF, or the text end)
    std::string_view firstname;
    std::string_view secondname;
    std::string_view weapontoken;
    bool headshot = false;
    bool teamkill = false;
};

class EventLineCutter {
public:
    EventLineCutter(const LogDocument& doc, std::string_view killtype, int involved);

    // Cuts the occurrence at `pos`. The views point into the document's text
    // or into the cutter and stay valid until the next call.
    const EventLine& cut(int pos);

private:
    enum class Kind { Weapon, Knife, Bayonet, Rename };

    void cutTwoPlayerLine();
    void cutKillerToLineEnd();
    void cutKillerByLength();
    bool probeTeamKill();
    int findFromLineStart(std::string_view name, bool literal);
    Colour probeColour(int nameAt) const;
    int lastApostropheBefore(int end);
    std::string_view take(int start, int length) const;

    std::string_view text_;
    const std::uint8_t* attrs_;
    const LogDocument& doc_;
    std::string_view killtype_;
    int involved_;
    Kind kind_;
    int separator_; // characters of a two-player line besides names, phrase and weapon

    EventLine line_;
    bool secondLiteral_ = true; // secondname is the text at its own place
    std::string ownedSecond_;
    int lineFeed_ = 0; // the LF ending the occurrence's line (or the text end)

    // The last apostrophe before the previous line end, so that a line
    // without one does not search the earlier text again.
    int aposSearchedTo_ = 0;
    int aposFound_ = -1;
    // The last search for a name that is not text at its own place.
    std::string lastOwnedNeedle_;
    int lastOwnedFrom_ = -1;
    int lastOwnedHit_ = -1;
};

// The last `c` at a position in [floor, end), or -1.
int lastIndexOf(std::string_view text, char c, int end, int floor = 0);

} // namespace quorvath
