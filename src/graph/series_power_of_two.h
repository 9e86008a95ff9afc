// The window of a spectrum request (FFT(, PSD(): a power of two of at most 1024 samples.
#pragma once

#include <cstdint>

namespace orvale {

constexpr int32_t kLongestPowerOfTwoWindow = 1024;

// The largest of 1024, 512, 256, ... that is not above samples; 0 when not even one sample is
// to be read.
int32_t PowerOfTwoWindow(int32_t samples);

}  // namespace orvale
