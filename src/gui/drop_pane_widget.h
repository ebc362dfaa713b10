#pragma once
// A pane of the statistics window: a multi-line text box with both scroll
// bars and no wrapping that the user may edit, and the drop target of the
// window's two lists. A list drop is handed on as the list it came from;
// other drops (text from elsewhere) are left to the text box.
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

signals:
    void listDropped(DraggedList list);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace quorvath
