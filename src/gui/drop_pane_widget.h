#pragma once
// A pane of the statistics window: a read-only multi-line text box with both
// scroll bars and no wrapping, and the drop target of the window's two lists.
// A list drop is handed on as the list it came from; other drops are refused.
//
// Interface thread only.

#include "core/session/statistics_session.h"

#include <QPlainTextEdit>

namespace quorvath {

class DropPaneWidget : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DropPaneWidget(QWidget* parent = nullptr);

    // Replaces the whole text with report text (Windows-1252, CR LF lines).
    void showReport(const std::string& text);
    // The width of the widest line shown, in pixels, for sharing room between panes.
    int reportWidth() const;

signals:
    void listDropped(DraggedList list);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace quorvath
