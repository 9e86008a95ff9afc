// The recorder link of the desktop program: the one serial port, the event-loop wait, the clock
// and the protocol, made once at start-up and shared by every recorder command and dialog.
#pragma once

#include "device/device_link.h"
#include "device/event_loop_waiter.h"
#include "device/qt_serial_port.h"

namespace orvale {

class DesktopLink {
public:
    DesktopLink(AppState& state, StatusDisplay& status)
        : link(state, Comm, waiter_, clock_, status) {}
    DesktopLink(const DesktopLink&) = delete;
    DesktopLink& operator=(const DesktopLink&) = delete;

    QtSerialPort Comm;

private:
    EventLoopWaiter waiter_{Comm};
    SteadyClock clock_;

public:
    DeviceLink link;
};

}  // namespace orvale
