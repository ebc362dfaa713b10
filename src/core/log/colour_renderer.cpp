#include "core/log/colour_renderer.h"

#include "core/common/folded_search.h"
#include "core/common/large_buffer.h"
#include "core/common/progress.h"
#include "core/log/caret_scan.h"
#include "core/log/log_colours.h"
#include "core/log/pass_runs.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace quorvath {

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view ChatCode = "^2";
// Below this size a part of its own costs more than it saves.
constexpr std::size_t kMinRenderPart = std::size_t{2} << 20;
// A large log is rendered this much at a time, two parts at once.
constexpr std::size_t kRenderPartSize = std::size_t{4} << 20;

// A stretch [begin, end) of the document's text that the passes work on,
// with its attribute runs: the whole text, or one part of it between two line
// breaks when the parts are rendered one by one. The passes that delete write
// the stretch again from `begin` on and move `end` to where their writing
// ends. Only the stretch is read or written, so parts never touch each other's.
struct Stretch {
    char* text;
    std::size_t begin;
    std::size_t end;
    Progress* progress = nullptr; // the one stretch that shows the work's position
    std::int64_t scale = 1;       // its positions times this fill the whole bar
    std::size_t nextReport = 0;
    Runs runs = {};  // of [begin, end) as the text stands
    Runs spare = {}; // room for the runs a pass writes next

    void report(std::size_t pos) {
        if (progress && pos >= nextReport) {
            progress->setPosition(static_cast<std::int64_t>(pos - begin) * scale);
            nextReport = pos + (1 << 16);
        }
    }
    // Sets the colour of each range, keeping each character's flags.
    void colour(const Ranges& ranges, std::uint8_t index) {
        colourRanges(runs, ranges, index, end, spare);
    }
    std::size_t findLineFeed(std::size_t from) const {
        const void* hit = std::memchr(text + from, '\n', end - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text) : npos;
    }
    // The text up to the stretch's end, for searches.
    std::string_view readable() const { return {text, end}; }
};

// The palette indexes the passes colour with (those a pass does not use stay 0).
struct PassColours {
    std::uint8_t grey = 0, chat = 0, red = 0, blue = 0, punkBuster = 0;
};

// All of them, added to the palette in the passes' order.
PassColours allPassColours(LogDocument& doc) {
    PassColours c;
    c.grey = doc.paletteIndex(colours::DefaultGrey);
    c.chat = doc.paletteIndex(colours::Chat);
    c.red = doc.paletteIndex(colours::RedTeam);
    c.blue = doc.paletteIndex(colours::BlueTeam);
    c.punkBuster = doc.paletteIndex(colours::PunkBuster);
    return c;
}

// One pass over the whole document: announces the stage, reports the sweep
// position now and then, and fits the text and its runs to what was written after.
class Sweep {
public:
    Sweep(LogDocument& doc, Progress& progress, std::string_view status)
        : stretch{doc.textBuffer().data(), 0, doc.textBuffer().size(), &progress}, doc_(doc),
          progress_(progress) {
        doc.attributeRuns().copyRuns(0, stretch.end, 0, stretch.runs);
        progress_.beginStage(std::string(status));
        progress_.setPosition(0, static_cast<std::int64_t>(stretch.end));
    }
    ~Sweep() {
        doc_.textBuffer().resize(stretch.end);
        doc_.attributeRuns() = AttributeRuns(std::move(stretch.runs));
        doc_.textChanged();
        progress_.setPosition(static_cast<std::int64_t>(stretch.end),
                              static_cast<std::int64_t>(stretch.end));
    }
    Sweep(const Sweep&) = delete;
    Sweep& operator=(const Sweep&) = delete;

    std::uint8_t index(Colour colour) { return doc_.paletteIndex(colour); }

    Stretch stretch;

private:
    LogDocument& doc_;
    Progress& progress_;
};

// Shows a pass's stage whose work another pass has done.
void stageDoneElsewhere(LogDocument& doc, Progress& progress, std::size_t stage) {
    Sweep done(doc, progress, RenderPassStatus[stage]);
}

