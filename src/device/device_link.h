// The conversation with the recorder: every exchange sends "/" and a command letter and then
// counts the bytes of a reply of fixed length, within a time-out, while the status display
// shows progress and offers Cancel.
//
// Cancel never throws from inside a wait: the button only sets flags and wakes the waiter; the
// wait returns and WaitForReply raises "User aborted transfer" after it, outside any event loop.
#pragma once

#include <cstdint>
#include <string>

#include "core/app_state.h"
#include "device/device_error.h"
#include "device/link_waiter.h"
#include "device/serial_port.h"
#include "device/status_display.h"

namespace orvale {

// How long each exchange waits for the recorder. The tests shorten them.
struct DeviceTimeouts {
    uint16_t clearMs = 56000;  // the recorder erases its memory before it answers
    uint16_t deployMs = 1000;
    uint16_t sensorMs = 8000;
    uint16_t imageMs = 30000;
    uint16_t trailerMs = 2000;
    // The leading-byte skip of a download: how long to wait for the first image byte before
    // asking again.
    uint16_t skipMs = 500;
};

constexpr uint16_t kSensorReplyLength = 2050;  // 256 records of 8 bytes, then 2 more
constexpr uint16_t kShortReplyLength = 2;

class DeviceLink {
public:
    DeviceLink(AppState& state, SerialPort& port, LinkWaiter& waiter, LinkClock& clock,
               StatusDisplay& status);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    AppState& state() { return state_; }
    SerialPort& port() { return port_; }
    LinkClock& clock() { return clock_; }
    DeviceTimeouts timeouts;

    // Takes the port number, device and baud rate of the settings and opens the port. A baud
    // setting of 20 or less takes the port's current rate, which is written back to the setting.
    void OpenPort();
    void FlushPort();
    // Discards unread input, then sends "/" and the letter; waits for nothing.
    void SendCommand(char letter);

    // True when replyLength bytes arrived and were stored at blockIndex * blockSize of the
    // receive buffer; false on time-out. Bytes beyond replyLength stay waiting in the port. A
    // Cancel during the wait raises EDeviceCommError "User aborted transfer" once the wait has
    // returned.
    bool WaitForReply(uint16_t blockIndex, uint16_t blockCount, uint16_t blockSize,
                      uint16_t timeoutMs, uint16_t replyLength);

    // Discards what arrives until the line has been quiet for quietMs, but no longer than the
    // rest of a sensor block takes at the port's rate (and a second more). A recorder goes on
    // sending a block that an exchange gave up on (a Cancel, a closed window); without this its
    // tail would pass for the start of the next reply, its records cut in the wrong places.
    void DrainInput(int quietMs = kQuietLineMs);
    static constexpr int kQuietLineMs = 50;

    // The status display: the meter (limited to 100; the button reads "&OK" at exactly 100 and
    // "&Cancel" otherwise) and the status line. Either shows the display when it is hidden.
    void SetProgress(unsigned percent);
    void SetStatusText(int id);
    void HideStatus();
    const std::string& ButtonCaption() const { return caption_; }

    // Closes the port and the status display and throws EDeviceCommError with the message's text,
    // followed by detail in brackets when given.
    [[noreturn]] void RaiseDeviceError(int id, const std::string& detail = {});
    // As RaiseDeviceError, for a port that went away in the middle of an exchange (an adapter
    // unplugged): the message names the device and the system's reason, and what to do.
    [[noreturn]] void RaisePortGone(const PortGoneError& gone);

    // The short exchanges; each true when the whole reply arrived (any two bytes will do).
    bool ClearDeviceBuffer();
    bool SetMainDeployment(char letter);  // 'L' 600 ft, 'M' 1200 ft, 'H' 2400 ft
    // One block of sensor records into the start of the receive buffer.
    bool ReadSensorBlock();

    // The status display's button: hides the display; while it reads "&Cancel" it cancels the
    // exchange, otherwise it only turns back into "&Cancel".
    void StatusButtonClicked();
    // Ends the running wait and marks the transfer aborted; the error follows the wait.
    void Cancel();

    // True while an exchange runs. Events still run during its waits, so the program must not
    // start another device command then: they share the port and the receive buffer.
    bool Busy() const { return exchanges_ > 0; }

    // Marks an exchange as running for its lifetime; a second one at the same time is refused
    // with EDeviceError.
    class Exchange {
    public:
        explicit Exchange(DeviceLink& link);
        ~Exchange() { --link_.exchanges_; }
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;

    private:
        DeviceLink& link_;
    };

private:
    bool ShortExchange(char letter, bool letterTwice, uint16_t timeoutMs);

    AppState& state_;
    SerialPort& port_;
    LinkWaiter& waiter_;
    LinkClock& clock_;
    StatusDisplay& status_;
    std::string caption_ = kCancelCaption;
    bool cancelled_ = false;
    int exchanges_ = 0;
};

}  // namespace orvale
