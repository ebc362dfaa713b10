#pragma once
// The program's icon, painted: the same picture as data/quorvath.svg (lines of
// a coloured log and a magnifier), so that the window shows it without an SVG
// image plugin.
//
// Interface thread only.

#include <QIcon>

namespace quorvath {

QIcon appIcon();

} // namespace quorvath
