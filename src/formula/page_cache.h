// One byte of the current flight through a one-page cache. Page 0 is the decoded image, which
// the graph copies into the page buffer before each series; later pages are read from the data
// file when a sample lies beyond the first 8192 bytes.
#pragma once

#include <cstdint>

#include "core/app_state.h"

namespace orvale {

constexpr int kPageSize = 8192;

// False when the page holding the byte cannot be read whole from the image file; the cache then
// keeps the page it had.
bool ReadDataByte(AppState& state, int page, int offset, uint8_t& byte);

}  // namespace orvale
