// The program's own pictures, painted rather than shipped as files: the picture that fills the
// main window, the tool-button pictures and the program icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace orvale {

// The built-in picture of the main window; it is drawn stretched over the picture area. Painted
// at the given device pixel ratio (2 on a screen scaled to 200 %), so it stays sharp there.
QPixmap BuiltInPicture(qreal pixelRatio = 1.0);

// The picture of a tool button, by the button's object name; a null icon for a button that
// shows a caption instead.
QIcon ToolPicture(const QString& buttonName);

// The program's icon, square, of the given side in pixels.
QPixmap ProgramIcon(int side);

}  // namespace orvale
