// The main window's picture area (Image1): the built-in picture stretched over the window, or a
// picture file as a banner along the top. A double-click asks for the other look.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "app/background_picture.h"

namespace orvale {

class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);

    // The banner look shows the given picture; the others ignore it.
    void SetLook(PictureLook look, const QPixmap& banner = {});
    PictureLook Look() const { return look_; }
    // The picture being shown, as drawn before stretching.
    const QPixmap& Picture() const;

Q_SIGNALS:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    PictureLook look_ = PictureLook::Filling;
    QPixmap builtIn_;
    QPixmap banner_;
};

}  // namespace orvale
