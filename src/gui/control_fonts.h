#pragma once
// The windows' controls ask for Century Gothic and Arial in fixed point
// sizes; the substitutes keep their look where those fonts are not installed.

#include <QFont>

namespace quorvath {

void registerFontSubstitutes();

// A control's font, e.g. controlFont("Arial", 8.25, true) for Arial bold 8.25 pt.
QFont controlFont(const char* family, double points, bool bold);

} // namespace quorvath
