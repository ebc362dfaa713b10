#pragma once
// EventLineCutter: the first half of bookPhraseEvents. For one occurrence of an
// event phrase it cuts the names, the weapon word and the headshot tag out of
// the line and probes the names' colours for a team kill. The cuts are pure
// length arithmetic, so a line of another form still gives names, cut at odd
// places: the counts users compare depend on exactly these cuts.
//
// It reads the document's text and attribute buffers directly; the document
// must not change while a cutter is in use. One cutter serves one phrase:
// feed it that phrase's occurrences in ascending order. Cutting reads the text
// only, so the cutters of the parts of a text may run on threads of their own.

#include "core/log/log_document.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvath {

// How many players an event phrase names: one before the phrase ("Joe fell to
// his death.") or one before and one after it (kills and renames).
enum class EventKind { OnePlayer, TwoPlayer };

// What a line next to a kill says the victim dropped: the killer of a
// carrier gets credit for the briefcase, a flag or the bomb.
enum class CarrierDrop : std::uint8_t { None, Briefcase, Flag, Bomb };

// A rename is a two-player line whose "weapon" is always this word.
inline constexpr std::string_view kRenamePhrase = "renamed to";
inline constexpr std::string_view kRenameWeapon = "re";

struct EventLine {
    int pos = 0;                 // where the phrase was found
    int lineStart = 0;           // where the line starts
    int lineEnd = 0;             // the line's CR (or its LF, or the text end)
    std::string_view firstName;  // before the phrase: the victim, the actor, the old name
    std::string_view secondName; // after it: the killer, the new name (two-player events)
    std::string_view weapon;     // the weapon word; "re" for a rename
    bool headshot = false;
    bool teamKill = false;
    // Found for the kills that book a killer/victim pair only: the victim's
    // drop on the line after the kill, and on one of the lines above it.
    CarrierDrop dropAfter = CarrierDrop::None;
    CarrierDrop dropAbove = CarrierDrop::None;
};

// Lines cut lately, shared by the cutters of one part of the text: the
// carrier check of a kill reads the lines above it, which are mostly event
// lines cut just before, so their starts need no search backward.
class RecentLines {
public:
    // Where the last colour probe of any of the cutters landed: they are fed
    // the part's lines in order, so the next probe is mostly a few runs on
    // (one cutter's own lines lie many runs apart).
    AttributeRuns::Hint colourHint;

    // A line from `start` (0 or just after an LF) to `lineFeed` (its LF, or
    // the text end: `endsWithLf` false), no LF in between.
    void add(int start, int lineFeed, bool endsWithLf);
    // The last LF before `end` (-1: none) when a kept line tells; else -2.
    int lastLineFeedBefore(int end) const;

private:
    struct Line {
        int start = 0;
        int lineFeed = -1; // below start: no line
        bool endsWithLf = false;
    };
    static constexpr std::size_t kKept = 8;
    std::array<Line, kKept> lines_{};
    std::size_t newest_ = 0;
};

class EventLineCutter {
public:
    // The cutters of one part of a text may share `recent`; a cutter without
    // keeps its own.
    EventLineCutter(const LogDocument& doc, std::string_view phrase, EventKind kind,
                    RecentLines* recent = nullptr);

    // Cuts the occurrence at `pos`. The views point into the document's text
    // or into the cutter and stay valid until the next call.
    const EventLine& cut(int pos);

private:
    // The two-player line forms: "'s WEAPON" after the killer, or none.
    enum class LineForm { Weapon, Knife, Bayonet, Rename };

    void cutTwoPlayerLine();
    void findCarrierDrops();
    enum class DropLine { None, Other, Briefcase, Flag, Bomb };
    DropLine dropLineAt(int at) const;
    int lineAbove(int caret) const;
    int lastLineFeed(int end) const;
    RecentLines& recent() { return sharedRecent_ ? *sharedRecent_ : ownRecent_; }
    const RecentLines& recent() const { return sharedRecent_ ? *sharedRecent_ : ownRecent_; }
    void cutKillerToLineEnd();
    void cutKillerByLength();
    bool probeTeamKill();
    int findFromLineStart(std::string_view name, bool literal);
    Colour probeColour(int nameAt);
    int lastApostropheBefore(int end);
    std::string_view take(int start, int length) const;

    std::string_view text_;
    const LogDocument& doc_;
    std::string_view phrase_;
    EventKind kind_;
    LineForm form_;
    int separator_; // characters of a two-player line besides names, phrase and weapon

    RecentLines* sharedRecent_;
    RecentLines ownRecent_;

    EventLine line_;
    bool secondLiteral_ = true; // secondName is the text at its own place
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
