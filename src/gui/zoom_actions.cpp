#include "gui/zoom_actions.h"

#include "gui/app_texts.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace quorvath {

void addZoomActions(QMenu& menu, const std::function<void(Zoom)>& apply) {
    QAction* in = menu.addAction(texts::ZoomInAction, [apply] { apply(Zoom::In); });
    in->setObjectName("zoomInAction");
    // Ctrl+= too: on most keyboards "+" needs Shift.
    in->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* out = menu.addAction(texts::ZoomOutAction, [apply] { apply(Zoom::Out); });
    out->setObjectName("zoomOutAction");
    out->setShortcut(QKeySequence::ZoomOut);
    QAction* reset = menu.addAction(texts::ZoomResetAction, [apply] { apply(Zoom::Reset); });
    reset->setObjectName("zoomResetAction");
    reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
}

double zoomedPointSize(double current, double base, Zoom step) {
    switch (step) {
    case Zoom::In: return std::min(current + 1, base * 4);
    case Zoom::Out: return std::max(current - 1, base / 2);
    case Zoom::Reset: return base;
    }
    return base;
}

} // namespace quorvath
