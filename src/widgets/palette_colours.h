// Colours a window picks for itself that must stay readable on the desktop's palette, light or
// dark.
#pragma once

#include <QColor>
#include <QPalette>

namespace orvale {

// True when the palette's window background is dark (a dark desktop theme).
bool IsDarkPalette(const QPalette& palette);

// A red for warnings written on the window's background: deep on a light window, light on a
// dark one, so the text keeps its contrast either way.
QColor WarningTextColour(const QPalette& palette);

}  // namespace orvale
