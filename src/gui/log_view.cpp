#include "gui/log_view.h"

#include "core/common/windows1252.h"
#include "core/log/log_document.h"
#include "gui/app_texts.h"
#include "gui/qt_colours.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace quorvath {

namespace {
constexpr double kPointSize = 14.25;
constexpr int kMargin = 4;               // pixels left of the text
constexpr int kMaxScrollWidth = 1 << 30; // pixels; well inside an int
constexpr int kMaxRun = 512;             // characters drawn by one call
const QColor kBackground(0, 0, 0);       // the log's colours are light
const QColor kSelection(58, 90, 140);    // behind selected characters

int variantOf(std::uint8_t attribute) { return (attribute >> 5) & 7; }

// For drawing, control characters (a stray CR, a TAB) show as a blank.
QString toUnicode(std::string_view bytes, bool blankControls = true) {
    QString s(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = s.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b < 0x20 && blankControls ? u' ' : unicodeFromWindows1252(b));
    }
    return s;
}
} // namespace

LogView::LogView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("logView");
    QFont base("Century Gothic");
    base.setPointSizeF(kPointSize);
    setFont(base);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, kBackground);
    pal.setColor(QPalette::Window, kBackground);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    lines_.clear();
    setUpFonts();
}

void LogView::setUpFonts() {
    for (int v = 0; v < 8; ++v) {
        QFont f = font();
        f.setKerning(false); // so the sum of character widths is the drawn width
        f.setBold(v & 1);
        f.setItalic(v & 2);
        f.setUnderline(v & 4);
        fonts_[static_cast<std::size_t>(v)] = f;
    }
    for (int v = 0; v < 4; ++v) {
        const QFontMetricsF fm(fonts_[static_cast<std::size_t>(v)]);
        for (int b = 0; b < 256; ++b) {
            const auto c = static_cast<unsigned char>(b);
            widths_[static_cast<std::size_t>(v)][static_cast<std::size_t>(b)] =
                fm.horizontalAdvance(QChar(c < 0x20 ? u' ' : unicodeFromWindows1252(c)));
        }
    }
    const QFontMetricsF fm(fonts_[1]);
    lineHeight_ = std::max(1, static_cast<int>(std::ceil(fm.lineSpacing())));
    ascent_ = static_cast<int>(std::ceil(fm.ascent()));
    averageWidth_ = QFontMetricsF(fonts_[0]).averageCharWidth();
    widestSeen_ = 0;
    updateScrollBars();
}

double LogView::charWidth(unsigned char c, std::uint8_t attribute) const {
    return widths_[static_cast<std::size_t>(variantOf(attribute) & 3)][c];
}

void LogView::setDocument(LogDocument* document) {
    doc_ = document;
    documentChanged();
}

void LogView::documentChanged() {
    if (doc_)
        lines_.build(doc_->text());
    else
        lines_.clear();
    widestSeen_ = 0;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void LogView::stylesChanged() { viewport()->update(); }

void LogView::updateScrollBars() {
    const int visibleLines = std::max(1, viewport()->height() / lineHeight_);
    verticalScrollBar()->setRange(0, std::max(0, lines_.lineCount() - visibleLines));
    verticalScrollBar()->setPageStep(visibleLines);
    verticalScrollBar()->setSingleStep(1);
    // Estimated from the longest line; widened when a wider line is painted.
    // In double and clamped: one line of a few hundred million characters would
    // overflow an int of pixels.
    const double wide = std::min<double>(lines_.longestLine() * averageWidth_, kMaxScrollWidth);
    const int estimate = static_cast<int>(wide);
    const int width = std::min(std::max(estimate, widestSeen_), kMaxScrollWidth) + 2 * kMargin;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(static_cast<int>(averageWidth_ * 4));
}

int LogView::firstVisibleLine() const { return verticalScrollBar()->value(); }

int LogView::lineTop(int line) const { return (line - firstVisibleLine()) * lineHeight_; }

void LogView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (!doc_ || doc_->length() == 0)
        return;
    const int first = firstVisibleLine();
    const int rows = viewport()->height() / lineHeight_ + 1;
    const int last = std::min(lines_.lineCount() - 1, first + rows);
    const int left = horizontalScrollBar()->value();
    for (int line = first; line <= last; ++line)
        paintLine(painter, line, lineTop(line), left, left + viewport()->width());
}

