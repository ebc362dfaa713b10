#include "app/qt_fonts.h"

#include <QFont>
#include <QStringList>

namespace quorvath {

void registerFontSubstitutes() {
    QFont::insertSubstitutions("Century Gothic", QStringList{"URW Gothic", "URW Gothic L", "TeX Gyre Adventor"});
    QFont::insertSubstitutions("Arial", QStringList{"Liberation Sans", "Arimo", "DejaVu Sans"});
}

} // namespace quorvath
