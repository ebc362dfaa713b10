#include "gui/drag_list_widget.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace quorvath {

QMimeData* listDragData(const QString& tag) {
    auto* data = new QMimeData;
    data->setData(kListDragMime, tag.toUtf8());
    return data;
}

QString listDragTag(const QMimeData& data) {
    return data.hasFormat(kListDragMime) ? QString::fromUtf8(data.data(kListDragMime)) : QString();
}

DragListWidget::DragListWidget(const QString& tag, QWidget* parent)
    : QListWidget(parent), tag_(tag), runDrag_([](QDrag& drag) { drag.exec(Qt::CopyAction); }) {
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
    drag->setMimeData(listDragData(tag_));
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
