#include "gui/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quorvath {

namespace {

// The picture at `size` pixels, drawn on the SVG's 64 by 64 grid.
QPixmap paintIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x18, 0x20));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    const struct {
        int y;
        int width;
        QColor colour;
    } lines[] = {{14, 34, QColor(0xe0, 0x40, 0x40)},
                 {24, 24, QColor(0x40, 0x70, 0xe0)},
                 {34, 16, QColor(0xc8, 0xc8, 0xc8)},
                 {44, 12, QColor(0xc8, 0xc8, 0xc8)}};
    for (const auto& line : lines) {
        p.setBrush(line.colour);
        p.drawRoundedRect(QRectF(10, line.y, line.width, 5), 2, 2);
    }
    const QColor green(0x30, 0xc0, 0x30);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(green, 4));
    p.drawEllipse(QPointF(40, 40), 11, 11);
    p.setPen(QPen(green, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(48, 48), QPointF(56, 56));
    return pixmap;
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(paintIcon(size));
    return icon;
}

} // namespace quorvath
