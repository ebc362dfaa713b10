#include "core/match/kept_match_events.h"

namespace quorvath {

void KeptMatchEvents::onEvent(const MatchEvent& event) {
    Kept& kept = events_.emplace_back(Kept{event, texts_.size(), kNone});
    for (const std::string_view* name : kept.event.names())
        if (!name->empty())
            texts_.append(*name);
    if (event.details == &kNoDetails)
        return;
    kept.detailsAt = details_.size();
    for (const std::string_view* text : details_.emplace_back(*event.details).texts())
        texts_.append(*text);
}

void KeptMatchEvents::sendTo(MatchEventSink& sink) {
    for (Kept& kept : events_) {
        const char* at = texts_.data() + kept.textsAt;
        const auto point = [&at](std::string_view* text) {
            *text = std::string_view(at, text->size());
            at += text->size();
        };
        for (std::string_view* name : kept.event.names())
            point(name);
        if (kept.detailsAt != kNone) {
            MatchDetails& details = details_[kept.detailsAt];
            for (std::string_view* text : details.texts())
                point(text);
            kept.event.details = &details;
        }
        sink.onEvent(kept.event);
    }
}

} // namespace quorvath