void LogView::paintLine(QPainter& painter, int line, int y, int left, int right) {
    const std::string& text = doc_->text();
    const int start = lines_.lineStart(line);
    const int end = lines_.lineEnd(line);
    const int selFrom = doc_->selStart();
    const int selTo = selFrom + doc_->selLength();
    double x = kMargin - left;
    int i = start;
    // Skip what lies left of the viewport.
    while (i < end) {
        const double w = charWidth(static_cast<unsigned char>(text[static_cast<std::size_t>(i)]),
                                   doc_->attributeAt(i));
        if (x + w >= 0)
            break;
        x += w;
        ++i;
    }
    while (i < end && x <= right - left) {
        const std::uint8_t attribute = doc_->attributeAt(i);
        const bool selected = i >= selFrom && i < selTo;
        const double runX = x;
        int j = i;
        while (j < end && j - i < kMaxRun && doc_->attributeAt(j) == attribute &&
               (j >= selFrom && j < selTo) == selected) {
            x +=
                charWidth(static_cast<unsigned char>(text[static_cast<std::size_t>(j)]), attribute);
            ++j;
        }
        if (selected)
            painter.fillRect(QRectF(runX, y, x - runX, lineHeight_), kSelection);
        painter.setFont(fonts_[static_cast<std::size_t>(variantOf(attribute))]);
        painter.setPen(qColorFromBgr(doc_->paletteColour(attribute & attr::ColourMask)));
        painter.drawText(QPointF(runX, y + ascent_),
                         toUnicode(std::string_view(text).substr(static_cast<std::size_t>(i),
                                                                 static_cast<std::size_t>(j - i))));
        i = j;
    }
    if (i >= end) {
        // A selected line break shows as a blank after the line.
        if (end < lines_.lineStart(std::min(line + 1, lines_.lineCount() - 1)) && end >= selFrom &&
            end < selTo)
            painter.fillRect(QRectF(x, y, averageWidth_, lineHeight_), kSelection);
        const int width = static_cast<int>(x + left);
        if (width > widestSeen_ && width > lines_.longestLine() * averageWidth_) {
            widestSeen_ = width;
            updateScrollBars();
        }
    }
}

int LogView::positionAt(const QPoint& point) const {
    if (!doc_ || doc_->length() == 0)
        return 0;
    const int line =
        std::clamp(firstVisibleLine() + point.y() / lineHeight_, 0, lines_.lineCount() - 1);
    const int end = lines_.lineEnd(line);
    double x = kMargin - horizontalScrollBar()->value();
    int i = lines_.lineStart(line);
    for (; i < end; ++i) {
        const double w =
            charWidth(static_cast<unsigned char>(doc_->text()[static_cast<std::size_t>(i)]),
                      doc_->attributeAt(i));
        if (point.x() < x + w / 2)
            break;
        x += w;
    }
    return i;
}

void LogView::showSelection() {
    if (!doc_)
        return;
    anchor_ = doc_->selStart(); // Shift+keys widen a hit found from its end
    caret_ = anchor_ + doc_->selLength();
    scrollToPosition(doc_->selStart());
}

void LogView::scrollToPosition(int pos) {
    const int line = lines_.lineOf(pos);
    const int visibleLines = std::max(1, viewport()->height() / lineHeight_);
    if (line < firstVisibleLine() || line >= firstVisibleLine() + visibleLines)
        verticalScrollBar()->setValue(line - visibleLines / 3);
    double x = kMargin;
    for (int i = lines_.lineStart(line); i < pos; ++i)
        x += charWidth(static_cast<unsigned char>(doc_->text()[static_cast<std::size_t>(i)]),
                       doc_->attributeAt(i));
    const int left = horizontalScrollBar()->value();
    if (x < left || x > left + viewport()->width() - 4 * averageWidth_)
        horizontalScrollBar()->setValue(static_cast<int>(x) - viewport()->width() / 3);
    viewport()->update();
}

QString LogView::selectedText() const {
    if (!doc_ || doc_->selLength() == 0)
        return {};
    return toUnicode(doc_->selectedText(), false);
}

void LogView::copy() {
    QString s = selectedText();
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); // the clipboard's line end here
    if (!s.isEmpty())
        QApplication::clipboard()->setText(s);
}

void LogView::zoom(Zoom step) {
    QFont f = font();
    f.setPointSizeF(zoomedPointSize(f.pointSizeF(), kPointSize, step));
    setFont(f); // the fonts and widths follow (changeEvent)
}

void LogView::selectAll() {
    if (!doc_)
        return;
    doc_->select(0, doc_->length());
    viewport()->update();
}

