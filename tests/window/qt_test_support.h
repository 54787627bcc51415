// What every window test needs: one QApplication with the Japanese
// translation (made once for the whole test program) and palette colours as
// Qt colours.
#pragma once

#include <QColor>

#include "ui/presentation.h"

namespace zenko::testing {

inline QRgb rgb_of(int paletteIndex) {
    const Rgb c = palette_rgb(paletteIndex);
    return qRgb(c.r, c.g, c.b);
}

}  // namespace zenko::testing