// In-place compaction for the passes that delete: characters are read at
// `r` and written at `w` <= `r`, and the runs of those kept written anew.
struct Compactor {
    Stretch& stretch;
    std::size_t r;
    std::size_t w;
    RunReader in; // the runs as read
    Runs& out;    // the runs as written

    explicit Compactor(Stretch& s) : stretch(s), r(s.begin), w(s.begin), in(s.runs), out(s.spare) {
        out.clear();
    }

    void keepUpTo(std::size_t end) {
        in.copy(r, end, w, out);
        if (w != r)
            std::memmove(stretch.text + w, stretch.text + r, end - r);
        w += end - r;
        r = end;
    }
    // The same for the short stretches between carets (most are): once a
    // chunk's worth of characters is gone, one chunk is copied (fewer, more
    // predictable steps than a library call), running past the stretch into
    // room that is written again before it is read.
    void keepShortUpTo(std::size_t end) {
        constexpr std::size_t chunk = 32;
        if (r - w < chunk || end - r > chunk || end + chunk > stretch.end) {
            keepUpTo(end);
            return;
        }
        in.copy(r, end, w, out);
        std::array<char, chunk> bytes;
        std::memcpy(bytes.data(), stretch.text + r, chunk);
        std::memcpy(stretch.text + w, bytes.data(), chunk);
        w += end - r;
        r = end;
    }
    void put(std::string_view s, std::uint8_t attr) {
        out.append(w, attr);
        std::memcpy(stretch.text + w, s.data(), s.size());
        w += s.size();
    }
    // Sets the colour of what is written from `from` on.
    void colourWritten(std::size_t from, std::uint8_t colour) { colourTail(out, from, w, colour); }
    // The rest kept; the runs as written become the stretch's.
    void finish() {
        keepUpTo(stretch.end);
        stretch.end = w;
        std::swap(stretch.runs, stretch.spare);
    }
};

// Deletes every "^<code>" in [from, end) of `text`, again and again until
// none is left, as deleting the first hit over and over would: a deletion can
// join a caret before it with the code character after it. The attributes of
// the characters from `from` on, when given, go with them.
std::size_t dropCodePairs(char* text, std::uint8_t* attrs, std::size_t from, std::size_t end,
                          char code) {
    std::size_t w = from;
    for (std::size_t i = from; i < end; ++i) {
        const char c = text[i];
        if (c == code && w > from && text[w - 1] == '^') {
            --w;
            continue;
        }
        text[w] = c;
        if (attrs)
            attrs[w - from] = attrs[i - from];
        ++w;
    }
    return w;
}

// Drops a chat line's "^1" codes, then its "^4" (a "^1" that only appears
// once a "^4" is gone stays), in the text written from `from` on. Mostly one
// run holds it all; else (a banner in the line) its attributes are dropped
// with the text a byte each.
void dropChatCodes(Compactor& out, std::size_t from) {
    char* text = out.stretch.text;
    Runs& runs = out.out;
    std::size_t first = runs.size(); // the first run starting after `from`
    while (runs.starts[first - 1] > from)
        --first;
    if (first == runs.size()) {
        out.w = dropCodePairs(text, nullptr, from, out.w, '1');
        out.w = dropCodePairs(text, nullptr, from, out.w, '4');
        return;
    }
    std::vector<std::uint8_t> attrs;
    for (std::size_t r = first - 1; r < runs.size(); ++r) {
        const std::size_t until = r + 1 < runs.size() ? runs.starts[r + 1] : out.w;
        attrs.insert(attrs.end(), until - std::max<std::size_t>(runs.starts[r], from),
                     runs.attributes[r]);
    }
    runs.starts.resize(first);
    runs.attributes.resize(first);
    out.w = dropCodePairs(text, attrs.data(), from, out.w, '1');
    out.w = dropCodePairs(text, attrs.data(), from, out.w, '4');
    for (std::size_t i = 0; i < out.w - from; ++i)
        runs.append(from + i, attrs[i]);
}

