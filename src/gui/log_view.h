#pragma once
// The log view: paints only the visible lines of a LogDocument, each
// character in its own colour, bold, italic and underline; no word wrap,
// scrolling both ways, selection by mouse (a double-click takes a word) and by
// Shift with the arrows, Home, End and the page keys, Ctrl+C (lines end in LF
// on the clipboard), Ctrl+A, zoom and a context menu (Copy, Select All, Find
// the selected text). The document's selection
// is the view's selection. The view never copies the text: it keeps a line
// index (4 bytes a line) and converts Windows-1252 to Unicode only to draw.
//
// Interface thread only. The document must not be edited while the view
// paints; after a change of styles or selection call stylesChanged().

#include "core/log/line_index.h"
#include "gui/zoom_actions.h"

#include <QAbstractScrollArea>
#include <QFont>

#include <array>

namespace quorvath {

class LogDocument;

class LogView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LogView(QWidget* parent = nullptr);

    // nullptr shows an empty view. The document outlives its use here; a new
    // text is shown by setting the document again.
    void setDocument(LogDocument* document);
    // After the styles or the selection changed.
    void stylesChanged();
    // Scrolls the selection into view and repaints it.
    void showSelection();
    int lineCount() const { return lines_.lineCount(); }
    // A step of View > Zoom: the log's font grows, shrinks or returns to its size.
    void zoom(Zoom step);
    void selectAll();
    // The context menu as it would open now (its entries enabled as they apply).
    QMenu* contextMenu();

signals:
    // "Find the selected text": the selection, to be searched for further on.
    void findRequested(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void documentChanged();
    void setUpFonts();
    void updateScrollBars();
    int firstVisibleLine() const;
    // The character position under a point of the viewport.
    int positionAt(const QPoint& point) const;
    QString selectedText() const;
    // Selects from the anchor to `caret` and scrolls the caret into view.
    void selectTo(int caret);
    // Where a Shift+key moves the caret; -1 for a key that selects nothing.
    int caretAfterKey(const QKeyEvent& event) const;
    void scrollToPosition(int pos);
    void copy();
    double charWidth(unsigned char c, std::uint8_t attribute) const;
    int lineTop(int line) const;
    void paintLine(QPainter& painter, int line, int y, int left, int right);

    LogDocument* doc_ = nullptr;
    LineIndex lines_;
    std::array<QFont, 8> fonts_;                      // by bold/italic/underline bits
    std::array<std::array<double, 256>, 4> widths_{}; // by bold/italic
    int lineHeight_ = 1;
    int ascent_ = 0;
    double averageWidth_ = 1;
    int widestSeen_ = 0; // widest line painted so far, in pixels
    int anchor_ = 0;     // where a selection started
    int caret_ = 0;      // the end of the selection that moves
};

} // namespace quorvath
