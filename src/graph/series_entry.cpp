#include "graph/series_entry.h"

#include "core/prompts.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "files/loading.h"
#include "graph/series_preparation.h"

namespace orvale {

bool PrepareGraphSeries(AppState& state, Prompts& prompts, int seriesNumber, int channelSlot) {
    if (seriesNumber < 1 || seriesNumber >= static_cast<int>(state.series.size()) ||
        channelSlot < 0 || channelSlot >= kChannelSlots)
        return false;
    const auto k = static_cast<size_t>(seriesNumber);
    const DataFileEntry& flight = state.entries[0];
    DataFileEntry& entry = state.entries[k];
    entry.dataFileName = flight.dataFileName;
    entry.parameterFileName = flight.parameterFileName;
    entry.graphStart = flight.graphStart;
    entry.graphLength = flight.graphLength;
    entry.duration = flight.duration;
    entry.startTime = flight.startTime;
    entry.sampleInterval = flight.sampleInterval;
    entry.lowerPercent = 0;
    entry.upperPercent = 100;
    entry.entryNumber = channelSlot;
    entry.channelSlot = channelSlot;
    entry.inUse = true;

    const ChannelDef& channel = state.channels[static_cast<size_t>(channelSlot)];
    state.formula.displayMinimum = channel.minReading;
    state.formula.displayMaximum = channel.maxReading;
    state.series[k].title = CutText(channel.title, kNameLimit);

    state.currentEntry = static_cast<uint16_t>(seriesNumber);
    LoadCurrentFile(state, prompts, false, false, false);
    if (state.loadedDataSize == 0) {
        ShowError(state, prompts, kNoFlightDataSlot);
        return false;
    }
    const double end = entry.duration + entry.startTime;
    SetGraphLength(
        state, prompts, false,
        entry.graphStart + entry.graphLength > end ? end - entry.graphStart : entry.graphLength);
    const int32_t start = RoundToInt32(kGraphSamplesPerSecond * entry.graphStart);
    if (!PrepareSeries(state, prompts, channelSlot, start, FilterCoefficient(channel.filter)))
        return false;
    if (!state.formula.powerOfTwoTrim)
        RecordSeriesRange(state);
    return true;
}

}  // namespace orvale
