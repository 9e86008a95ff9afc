#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace orvale {

namespace {

// Tool pictures are painted at twice the size they are shown, so they stay crisp when scaled.
constexpr int kToolSide = 48;

void PaintRocket(QPainter& p, QPointF nose, double angleDegrees, double length) {
    p.save();
    p.translate(nose);
    p.rotate(angleDegrees);
    const double w = length / 6.0;
    QPainterPath body;
    body.moveTo(0, 0);
    body.cubicTo(w * 0.6, length * 0.12, w / 2, length * 0.2, w / 2, length * 0.25);
    body.lineTo(w / 2, length);
    body.lineTo(-w / 2, length);
    body.lineTo(-w / 2, length * 0.25);
    body.cubicTo(-w / 2, length * 0.2, -w * 0.6, length * 0.12, 0, 0);
    QLinearGradient shade(-w / 2, 0, w / 2, 0);
    shade.setColorAt(0, QColor(235, 235, 240));
    shade.setColorAt(1, QColor(150, 155, 170));
    p.setPen(QPen(QColor(60, 60, 70), length / 80.0));
    p.setBrush(shade);
    p.drawPath(body);
    QPainterPath fins;
    fins.moveTo(w / 2, length * 0.72);
    fins.lineTo(w * 1.4, length * 1.02);
    fins.lineTo(w / 2, length);
    fins.moveTo(-w / 2, length * 0.72);
    fins.lineTo(-w * 1.4, length * 1.02);
    fins.lineTo(-w / 2, length);
    p.setBrush(QColor(200, 40, 40));
    p.drawPath(fins);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(-w / 2, length * 0.3, w, length * 0.06));
    QRadialGradient flame(QPointF(0, length * 1.12), w * 1.2);
    flame.setColorAt(0, QColor(255, 250, 200));
    flame.setColorAt(0.5, QColor(255, 170, 40));
    flame.setColorAt(1, QColor(255, 80, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(flame);
    p.drawEllipse(QPointF(0, length * 1.12), w * 0.8, w * 1.5);
    p.restore();
}

void PaintOpenFile(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 20), 2));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(5, 12, 20, 8));
    p.drawRect(QRectF(5, 16, 36, 26));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawRect(QRectF(14, 6, 24, 28));
    p.setPen(QPen(QColor(60, 110, 200), 2));
    for (int y = 13; y <= 27; y += 5)
        p.drawLine(18, y, 34, y);
    p.setPen(QPen(QColor(120, 90, 20), 2));
    p.setBrush(QColor(250, 215, 110));
    QPolygonF flap{{5, 42}, {12, 22}, {45, 22}, {38, 42}};
    p.drawPolygon(flap);
}

void PaintDownLoad(QPainter& p) {
    p.setPen(QPen(QColor(50, 50, 60), 2));
    p.setBrush(QColor(70, 80, 95));
    p.drawRoundedRect(QRectF(8, 4, 32, 14), 3, 3);
    p.setBrush(QColor(120, 230, 120));
    p.drawEllipse(QPointF(34, 11), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 150, 60));
    QPolygonF arrow{{19, 19}, {29, 19}, {29, 28}, {36, 28}, {24, 39}, {12, 28}, {19, 28}};
    p.drawPolygon(arrow);
    p.setPen(QPen(QColor(50, 50, 60), 3));
    p.drawLine(6, 44, 42, 44);
}

void PaintGraph(QPainter& p) {
    p.fillRect(QRectF(4, 4, 40, 40), Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(8, 6, 8, 42);
    p.drawLine(8, 42, 44, 42);
    QPainterPath height;
    height.moveTo(9, 41);
    height.cubicTo(18, 4, 26, 4, 43, 36);
    p.setPen(QPen(QColor(30, 80, 200), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(height);
    QPainterPath accel;
    accel.moveTo(9, 30);
    accel.lineTo(13, 12);
    accel.lineTo(17, 34);
    accel.lineTo(43, 30);
    p.setPen(QPen(QColor(210, 40, 40), 2));
    p.drawPath(accel);
}

void PaintLive(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 50), 2));
    p.setBrush(QColor(250, 250, 245));
    p.drawEllipse(QPointF(24, 26), 19, 19);
    for (int i = 0; i <= 8; ++i) {
        const double a = (210.0 - i * 30.0) * M_PI / 180.0;
        p.drawLine(QPointF(24 + 14 * std::cos(a), 26 - 14 * std::sin(a)),
                   QPointF(24 + 18 * std::cos(a), 26 - 18 * std::sin(a)));
    }
    p.setPen(QPen(QColor(210, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 26), QPointF(35, 15));
    p.setBrush(QColor(40, 40, 50));
    p.drawEllipse(QPointF(24, 26), 3, 3);
}

void PaintCalibrate(QPainter& p) {
    // A spirit level: the recorder is calibrated lying still at -1 g, 0 g and +1 g.
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(230, 190, 60));
    p.drawRoundedRect(QRectF(3, 16, 42, 16), 3, 3);
    p.setBrush(QColor(200, 240, 180));
    p.drawRoundedRect(QRectF(15, 19, 18, 10), 5, 5);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(24, 24), 3.5, 3);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(20, 19, 20, 29);
    p.drawLine(28, 19, 28, 29);
    p.setPen(QPen(QColor(30, 80, 200), 2));
    for (int x = 6; x <= 42; x += 6)
        p.drawLine(x, 36, x, x % 12 == 6 ? 44 : 40);
}

