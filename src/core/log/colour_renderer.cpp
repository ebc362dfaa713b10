#include "core/log/colour_renderer.h"

#include "core/common/folded_search.h"
#include "core/common/large_buffer.h"
#include "core/common/progress.h"
#include "core/log/log_colours.h"

#include <array>
#include <cstring>

namespace quorvath {

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view ChatCode = "^2";

// One pass over the document's buffers: announces the stage, reports the
// sweep position now and then, and tells the document when it is done.
class Sweep {
public:
    Sweep(LogDocument& doc, Progress& progress, std::string_view status)
        : text(doc.textBuffer()), attrs(doc.attributeBuffer()), doc_(doc), progress_(progress) {
        progress_.beginStage(std::string(status));
        progress_.setPosition(0, static_cast<std::int64_t>(text.size()));
    }
    ~Sweep() {
        doc_.textChanged();
        progress_.setPosition(static_cast<std::int64_t>(text.size()),
                              static_cast<std::int64_t>(text.size()));
    }
    Sweep(const Sweep&) = delete;
    Sweep& operator=(const Sweep&) = delete;

    std::string& text;
    std::vector<std::uint8_t>& attrs;

    void report(std::size_t pos) {
        if (pos >= nextReport_) {
            progress_.setPosition(static_cast<std::int64_t>(pos));
            nextReport_ = pos + (1 << 16);
        }
    }
    std::uint8_t index(Colour colour) { return doc_.paletteIndex(colour); }
    // Sets the colour of [from, to), keeping each character's flags.
    void colour(std::size_t from, std::size_t to, std::uint8_t index) {
        std::uint8_t* a = attrs.data(); // not re-read after each byte written
        for (std::size_t i = from; i < to; ++i)
            a[i] = static_cast<std::uint8_t>((a[i] & ~attr::ColourMask) | index);
    }
    std::size_t findLineFeed(std::size_t from) const {
        const void* hit = std::memchr(text.data() + from, '\n', text.size() - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : npos;
    }

private:
    LogDocument& doc_;
    Progress& progress_;
    std::size_t nextReport_ = 0;
};

// The first caret at or after `from`, or `n`. (An inline test of eight
// characters at a time measured slower than the library's memchr, even
// with a caret every 14 characters.)
std::size_t nextCaret(const char* text, std::size_t from, std::size_t n) {
    const void* hit = std::memchr(text + from, '^', n - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text) : n;
}

// In-place compaction for the passes that delete: characters are read at
// `r` and written at `w` <= `r`, each with its attribute.
struct Compactor {
    std::string& text;
    std::vector<std::uint8_t>& attrs;
    std::size_t r = 0;
    std::size_t w = 0;

