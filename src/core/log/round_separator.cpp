#include "core/log/round_separator.h"

#include "core/common/folded_search.h"
#include "core/common/large_buffer.h"
#include "core/common/progress.h"
#include "core/log/log_colours.h"

#include <algorithm>
#include <cstring>
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

// Blocks are found in the original text: a banner never holds or borders
// a hit of the phrases searched for, so the search "over the whole text"
// after each replacement always lands after the latest banner.
std::vector<Piece> findPieces(std::string_view text, Progress& progress) {
    const FoldedNeedle endWord(BlockEndWord);
    const FoldedNeedle startPhrase(BlockStartPhrase);
    const FoldedNeedle shutdown(ShutdownLine);
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
    // The shutdown line's first hit in the new text, wherever it is: the tail
    // from there goes, later banners included.
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view kept =
            text.substr(0, pieces[i].keptEnd); // bounded: no hit may cross a banner
        const std::size_t hit = shutdown.find(kept, pieces[i].keptStart);
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

void writePieces(const std::string& from, std::string& to, const std::vector<Piece>& pieces) {
    std::size_t w = 0;
    for (const Piece& piece : pieces) {
        const std::size_t n = piece.keptEnd - piece.keptStart;
        std::memmove(to.data() + w, from.data() + piece.keptStart, n);
        w += n;
        if (piece.banner) {
            std::memcpy(to.data() + w, roundBanner().data(), roundBanner().size());
            w += roundBanner().size();
        }
    }
}

// The line feed pass turns each LF and the character after it grey, keeping
// their flags. After separation only banners are not grey already, so that
// pass is done here, on the banner at `at` and the LF that may come before it.
void greyBannerLineFeeds(const std::string& text, std::vector<std::uint8_t>& attrs, std::size_t at,
                         std::uint8_t greyBanner) {
    const std::size_t end = at + roundBanner().size();
    for (std::size_t i = at > 0 ? at - 1 : at; i < end; ++i)
        if (text[i] == '\n')
            for (std::size_t j = std::max(i, at); j < std::min(i + 2, end); ++j)
                attrs[j] = greyBanner;
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

    // The old attributes are ignored and rebuilt from the pieces once the
    // text is final. Their room is used again (loading readies it while it
    // reads the text), unless the text must grow into a new buffer: then it
    // goes first, so that at most two buffers of the text's length coexist.
    std::vector<std::uint8_t>& attrs = doc.attributeBuffer();
    if (fitsInPlace(pieces)) {
        writePieces(text, text, pieces);
        text.resize(length);
    } else {
        std::vector<std::uint8_t>().swap(attrs);
        std::string grown;
        reserveLarge(grown, length);
        grown.resize(length);
        writePieces(text, grown, pieces);
        text.swap(grown);
    }

    const std::uint8_t grey = doc.paletteIndex(colours::DefaultGrey);
    const std::uint8_t banner = doc.attributeFor({colours::RoundBanner, true, false, true});
    if (attrs.capacity() < length)
        std::vector<std::uint8_t>().swap(attrs);
    reserveLarge(attrs, length);
    attrs.assign(length, grey);
    const std::uint8_t bannerLineFeed =
        static_cast<std::uint8_t>((banner & ~attr::ColourMask) | grey);
    std::size_t w = 0;
    for (const Piece& piece : pieces) {
        w += piece.keptEnd - piece.keptStart;
        if (piece.banner) {
            std::memset(attrs.data() + w, banner, roundBanner().size());
            greyBannerLineFeeds(text, attrs, w, bannerLineFeed);
            w += roundBanner().size();
        }
    }
    doc.textChanged();
    doc.setSelStart(0);
    progress.setPosition(static_cast<std::int64_t>(length), static_cast<std::int64_t>(length));
    return true;
}

} // namespace quorvath
