#include "graph/colour_swatch.h"

#include <QPainter>

#include "graph/graph_colours.h"

namespace orvale {

QPixmap ColourSwatch(int index) {
    const RgbColour c = ChannelColour(index);
    QPixmap swatch(36, 12);
    swatch.fill(QColor(c.red, c.green, c.blue));
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    return swatch;
}

}  // namespace orvale
