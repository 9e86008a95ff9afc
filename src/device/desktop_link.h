// The recorder link of the desktop program: the one serial port, the event-loop wait, the clock
// and the protocol, made once at start-up and shared by every recorder command and dialog.
#pragma once

#include "device/device_link.h"
#include "device/event_loop_waiter.h"
#include "device/qt_serial_port.h"

namespace orvale {

class DesktopLink {
public:
    explicit DesktopLink(AppState& state) : link(state, Comm, waiter_, clock_, status_) {}
    DesktopLink(const DesktopLink&) = delete;
    DesktopLink& operator=(const DesktopLink&) = delete;

    // The status dialog is made after the port dialog, which needs the link; until it is
    // attached, nothing is shown.
    void AttachStatus(StatusDisplay& display) { status_.target = &display; }

    QtSerialPort Comm;

private:
    struct Forward : StatusDisplay {
        void SetMeter(unsigned percent) override {
            if (target)
                target->SetMeter(percent);
        }
        void SetButtonCaption(const std::string& caption) override {
            if (target)
                target->SetButtonCaption(caption);
        }
        void SetStatusLine(const std::string& text) override {
            if (target)
                target->SetStatusLine(text);
        }
        void Show() override {
            if (target)
                target->Show();
        }
        void Hide() override {
            if (target)
                target->Hide();
        }
        bool IsShowing() const override { return target && target->IsShowing(); }
        StatusDisplay* target = nullptr;
    };

    EventLoopWaiter waiter_{Comm};
    SteadyClock clock_;
    Forward status_;

public:
    DeviceLink link;
};

}  // namespace orvale
