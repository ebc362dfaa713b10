#pragma once
// For scripts/screenshot: pictures of the windows on a loaded log. Each saves
// its picture to `png`, removes the archive copy the session made and ends
// the program (exit code 1 when the picture could not be saved).

#include <QString>

namespace quorvath {

class LogSession;
class MainWindow;
class StatisticsWindow;

// The main window once its log is loaded.
void takeMainScreenshotWhenLoaded(LogSession& session, MainWindow& window, const QString& png);

// The statistics window once "Get the guff" has filled it, with a player's
// sheet in the left pane and the "Kills" ranking in the right one.
// With `byKeyboard`, the panes are filled as a keyboard user does it: the
// player chosen with the arrow keys and shown with Enter, the "Kills" ranking
// shown in the right pane with Shift+Enter.
void takeStatisticsScreenshotWhenReady(LogSession& session, StatisticsWindow& window,
                                       const QString& png, bool byKeyboard = false);

} // namespace quorvath