void recolourLineFeedsIn(Stretch& s, std::uint8_t grey) {
    Ranges feeds; // each LF and the character after it, neighbours joined
    for (std::size_t p = s.findLineFeed(s.begin); p != npos; p = s.findLineFeed(p + 1)) {
        const std::size_t to = std::min(p + 2, s.end);
        if (!feeds.empty() && feeds.back().second >= p)
            feeds.back().second = to;
        else
            feeds.emplace_back(p, to);
        s.report(p);
        if (p + 1 >= s.end)
            break;
    }
    s.colour(feeds, grey);
}

void processChatCodesIn(Stretch& s, std::uint8_t chat) {
    const FoldedNeedle chatCode(ChatCode);
    Compactor out(s);
    // The pass writes only before the line it works on, so the text searched is the text read.
    for (std::size_t c; (c = chatCode.find(s.readable(), out.r)) != npos;) {
        const std::size_t e = s.findLineFeed(c);
        if (e == npos)
            break; // deliberate: a chat line without a line end ends the pass
        out.keepUpTo(c + 2);
        const std::size_t start = out.w - 2;
        out.keepUpTo(e);
        if (std::memchr(s.text + start + 2, '^', out.w - start - 2)) // most chat holds no caret
            dropChatCodes(out, start + 2);
        out.colourWritten(start, chat);
        s.report(out.r);
    }
    out.finish();
}

void processOspCodesIn(Stretch& s) {
    const FoldedNeedle tag(OspHeadshotTag);
    Compactor out(s);
    for (std::size_t p; (p = tag.find(s.readable(), out.r)) != npos;) {
        out.keepUpTo(p);
        // Takes the style of the tag's first character, as a replacement does.
        out.put(HeadshotTag, out.in.attributeAt(p));
        out.r = p + tag.size();
        s.report(out.r);
    }
    out.finish();
}

// What one walk over the carets does: the red and the blue team colours,
// the PunkBuster lines, the removal of the codes, or any of them together,
// with the result of their passes one after the other.
struct CodeWork {
    bool red = false;
    bool blue = false;
    bool punkBuster = false;
    bool removeCodes = false;
};

// One team's codes: its "^<code>" opens a name, the next "^7" closes it.
struct TeamCodes {
    char code;
    std::uint8_t colour = 0;
    std::size_t open = npos; // where the name starts in the written text
};

// What a walk over a part leaves to be done once every part is walked: the
// names a part before may have left open close at this part's first "^7"
// (so the walk colours nothing there), names still open at its end, and the
// PunkBuster lines, which come after every team colour.
struct WalkEnds {
    std::size_t firstClose = npos;                           // the first "^7", written; npos: none
    std::array<std::size_t, 2> openAtFirstClose{npos, npos}; // red, blue: opened in this part
    std::array<std::size_t, 2> openAtEnd{npos, npos};
    Ranges punkBusterLines; // written

    // The same places once the text is moved back by `shift`.
    void moveBack(std::size_t shift) {
        const auto back = [shift](std::size_t& p) { p = p == npos ? npos : p - shift; };
        back(firstClose);
        for (std::size_t t = 0; t < 2; ++t) {
            back(openAtFirstClose[t]);
            back(openAtEnd[t]);
        }
        for (auto& [from, to] : punkBusterLines) {
            from -= shift;
            to -= shift;
        }
    }
};

