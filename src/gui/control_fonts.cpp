#include "gui/control_fonts.h"

#include <QFont>
#include <QStringList>

namespace quorvath {

void registerFontSubstitutes() {
    QFont::insertSubstitutions("Century Gothic",
                               QStringList{"URW Gothic", "URW Gothic L", "TeX Gyre Adventor"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans", "Arimo", "DejaVu Sans"});
}

QFont controlFont(const char* family, double points, bool bold) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace quorvath
