// Measures how long the program takes from its start to the main window's first paint, for the
// benchmark: started with --measure-startup, the program prints the figures and closes.
#pragma once

#include <chrono>

class QWidget;

namespace orvale {

// Watches the window; at its first paint prints the milliseconds since the process started and
// since main() began, then closes the window.
void MeasureStartup(QWidget& window, std::chrono::steady_clock::time_point mainStarted);

}  // namespace orvale