// Every caret is visited once. The team passes see each caret, also one that
// removal takes as the code of the caret before it; where the characters end
// up once codes are removed is known when the walk reaches them, so a team
// colours its name when the "^7" comes, in the written text. Two names can
// only overlap when one "^7" closes both: blue colours after red then, as its
// pass follows red's. With `leaveFirstClose` the first "^7" colours nothing
// (a part after the first does not know which names are open as it begins).
WalkEnds walkCodesIn(Stretch& s, const CodeWork& work, const PassColours& colours,
                     bool leaveFirstClose) {
    // A team without work never opens a name, so it never closes one either.
    std::array<TeamCodes, 2> teams{TeamCodes{work.red ? '1' : '\0', colours.red},
                                   TeamCodes{work.blue ? '4' : '\0', colours.blue}};
    const char* text = s.text;
    const std::size_t n = s.end;
    // Without removal every character is kept where it is.
    Compactor out(s);
    // Where the character at an unread position p >= out.r will be written.
    const auto written = [&](std::size_t p) { return out.w + (p - out.r); };
    WalkEnds ends;
    std::size_t punkBusterFrom = work.punkBuster ? s.begin : npos; // where "^5" is searched from
    std::size_t lineStart = npos;                                  // of the open PunkBuster line
    std::size_t lineFeed = 0;                                      // its end in the text as read
    // A "^7" closes the open names, red first, blue colouring after it.
    const auto closeNames = [&](std::size_t at) {
        const bool leave = leaveFirstClose && ends.firstClose == npos;
        if (leave)
            ends.firstClose = at;
        for (std::size_t t = 0; t < teams.size(); ++t) {
            TeamCodes& team = teams[t];
            if (team.open == npos)
                continue;
            if (leave)
                ends.openAtFirstClose[t] = team.open;
            else
                out.colourWritten(team.open, team.colour);
            team.open = npos;
        }
    };
    const auto openName = [](TeamCodes& team, char code, std::size_t at) {
        if (team.open == npos && code == team.code)
            team.open = at;
    };
    CaretScan carets(text, s.begin, n);
    for (std::size_t p = carets.next(); p < n; p = carets.next()) {
        const bool takenAsCode = work.removeCodes && p < out.r; // by the caret before it
        if (!takenAsCode)
            out.keepShortUpTo(p);
        const std::size_t at = out.w;            // where p is written, or would be
        if (lineStart != npos && lineFeed < p) { // no code lies between that LF and p
            ends.punkBusterLines.emplace_back(lineStart, at - (p - lineFeed) + 1);
            lineStart = npos;
        }
        const char next = p + 1 < n ? text[p + 1] : '\0';
        switch (next) {
        case '7': closeNames(at); break;
        case '1': openName(teams[0], next, at); break;
        case '4': openName(teams[1], next, at); break;
        case '5':
            if (punkBusterFrom == npos || p < punkBusterFrom)
                break;
            if (const std::size_t e = s.findLineFeed(p); e == npos) {
                punkBusterFrom = npos; // deliberate: a last line without a line end ends the pass
            } else {
                // After the code ("^5" goes unless its caret went already), through the LF.
                lineStart = !work.removeCodes ? p + 2 : takenAsCode ? at + 1 : at;
                lineFeed = e;
                punkBusterFrom = e;
            }
            break;
        default: break;
        }
        if (work.removeCodes && !takenAsCode) // the character after a caret goes with it, but an LF
            out.r = (p + 1 < n && next != '\n') ? p + 2 : p + 1;
        s.report(p);
    }
    if (lineStart != npos)
        ends.punkBusterLines.emplace_back(lineStart, written(lineFeed) + 1);
    out.finish();
    for (std::size_t t = 0; t < teams.size(); ++t)
        ends.openAtEnd[t] = teams[t].open;
    // deliberate: a name never closed by "^7" ends the pass uncoloured
    return ends;
}

// A walk over the whole text: its PunkBuster lines coloured at once.
void walkCodes(Sweep& sweep, const CodeWork& work, const PassColours& colours) {
    const WalkEnds ends = walkCodesIn(sweep.stretch, work, colours, false);
    sweep.stretch.colour(ends.punkBusterLines, colours.punkBuster);
}

// The passes up to the walk over the carets on one part of the text, as
// they run on the whole; the part's first stage reports for all when asked.
WalkEnds renderPart(Stretch& s, const PassColours& colours, Progress* stages,
                    bool leaveFirstClose) {
    const auto stage = [&](std::size_t number) {
        if (stages) {
            stages->beginStage(std::string(RenderPassStatus[number]));
            s.nextReport = 0;
        }
    };
    stage(0); // done by the separation
    stage(1);
    processChatCodesIn(s, colours.chat);
    stage(2);
    processOspCodesIn(s);
    stage(3);
    return walkCodesIn(s, {.red = true, .blue = true, .punkBuster = true, .removeCodes = true},
                       colours, leaveFirstClose);
}

