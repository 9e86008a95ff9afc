#include "device/device_link.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "device/message_table.h"

namespace orvale {

namespace {

constexpr uint8_t kFrameStart = '/';

// Rounded to the nearest whole percent, ties to even; the meter limits it to 100.
unsigned ToPercent(float share) {
    const float rounded = std::nearbyint(share);
    if (!(rounded > 0.0f))
        return 0;
    if (rounded >= 1000.0f)
        return 1000;
    return static_cast<unsigned>(rounded);
}

// The link sleeps through arriving bytes only when the rest of a reply needs at least this long
// on the line, and never longer than the second, so that the meter keeps moving.
constexpr int64_t kShortestSleepMs = 20;
constexpr int64_t kLongestSleepMs = 200;

// How long count bytes take on the line: ten bits a byte (start, eight data bits, stop). Zero
// when the rate is unknown, so the link waits for bytes as they come.
int64_t LineTimeMs(size_t count, int32_t baud) {
    if (baud <= 0)
        return 0;
    return static_cast<int64_t>(count) * 10 * 1000 / baud;
}

}  // namespace

DeviceLink::DeviceLink(AppState& state, SerialPort& port, LinkWaiter& waiter, LinkClock& clock,
                       StatusDisplay& status)
    : state_(state), port_(port), waiter_(waiter), clock_(clock), status_(status) {}

DeviceLink::Exchange::Exchange(DeviceLink& link) : link_(link) {
    if (link_.exchanges_ > 0)
        throw EDeviceError("The recorder is busy with another exchange");
    ++link_.exchanges_;
}

void DeviceLink::OpenPort() {
    Settings& s = state_.settings;
    port_.Close();
    port_.SetPort(s.port, state_.device.deviceName);
    if (s.baud <= 20)
        s.baud = port_.BaudRate();
    else if (port_.BaudRate() != s.baud)
        port_.SetBaudRate(s.baud);
    port_.Open();
}

void DeviceLink::FlushPort() {
    port_.FlushInput();
    port_.FlushOutput();
}

void DeviceLink::SendCommand(char letter) {
    FlushPort();
    port_.WriteByte(kFrameStart);
    port_.WriteByte(static_cast<uint8_t>(letter));
}

void DeviceLink::DrainInput(int quietMs) {
    const int64_t limit = clock_.NowMs() + LineTimeMs(kSensorReplyLength, port_.BaudRate()) + 1000;
    port_.FlushInput();
    int64_t quietFrom = clock_.NowMs();
    for (;;) {
        const int64_t now = clock_.NowMs();
        if (port_.BytesAvailable() > 0) {
            port_.FlushInput();
            quietFrom = now;
        }
        const int64_t quietEnd = quietFrom + quietMs;
        if (now >= quietEnd || now >= limit)
            break;
        waiter_.WaitForData(static_cast<int>(std::min(quietEnd, limit) - now));
        // Closing the program wakes the wait: the exchange that follows ends it.
        if (cancelled_)
            break;
    }
    port_.FlushInput();
}

bool DeviceLink::WaitForReply(uint16_t blockIndex, uint16_t blockCount, uint16_t blockSize,
                              uint16_t timeoutMs, uint16_t replyLength) {
    DeviceState& device = state_.device;
    const size_t start = static_cast<size_t>(blockIndex) * blockSize;
    if (start + replyLength > device.receive.size())
        throw std::logic_error("reply does not fit the receive buffer");
    device.TransferAborted = false;
    cancelled_ = false;
    const float step = 100.0f / static_cast<float>(std::max<uint16_t>(blockCount, 1));
    const float base = static_cast<float>(blockIndex) * step;
    const int64_t deadline = clock_.NowMs() + timeoutMs;
    for (;;) {
        const size_t waiting = port_.BytesAvailable();
        const float got =
            replyLength == 0 ? 1.0f : static_cast<float>(waiting) / static_cast<float>(replyLength);
        SetProgress(ToPercent(got * step + base));
        if (waiting >= replyLength) {
            port_.ReadBlock(device.receive.data() + start, replyLength);
            return true;
        }
        const int64_t now = clock_.NowMs();
        if (now > deadline || device.TransferAborted)
            break;
        // One past the deadline, so that a wait that runs its full length ends the loop.
        const int64_t left = deadline - now + 1;
        // While the rest of the reply cannot have arrived at the line's rate, sleep through the
        // bytes that come meanwhile: a byte at a time they would wake the program about a
        // thousand times a second at 9600 baud. Cancel still ends the sleep at once, and the
        // meter moves at each wake-up.
        const int64_t lineMs = LineTimeMs(replyLength - waiting, port_.BaudRate());
        if (lineMs >= kShortestSleepMs)
            waiter_.Sleep(static_cast<int>(std::min({lineMs, kLongestSleepMs, left})));
        else
            waiter_.WaitForData(static_cast<int>(left));
    }
    if (cancelled_) {
        cancelled_ = false;
        RaiseDeviceError(msg::kUserAborted);
    }
    return false;
}

void DeviceLink::SetProgress(unsigned percent) {
    percent = std::min(percent, 100u);
    status_.SetMeter(percent);
    const char* caption = percent == 100 ? kOkCaption : kCancelCaption;
    if (caption_ != caption) {
        caption_ = caption;
        status_.SetButtonCaption(caption_);
    }
    if (!status_.IsShowing())
        status_.Show();
}

void DeviceLink::SetStatusText(int id) {
    status_.SetStatusLine(MessageTable(id));
    if (!status_.IsShowing())
        status_.Show();
}

void DeviceLink::HideStatus() {
    if (status_.IsShowing())
        status_.Hide();
}

void DeviceLink::RaiseDeviceError(int id, const std::string& detail) {
    port_.Close();
    if (status_.IsShowing()) {
        state_.device.TransferAborted = true;
        status_.Hide();
    }
    std::string text = MessageTable(id);
    if (!detail.empty())
        text += " (" + detail + ")";
    throw EDeviceCommError(id, text);
}

void DeviceLink::RaisePortGone(const PortGoneError& gone) {
    port_.Close();
    if (status_.IsShowing()) {
        state_.device.TransferAborted = true;
        status_.Hide();
    }
    throw EDeviceCommError(
        msg::kPortGone, MessageTable(msg::kPortGone) + ": " + gone.device() + " (" + gone.reason() +
                            "). Check the cable and the USB adapter, then try again; "
                            "flights already stored are kept as they were.");
}

bool DeviceLink::ShortExchange(char letter, bool letterTwice, uint16_t timeoutMs) {
    Exchange exchange(*this);
    try {
        SetStatusText(msg::kAttempting);
        SendCommand(letter);
        if (letterTwice)
            port_.WriteByte(static_cast<uint8_t>(letter));
        SetStatusText(msg::kEstablished);
        const bool complete = WaitForReply(0, 1, kShortReplyLength, timeoutMs, kShortReplyLength);
        SetStatusText(msg::kComplete);
        HideStatus();
        return complete;
    } catch (const PortGoneError& gone) {
        RaisePortGone(gone);
    }
}

bool DeviceLink::ClearDeviceBuffer() {
    // The recorder wants the letter twice before it erases its memory.
    return ShortExchange('C', true, timeouts.clearMs);
}

bool DeviceLink::SetMainDeployment(char letter) {
    if (letter != 'L' && letter != 'M' && letter != 'H')
        throw std::invalid_argument("deployment letter must be L, M or H");
    return ShortExchange(letter, false, timeouts.deployMs);
}

bool DeviceLink::ReadSensorBlock() {
    Exchange exchange(*this);
    try {
        SetProgress(0);
        SetStatusText(msg::kInitiating);
        SendCommand('T');
        SetStatusText(msg::kTransferring);
        const bool complete =
            WaitForReply(0, 1, kSensorReplyLength, timeouts.sensorMs, kSensorReplyLength);
        SetStatusText(msg::kComplete);
        HideStatus();
        return complete;
    } catch (const PortGoneError& gone) {
        RaisePortGone(gone);
    }
}

void DeviceLink::StatusButtonClicked() {
    HideStatus();
    if (caption_ == kCancelCaption) {
        Cancel();
    } else {
        caption_ = kCancelCaption;
        status_.SetButtonCaption(caption_);
    }
}

void DeviceLink::Cancel() {
    state_.device.TransferAborted = true;
    cancelled_ = true;
    waiter_.Wake();
}

}  // namespace orvale
