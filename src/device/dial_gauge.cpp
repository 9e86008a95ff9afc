#include "device/dial_gauge.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace orvale {

namespace {

constexpr int kDialSide = 220;
constexpr int kSmallestDialSide = 160;
const QColor kFaceColour(250, 249, 243);
const QColor kRimColour(60, 64, 72);
const QColor kTickColour(40, 40, 40);

// A point at angle (degrees clockwise from twelve o'clock) and distance from the centre.
QPointF Polar(const QPointF& centre, float angleDeg, double distance) {
    const double a = qDegreesToRadians(static_cast<double>(angleDeg));
    return centre + QPointF(distance * std::sin(a), -distance * std::cos(a));
}

QString TickText(float value) {
    // Whole ticks without a point; halves and finer with as many decimals as they need.
    if (value == std::floor(value))
        return QString::number(static_cast<double>(value), 'f', 0);
    return QString::number(static_cast<double>(value), 'g', 3);
}

}  // namespace

DialGauge::DialGauge(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    // The read-out is redrawn with the needles: nothing behind the widget needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void DialGauge::SetFace(const DialScale& scale, const QString& title, int intervals) {
    face_ = scale;
    title_ = title;
    intervals_ = std::max(intervals, 1);
    faceDirty_ = true;
    update();
}

void DialGauge::SetNeedle(int id, const Needle& needle) {
    if (id < 0 || id >= kNeedles)
        return;
    needles_[static_cast<size_t>(id)] = needle;
    update();
}

void DialGauge::setNeedleID(int id) {
    current_ = std::clamp(id, 0, kNeedles - 1);
}

void DialGauge::setNeedleValue(float value) {
    const size_t id = static_cast<size_t>(current_);
    const float old = values_[id];
    if (old == value || (std::isnan(old) && std::isnan(value)))
        return;
    const QString oldText = ReadOutText(current_);
    values_[id] = value;
    // Fifty settings a second: only a change that shows is painted.
    const Needle& n = needles_[id];
    const bool moved =
        n.style != NeedleStyle::ReadOut && NeedleAngle(n.scale, old) != NeedleAngle(n.scale, value);
    if (moved || ReadOutText(current_) != oldText)
        update();
}

QString DialGauge::ReadOutText(int id) const {
    const Needle& n = needles_[static_cast<size_t>(id)];
    const float v = values_[static_cast<size_t>(id)];
    QString text =
        std::isfinite(v) ? QString::number(static_cast<double>(v), 'f', n.decimals) : QString("--");
    if (!n.unit.isEmpty())
        text += ' ' + n.unit;
    return text;
}

int DialGauge::ReadOutHeight() const {
    return kNeedles * fontMetrics().height() + 6;
}

QSize DialGauge::sizeHint() const {
    return {kDialSide, kDialSide + ReadOutHeight()};
}

QSize DialGauge::minimumSizeHint() const {
    return {kSmallestDialSide, kSmallestDialSide + ReadOutHeight()};
}

QRectF DialGauge::DialRect() const {
    const double side = std::max(0, std::min(width(), height() - ReadOutHeight())) - 4.0;
    return QRectF((width() - side) / 2.0, 2.0, side, side);
}

void DialGauge::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        faceDirty_ = true;
    QWidget::changeEvent(event);
}

void DialGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF dial = DialRect();
    if (dial.width() > 20.0) {
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (dial.size() * ratio).toSize();
        if (faceDirty_ || faceCache_.size() != pixels || faceCache_.devicePixelRatio() != ratio) {
            faceCache_ = QPixmap(pixels);
            faceCache_.setDevicePixelRatio(ratio);
            faceCache_.fill(Qt::transparent);
            QPainter face(&faceCache_);
            face.setRenderHint(QPainter::Antialiasing);
            face.setRenderHint(QPainter::TextAntialiasing);
            face.setFont(font());
            PaintFace(face, QRectF(QPointF(0.0, 0.0), dial.size()));
            faceDirty_ = false;
        }
        p.drawPixmap(dial.topLeft(), faceCache_);
        PaintNeedles(p, dial);
    }
    PaintReadOut(p, QRectF(0.0, dial.bottom() + 4.0, width(), ReadOutHeight()));
}