// Where the text is cut into `parts` parts: after a line feed near each
// share, so that no pass finds anything across a cut.
std::vector<std::size_t> partStarts(std::string_view text, int parts) {
    std::vector<std::size_t> starts{0};
    for (int k = 1; k < parts; ++k) {
        const auto share =
            static_cast<std::size_t>(static_cast<long double>(text.size()) * k / parts);
        const std::size_t lf = text.find('\n', std::max(share, starts.back()));
        if (lf == npos || lf + 1 >= text.size())
            break;
        starts.push_back(lf + 1); // past the part before: its search began there
    }
    return starts;
}

// Runs work() on two threads, this one and another.
template <typename Work> void onTwoThreads(const Work& work) {
    std::thread other(work);
    work();
    other.join();
}

// Greys the ghost chat markers found in the text of [from, to), as far as
// they lie in the stretch. (A marker cannot overlap another, so a search
// begun anywhere finds the same markers.)
void greyGhostsFound(Stretch& s, std::uint8_t grey, std::size_t from, std::size_t to) {
    const FoldedNeedle ghost(GhostMarker);
    const std::string_view text(s.text, to);
    Ranges found;
    for (std::size_t p = ghost.find(text, from); p != npos;
         p = ghost.find(text, p + ghost.size())) {
        found.emplace_back(std::max(p, s.begin), std::min(p + ghost.size(), s.end));
        s.report(p);
    }
    s.colour(found, grey);
}

void greyGhostsIn(Stretch& s, std::uint8_t grey) { greyGhostsFound(s, grey, s.begin, s.end); }

// A team name open across a cut, coloured in a part once every part is walked.
struct CutName {
    std::size_t from;
    std::size_t to;
    std::uint8_t colour;
};

// One part of a large log: its stretch, the runs of its written text (from
// its begin on), what its walk left, and the names open across a cut that
// colour it.
struct RenderPart {
    Stretch stretch;
    AttributeRuns runs;
    WalkEnds ends;
    std::vector<CutName> cutNames;

    std::size_t length() const { return stretch.end - stretch.begin; }
    // Moves the part's text back to `at`, where the joined text has it, and
    // its places with it.
    void moveTo(std::size_t at) {
        const std::size_t shift = stretch.begin - at;
        if (shift == 0)
            return;
        std::memmove(stretch.text + at, stretch.text + stretch.begin, length());
        stretch.begin -= shift;
        stretch.end -= shift;
        ends.moveBack(shift);
    }
    // What comes after every team colour, in its order: the PunkBuster lines, then ghost chat.
    void colourLast(const PassColours& colours) {
        stretch.colour(ends.punkBusterLines, colours.punkBuster);
        greyGhostsIn(stretch, colours.grey);
    }
    // The stretch's runs kept as the part's, from its begin on, in room of their size.
    void keepRuns() {
        const Runs& written = stretch.runs;
        // With room for the runs the names open across the cut add
        // (colourCutNames): the part's runs are not copied for them.
        Runs kept;
        kept.starts.reserve(written.size() + AttributeRuns::kSpareRuns);
        kept.attributes.reserve(written.size() + AttributeRuns::kSpareRuns);
        for (const std::uint32_t start : written.starts)
            kept.starts.push_back(start - static_cast<std::uint32_t>(stretch.begin));
        kept.attributes.insert(kept.attributes.end(), written.attributes.begin(),
                               written.attributes.end());
        runs = AttributeRuns(std::move(kept));
    }
    // The names open across a cut, and what comes after them where they lie:
    // only the runs of the stretch they span are written again.
    void colourCutNames(const PassColours& colours) {
        std::size_t from = stretch.end;
        std::size_t to = stretch.begin;
        for (const CutName& name : cutNames) {
            from = std::min(from, name.from);
            to = std::max(to, name.to);
        }
        if (from >= to)
            return;
        Stretch names{stretch.text, from, to};
        runs.copyRuns(from - stretch.begin, to - stretch.begin, stretch.begin, names.runs);
        for (const CutName& name : cutNames)
            names.colour({{name.from, name.to}}, name.colour);
        Ranges lines;
        for (const auto& [lineFrom, lineTo] : ends.punkBusterLines)
            lines.emplace_back(std::max(lineFrom, from), std::min(lineTo, to));
        names.colour(lines, colours.punkBuster);
        const std::size_t reach = GhostMarker.size() - 1; // a marker reaching in from either side
        greyGhostsFound(names, colours.grey, std::max(from, stretch.begin + reach) - reach,
                        std::min(to + reach, stretch.end));
        for (std::uint32_t& start : names.runs.starts)
            start -= static_cast<std::uint32_t>(stretch.begin);
        runs.assign(from - stretch.begin, to - stretch.begin, names.runs, length());
    }
};

