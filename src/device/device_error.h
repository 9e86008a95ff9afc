// Failures of the recorder link. Commands let them rise to the top-level handler, which shows
// the message once the port and the status display are closed.
#pragma once

#include <stdexcept>
#include <string>

namespace orvale {

class EDeviceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What RaiseDeviceError throws: the text is a MessageTable entry.
class EDeviceCommError : public EDeviceError {
public:
    EDeviceCommError(int id, const std::string& message) : EDeviceError(message), id_(id) {}
    int id() const { return id_; }

private:
    int id_;
};

// The port layer's own failure: the device could not be opened or set up, or it went away. The
// message names the device and the system's reason.
class PortError : public EDeviceError {
public:
    using EDeviceError::EDeviceError;
};

// The device went away while it was open: the USB adapter was unplugged, or the far end of the
// line closed. Kept apart so that a transfer can say so instead of blaming the recorder.
class PortGoneError : public PortError {
public:
    PortGoneError(const std::string& device, const std::string& reason)
        : PortError(device + ": the device went away (" + reason + ")"),
          device_(device),
          reason_(reason) {}
    const std::string& device() const { return device_; }
    const std::string& reason() const { return reason_; }

private:
    std::string device_;
    std::string reason_;
};

}  // namespace orvale
