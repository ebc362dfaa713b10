#include "core/stats/stats_test_support.h"

#include "core/stats/event_scanner.h"
#include "core/stats/phrase_sweep.h"
#include "support/editable_document.h"

#include <vector>

namespace quorvath::test {

void setMarkup(LogDocument& doc, const std::string& markup) {
    std::string text;
    Colour current = kGrey;
    std::vector<Colour> colours; // one per character of the text
    for (std::size_t i = 0; i < markup.size(); ++i) {
        if (markup[i] == '{' && i + 2 < markup.size() && markup[i + 2] == ':') {
            const char kind = markup[i + 1];
            current = kind == 'r' ? kRed : kind == 'b' ? kBlue : kind == 'c' ? kChat : 0;
            i += 2;
            continue;
        }
        if (markup[i] == '}' && current != kGrey) {
            current = kGrey;
            continue;
        }
        text.push_back(markup[i]);
        colours.push_back(current);
    }
    doc.setText(text);
    EditableDocument edit(doc);
    std::size_t start = 0;
    while (start < colours.size()) {
        std::size_t end = start;
        while (end < colours.size() && colours[end] == colours[start])
            ++end;
        edit.select(static_cast<int>(start), static_cast<int>(end - start));
        edit.setSelectionColour(colours[start]);
        start = end;
    }
    doc.setSelStart(0);
}

void bookOnePhrase(const LogDocument& doc, const std::string& phrase, EventKind kind,
                   PlayerTable& table) {
    std::vector<std::string> phrases{phrase};
    phrases.insert(phrases.end(), RoundEnds::kPhrases.begin(), RoundEnds::kPhrases.end());
    auto hits = PhraseSweep(phrases).run(doc.text());
    bookPhraseEvents(doc, phrase, kind, table, hits[0], RoundEnds(hits, 1));
}

int counterOf(const PlayerTable& table, const std::string& name, Counter c) {
    const int i = table.findByName(name);
    return i == 0 ? 0 : table[i][c];
}

} // namespace quorvath::test
