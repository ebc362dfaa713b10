#include "gui/drop_pane_widget.h"

#include "core/common/windows1252.h"
#include "gui/drag_list_widget.h"

#include <QDropEvent>
#include <QFontMetrics>
#include <QMimeData>

#include <algorithm>

namespace quorvath {

DropPaneWidget::DropPaneWidget(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAcceptDrops(true);
    // A report to read and copy from: typed text never lands in it, and Tab
    // moves on to the next control.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setTabStopDistance(fontMetrics().averageCharWidth() * 8.0);
}

void DropPaneWidget::changeEvent(QEvent* event) {
    // Tab stops every eight average characters, as the report columns expect.
    if (event->type() == QEvent::FontChange)
        setTabStopDistance(fontMetrics().averageCharWidth() * 8.0);
    QPlainTextEdit::changeEvent(event);
}

void DropPaneWidget::showReport(const std::string& text) {
    QString shown = QString::fromStdString(utf8FromWindows1252(text));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

int DropPaneWidget::reportWidth() const {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& line : toPlainText().split(u'\n'))
        widest = std::max(
            widest,
            metrics.size(Qt::TextExpandTabs, line, static_cast<int>(tabStopDistance())).width());
    return widest;
}

void DropPaneWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedList(*event->mimeData()))
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragEnterEvent(event);
}

void DropPaneWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (draggedList(*event->mimeData()))
        event->acceptProposedAction();
    else
        QPlainTextEdit::dragMoveEvent(event);
}

void DropPaneWidget::dropEvent(QDropEvent* event) {
    const std::optional<DraggedList> list = draggedList(*event->mimeData());
    if (!list) {
        QPlainTextEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    emit listDropped(*list);
}

} // namespace quorvath
