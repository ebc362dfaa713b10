#pragma once
// The windows ask for the fonts of the design (Century Gothic, Arial); these
// substitutes keep the look where those are not installed.

namespace quorvath {

void registerFontSubstitutes();

} // namespace quorvath
