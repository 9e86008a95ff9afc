#include "graph/series_reading.h"

#include <algorithm>

#include "formula/page_cache.h"

namespace orvale {

namespace {

constexpr size_t kImageCopyBytes = kImageSize + 1;

// Keeps an offset inside its page by moving whole pages; the offset only ever steps by a frame.
void Normalise(int32_t& page, int32_t& offset) {
    if (offset >= kPageSize) {
        offset -= kPageSize;
        ++page;
    } else if (offset < 0) {
        offset += kPageSize;
        --page;
    }
}

}  // namespace

void StartSeriesReading(AppState& state, int64_t sampleNumber) {
    FormulaState& fs = state.formula;
    const int64_t decimation = std::max<int64_t>(state.decimation, 1);
    // Truncating division, as the frame and page numbers have always been counted.
    const int64_t frame = (sampleNumber - state.firstSampleNumber) / decimation;
    const int64_t position = state.headerSize + frame * state.recordedChannelCount;
    const auto page = static_cast<int32_t>(
        std::clamp<int64_t>(position / kPageSize, INT32_MIN / 2, INT32_MAX / 2));
    const auto offset = static_cast<int32_t>(position % kPageSize);
    for (size_t i = 0; i < fs.readPage.size(); ++i) {
        fs.readPage[i] = page;
        fs.readOffset[i] = offset + (i < state.frameOffset.size() ? state.frameOffset[i] : 0);
    }
}

void AdvanceSeriesReading(AppState& state, bool singleChannel, int firstChannel) {
    FormulaState& fs = state.formula;
    const int32_t frameSize = state.recordedChannelCount;
    auto step = [&](int index) {
        if (index < 0 || index >= static_cast<int>(fs.readPage.size()))
            return;
        const auto i = static_cast<size_t>(index);
        fs.readOffset[i] += frameSize;
        Normalise(fs.readPage[i], fs.readOffset[i]);
    };
    if (singleChannel) {
        step(firstChannel);
        return;
    }
    const int listed = std::clamp<int>(state.channelListCount, 0, kChannelSlots);
    for (int j = 0; j < listed; ++j)
        step(state.channelList[static_cast<size_t>(j)]);
}

void LoadImagePage(AppState& state) {
    if (state.page.size() < static_cast<size_t>(kPageBufferSize))
        state.page.resize(kPageBufferSize, 0);
    const size_t bytes = std::min(kImageCopyBytes, state.image.size());
    std::copy_n(state.image.begin(), bytes, state.page.begin());
    state.formula.cachedPage = 0;
}

}  // namespace orvale
