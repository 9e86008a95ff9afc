#include "widgets/palette_colours.h"

namespace orvale {

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor WarningTextColour(const QPalette& palette) {
    return IsDarkPalette(palette) ? QColor(255, 120, 120) : QColor(176, 0, 0);
}

}  // namespace orvale
