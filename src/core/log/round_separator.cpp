#include "core/log/round_separator.h"

#include "core/common/folded_search.h"
#include "core/common/large_buffer.h"
#include "core/common/progress.h"
#include "core/log/log_colours.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace quorvath {

namespace {

constexpr std::size_t npos = std::string::npos;

// The text after separation as a list of pieces: kept stretches of the old
// text, each followed by a banner (the last one by none).
struct Piece {
    std::size_t keptStart;
    std::size_t keptEnd;
    bool banner;
};

// Below this size a second thread costs more than it saves.
constexpr std::size_t kMinThreadedText = std::size_t{1} << 20;

// Runs `work` on a thread of its own for a large text, else at once; the
// returned thread (if any) joins as it goes out of scope.
template <typename Work> std::jthread besides(std::string_view text, Work work) {
    if (text.size() < kMinThreadedText) {
        work();
        return {};
    }
    return std::jthread(std::move(work));
}

// The hits of the shutdown line in the original text, ascending: the first
// kMaxHits of them (a log is not made of shutdown lines, and the list must
// not grow with one that is), and where the search stopped.
struct ShutdownHits {
    static constexpr std::size_t kMaxHits = std::size_t{1} << 16;
    std::vector<std::size_t> at;
    std::size_t searchedTo = 0; // every hit starting before this is listed

    explicit ShutdownHits(std::string_view text) {
        const FoldedNeedle shutdown(ShutdownLine);
        for (std::size_t p = shutdown.find(text, 0); p != npos; p = shutdown.find(text, p + 1)) {
            if (at.size() == kMaxHits) {
                searchedTo = p;
                return;
            }
            at.push_back(p);
        }
        searchedTo = text.size();
    }
    ShutdownHits() = default;

    // The first hit lying wholly in [from, to), or npos.
    std::size_t firstWithin(std::string_view text, std::size_t from, std::size_t to) const {
        const auto hit = std::lower_bound(at.begin(), at.end(), from);
        if (hit != at.end())
            return *hit + ShutdownLine.size() <= to ? *hit : npos;
        if (to < searchedTo + ShutdownLine.size())
            return npos;
        return FoldedNeedle(ShutdownLine).find(text.substr(0, to), std::max(from, searchedTo));
    }
};

// Blocks are found in the original text: a banner never holds or borders
// a hit of the phrases searched for, so the search "over the whole text"
// after each replacement always lands after the latest banner. The shutdown
// line is searched for at the same time on a second thread.
std::vector<Piece> findPieces(std::string_view text, Progress& progress) {
    ShutdownHits shutdowns;
    std::jthread shutdownSearch = besides(text, [&] { shutdowns = ShutdownHits(text); });
    const FoldedNeedle endWord(BlockEndWord);
    const FoldedNeedle startPhrase(BlockStartPhrase);
    std::vector<Piece> pieces;
    std::size_t blockStart = 0; // deliberate: the first banner swallows everything before it
    std::size_t blockEnd = endWord.find(text, 0);
    std::size_t keptFrom = 0;
    while (blockStart != npos && blockEnd != npos) {
        pieces.push_back({keptFrom, blockStart, true});
        keptFrom = blockEnd + endWord.size();
        blockStart = startPhrase.find(text, keptFrom);
        blockEnd = blockStart == npos ? npos : endWord.find(text, blockStart);
        progress.setPosition(static_cast<std::int64_t>(keptFrom));
    }
    if (blockStart != npos) {
        // A loading block that never reached "msec": it goes with the rest.
        pieces.push_back({keptFrom, blockStart, false});
        return pieces;
    }
    pieces.push_back({keptFrom, text.size(), false});
    if (shutdownSearch.joinable())
        shutdownSearch.join();
    // The shutdown line's first hit in the new text, wherever it is: the tail
    // from there goes, later banners included. No hit may cross a banner.
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t hit = shutdowns.firstWithin(text, pieces[i].keptStart, pieces[i].keptEnd);
        if (hit != npos) {
            pieces.resize(i + 1);
            pieces[i] = {pieces[i].keptStart, hit, false};
            break;
        }
    }
    return pieces;
}

std::size_t newLength(const std::vector<Piece>& pieces) {
    std::size_t length = 0;
    for (const Piece& piece : pieces)
        length += piece.keptEnd - piece.keptStart + (piece.banner ? roundBanner().size() : 0);
    return length;
}

// True when writing the pieces forward never overtakes the text still to be read.
bool fitsInPlace(const std::vector<Piece>& pieces) {
    std::size_t written = 0;
    for (const Piece& piece : pieces) {
        if (written > piece.keptStart)
            return false;
        written += piece.keptEnd - piece.keptStart + (piece.banner ? roundBanner().size() : 0);
    }
    return true;
}

// Writes the characters [lo, hi) of the new text to `out` (out[0] is the
// one at lo), reading the old text `from`: the pieces from `first` on, the
// first of them written at `start`. Front to back, so `out` may be the old
// text itself when the pieces fit in place.
void writeWindow(const char* from, char* out, const std::vector<Piece>& pieces, std::size_t first,
                 std::size_t start, std::size_t lo, std::size_t hi) {
    const auto span = [&](const char* source, std::size_t n, std::size_t at) {
        const std::size_t b = std::max(at, lo);
        const std::size_t e = std::min(at + n, hi);
        if (b < e)
            std::memmove(out + (b - lo), source + (b - at), e - b);
    };
    std::size_t at = start;
    for (std::size_t i = first; i < pieces.size() && at < hi; ++i) {
        const std::size_t n = pieces[i].keptEnd - pieces[i].keptStart;
        span(from + pieces[i].keptStart, n, at);
        at += n;
        if (pieces[i].banner) {
            span(roundBanner().data(), roundBanner().size(), at);
            at += roundBanner().size();
        }
    }
}

