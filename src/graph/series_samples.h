// Every recorded sample of one channel, for exporting a whole flight: no window, no averaging.
#pragma once

#include <vector>

#include "core/app_state.h"

namespace orvale {

class Prompts;

// The value of channel slot channelSlot at every recorded sample of the loaded flight, in order
// from the first sample, each computed at its own sample number; with `filtered` smoothed by the
// channel's filter level as the graph smooths it. False, leaving values empty, when the formula
// cannot be used (the user has been told why) or a sample cannot be read.
bool ChannelSampleValues(AppState& state, Prompts& prompts, int channelSlot, bool filtered,
                         std::vector<float>& values);

// The sample numbers of the loaded flight's recorded samples: first, first + decimation, ...
std::vector<int32_t> RecordedSampleNumbers(const AppState& state);

}  // namespace orvale
