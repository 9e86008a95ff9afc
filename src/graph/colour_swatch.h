// A small sample of one of the sixteen channel colours, as the colour lists show it.
#pragma once

#include <QPixmap>

namespace orvale {

QPixmap ColourSwatch(int index);

}  // namespace orvale
