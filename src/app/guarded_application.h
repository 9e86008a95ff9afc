// The application object of the desktop program. Commands catch their own failures; this is the
// last line for anything that still escapes an event handler, because an exception must never
// unwind through Qt's event loop.
#pragma once

#include <QApplication>

namespace orvale {

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace orvale