QMenu* LogView::contextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName("logViewMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool selected = doc_ && doc_->selLength() > 0;
    QAction* copyAction = menu->addAction(texts::CopyAction, this, &LogView::copy);
    copyAction->setObjectName("copyAction");
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(selected);
    QAction* all = menu->addAction(texts::SelectAllAction, this, &LogView::selectAll);
    all->setObjectName("selectAllAction");
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(doc_ && doc_->length() > 0);
    menu->addSeparator();
    QAction* find = menu->addAction(texts::FindSelectedAction, this,
                                    [this] { emit findRequested(selectedText()); });
    find->setObjectName("findSelectedAction");
    find->setEnabled(selected);
    return menu;
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    contextMenu()->popup(event->globalPos());
}

void LogView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LogView::mousePressEvent(QMouseEvent* event) {
    if (!doc_ || event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const int pos = positionAt(event->position().toPoint());
    if (event->modifiers() & Qt::ShiftModifier) {
        mouseMoveEvent(event);
        return;
    }
    anchor_ = caret_ = pos;
    doc_->select(pos, 0);
    viewport()->update();
}

void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!doc_ || event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    // A word: letters, digits, '_' and the accented letters of Windows-1252.
    const std::string& text = doc_->text();
    const auto inWord = [&](int i) {
        const auto c = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
        return std::isalnum(c) || c == '_' || c >= 0xC0;
    };
    const int pos = positionAt(event->position().toPoint());
    int from = pos;
    int to = pos;
    while (from > 0 && inWord(from - 1))
        --from;
    while (to < doc_->length() && inWord(to))
        ++to;
    anchor_ = from;
    caret_ = to;
    doc_->select(from, to - from);
    viewport()->update();
}

void LogView::selectTo(int caret) {
    caret_ = std::clamp(caret, 0, doc_->length());
    doc_->select(std::min(anchor_, caret_), std::abs(caret_ - anchor_));
    scrollToPosition(caret_);
}

int LogView::caretAfterKey(const QKeyEvent& event) const {
    const std::string& text = doc_->text();
    const auto at = [&](int i) { return text[static_cast<std::size_t>(i)]; };
    const int line = lines_.lineOf(caret_);
    const int column = caret_ - lines_.lineStart(line);
    const auto onLine = [&](int other) {
        other = std::clamp(other, 0, lines_.lineCount() - 1);
        return std::min(lines_.lineStart(other) + column, lines_.lineEnd(other));
    };
    const int page = std::max(1, viewport()->height() / lineHeight_);
    if (event.matches(QKeySequence::SelectPreviousChar)) // a CR LF counts as one step
        return caret_ - (caret_ >= 2 && at(caret_ - 1) == '\n' && at(caret_ - 2) == '\r' ? 2 : 1);
    if (event.matches(QKeySequence::SelectNextChar))
        return caret_ + (caret_ + 1 < doc_->length() && at(caret_) == '\r' && at(caret_ + 1) == '\n'
                             ? 2
                             : 1);
    if (event.matches(QKeySequence::SelectPreviousLine))
        return onLine(line - 1);
    if (event.matches(QKeySequence::SelectNextLine))
        return onLine(line + 1);
    if (event.matches(QKeySequence::SelectPreviousPage))
        return onLine(line - page);
    if (event.matches(QKeySequence::SelectNextPage))
        return onLine(line + page);
    if (event.matches(QKeySequence::SelectStartOfLine))
        return lines_.lineStart(line);
    if (event.matches(QKeySequence::SelectEndOfLine))
        return lines_.lineEnd(line);
    if (event.matches(QKeySequence::SelectStartOfDocument))
        return 0;
    if (event.matches(QKeySequence::SelectEndOfDocument))
        return doc_->length();
    return -1;
}

void LogView::mouseMoveEvent(QMouseEvent* event) {
    if (!doc_ || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint p = event->position().toPoint();
    // Dragging past an edge scrolls that way.
    if (p.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (p.y() > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    caret_ = positionAt(p);
    doc_->select(std::min(anchor_, caret_), std::abs(caret_ - anchor_));
    viewport()->update();
}

void LogView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy))
        return copy();
    if (doc_ && doc_->length() > 0) {
        if (const int caret = caretAfterKey(*event); caret >= 0)
            return selectTo(caret);
    }
    if (event->matches(QKeySequence::SelectAll))
        return selectAll();
    if (event->matches(QKeySequence::MoveToStartOfDocument))
        return verticalScrollBar()->setValue(0);
    if (event->matches(QKeySequence::MoveToEndOfDocument))
        return verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    QAbstractScrollArea::keyPressEvent(event);
}

void LogView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setUpFonts();
}

} // namespace quorvath
