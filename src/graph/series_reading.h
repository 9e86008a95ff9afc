// Where the evaluator reads a series' samples: the read page and offset of every channel, set to
// one frame and stepped on frame by frame, and the page buffer loaded with the decoded image.
#pragma once

#include <cstdint>

#include "core/app_state.h"

namespace orvale {

// Puts every channel's read position at the frame of sampleNumber (a multiple of the decimation
// counted from the first sample number). A frame before the first one gives positions that do
// not read.
void StartSeriesReading(AppState& state, int64_t sampleNumber);

// Moves the read positions on by one frame: only the formula's own channel when it reads exactly
// one, else every recorded channel. An offset that leaves its page moves to the next page.
void AdvanceSeriesReading(AppState& state, bool singleChannel, int firstChannel);

// The decoded image becomes page 0 of the page cache, so that the rewritten lead frames are read
// rather than the raw bytes of the file.
void LoadImagePage(AppState& state);

}  // namespace orvale
