#include "app/guarded_application.h"

#include <QMessageBox>
#include <cstdio>
#include <exception>

#include "app/qt_prompts.h"

namespace orvale {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvale: %s\n", error.what());
        QMessageBox::warning(activeWindow(), kApplicationTitle, QString::fromUtf8(error.what()));
    } catch (...) {
        std::fprintf(stderr, "orvale: unexpected error\n");
    }
    return false;
}

}  // namespace orvale
