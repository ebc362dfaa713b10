#pragma once
// The round separation and the colour passes written the slow, obvious way:
// find, select, colour and replace one occurrence at a time, through an
// EditableDocument. The reference the sweeps are checked against.

#include "core/log/log_document.h"

namespace quorvath::literal {

void separateRounds(LogDocument& doc);
void recolourLineFeeds(LogDocument& doc);
void processChatCodes(LogDocument& doc);
void processOspCodes(LogDocument& doc);
void processRedTeamCodes(LogDocument& doc);
void processBlueTeamCodes(LogDocument& doc);
void processPunkBusterCodes(LogDocument& doc);
void removeOtherCodes(LogDocument& doc);
void greyGhosts(LogDocument& doc);
void renderColourCodes(LogDocument& doc); // the eight passes, then the caret to 0
// setText, separateRounds, renderColourCodes.
void loadLogText(LogDocument& doc, const std::string& text);

} // namespace quorvath::literal
