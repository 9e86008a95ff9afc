#include "app/picture_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/pictures.h"

namespace orvale {

PictureArea::PictureArea(QWidget* parent)
    : QWidget(parent), builtIn_(BuiltInPicture(devicePixelRatioF())) {
    setObjectName("Image1");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureArea::SetLook(PictureLook look, const QPixmap& banner) {
    look_ = look;
    banner_ = look == PictureLook::Banner ? banner : QPixmap();
    if (look == PictureLook::Banner) {
        setFixedHeight(kBannerHeight);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
    setVisible(look != PictureLook::Hidden);
    update();
}

const QPixmap& PictureArea::Picture() const {
    return look_ == PictureLook::Banner ? banner_ : builtIn_;
}

void PictureArea::paintEvent(QPaintEvent*) {
    // A window moved to a screen of finer pixels gets the picture painted for that screen.
    if (look_ != PictureLook::Banner && builtIn_.devicePixelRatio() < devicePixelRatioF())
        builtIn_ = BuiltInPicture(devicePixelRatioF());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), Picture());
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Q_EMIT DoubleClicked();
}

}  // namespace orvale
