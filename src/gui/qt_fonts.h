#pragma once
// The windows ask for the fonts of the design (Century Gothic, Arial); these
// substitutes keep the look where those are not installed.

#include <QFont>

namespace quorvath {

void registerFontSubstitutes();

// A font of the design, e.g. designFont("Arial", 8.25, true) for Arial bold 8.25 pt.
QFont designFont(const char* family, double points, bool bold);

} // namespace quorvath
