// Reading a generated data file the way a flyer's program would, without the generator's help.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace tavix_test {

constexpr double kReadingsPerG = 3.4588;
constexpr double kPressureOffset = 23.3;

inline int Accel(const std::vector<uint8_t>& file, int frame) {
    return file[16 + 2 * frame];
}

inline int Pressure(const std::vector<uint8_t>& file, int frame) {
    return file[17 + 2 * frame];
}

inline double ZeroG(const std::vector<uint8_t>& file) {
    return (file[16] + file[17] + file[18] + file[19]) / 4.0;
}

inline int FrameAt(double seconds) {
    return static_cast<int>(std::lround(seconds * 16.0)) + 4;
}

inline double HeaderTime(const std::vector<uint8_t>& file, int at) {
    return file[at] + file[at + 1] / 16.0;
}

// Height above the site of a pressure reading, from the standard atmosphere turned around.
inline double HeightOf(double reading, double siteReading) {
    const double ratio = (reading + kPressureOffset) / (siteReading + kPressureOffset);
    return (1.0 - std::pow(ratio, 1.0 / 5.2556)) / 6.88e-6;
}

}  // namespace tavix_test
