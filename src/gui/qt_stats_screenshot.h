#pragma once
// For scripts/screenshot: once the main window has loaded its log, presses
// "Get the guff", puts a player's sheet in the left pane and the "Kills"
// ranking in the right one, saves a picture of the statistics window to `png`
// and ends the program.

#include <QString>

namespace quorvath {

class MainWindow;
class StatsFrm;

void takeStatsScreenshotWhenReady(MainWindow& form1, StatsFrm& stats, const QString& png);

} // namespace quorvath
