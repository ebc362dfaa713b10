#include "literal_render.h"

#include "core/log/colour_renderer.h"
#include "core/log/log_colours.h"
#include "core/log/round_separator.h"
#include "support/editable_document.h"

namespace quorvath::literal {

namespace {
using test::EditableDocument;
const std::string LF = "\n";
} // namespace

void separateRounds(LogDocument& document) {
    EditableDocument doc(document);
    int blockstart = 0;
    int blockend = doc.find(BlockEndWord, 0);
    doc.select(0, doc.length());
    doc.setSelectionColour(colours::DefaultGrey);
    doc.setSelLength(0);
    while (blockstart != -1 && blockend != -1) {
        doc.select(blockstart, blockend + 4 - blockstart);
        doc.setSelectionColour(colours::RoundBanner);
        doc.setSelectionFlag(attr::Bold, true);
        doc.setSelectionFlag(attr::Underline, true);
        doc.replaceSelection(roundBanner());
        blockstart = doc.find(BlockStartPhrase);
        blockend = blockstart != -1 ? doc.find(BlockEndWord, blockstart) : -1;
    }
    doc.setSelectionFlag(attr::Bold, false);
    if (blockstart != -1 && blockend == -1) {
        doc.select(blockstart, doc.length() - blockstart);
        doc.replaceSelection("");
    } else if (blockstart == -1 && blockend == -1) {
        const int p = doc.find(ShutdownLine);
        if (p != -1) {
            doc.select(p, doc.length() - p);
            doc.replaceSelection("");
        }
    }
}

void recolourLineFeeds(LogDocument& document) {
    EditableDocument doc(document);
    for (int p = doc.find(LF, 0); p != -1; p = doc.find(LF, p + 1)) {
        doc.select(p, 2);
        doc.setSelectionColour(colours::DefaultGrey);
    }
}

void processChatCodes(LogDocument& document) {
    EditableDocument doc(document);
    int s = doc.find("^2", 0);
    while (s != -1) {
        int e = -1;
        for (;;) {
            e = doc.find(LF, s);
            if (e == -1)
                return; // the stretch has no end: the pass ends
            const int c = doc.find("^1", s, e);
            if (c == -1)
                break;
            doc.replaceSelection("");
        }
        for (;;) {
            const int c = doc.find("^4", s, e);
            if (c == -1)
                break;
            doc.replaceSelection("");
            e = doc.find(LF, s);
        }
        doc.select(s, e - s);
        doc.setSelectionColour(colours::Chat);
        doc.setSelStart(e);
        s = doc.find("^2", e);
    }
}

void processOspCodes(LogDocument& document) {
    EditableDocument doc(document);
    int p = doc.find(OspHeadshotTag, 0);
    while (p != -1) {
        doc.replaceSelection(HeadshotTag);
        p = doc.find(OspHeadshotTag);
    }
}

static void processTeamCodes(LogDocument& document, const char* code, Colour colour) {
    EditableDocument doc(document);
    int s = doc.find(code, 0);
    while (s != -1) {
        const int e = doc.find("^7", s);
        if (e == -1)
            return;
        doc.select(s, e - s);
        doc.setSelectionColour(colour);
        doc.setSelStart(e);
        s = doc.find(code, e);
    }
}

void processRedTeamCodes(LogDocument& doc) { processTeamCodes(doc, "^1", colours::RedTeam); }
void processBlueTeamCodes(LogDocument& doc) { processTeamCodes(doc, "^4", colours::BlueTeam); }

void processPunkBusterCodes(LogDocument& document) {
    EditableDocument doc(document);
    int s = doc.find("^5", 0);
    while (s != -1) {
        const int e = doc.find(LF, s);
        if (e == -1)
            return;
        doc.setSelStart(s + 2);
        doc.setSelLength(e - s - 1);
        doc.setSelectionColour(colours::PunkBuster);
        doc.setSelStart(e + 2);
        s = doc.find("^5", e);
    }
}

void removeOtherCodes(LogDocument& document) {
    EditableDocument doc(document);
    int start = 0;
    for (;;) {
        const int p = doc.find("^", start);
        if (p == -1)
            return;
        doc.select(p, 2);
        if (doc.selectedText() == "^\n")
            doc.setSelLength(1);
        doc.replaceSelection("");
        doc.setSelStart(p + 1);
        start = p;
    }
}

void greyGhosts(LogDocument& document) {
    EditableDocument doc(document);
    for (int p = doc.find(GhostMarker, 0); p != -1; p = doc.find(GhostMarker, p + 7))
        doc.setSelectionColour(colours::DefaultGrey);
}

void renderColourCodes(LogDocument& doc) {
    recolourLineFeeds(doc);
    processChatCodes(doc);
    processOspCodes(doc);
    processRedTeamCodes(doc);
    processBlueTeamCodes(doc);
    processPunkBusterCodes(doc);
    removeOtherCodes(doc);
    greyGhosts(doc);
    doc.setSelStart(0);
}

void loadLogText(LogDocument& doc, const std::string& text) {
    doc.setText(text);
    separateRounds(doc);
    renderColourCodes(doc);
}

} // namespace quorvath::literal
