#include "core/stats/event_line.h"

#include "core/common/folded_search.h"
#include "core/common/text_case.h"
#include "core/log/colour_renderer.h"
#include "core/log/log_colours.h"
#include "core/stats/weapons.h"

#include <algorithm>
#include <cstring>

namespace quorvath {

namespace {

constexpr std::string_view kStabbed = "was stabbed by";
constexpr std::string_view kSliced = "was sliced by";

// The first hit of `needle` at or after `from` lying wholly before `to`, letters
// without case; -1 when none.
int findFoldedWithin(std::string_view text, std::string_view needle, int from, int to) {
    to = std::clamp(to, 0, static_cast<int>(text.size()));
    const std::size_t hit = FoldedNeedle(needle).find(text.substr(0, static_cast<std::size_t>(to)),
                                                      static_cast<std::size_t>(std::max(from, 0)));
    return hit == std::string_view::npos ? -1 : static_cast<int>(hit);
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// Every byte whose fold is `folded` equals it once bit 5 is set, but for the
// four folds whose other form differs in another bit.
constexpr bool bit5Covers(unsigned char folded) {
    return folded != 0x9A && folded != 0x9C && folded != 0x9E && folded != 0xFF;
}

constexpr bool bit5CoversEveryFold() {
    for (int c = 0; c < 256; ++c) {
        const unsigned char folded = foldCase(static_cast<unsigned char>(c));
        if (bit5Covers(folded) && (c | 0x20) != (folded | 0x20))
            return false;
    }
    return true;
}
static_assert(bit5CoversEveryFold());

// Eight bytes with bit 5 set and compared with `wanted` (a folded byte with
// bit 5 set, in every byte): 0 where a byte may fold to it.
std::uint64_t mismatches(const unsigned char* at, std::uint64_t wanted) {
    std::uint64_t word;
    std::memcpy(&word, at, 8);
    return (word | 0x20 * kEveryByte) ^ wanted;
}

// The first hit, letters without case, at or after `from` of the name that
// stands in the text at `at` (`length` characters): `at` itself when there
// is none before. Eight starts at a time are passed over while none of them
// has a byte that may fold to the name's first and one that may fold to its
// last where they would have to be.
int firstHitOfNameAt(std::string_view text, int from, int at, int length) {
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* name = t + at;
    const unsigned char first = foldCase(name[0]);
    const unsigned char last = foldCase(name[length - 1]);
    const bool skipWords = bit5Covers(first) && bit5Covers(last);
    const std::uint64_t wantedFirst = (first | 0x20u) * kEveryByte;
    const std::uint64_t wantedLast = (last | 0x20u) * kEveryByte;
    for (int i = from; i < at;) {
        if (skipWords && at - i >= 8) {
            const std::uint64_t x =
                mismatches(t + i, wantedFirst) | mismatches(t + i + length - 1, wantedLast);
            if (((x - kEveryByte) & ~x & 0x80 * kEveryByte) == 0) {
                i += 8;
                continue;
            }
        }
        for (const int end = std::min(at, i + 8); i < end; ++i) {
            if (foldCase(t[i]) != first || foldCase(t[i + length - 1]) != last)
                continue;
            int k = 1;
            while (k < length - 1 && foldCase(t[i + k]) == foldCase(name[k]))
                ++k;
            if (k >= length - 1)
                return i;
        }
    }
    return at;
}

} // namespace

int lastIndexOf(std::string_view text, char c, int end, int floor) {
    if (end <= floor)
        return -1;
#if defined(__GLIBC__)
    const void* hit = memrchr(text.data() + floor, c, static_cast<std::size_t>(end - floor));
    return hit ? static_cast<int>(static_cast<const char*>(hit) - text.data()) : -1;
#else
    for (int i = end - 1; i >= floor; --i)
        if (text[static_cast<std::size_t>(i)] == c)
            return i;
    return -1;
#endif
}

void RecentLines::add(int start, int lineFeed, bool endsWithLf) {
    newest_ = (newest_ + 1) % kKept;
    lines_[newest_] = {start, lineFeed, endsWithLf};
}

// The lines come in text order: once one ends before `end`, the older ones
// do too, and the search backward answers.
int RecentLines::lastLineFeedBefore(int end) const {
    for (std::size_t k = 0; k < kKept; ++k) {
        const Line& line = lines_[(newest_ + kKept - k) % kKept];
        if (line.start <= end && end <= line.lineFeed)
            return line.start - 1;
        if (end > line.lineFeed)
            return end == line.lineFeed + 1 && line.endsWithLf ? line.lineFeed : -2;
    }
    return -2;
}

EventLineCutter::EventLineCutter(const LogDocument& doc, std::string_view phrase, EventKind kind,
                                 RecentLines* recent)
    : text_(doc.text()), doc_(doc), phrase_(phrase), kind_(kind), sharedRecent_(recent) {
    // The phrase is compared exactly here: these three lines have forms of their own.
    form_ = phrase == kStabbed        ? LineForm::Bayonet
            : phrase == kSliced       ? LineForm::Knife
            : phrase == kRenamePhrase ? LineForm::Rename
                                      : LineForm::Weapon;
    separator_ = form_ == LineForm::Rename ? 0 : 5;
}

std::string_view EventLineCutter::take(int start, int length) const {
    const int n = static_cast<int>(text_.size());
    // A negative length takes nothing; the range is kept inside the text.
    if (length <= 0 || start >= n)
        return {};
    start = std::max(start, 0);
    return text_.substr(static_cast<std::size_t>(start),
                        static_cast<std::size_t>(std::min(length, n - start)));
}

const EventLine& EventLineCutter::cut(int pos) {
    const int n = static_cast<int>(text_.size());
    line_ = EventLine{};
    line_.pos = pos;
    // Backward up to LF: just after the last LF before the phrase.
    line_.lineStart = pos > 0 ? lastIndexOf(text_, '\n', pos) + 1 : 0;
    // Forward up to LF stops before the CR of a CR LF. No LF lies between the
    // line start and the phrase, so the search may start at the phrase.
    const std::size_t nextLf = text_.find('\n', static_cast<std::size_t>(pos));
    lineFeed_ = nextLf == std::string_view::npos ? n : static_cast<int>(nextLf);
    line_.lineEnd = lineFeed_;
    if (lineFeed_ < n && lineFeed_ > line_.lineStart &&
        text_[static_cast<std::size_t>(lineFeed_ - 1)] == '\r')
        --line_.lineEnd;
    recent().add(line_.lineStart, lineFeed_, lineFeed_ < n);

    line_.firstName = take(line_.lineStart, pos - line_.lineStart - 1);
    if (kind_ == EventKind::TwoPlayer)
        cutTwoPlayerLine();
    return line_;
}

void EventLineCutter::cutTwoPlayerLine() {
    switch (form_) {
    case LineForm::Bayonet:
        line_.weapon = weapon(bayonetKills).classicWord;
        cutKillerToLineEnd();
        break;
    case LineForm::Knife:
        line_.weapon = weapon(knifeKills).classicWord;
        cutKillerToLineEnd();
        break;
    case LineForm::Rename:
        line_.weapon = kRenameWeapon;
        cutKillerByLength();
        break;
    case LineForm::Weapon: {
        const int last = lastApostropheBefore(line_.lineEnd);
        const int apos = last < 0 ? 0 : last + 1;
        line_.weapon = take(apos + 2, line_.lineEnd - apos - 2);
        cutKillerByLength();
        break;
    }
    }
    line_.teamKill = probeTeamKill();
    // Only a kill books a pair: not a rename, not a team kill (a weapon word
    // "re" is never one).
    if (form_ != LineForm::Rename && !(line_.teamKill && line_.weapon != kRenameWeapon))
        findCarrierDrops();
}

// The victim's drop line may follow the kill line directly, and may also stand
// on one of the three lines above it; both places can credit.
void EventLineCutter::findCarrierDrops() {
    const auto credited = [](DropLine drop) {
        switch (drop) {
        case DropLine::Briefcase: return CarrierDrop::Briefcase;
        case DropLine::Flag: return CarrierDrop::Flag;
        case DropLine::Bomb: return CarrierDrop::Bomb;
        default: return CarrierDrop::None;
        }
    };
    const int n = static_cast<int>(text_.size());
    int caret = std::clamp(line_.lineEnd + 2, 0, n);
    line_.dropAfter = credited(dropLineAt(caret));

    // The kill line's start (known when the caret is just past its LF), then
    // the line before it.
    caret = lineAbove(caret == lineFeed_ + 1 ? line_.lineStart : lineAbove(caret));
    for (int round = 0; round < 3; ++round) {
        const DropLine drop = dropLineAt(caret);
        if (drop == DropLine::None)
            caret = lineAbove(caret);
        else if ((line_.dropAbove = credited(drop)) != CarrierDrop::None)
            return;
        // deliberate: a drop line of another object is examined again next round
    }
}

EventLineCutter::DropLine EventLineCutter::dropLineAt(int at) const {
    static constexpr std::string_view kDropped = " has dropped";
    const std::string_view victim = line_.firstName;
    const std::string_view rest = text_.substr(static_cast<std::size_t>(at));
    // The fixed words first: most lines fail there, in a comparison of known length.
    if (rest.size() < victim.size() + kDropped.size() ||
        std::memcmp(rest.data() + victim.size(), kDropped.data(), kDropped.size()) != 0 ||
        rest.substr(0, victim.size()) != victim)
        return DropLine::None;
    if (rest.size() < victim.size() + 19)
        return DropLine::Other;
    const std::string_view object = rest.substr(victim.size(), 19);
    if (object == " has dropped the br")
        return DropLine::Briefcase;
    if (object == " has dropped the Bl" || object == " has dropped the Re")
        return DropLine::Flag;
    if (object == " has dropped the bo")
        return DropLine::Bomb;
    return DropLine::Other;
}

// Back one position, then backward up to LF.
int EventLineCutter::lineAbove(int caret) const {
    caret = std::max(caret - 1, 0);
    return lastLineFeed(caret) + 1;
}

// lastIndexOf(text_, '\n', end), the recent lines asked first.
int EventLineCutter::lastLineFeed(int end) const {
    const int known = recent().lastLineFeedBefore(end);
    return known >= -1 ? known : lastIndexOf(text_, '\n', end);
}

// Knife and bayonet lines: the killer is the rest of the line after the
// phrase and its blank. Every CR met on the way is dropped: the name is
// gathered character by character, shedding a trailing CR after each one, so
// a stray CR inside the name goes too.
void EventLineCutter::cutKillerToLineEnd() {
    const int q = line_.pos + static_cast<int>(phrase_.size()) + 1;
    const std::string_view rest = take(q, lineFeed_ - q); // stops at the text end too
    std::string_view name = rest;
    if (!name.empty() && name.back() == '\r')
        name.remove_suffix(1);
    secondLiteral_ = name.find('\r') == std::string_view::npos;
    if (!secondLiteral_) {
        ownedSecond_.clear();
        for (char c : rest)
            if (c != '\r')
                ownedSecond_.push_back(c);
        name = ownedSecond_;
    }
    if (name.ends_with(HeadshotLineEnd)) {
        name.remove_suffix(HeadshotLineEnd.size());
        line_.headshot = true;
    }
    line_.secondName = name;
}

// Other two-player lines: the killer's length is what the line has left
// after the victim, the weapon word (tag included), the phrase and the separators.
void EventLineCutter::cutKillerByLength() {
    const int length =
        (line_.lineEnd - line_.lineStart) - static_cast<int>(line_.firstName.size()) -
        static_cast<int>(line_.weapon.size()) - static_cast<int>(phrase_.size()) - separator_;
    std::string_view name = take(line_.pos + static_cast<int>(phrase_.size()) + 1, length);
    if (!name.empty() && name.back() == '\r')
        name.remove_suffix(1);
    line_.secondName = name;
    secondLiteral_ = true;
    if (line_.weapon.ends_with(HeadshotLineEnd)) {
        line_.weapon.remove_suffix(HeadshotLineEnd.size());
        line_.headshot = true;
    }
}

// Deliberate: each name is searched from the line start, so a killer whose
// name also occurs in the victim's name is probed there, and a name found
// nowhere probes the text's first character.
bool EventLineCutter::probeTeamKill() {
    const int p1 = line_.firstName.empty() ? -1 : line_.lineStart; // the name is the line's start
    const int p2 = findFromLineStart(line_.secondName, secondLiteral_);
    const Colour c1 = probeColour(p1);
    const Colour c2 = probeColour(p2);
    return c1 == c2 && c2 != colours::DefaultGrey;
}

int EventLineCutter::findFromLineStart(std::string_view name, bool literal) {
    if (name.empty())
        return -1;
    if (literal) {
        // The name stands in the text at its own place, so the search ends there at the latest.
        return firstHitOfNameAt(text_, line_.lineStart,
                                static_cast<int>(name.data() - text_.data()),
                                static_cast<int>(name.size()));
    }
    // A name that lost a CR may occur anywhere after, or nowhere: remember the
    // last answer so repeated names do not search the rest of the text again.
    if (name == lastOwnedNeedle_ && lastOwnedFrom_ <= line_.lineStart &&
        (lastOwnedHit_ < 0 || lastOwnedHit_ >= line_.lineStart))
        return lastOwnedHit_;
    lastOwnedNeedle_.assign(name);
    lastOwnedFrom_ = line_.lineStart;
    lastOwnedHit_ = findFoldedWithin(text_, name, line_.lineStart, static_cast<int>(text_.size()));
    return lastOwnedHit_;
}

// The colour of the one character selected at nameAt + 1 (the name's second
// character), with the selection kept inside the text as the view keeps it.
Colour EventLineCutter::probeColour(int nameAt) {
    const int n = static_cast<int>(text_.size());
    if (n == 0)
        return doc_.paletteColour(0);
    const int at = std::min(std::clamp(nameAt + 1, 0, n), n - 1);
    return doc_.paletteColour(doc_.attributeAt(at, recent().colourHint));
}

int EventLineCutter::lastApostropheBefore(int end) {
    if (end < aposSearchedTo_) // not met when fed in order; kept exact anyway
        return lastIndexOf(text_, '\'', end);
    const int hit = lastIndexOf(text_, '\'', end, aposSearchedTo_);
    if (hit >= 0)
        aposFound_ = hit;
    aposSearchedTo_ = end;
    return aposFound_;
}

} // namespace quorvath