void PaintMainDeploy(QPainter& p) {
    QPainterPath canopy;
    canopy.moveTo(4, 22);
    canopy.cubicTo(6, 2, 42, 2, 44, 22);
    canopy.closeSubpath();
    p.setPen(QPen(QColor(90, 20, 20), 2));
    p.setBrush(QColor(220, 50, 50));
    p.drawPath(canopy);
    p.setBrush(Qt::white);
    QPainterPath stripe;
    stripe.moveTo(18, 22);
    stripe.cubicTo(18, 8, 30, 8, 30, 22);
    stripe.closeSubpath();
    p.drawPath(stripe);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    for (double x : {4.0, 18.0, 30.0, 44.0})
        p.drawLine(QPointF(x, 22), QPointF(24, 38));
    p.setBrush(QColor(70, 80, 95));
    p.drawRect(QRectF(20, 37, 8, 8));
}

}  // namespace

QPixmap BuiltInPicture(qreal pixelRatio) {
    // Drawn on an 800 x 500 canvas, kept at 640 x 400 (times the pixel ratio): it is stretched
    // over the window anyway, and painting it is part of every start-up.
    const int w = 800;
    const int h = 500;
    const qreal ratio = std::max<qreal>(pixelRatio, 1.0);
    QPixmap pixmap(QSize(640, 400) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.scale(0.8, 0.8);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(10, 36, 78));
    sky.setColorAt(0.75, QColor(104, 160, 210));
    sky.setColorAt(1, QColor(190, 215, 235));
    p.fillRect(0, 0, w, h, sky);

    // A faint flight trace: height rises to apogee, then the slow descent under the canopy.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = 60; x < w; x += 60)
        p.drawLine(x, 120, x, h - 60);
    for (int y = 120; y < h - 60; y += 50)
        p.drawLine(40, y, w - 20, y);
    QPainterPath trace;
    trace.moveTo(60, h - 62);
    trace.cubicTo(170, 140, 260, 135, 340, 150);
    trace.cubicTo(420, 165, 600, 300, w - 30, h - 70);
    p.setPen(QPen(QColor(255, 230, 120, 150), 3, Qt::DashLine));
    p.drawPath(trace);

    QPainterPath hills;
    hills.moveTo(0, h - 60);
    hills.cubicTo(200, h - 95, 420, h - 40, w, h - 80);
    hills.lineTo(w, h);
    hills.lineTo(0, h);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(46, 104, 52));
    p.drawPath(hills);

    QPainterPath smoke;
    smoke.moveTo(640, h - 70);
    smoke.cubicTo(625, 380, 600, 300, 585, 222);
    p.setPen(QPen(QColor(245, 245, 245, 170), 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smoke);
    p.setPen(QPen(QColor(60, 60, 60), 4));
    p.drawLine(640, h - 70, 628, h - 150);
    PaintRocket(p, QPointF(560, 110), -11, 105);

    QFont title("DejaVu Sans", 46, QFont::Bold);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QPointF(43, 93), "Vantrel Orvale");
    p.setPen(Qt::white);
    p.drawText(QPointF(40, 90), "Vantrel Orvale");
    p.setFont(QFont("DejaVu Sans", 17));
    p.setPen(QColor(225, 235, 250));
    p.drawText(QPointF(44, 126), "Flight data from the Tavix recorder");
    return pixmap;
}

QIcon ToolPicture(const QString& buttonName) {
    void (*paint)(QPainter&) = nullptr;
    if (buttonName == "OpenFileBtn")
        paint = PaintOpenFile;
    else if (buttonName == "DownLoadBtn")
        paint = PaintDownLoad;
    else if (buttonName == "GrphBtn")
        paint = PaintGraph;
    else if (buttonName == "LiveButton")
        paint = PaintLive;
    else if (buttonName == "CalBtn")
        paint = PaintCalibrate;
    else if (buttonName == "MainDeployBtn")
        paint = PaintMainDeploy;
    if (!paint)
        return {};
    QPixmap pixmap(kToolSide, kToolSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    QIcon icon(pixmap);
    return icon;
}

QPixmap ProgramIcon(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 64.0, side / 64.0);
    QLinearGradient sky(0, 0, 0, 64);
    sky.setColorAt(0, QColor(10, 36, 78));
    sky.setColorAt(1, QColor(104, 160, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(1, 1, 62, 62), 10, 10);
    PaintRocket(p, QPointF(38, 8), 25, 44);
    return pixmap;
}

}  // namespace orvale