// The names open as each part begins close at the first "^7" after the cut
// (red before blue, as their passes run): each part they cross learns where
// they colour it.
void findCutNames(std::vector<RenderPart>& parts, const PassColours& colours) {
    const std::array<std::uint8_t, 2> teamColours{colours.red, colours.blue};
    std::array<std::optional<std::pair<std::size_t, std::size_t>>, 2> open; // part, from
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const WalkEnds& e = parts[k].ends;
        if (k > 0 && e.firstClose != npos) {
            for (std::size_t t = 0; t < 2; ++t) {
                if (open[t]) {
                    auto [part, from] = *open[t];
                    for (; part < k; from = parts[++part].stretch.begin)
                        parts[part].cutNames.push_back(
                            {from, parts[part].stretch.end, teamColours[t]});
                    parts[k].cutNames.push_back(
                        {parts[k].stretch.begin, e.firstClose, teamColours[t]});
                } else if (e.openAtFirstClose[t] != npos) {
                    parts[k].cutNames.push_back(
                        {e.openAtFirstClose[t], e.firstClose, teamColours[t]});
                }
                open[t].reset();
            }
        }
        for (std::size_t t = 0; t < 2; ++t) // a name open before a part without "^7" stays open
            if (e.openAtEnd[t] != npos && (k == 0 || e.firstClose != npos || !open[t]))
                open[t] = std::pair{k, e.openAtEnd[t]};
    }
}

// Every pass up to the walk over the carets, part after part on two threads,
// each part's runs written anew by each pass; each part's PunkBuster lines
// and ghost chat coloured at once, and its text moved to where the joined
// text has it. Then what the parts left: names open across a cut colour the
// parts they cross, and those parts' PunkBuster lines and ghosts are coloured
// again, as they come after the team colours. Last the parts' runs are joined.
void renderInParts(LogDocument& doc, Progress& progress, const std::vector<std::size_t>& starts) {
    const PassColours colours = allPassColours(doc);
    std::string& text = doc.textBuffer();
    std::vector<RenderPart> parts(starts.size());
    for (std::size_t k = 0; k < parts.size(); ++k)
        parts[k].stretch = {text.data(), starts[k],
                            k + 1 < parts.size() ? starts[k + 1] : text.size()};
    progress.setPosition(0, static_cast<std::int64_t>(text.size()));
    const AttributeRuns& separated = doc.attributeRuns();
    std::atomic<std::size_t> nextPart{0};
    std::atomic<std::int64_t> done{0};
    // A part moves to where the joined text has it once the parts before it
    // have, while the other thread renders on: one thread moves at a time,
    // parts in order, each to before the parts still rendered.
    std::mutex placing;
    std::vector<bool> rendered(parts.size(), false);
    std::size_t placed = 0;
    std::size_t joined = 0; // the length of the parts placed
    bool moving = false;
    const auto place = [&](std::size_t k) {
        std::unique_lock lock(placing);
        rendered[k] = true;
        if (moving)
            return; // the thread moving takes this part too
        moving = true;
        while (placed < parts.size() && rendered[placed]) {
            RenderPart& part = parts[placed++];
            const std::size_t at = joined;
            joined += part.length();
            lock.unlock();
            part.moveTo(at);
            lock.lock();
        }
        moving = false;
    };
    onTwoThreads([&] {
        Stretch room{}; // the runs' room, kept from part to part
        for (std::size_t k; (k = nextPart++) < parts.size();) {
            RenderPart& part = parts[k];
            const std::size_t length = part.length();
            Stretch& s = part.stretch;
            s.runs = std::move(room.runs);
            s.spare = std::move(room.spare);
            s.runs.clear();
            separated.copyRuns(s.begin, s.end, 0, s.runs);
            part.ends = renderPart(s, colours, k == 0 ? &progress : nullptr, k > 0);
            part.colourLast(colours);
            part.keepRuns();
            room.runs = std::move(s.runs);
            room.spare = std::move(s.spare);
            place(k);
            progress.setPosition(done += static_cast<std::int64_t>(length));
        }
    });
    for (std::size_t stage = 4; stage <= 7; ++stage) // ran with the walk, or with each part
        progress.beginStage(std::string(RenderPassStatus[stage]));

    findCutNames(parts, colours);
    for (RenderPart& part : parts)
        part.colourCutNames(colours);

    // The parts' runs joined, as their texts are.
    AttributeRuns& runs = doc.attributeRuns();
    runs.clear();
    for (RenderPart& part : parts)
        runs.join(std::move(part.runs), part.stretch.begin);
    text.resize(joined);
    doc.textChanged();
    progress.setPosition(static_cast<std::int64_t>(joined), static_cast<std::int64_t>(joined));
}

} // namespace

