// What the recorder link keeps between exchanges, held in the program state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvale {

// Replies land here, never in the loaded flight's image: a calibration reading or a look at the
// live display must not change the flight on screen. The largest reply is the memory image with
// its 4-byte trailer.
constexpr int kReceiveBufferSize = 8196;

struct DeviceState {
    std::vector<uint8_t> receive = std::vector<uint8_t>(kReceiveBufferSize, 0);

    // Set when an exchange ended without its reply (cancel, failed download, device error);
    // cleared by each wait for a reply.
    bool TransferAborted = false;

    // The "Device" setting of the DAU section: any device path (/dev/ttyUSB0, a pseudo-terminal).
    // Empty means the numbered port of the "Port" setting.
    std::string deviceName;

    // The live display: records taken since the last "T", and the extremes shown since the
    // window opened.
    int32_t recordCount = 0;
    float maxG = 0.0f;
    float minG = 0.0f;
};

}  // namespace orvale
