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
constexpr std::string_view PunkBusterCode = "^5";

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
        for (std::size_t i = from; i < to; ++i)
            attrs[i] = static_cast<std::uint8_t>((attrs[i] & ~attr::ColourMask) | index);
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
    std::size_t w = from;
    for (std::size_t i = from; i < end; ++i) {
        const char c = out.text[i];
        if (c == code && w > from && out.text[w - 1] == '^') {
            --w;
            continue;
        }
        out.text[w] = c;
        out.attrs[w++] = out.attrs[i];
    }
    return w;
}

// One team's codes: its "^<code>" opens a name, the next "^7" closes it.
struct TeamCodes {
    char code;
    std::uint8_t colour;
    std::size_t open = npos; // the "^<code>" waiting for its "^7"
};

// Walks the carets once for the teams given, in their order: each team's
// stretch from its opening code to the "^7" that closes it takes its colour.
// Two stretches can only overlap when one "^7" closes both; the later team
// colours last then, as its own pass after the other would.
template <std::size_t Teams>
void colourTeamNames(Sweep& sweep, std::array<TeamCodes, Teams> teams) {
    const char* text = sweep.text.data();
    const std::size_t n = sweep.text.size();
    for (std::size_t p = nextCaret(text, 0, n); p + 1 < n; p = nextCaret(text, p + 1, n)) {
        const char next = text[p + 1];
        for (TeamCodes& team : teams) {
            if (team.open == npos) {
                if (next == team.code)
                    team.open = p;
            } else if (next == '7') {
                sweep.colour(team.open, p, team.colour);
                team.open = npos;
            }
        }
        sweep.report(p);
    }
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
    colourTeamNames(sweep, std::array{TeamCodes{'1', sweep.index(colours::RedTeam)}});
}

void processBlueTeamCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[4]);
    colourTeamNames(sweep, std::array{TeamCodes{'4', sweep.index(colours::BlueTeam)}});
}

void processTeamCodes(LogDocument& doc, Progress& progress) {
    std::array teams{TeamCodes{'1', doc.paletteIndex(colours::RedTeam)},
                     TeamCodes{'4', doc.paletteIndex(colours::BlueTeam)}};
    {
        Sweep sweep(doc, progress, RenderPassStatus[3]);
        colourTeamNames(sweep, teams);
    }
    Sweep done(doc, progress, RenderPassStatus[4]); // the blue pass ran with the red one
}

void processPunkBusterCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[5]);
    const std::uint8_t punkBuster = sweep.index(colours::PunkBuster);
    const FoldedNeedle punkBusterCode(PunkBusterCode);
    std::size_t r = 0;
    for (std::size_t s; (s = punkBusterCode.find(sweep.text, r)) != npos;) {
        const std::size_t e = sweep.findLineFeed(s);
        if (e == npos)
            break; // deliberate: a last line without a line end ends the pass
        sweep.colour(s + 2, e + 1, punkBuster); // after the code, through the LF
        r = e;
        sweep.report(r);
    }
}

void removeOtherCodes(LogDocument& doc, Progress& progress) {
    Sweep sweep(doc, progress, RenderPassStatus[6]);
    Compactor out{sweep.text, sweep.attrs};
    const std::size_t n = sweep.text.size();
    while (out.r < n) {
        const std::size_t p = nextCaret(sweep.text.data(), out.r, n);
        if (p == n)
            break;
        out.keepShortUpTo(p);
        // The character after a caret goes with it, whatever it is, but an LF.
        out.r = (p + 1 < n && sweep.text[p + 1] != '\n') ? p + 2 : p + 1;
        sweep.report(out.r);
    }
    out.finish();
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
    processTeamCodes(doc, progress);
    processPunkBusterCodes(doc, progress);
    removeOtherCodes(doc, progress);
    greyGhosts(doc, progress);
    releaseUnusedRoom(doc.textBuffer());
    releaseUnusedRoom(doc.attributeBuffer());
    doc.setSelStart(0);
    progress.beginStage(std::string(ReadyStatus));
    progress.setPosition(0, doc.length());
}

} // namespace quorvath