void DialGauge::PaintFace(QPainter& p, const QRectF& dial) const {
    const QPointF centre = dial.center();
    const double r = dial.width() / 2.0;
    p.setPen(QPen(kRimColour, std::max(2.0, r * 0.04)));
    p.setBrush(kFaceColour);
    p.drawEllipse(centre, r * 0.97, r * 0.97);

    // The arc of a pinned scale, so its ends are plain to see.
    if (!face_.wraps) {
        p.setPen(QPen(QColor(150, 150, 150), 1.5));
        const QRectF arc(centre.x() - r * 0.85, centre.y() - r * 0.85, r * 1.7, r * 1.7);
        // Qt counts sixteenths of a degree anticlockwise from three o'clock.
        const double start = 90.0 - face_.startDeg;
        p.drawArc(arc, qRound(start * 16), qRound(-face_.sweepDeg * 16));
    }

    const std::vector<float> ticks = ScaleTicks(face_.low, face_.high, intervals_);
    QFont font = p.font();
    font.setPixelSize(std::max(8, static_cast<int>(r * 0.12)));
    font.setBold(true);
    p.setFont(font);
    for (size_t i = 0; i < ticks.size(); ++i) {
        const float value = ticks[i];
        // On a dial that goes round, the last tick is the first one again.
        if (face_.wraps && i + 1 == ticks.size() && value >= face_.high)
            continue;
        const float angle = NeedleAngle(face_, value);
        p.setPen(QPen(kTickColour, std::max(1.5, r * 0.02), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(Polar(centre, angle, r * 0.85), Polar(centre, angle, r * 0.95));
        const QPointF at = Polar(centre, angle, r * 0.70);
        const QRectF box(at.x() - r * 0.2, at.y() - r * 0.1, r * 0.4, r * 0.2);
        p.drawText(box, Qt::AlignCenter, TickText(value));
        // A minor tick halfway to the next.
        if (i + 1 < ticks.size()) {
            const float half = NeedleAngle(face_, (value + ticks[i + 1]) / 2.0f);
            p.setPen(QPen(kTickColour, 1.0));
            p.drawLine(Polar(centre, half, r * 0.88), Polar(centre, half, r * 0.95));
        }
    }
    font.setPixelSize(std::max(8, static_cast<int>(r * 0.11)));
    p.setFont(font);
    p.setPen(kRimColour);
    p.drawText(QRectF(centre.x() - r * 0.6, centre.y() + r * 0.3, r * 1.2, r * 0.2),
               Qt::AlignCenter, title_);
}

void DialGauge::PaintNeedles(QPainter& p, const QRectF& dial) const {
    const QPointF centre = dial.center();
    const double r = dial.width() / 2.0;
    // Marks first, then the hands over them; the long hand last, on top.
    for (NeedleStyle style : {NeedleStyle::Mark, NeedleStyle::ShortHand, NeedleStyle::Hand}) {
        for (int id = 0; id < kNeedles; ++id) {
            const Needle& n = needles_[static_cast<size_t>(id)];
            if (n.style != style)
                continue;
            const float angle = NeedleAngle(n.scale, values_[static_cast<size_t>(id)]);
            if (style == NeedleStyle::Mark) {
                p.setPen(QPen(n.colour, std::max(1.5, r * 0.02), Qt::SolidLine, Qt::FlatCap));
                p.drawLine(Polar(centre, angle, r * 0.62), Polar(centre, angle, r * 0.93));
                continue;
            }
            const bool isShort = style == NeedleStyle::ShortHand;
            const double length = r * (isShort ? 0.55 : 0.86);
            const double halfWidth = r * (isShort ? 0.065 : 0.035);
            QPainterPath hand;
            hand.moveTo(Polar(centre, angle, length));
            hand.lineTo(Polar(centre, angle + 90.0f, halfWidth));
            hand.lineTo(Polar(centre, angle + 180.0f, r * 0.15));
            hand.lineTo(Polar(centre, angle - 90.0f, halfWidth));
            hand.closeSubpath();
            p.setPen(QPen(n.colour.darker(140), 1.0));
            p.setBrush(n.colour);
            p.drawPath(hand);
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kRimColour);
    p.drawEllipse(centre, r * 0.06, r * 0.06);
}

void DialGauge::PaintReadOut(QPainter& p, const QRectF& area) const {
    QFont font = this->font();
    p.setFont(font);
    const double line = fontMetrics().height();
    const double swatch = line * 0.6;
    const double left = area.left() + std::max(4.0, (area.width() - 200.0) / 2.0);
    const double right = area.right() - std::max(4.0, (area.width() - 200.0) / 2.0);
    for (int id = 0; id < kNeedles; ++id) {
        const Needle& n = needles_[static_cast<size_t>(id)];
        const QRectF row(left, area.top() + id * line, right - left, line);
        p.setPen(Qt::NoPen);
        p.setBrush(n.style == NeedleStyle::ReadOut ? Qt::transparent : QBrush(n.colour));
        p.drawRect(QRectF(row.left(), row.center().y() - swatch / 2.0, swatch, swatch));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(row.adjusted(swatch + 6.0, 0.0, 0.0, 0.0), Qt::AlignLeft | Qt::AlignVCenter,
                   n.label);
        p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, ReadOutText(id));
    }
}

}  // namespace orvale
