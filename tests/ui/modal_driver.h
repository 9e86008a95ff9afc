// Answering a modal dialog from a test: a timer polls for the dialog that the code under test
// opens, acts on it, and gives up after a while. Nothing is asserted inside; the test records
// what it saw and checks after the dialog has returned.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orvale::test {

// Acts on the next modal dialog that is not `except`. Returns at once; act runs from the event
// loop of the dialog once it is on screen.
inline void WhenModal(std::function<void(QWidget*)> act, QWidget* except = nullptr,
                      int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QPointer<QWidget> skip(except);
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && modal != skip && modal->isVisible();
        if (found || clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (found)
                act(modal);
        }
    });
    timer->start(20);
}

}  // namespace orvale::test
