#include "gui/drag_list_widget.h"

#include "gui/statistics_texts.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QMenu>
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
    // A press selects and drags at once, with no distance to travel first;
    // the right button opens the context menu instead.
    if (QListWidgetItem* item = itemAt(event->position().toPoint()))
        setCurrentItem(item);
    setFocus(Qt::MouseFocusReason);
    event->accept();
    if (event->button() == Qt::RightButton)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(listDragData(list_));
    drag->setPixmap(dragIcon());
    drag->setHotSpot(QPoint(16, 16));
    runDrag_(*drag);
}

void DragListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    QListWidgetItem* item = itemAt(event->position().toPoint());
    if (!item || event->button() != Qt::LeftButton)
        return;
    setCurrentItem(item);
    emit showRequested(event->modifiers() & Qt::ShiftModifier ? Pane::Right : Pane::Left);
}

void DragListWidget::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && selectedRow() >= 0) {
        event->accept();
        emit showRequested(event->modifiers() & Qt::ShiftModifier ? Pane::Right : Pane::Left);
        return;
    }
    QListWidget::keyPressEvent(event);
}

QMenu* DragListWidget::contextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName("listMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool selected = selectedRow() >= 0;
    QAction* left = menu->addAction(statistics_texts::ShowInLeftPane, this,
                                    [this] { emit showRequested(Pane::Left); });
    left->setObjectName("showLeftAction");
    left->setShortcut(QKeySequence(Qt::Key_Return));
    left->setEnabled(selected);
    QAction* right = menu->addAction(statistics_texts::ShowInRightPane, this,
                                     [this] { emit showRequested(Pane::Right); });
    right->setObjectName("showRightAction");
    right->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return));
    right->setEnabled(selected);
    if (!menuActions_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(menuActions_);
    }
    return menu;
}

void DragListWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse)
        if (QListWidgetItem* item = itemAt(event->pos()))
            setCurrentItem(item);
    contextMenu()->popup(event->globalPos());
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
