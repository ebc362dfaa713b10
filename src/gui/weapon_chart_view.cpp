#include "gui/weapon_chart_view.h"

#include "gui/drag_list_widget.h"
#include "gui/statistics_texts.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace quorvath {

namespace t = statistics_texts;

namespace {

constexpr int kMargin = 6;
constexpr int kGap = 4; // between two weapons' rows, and after a bar
// The web report's colours of the two bars.
const QColor kKillsColour(0x5f, 0xbf, 0x6f);
const QColor kDeathsColour(0xd9, 0x60, 0x60);

QString weaponName(const WeaponFigures& f) {
    return QString::fromLatin1(f.weapon.data(), static_cast<qsizetype>(f.weapon.size()));
}

} // namespace

WeaponChartView::WeaponChartView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
}

void WeaponChartView::showFigures(std::vector<WeaponFigures> figures, const QString& title) {
    figures_ = std::move(figures);
    current_ = -1;
    setAccessibleName(title);
    QStringList lines;
    for (int row = 0; row < static_cast<int>(figures_.size()); ++row)
        lines << rowText(row);
    setAccessibleDescription(figures_.empty() ? QString(t::NoWeaponFigures) : lines.join("; "));
    updateGeometry();
    update();
}

int WeaponChartView::labelWidth() const {
    int widest = 0;
    for (const WeaponFigures& f : figures_)
        widest = std::max(widest, fontMetrics().horizontalAdvance(weaponName(f)));
    return widest + 2 * kGap;
}

// Room for both figures on one line, as a tight row shows them.
int WeaponChartView::figureWidth() const {
    return fontMetrics().horizontalAdvance("00000 / 00000");
}

int WeaponChartView::legendHeight() const { return fontMetrics().height() + kGap; }

std::vector<WeaponChartView::Row> WeaponChartView::rows() const {
    if (figures_.empty())
        return {};
    const int count = static_cast<int>(figures_.size());
    const int line = fontMetrics().height();
    // Each row as tall as the room allows, between one line (the name fits)
    // and two lines' worth of bars.
    const int room = height() - 2 * kMargin - legendHeight();
    const int rowHeight = std::clamp(room / count, line + kGap, 2 * line + kGap);
    const int barHeight = (rowHeight - kGap) / 2;
    const int barsLeft = kMargin + labelWidth();
    const int fullBar = std::max(width() - barsLeft - figureWidth() - kMargin, kGap);
    const std::int32_t peak = weaponFiguresPeak(figures_);
    std::vector<Row> drawn;
    int top = kMargin + legendHeight();
    for (const WeaponFigures& f : figures_) {
        Row row;
        row.area = QRect(kMargin, top, width() - 2 * kMargin, rowHeight);
        row.kills = QRect(barsLeft, top + kGap / 2, barLength(f.kills, peak, fullBar), barHeight);
        row.deaths =
            QRect(barsLeft, row.kills.bottom() + 1, barLength(f.deaths, peak, fullBar), barHeight);
        drawn.push_back(row);
        top += rowHeight;
    }
    return drawn;
}

int WeaponChartView::rowAt(const QPoint& point) const {
    const std::vector<Row> drawn = rows();
    for (std::size_t n = 0; n < drawn.size(); ++n)
        if (drawn[n].area.contains(point))
            return static_cast<int>(n);
    return -1;
}

QString WeaponChartView::rowText(int row) const {
    const WeaponFigures& f = figures_.at(static_cast<std::size_t>(row));
    return t::weaponFiguresLine(weaponName(f), f.kills, f.deaths);
}

QSize WeaponChartView::minimumSizeHint() const {
    const int count = static_cast<int>(figures_.size());
    return {2 * kMargin + labelWidth() + figureWidth() + 40,
            2 * kMargin + legendHeight() + count * (fontMetrics().height() + kGap)};
}

QSize WeaponChartView::sizeHint() const {
    return minimumSizeHint() + QSize(fontMetrics().averageCharWidth() * 30, 0);
}

void WeaponChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor text = palette().color(QPalette::Text);
    p.setPen(text);
    if (figures_.empty()) {
        p.drawText(rect(), Qt::AlignCenter, t::NoWeaponFigures);
        return;
    }
    // The legend: a key of each colour before its word.
    const int key = fontMetrics().ascent() - 2;
    int x = kMargin;
    for (const auto& [colour, word] :
         {std::pair(kKillsColour, t::KillsLegend), std::pair(kDeathsColour, t::DeathsLegend)}) {
        p.fillRect(x, kMargin + 2, key, key, colour);
        x += key + kGap;
        p.drawText(x, kMargin + fontMetrics().ascent(), word);
        x += fontMetrics().horizontalAdvance(word) + 3 * kGap;
    }
    const std::vector<Row> drawn = rows();
    for (std::size_t n = 0; n < drawn.size(); ++n) {
        const Row& row = drawn[n];
        const WeaponFigures& f = figures_[n];
        p.drawText(QRect(row.area.left(), row.area.top(), labelWidth() - kGap, row.area.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, weaponName(f));
        p.fillRect(row.kills, kKillsColour);
        p.fillRect(row.deaths, kDeathsColour);
        // Each figure after its bar while a line fits beside each; else both
        // after the longer bar.
        if (row.kills.height() >= fontMetrics().ascent()) {
            for (const auto& [bar, value] :
                 {std::pair(row.kills, f.kills), std::pair(row.deaths, f.deaths)})
                p.drawText(QRect(bar.right() + kGap, bar.top(), figureWidth(), bar.height()),
                           Qt::AlignLeft | Qt::AlignVCenter, QString::number(value));
        } else {
            const int after = std::max(row.kills.right(), row.deaths.right()) + kGap;
            p.drawText(QRect(after, row.area.top(), figureWidth(), row.area.height()),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QString("%1 / %2").arg(f.kills).arg(f.deaths));
        }
        if (static_cast<int>(n) == current_ && hasFocus()) {
            p.setPen(QPen(text, 1, Qt::DotLine));
            p.drawRect(row.area.adjusted(0, 0, -1, -1));
            p.setPen(text);
        }
    }
}

bool WeaponChartView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int row = rowAt(help->pos());
        if (row >= 0)
            QToolTip::showText(help->globalPos(), rowText(row), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void WeaponChartView::moveCurrent(int row) {
    if (figures_.empty())
        return;
    current_ = std::clamp(row, 0, static_cast<int>(figures_.size()) - 1);
    update();
    const QRect area = rows()[static_cast<std::size_t>(current_)].area;
    QToolTip::showText(mapToGlobal(area.bottomLeft()), rowText(current_), this);
}

void WeaponChartView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QString table = QString::fromStdString(weaponFiguresText(figures_));
        table.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QApplication::clipboard()->setText(table);
        return;
    }
    const int last = static_cast<int>(figures_.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Down: return moveCurrent(current_ + 1);
    case Qt::Key_Up: return moveCurrent(current_ < 0 ? last : current_ - 1);
    case Qt::Key_Home: return moveCurrent(0);
    case Qt::Key_End: return moveCurrent(last);
    default: QWidget::keyPressEvent(event);
    }
}

void WeaponChartView::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedList(*event->mimeData()))
        event->acceptProposedAction();
}

void WeaponChartView::dragMoveEvent(QDragMoveEvent* event) {
    if (draggedList(*event->mimeData()))
        event->acceptProposedAction();
}

void WeaponChartView::dropEvent(QDropEvent* event) {
    if (const std::optional<DraggedList> list = draggedList(*event->mimeData())) {
        event->acceptProposedAction();
        emit listDropped(*list);
    }
}

} // namespace quorvath
