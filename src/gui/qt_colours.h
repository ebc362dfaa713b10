#pragma once
// The program's colours are 0x00BBGGRR numbers (red in the low byte).

#include "core/common/settings_store.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cstdint>

namespace quorvath {

inline QColor qColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline std::uint32_t bgrFromQColor(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

// The stored text and back colours (else the defaults) on a text control.
inline void setStoredColours(QWidget& control, const SettingsStore& settings) {
    QPalette pal = control.palette();
    pal.setColor(QPalette::Text, qColorFromBgr(static_cast<std::uint32_t>(colourSetting(
                                     settings, settings_keys::TextColor, kDefaultTextColor))));
    pal.setColor(QPalette::Base, qColorFromBgr(static_cast<std::uint32_t>(colourSetting(
                                     settings, settings_keys::BackColor, kDefaultBackColor))));
    control.setPalette(pal);
}

} // namespace quorvath
