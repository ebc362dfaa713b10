#pragma once
// A list box of the statistics window that is a drag source: pressing the
// left or middle mouse button on it selects the entry under the pointer and
// starts a drag at once, carrying which list it is (players or categories)
// under a private MIME type, with a 32 by 32 drag icon. The same entry can be
// shown without a drag: a double-click or Enter asks for the left pane, with
// Shift for the right one, and the context menu (right button, Menu key)
// offers both.
//
// Interface thread only.

#include "core/session/statistics_session.h"

#include <QListWidget>

#include <functional>
#include <optional>

class QDrag;
class QMenu;
class QMimeData;

namespace quorvath {

// The private MIME type of a list drag; its data names the source list.
inline constexpr const char* kListDragMime = "application/x-quorvath-list";

QMimeData* listDragData(DraggedList list);
// The source list; none when the data is no list drag.
std::optional<DraggedList> draggedList(const QMimeData& data);

class DragListWidget : public QListWidget {
    Q_OBJECT
public:
    DragListWidget(DraggedList list, QWidget* parent = nullptr);

    DraggedList list() const { return list_; }
    // The selected position, -1 when nothing is selected.
    int selectedRow() const;

    // What to do with a started drag: by default it runs (QDrag::exec). Tests
    // replace it, since a real drag cannot run on an offscreen display.
    using DragRunner = std::function<void(QDrag&)>;
    void setDragRunner(DragRunner runner) { runDrag_ = std::move(runner); }

    // The drag icon: a small report sheet, 32 by 32 pixels.
    static QPixmap dragIcon();

    // The context menu as it would open now, for the selected entry.
    QMenu* contextMenu();
    // Window commands on the selected entry that its context menu offers too.
    void addMenuActions(const QList<QAction*>& actions) { menuActions_ += actions; }

signals:
    // The selected entry is to be shown in `pane`.
    void showRequested(Pane pane);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    DraggedList list_;
    DragRunner runDrag_;
    QList<QAction*> menuActions_;
};

} // namespace quorvath
