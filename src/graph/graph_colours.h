// The sixteen colours a channel can be drawn in; a channel's colour index picks one.
#pragma once

#include <array>
#include <cstdint>

namespace orvale {

struct RgbColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

inline constexpr std::array<RgbColour, 16> kChannelColours{{
    {0x00, 0x00, 0xC0},
    {0x00, 0xC0, 0x00},
    {0x00, 0xC0, 0xC0},
    {0xC0, 0x00, 0x00},
    {0xC0, 0x00, 0xC0},
    {0xC0, 0xC0, 0x00},
    {0xC0, 0xC0, 0xC0},
    {0x00, 0x00, 0xFF},
    {0x00, 0xFF, 0x00},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0x00, 0x00},
    {0xFF, 0x00, 0xFF},
    {0xFF, 0xFF, 0x00},
    {0xFF, 0xFF, 0xFF},
    {0x00, 0x00, 0x00},
    {0x80, 0x80, 0x80},
}};

// An index outside 0..15 (a hand-edited parameter file) uses the nearest valid one.
inline RgbColour ChannelColour(int32_t index) {
    if (index < 0)
        index = 0;
    if (index > 15)
        index = 15;
    return kChannelColours[static_cast<size_t>(index)];
}

}  // namespace orvale
