// A round dial with up to four needles, each chosen by number and set by value, and a digital
// read-out of every needle under the dial. Painted with QPainter, antialiased and in logical
// coordinates, so it stays sharp at any screen scaling.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <array>

#include "device/dial_scale.h"

namespace orvale {

class DialGauge : public QWidget {
    Q_OBJECT
public:
    static constexpr int kNeedles = 4;

    enum class NeedleStyle {
        Hand,       // a pointer from the hub
        ShortHand,  // a wide, short pointer (an altimeter's thousands)
        Mark,       // a thin mark at the rim (a maximum or minimum)
        ReadOut,    // no pointer: shown in the read-out only
    };

    struct Needle {
        NeedleStyle style = NeedleStyle::ReadOut;
        DialScale scale;
        QColor colour = Qt::black;
        QString label;  // the read-out's name for it
        QString unit;
        int decimals = 2;
    };

    explicit DialGauge(QWidget* parent = nullptr);

    // The face: its scale (the needles' own scales may differ), its title, and about how many
    // labelled intervals it shows.
    void SetFace(const DialScale& scale, const QString& title, int intervals);
    void SetNeedle(int id, const Needle& needle);
    const DialScale& FaceScale() const { return face_; }

    // The recorder's gauges are driven as a needle number and then its value.
    void setNeedleID(int id);
    int NeedleID() const { return current_; }
    void setNeedleValue(float value);
    float NeedleValue() const { return values_[static_cast<size_t>(current_)]; }
    float Value(int id) const { return values_[static_cast<size_t>(id)]; }
    // What the read-out shows for a needle.
    QString ReadOutText(int id) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRectF DialRect() const;
    int ReadOutHeight() const;
    void PaintFace(QPainter& p, const QRectF& dial) const;
    void PaintNeedles(QPainter& p, const QRectF& dial) const;
    void PaintReadOut(QPainter& p, const QRectF& area) const;

    // The face changes only with its scale, the font or the size: it is drawn once into a
    // picture at the screen's pixel density, and each repaint lays the needles over it.
    QPixmap faceCache_;
    bool faceDirty_ = true;

    DialScale face_;
    QString title_;
    int intervals_ = 10;
    std::array<Needle, kNeedles> needles_;
    std::array<float, kNeedles> values_{};
    int current_ = 0;
};

}  // namespace orvale