// The new text written in place, for pieces that fit; a large text's two
// halves on two threads, as the copy is serial work between the searches and
// the rendering. The second half writes from where it starts reading; the
// characters it would write before that, over text the first half still
// reads, are made aside and put in place once both are done.
void writePiecesInPlace(std::string& text, const std::vector<Piece>& pieces, std::size_t length) {
    std::size_t second = 0; // the first piece of the second half
    std::size_t split = 0;  // where the new text has it
    for (; second < pieces.size() && split < length / 2; ++second)
        split += pieces[second].keptEnd - pieces[second].keptStart +
                 (pieces[second].banner ? roundBanner().size() : 0);
    const std::size_t readFrom = second < pieces.size() ? pieces[second].keptStart : 0;
    // Aside at most a sixteenth of the text; else (a log made mostly of
    // loading blocks) one thread writes it all.
    if (text.size() < kMinThreadedText || second == 0 || second == pieces.size() ||
        (readFrom - split) > text.size() / 16) {
        writeWindow(text.data(), text.data(), pieces, 0, 0, 0, length);
        return;
    }
    char* t = text.data();
    std::string aside(readFrom - split, '\0');
    writeWindow(t, aside.data(), pieces, second, split, split, readFrom);
    {
        const std::jthread secondHalf(
            [&] { writeWindow(t, t + readFrom, pieces, second, split, readFrom, length); });
        writeWindow(t, t, pieces, 0, 0, 0, split);
    }
    std::memcpy(t + split, aside.data(), aside.size());
}

// The line feed pass turns each LF and the character after it grey, keeping
// their flags. After separation only banners are not grey already, so that
// pass is done here, on the banner at `at` (after an LF or not).
void greyBannerLineFeeds(std::uint8_t* attrs, std::size_t at, bool afterLineFeed,
                         std::uint8_t greyBanner) {
    const std::string& banner = roundBanner();
    if (afterLineFeed)
        attrs[at] = greyBanner;
    for (std::size_t i = 0; i < banner.size(); ++i)
        if (banner[i] == '\n')
            for (std::size_t j = i; j < std::min(i + 2, banner.size()); ++j)
                attrs[at + j] = greyBanner;
}

// Every character grey, the banners in their style: the attributes of the
// separated text, as runs.
void buildAttributes(AttributeRuns& runs, const std::vector<Piece>& pieces,
                     const std::vector<bool>& bannerAfterLineFeed, std::size_t length,
                     std::uint8_t grey, std::uint8_t banner) {
    runs.clear();
    if (length == 0)
        return;
    runs.append(0, grey);
    const auto greyBanner = static_cast<std::uint8_t>((banner & ~attr::ColourMask) | grey);
    std::vector<std::uint8_t> bannerAttrs(roundBanner().size());
    std::size_t w = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        w += pieces[i].keptEnd - pieces[i].keptStart;
        if (pieces[i].banner) {
            std::fill(bannerAttrs.begin(), bannerAttrs.end(), banner);
            greyBannerLineFeeds(bannerAttrs.data(), 0, bannerAfterLineFeed[i], greyBanner);
            runs.appendBytes(bannerAttrs.data(), bannerAttrs.size(), w);
            w += bannerAttrs.size();
            if (w < length)
                runs.append(w, grey);
        }
    }
    runs.shrinkToFit();
}

// For each banner, whether the character before it in the separated text is an LF.
std::vector<bool> bannersAfterLineFeed(std::string_view text, const std::vector<Piece>& pieces) {
    std::vector<bool> after(pieces.size(), false);
    char before = '\0'; // none yet
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].keptEnd > pieces[i].keptStart)
            before = text[pieces[i].keptEnd - 1];
        if (pieces[i].banner) {
            after[i] = before == '\n';
            before = roundBanner().back();
        }
    }
    return after;
}

} // namespace

const std::string& roundBanner() {
    static const std::string banner =
        "\r\n\r\n" + std::string(65, ' ') + "NEW  ROUND" + std::string(70, ' ');
    return banner;
}

bool separateRounds(LogDocument& doc, Progress& progress, std::size_t maxLength) {
    progress.beginStage(std::string(SeparatingStatus));
    std::string& text = doc.textBuffer();
    progress.setPosition(0, static_cast<std::int64_t>(text.size()));
    const std::vector<Piece> pieces = findPieces(text, progress);
    const std::size_t length = newLength(pieces);
    if (length > maxLength)
        return false;

    // The old attributes are ignored and rebuilt from the pieces. The text is
    // written in place unless it must grow into a new buffer.
    const std::uint8_t grey = doc.paletteIndex(colours::DefaultGrey);
    const std::uint8_t banner = doc.attributeFor({colours::RoundBanner, true, false, true});
    buildAttributes(doc.attributeRuns(), pieces, bannersAfterLineFeed(text, pieces), length, grey,
                    banner);
    if (fitsInPlace(pieces)) {
        writePiecesInPlace(text, pieces, length);
        text.resize(length);
    } else {
        std::string grown;
        reserveLarge(grown, length);
        grown.resize(length);
        writeWindow(text.data(), grown.data(), pieces, 0, 0, 0, length);
        text.swap(grown);
    }
    doc.textChanged();
    doc.setSelStart(0);
    progress.setPosition(static_cast<std::int64_t>(length), static_cast<std::int64_t>(length));
    return true;
}

} // namespace quorvath
