#include "gui/drag_list_widget.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace quorvath {

namespace {
constexpr const char* kPlayers = "players";
constexpr const char* kCategories = "categories";
} // namespace

QMimeData* listDragData(DraggedList list) {
    auto* data = new QMimeData;
    data->setData(kListDragMime, list == DraggedList::Players ? kPlayers : kCategories);
    return data;
}

std::optional<DraggedList> draggedList(const QMimeData& data) {
    const QByteArray name = data.data(kListDragMime);
    if (name == kPlayers)
        return DraggedList::Players;
    if (name == kCategories)
        return DraggedList::Categories;
    return std::nullopt;
}

DragListWidget::DragListWidget(DraggedList list, QWidget* parent)
    : QListWidget(parent), list_(list), runDrag_([](QDrag& drag) { drag.exec(Qt::CopyAction); }) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
}

int DragListWidget::selectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void DragListWidget::mousePressEvent(QMouseEvent* event) {
    // Any button selects and drags at once, with no distance to travel first.
    if (QListWidgetItem* item = itemAt(event->position().toPoint()))
        setCurrentItem(item);
    setFocus(Qt::MouseFocusReason);
    event->accept();
    auto* drag = new QDrag(this);
    drag->setMimeData(listDragData(list_));
    drag->setPixmap(dragIcon());
    drag->setHotSpot(QPoint(16, 16));
    runDrag_(*drag);
}

QPixmap DragListWidget::dragIcon() {
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0, 96, 0));
    p.setBrush(QColor(0, 0, 0));
    p.drawRect(5, 2, 21, 27);
    p.setPen(QColor(0, 192, 0));
    for (int y = 7; y <= 24; y += 4) {
        p.drawLine(8, y, 13, y);  // a name ...
        p.drawLine(17, y, 22, y); // ... and its figure
    }
    return icon;
}

} // namespace quorvath
