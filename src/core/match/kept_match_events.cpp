#include "core/match/kept_match_events.h"

namespace quorvath {

void KeptMatchEvents::onEvent(const MatchEvent& event) {
    Kept& kept = events_.emplace_back(Kept{event, texts_.size()});
    for (const std::string_view* text : kept.event.texts())
        if (!text->empty())
            texts_.append(*text);
}

void KeptMatchEvents::sendTo(MatchEventSink& sink) {
    const std::string_view texts(texts_);
    for (Kept& kept : events_) {
        std::size_t at = kept.textsAt;
        for (std::string_view* text : kept.event.texts()) {
            *text = texts.substr(at, text->size());
            at += text->size();
        }
        sink.onEvent(kept.event);
    }
}

} // namespace quorvath
