// What the recorder link keeps between exchanges, held in the program state.
#pragma once

namespace orvale {

struct DeviceState {};

}  // namespace orvale
