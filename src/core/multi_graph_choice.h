// The flights the flyer lays over one another on one graph: each row a flight's data file, the
// channel of its parameter file to draw, a colour and a time offset. Kept between runs in the
// settings file, so the last comparison comes back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvale {

constexpr int kMostMultiGraphRows = 12;

struct MultiGraphRow {
    std::string dataFile;     // a full path, or a name in the working directory
    int32_t channel = 1;      // the channel number as the flyer sees it, 1..13 (slot + 1)
    int32_t colourIndex = 0;  // into the sixteen channel colours
    double offset = 0.0;      // seconds added to the flight's time on the graph
    friend bool operator==(const MultiGraphRow&, const MultiGraphRow&) = default;
};

struct MultiGraphChoice {
    std::vector<MultiGraphRow> rows;
    // Each flight shifted so that its launch is at 0 s (before its own offset).
    bool alignAtLaunch = true;
    friend bool operator==(const MultiGraphChoice&, const MultiGraphChoice&) = default;
};

// The colour a row added in position `row` (0-based) starts with: twelve that stand apart on
// a white plot, none of them white or the grey of the grid.
inline int32_t DefaultMultiGraphColour(int row) {
    constexpr int32_t kColours[kMostMultiGraphRows] = {10, 7, 1, 14, 11, 2, 3, 0, 4, 5, 8, 15};
    return kColours[(row % kMostMultiGraphRows + kMostMultiGraphRows) % kMostMultiGraphRows];
}

}  // namespace orvale
