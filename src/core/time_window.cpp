#include "core/time_window.h"

#include <cmath>

#include "core/prompts.h"
#include "core/text_format.h"

namespace orvale {

namespace {

double EndOfData(const DataFileEntry& entry) {
    return entry.duration + entry.startTime;
}

// Lengths are compared in whole milliseconds, ties to even.
double Milliseconds(double seconds) {
    return std::nearbyint(seconds * 1000.0);
}

}  // namespace

void SetGraphStart(AppState& state, Prompts& prompts, bool showErrors, double start) {
    DataFileEntry& entry = state.current();
    if (state.loadedDataSize == 0) {
        if (showErrors)
            ShowError(state, prompts, kNoFlightDataSlot);
        entry.graphStart = 0.0;
        return;
    }
    // NaN (a damaged value) is treated as beyond the end.
    if (start > EndOfData(entry) || std::isnan(start)) {
        if (showErrors) {
            state.errorMessages.Set("Start is beyond EOF");
            ShowError(state, prompts, kErrorSlot);
        }
        start = entry.startTime;
    }
    if (start < entry.startTime)
        start = entry.startTime;
    entry.graphStart = start;
}

void SetGraphLength(AppState& state, Prompts& prompts, bool showErrors, double length) {
    DataFileEntry& entry = state.current();
    if (state.loadedDataSize == 0) {
        state.loadedDataSize = 0;
        if (showErrors)
            ShowError(state, prompts, kNoFlightDataSlot);
        return;
    }
    const double remaining = EndOfData(entry) - entry.graphStart;
    if (Milliseconds(length) > Milliseconds(remaining) || std::isnan(length)) {
        if (showErrors) {
            state.errorMessages.Set(Fixed(remaining, 1, 3) +
                                    " is the remaining length of the file");
            ShowError(state, prompts, kErrorSlot);
        }
        SetGraphLength(state, prompts, false, remaining);
        length = entry.graphLength;
    }
    entry.graphLength = length;
}

}  // namespace orvale
