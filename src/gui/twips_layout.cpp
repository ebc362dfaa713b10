#include "gui/twips_layout.h"

#include <QWidget>
#include <QWidgetItem>

#include <cmath>

namespace quorvath {

namespace {
int px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }
} // namespace

TwipsLayout::TwipsLayout(QWidget* parent, int baseWidthTwips, int baseHeightTwips)
    : QLayout(parent), base_(px(baseWidthTwips), px(baseHeightTwips)) {
    setContentsMargins(0, 0, 0, 0);
}

TwipsLayout::~TwipsLayout() {
    for (Item& i : items_)
        delete i.item;
}

void TwipsLayout::add(QWidget* widget, int left, int top, int width, int height, int anchors) {
    addChildWidget(widget);
    items_.push_back(
        {new QWidgetItem(widget), QRect(px(left), px(top), px(width), px(height)), anchors});
    invalidate();
}

void TwipsLayout::addItem(QLayoutItem* item) { items_.push_back({item, QRect(), Fixed}); }

QLayoutItem* TwipsLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)].item : nullptr;
}

QLayoutItem* TwipsLayout::takeAt(int index) {
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = items_[static_cast<std::size_t>(index)].item;
    items_.erase(items_.begin() + index);
    return item;
}

QSize TwipsLayout::minimumSize() const { return QSize(base_.width() / 2, base_.height() / 2); }

void TwipsLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const int dw = rect.width() - base_.width();
    const int dh = rect.height() - base_.height();
    for (const Item& i : items_) {
        QRect r = i.base;
        if (i.anchors & StretchWidth)
            r.setWidth(std::max(0, r.width() + dw));
        else if (i.anchors & Right)
            r.moveLeft(r.left() + dw);
        if (i.anchors & StretchHeight)
            r.setHeight(std::max(0, r.height() + dh));
        else if (i.anchors & Bottom)
            r.moveTop(r.top() + dh);
        i.item->setGeometry(r.translated(rect.topLeft()));
    }
}

} // namespace quorvath