    void keep() {
        text[w] = text[r];
        attrs[w++] = attrs[r++];
    }
    void keepUpTo(std::size_t end) {
        if (w != r) {
            std::memmove(text.data() + w, text.data() + r, end - r);
            std::memmove(attrs.data() + w, attrs.data() + r, end - r);
        }
        w += end - r;
        r = end;
    }
    // The same for the short stretches between carets: once eight or more
    // characters are gone, whole words are copied, running past the stretch
    // into room that is written again before it is read.
    void keepShortUpTo(std::size_t end) {
        if (r - w < 8 || end - r > 64 || end + 8 > text.size()) {
            keepUpTo(end);
            return;
        }
        char* t = text.data();
        std::uint8_t* a = attrs.data();
        for (std::size_t from = r; from < end; from += 8, w += 8) {
            std::uint64_t word;
            std::memcpy(&word, t + from, 8);
            std::memcpy(t + w, &word, 8);
            std::memcpy(&word, a + from, 8);
            std::memcpy(a + w, &word, 8);
        }
        w -= (8 - (end - r) % 8) % 8;
        r = end;
    }
    void put(std::string_view s, std::uint8_t attr) {
        std::memcpy(text.data() + w, s.data(), s.size());
        std::memset(attrs.data() + w, attr, s.size());
        w += s.size();
    }
    void finish() {
        keepUpTo(text.size());
        text.resize(w);
        attrs.resize(w);
    }
};

// Deletes every "^<code>" in [from, end) of the written text, again and again
// until none is left, as deleting the first hit over and over would: a
// deletion can join a caret before it with the code character after it.
std::size_t dropCodePairs(Compactor& out, std::size_t from, std::size_t end, char code) {
    char* text = out.text.data(); // not re-read after each byte written
    std::uint8_t* attrs = out.attrs.data();
    std::size_t w = from;
    for (std::size_t i = from; i < end; ++i) {
        const char c = text[i];
        if (c == code && w > from && text[w - 1] == '^') {
            --w;
            continue;
        }
        text[w] = c;
        attrs[w++] = attrs[i];
    }
    return w;
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

// Every caret is visited once. The team passes see each caret, also one that
// removal takes as the code of the caret before it; where the characters end
// up once codes are removed is known when the walk reaches them, so a team
// colours its name when the "^7" comes, in the written text. Two names can
// only overlap when one "^7" closes both: blue colours after red then, as its
// pass follows red's. The PunkBuster lines come after every team in the
// passes' order: they are coloured at the end.
void walkCodes(Sweep& sweep, const CodeWork& work) {
    std::array<TeamCodes, 2> teams{TeamCodes{'1'}, TeamCodes{'4'}};
    std::size_t teamCount = 0;
    if (work.red)
        teams[teamCount++] = {'1', sweep.index(colours::RedTeam)};
    if (work.blue)
        teams[teamCount++] = {'4', sweep.index(colours::BlueTeam)};
    const std::uint8_t punkBuster = work.punkBuster ? sweep.index(colours::PunkBuster) : 0;

    const char* text = sweep.text.data();
    const std::size_t n = sweep.text.size();
    Compactor out{sweep.text, sweep.attrs};
    // Where the character at an unread position p >= out.r will be written.
    const auto written = [&](std::size_t p) { return work.removeCodes ? out.w + (p - out.r) : p; };
    std::vector<std::pair<std::size_t, std::size_t>> punkBusterLines; // written [from, to)
    std::size_t punkBusterFrom = work.punkBuster ? 0 : npos;          // where "^5" is searched from
    std::size_t lineStart = npos;                                     // of the open PunkBuster line
    std::size_t lineFeed = 0;                                         // its end in the text as read
    for (std::size_t p = nextCaret(text, 0, n); p < n; p = nextCaret(text, p + 1, n)) {
        const bool takenAsCode = work.removeCodes && p < out.r; // by the caret before it
        if (work.removeCodes && !takenAsCode)
            out.keepShortUpTo(p);
        const std::size_t at = takenAsCode ? out.w : written(p);
        if (lineStart != npos && lineFeed < p) { // no code lies between that LF and p
            punkBusterLines.emplace_back(lineStart, at - (p - lineFeed) + 1);
            lineStart = npos;
        }
        if (p + 1 < n) {
            const char next = text[p + 1];
            for (std::size_t t = 0; t < teamCount; ++t) {
                TeamCodes& team = teams[t];
                if (team.open == npos) {
                    if (next == team.code)
                        team.open = at;
                } else if (next == '7') {
                    sweep.colour(team.open, at, team.colour);
                    team.open = npos;
                }
            }
            if (next == '5' && punkBusterFrom != npos && p >= punkBusterFrom) {
                const std::size_t e = sweep.findLineFeed(p);
                if (e == npos) {
                    punkBusterFrom =
                        npos; // deliberate: a last line without a line end ends the pass
                } else {
                    // After the code ("^5" goes unless its caret went already), through the LF.
                    lineStart = !work.removeCodes ? p + 2 : takenAsCode ? at + 1 : at;
                    lineFeed = e;
                    punkBusterFrom = e;
                }
            }
        }
        if (work.removeCodes && !takenAsCode) // the character after a caret goes with it, but an LF
            out.r = (p + 1 < n && text[p + 1] != '\n') ? p + 2 : p + 1;
        sweep.report(p);
    }
    if (lineStart != npos)
        punkBusterLines.emplace_back(lineStart, written(lineFeed) + 1);
    if (work.removeCodes)
        out.finish();
    for (const auto& [from, to] : punkBusterLines)
        sweep.colour(from, to, punkBuster);
    // deliberate: a name never closed by "^7" ends the pass uncoloured
}

} // namespace

void recolourLineFeeds(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[0]);
    const std::uint8_t grey = sweep.index(colours::DefaultGrey);
    const std::size_t n = sweep.text.size();
    for (std::size_t p = sweep.findLineFeed(0); p != npos; p = sweep.findLineFeed(p + 1)) {
        sweep.colour(p, std::min(p + 2, n), grey); // the LF and the character after it
        sweep.report(p);
        if (p + 1 >= n)
            break;
    }
}

void processChatCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[1]);
    const std::uint8_t chat = sweep.index(colours::Chat);
    const FoldedNeedle chatCode(ChatCode);
    Compactor out{sweep.text, sweep.attrs};
    for (std::size_t s; (s = chatCode.find(sweep.text, out.r)) != npos;) {
        const std::size_t e = sweep.findLineFeed(s);
        if (e == npos)
            break; // deliberate: a chat line without a line end ends the pass
        out.keepUpTo(s + 2);
        const std::size_t start = out.w - 2;
        out.keepUpTo(e);
        // All "^1" go first, then all "^4": a "^1" that only appears once
        // a "^4" is gone stays.
        out.w = dropCodePairs(out, start + 2, out.w, '1');
        out.w = dropCodePairs(out, start + 2, out.w, '4');
        sweep.colour(start, out.w, chat);
        sweep.report(out.r);
    }
    out.finish();
}

void processOspCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[2]);
    const FoldedNeedle tag(OspHeadshotTag);
    Compactor out{sweep.text, sweep.attrs};
    for (std::size_t p; (p = tag.find(sweep.text, out.r)) != npos;) {
        out.keepUpTo(p);
        // Takes the style of the tag's first character, as a replacement does.
        out.put(HeadshotTag, sweep.attrs[p]);
        out.r = p + tag.size();
        sweep.report(out.r);
    }
    out.finish();
}

void processRedTeamCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[3]);
    walkCodes(sweep, {.red = true});
}

void processBlueTeamCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[4]);
    walkCodes(sweep, {.blue = true});
}

void processPunkBusterCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[5]);
    walkCodes(sweep, {.punkBuster = true});
}

void removeOtherCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[6]);
    walkCodes(sweep, {.removeCodes = true});
}

void processCodes(LogDocument& doc, Progress& progress) {
    {
        Sweep sweep(doc, progress, RenderPassStatus[3]);
        walkCodes(sweep, {.red = true, .blue = true, .punkBuster = true, .removeCodes = true});
    }
    for (std::size_t stage = 4; stage <= 6; ++stage)
        Sweep done(doc, progress, RenderPassStatus[stage]); // these passes ran with the first
}

void greyGhosts(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[7]);
    const std::uint8_t grey = sweep.index(colours::DefaultGrey);
    const FoldedNeedle ghost(GhostMarker);
    for (std::size_t p = ghost.find(sweep.text, 0); p != npos;
         p = ghost.find(sweep.text, p + ghost.size())) {
        sweep.colour(p, p + ghost.size(), grey);
        sweep.report(p);
    }
}

void renderColourCodes(LogDocument& doc, Progress& progress) {
    recolourLineFeeds(doc, progress);
    processChatCodes(doc, progress);
    processOspCodes(doc, progress);
    processCodes(doc, progress);
    greyGhosts(doc, progress);
    releaseUnusedRoom(doc.textBuffer());
    releaseUnusedRoom(doc.attributeBuffer());
    doc.setSelStart(0);
    progress.beginStage(std::string(ReadyStatus));
    progress.setPosition(0, doc.length());
}

} // namespace quorvath
