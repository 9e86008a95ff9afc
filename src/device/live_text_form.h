// "Live Data": the recorder's sensors fifty times a second on a g meter and an altimeter. A 20 ms
// timer takes whatever records have arrived and never waits for the port, so the window stays
// responsive while the flyer tilts or shakes the recorder.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <exception>

#include "device/live_monitor.h"

class QLabel;
class QPushButton;
class QTimer;

namespace orvale {

class DeviceLink;
class DialGauge;
class QtSerialPort;

inline const char kNoDataNote[] = "No data from the Tavix";

class TLiveTextForm : public QDialog {
    Q_OBJECT
public:
    explicit TLiveTextForm(DeviceLink& link, QWidget* parent = nullptr);

    // The command: opens the port, starts the stream and shows the window until it is closed. A
    // port that cannot be opened raises the link's error and the window does not open; a port
    // that fails while it is open closes the window and its error is raised afterwards.
    void ShowModal();

    DialGauge* GMeter;
    DialGauge* Altimeter;
    QLabel* NoDataL;
    QPushButton* BitBtn1;
    QTimer* Timer1;

    // How long the recorder may stay quiet before the window says so.
    static constexpr int kQuietMs = 1000;

public Q_SLOTS:
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Start();
    void FollowPalette();
    void ShowNeedles();

    DeviceLink& link_;
    // The desktop program's port, when the link has one: between ticks its bytes wait in the
    // system instead of waking the program every few milliseconds as they arrive.
    QtSerialPort* serial_ = nullptr;
    LiveNeedles needles_;
    QElapsedTimer sinceRecord_;
    std::exception_ptr failure_;
};

}  // namespace orvale
