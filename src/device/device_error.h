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

}  // namespace orvale