void recolourLineFeeds(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[0]);
    recolourLineFeedsIn(sweep.stretch, sweep.index(colours::DefaultGrey));
}

void processChatCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[1]);
    processChatCodesIn(sweep.stretch, sweep.index(colours::Chat));
}

void processOspCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[2]);
    processOspCodesIn(sweep.stretch);
}

void processRedTeamCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[3]);
    PassColours c;
    c.red = sweep.index(colours::RedTeam);
    walkCodes(sweep, {.red = true}, c);
}

void processBlueTeamCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[4]);
    PassColours c;
    c.blue = sweep.index(colours::BlueTeam);
    walkCodes(sweep, {.blue = true}, c);
}

void processPunkBusterCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[5]);
    PassColours c;
    c.punkBuster = sweep.index(colours::PunkBuster);
    walkCodes(sweep, {.punkBuster = true}, c);
}

void removeOtherCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[6]);
    walkCodes(sweep, {.removeCodes = true}, {});
}

void processCodes(LogDocument& doc, Progress& progress) {
    {
        Sweep sweep(doc, progress, RenderPassStatus[3]);
        PassColours c;
        c.red = sweep.index(colours::RedTeam);
        c.blue = sweep.index(colours::BlueTeam);
        c.punkBuster = sweep.index(colours::PunkBuster);
        walkCodes(sweep, {.red = true, .blue = true, .punkBuster = true, .removeCodes = true}, c);
    }
    for (std::size_t stage = 4; stage <= 6; ++stage) // these passes ran with the first
        stageDoneElsewhere(doc, progress, stage);
}

void greyGhosts(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[7]);
    greyGhostsIn(sweep.stretch, sweep.index(colours::DefaultGrey));
}

void renderColourCodes(LogDocument& doc, Progress& progress) {
    const std::size_t size = doc.textBuffer().size();
    const std::size_t parts =
        std::max<std::size_t>(size / kRenderPartSize, size >= kMinRenderPart * 2 ? 2 : 1);
    renderColourCodes(doc, progress, static_cast<int>(parts));
}

void renderColourCodes(LogDocument& doc, Progress& progress, int parts) {
    const std::vector<std::size_t> starts = partStarts(doc.text(), parts);
    if (starts.size() == 1) {
        stageDoneElsewhere(doc, progress, 0); // by the separation
        processChatCodes(doc, progress);
        processOspCodes(doc, progress);
        processCodes(doc, progress);
        greyGhosts(doc, progress);
    } else {
        renderInParts(doc, progress, starts);
    }
    releaseUnusedRoom(doc.textBuffer());
    doc.attributeRuns().shrinkToFit();
    doc.setSelStart(0);
    progress.beginStage(std::string(ReadyStatus));
    progress.setPosition(0, doc.length());
}

} // namespace quorvath
