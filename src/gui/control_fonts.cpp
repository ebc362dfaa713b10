#include "gui/control_fonts.h"

#include <QFont>
#include <QStringList>

namespace quorvath {

void registerFontSubstitutes() {
    // As wide and round as Century Gothic, with square brackets: URW Gothic and
    // its kin draw "[" like "(", so that "[SAS]" and "(SAS)" tags look alike.
    QFont::insertSubstitutions("Century Gothic", QStringList{"DejaVu Sans", "Liberation Sans"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans", "Arimo", "DejaVu Sans"});
}

QFont controlFont(const char* family, double points, bool bold) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace quorvath
