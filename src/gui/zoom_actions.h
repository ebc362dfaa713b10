#pragma once
// View > Zoom in, Zoom out and Reset zoom (Ctrl++, Ctrl+-, Ctrl+0) for a
// window's text: the log view in the main window, the panes in the statistics
// window.
//
// Interface thread only.

#include <functional>

class QMenu;

namespace quorvath {

enum class Zoom { In, Out, Reset };

// Adds the three entries to `menu`; each calls `apply` with its step.
void addZoomActions(QMenu& menu, const std::function<void(Zoom)>& apply);

// A font size after a zoom step from `current`, starting from `base`: a point
// a step, kept between half and four times the base size.
double zoomedPointSize(double current, double base, Zoom step);

} // namespace quorvath
