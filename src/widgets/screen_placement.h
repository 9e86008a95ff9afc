// Dialogs of the program open in the middle of the screen, not over the main window, wherever
// the flyer has put that.
#pragma once

class QWidget;

namespace orvale {

// Centres a window on the screen it is on; call it from the window's show event.
void CentreOnScreen(QWidget& window);

}  // namespace orvale
