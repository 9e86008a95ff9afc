#include "graph/graph_zoom.h"

#include <algorithm>

#include "core/text_format.h"
#include "core/time_window.h"
#include "files/loading.h"
#include "graph/graph_bands.h"
#include "graph/series_entry.h"
#include "graph/series_preparation.h"

namespace orvale {

namespace {

// The graph on screen, kept while a zoom computes its series again: when one cannot be
// prepared, the entries, their series and the engine go back to what is drawn, so the next zoom
// or undo starts from there.
class ShownGraph {
public:
    ShownGraph(const AppState& state, int count)
        : currentEntry_(state.currentEntry),
          loadedDataSize_(state.loadedDataSize),
          displayMinimum_(state.formula.displayMinimum),
          displayMaximum_(state.formula.displayMaximum) {
        for (int k = 1; k <= count; ++k) {
            entries_.push_back(state.entries[static_cast<size_t>(k)]);
            series_.push_back(state.series[static_cast<size_t>(k)]);
        }
    }

    void Restore(AppState& state, GraphEngine& engine, XRange shown) const {
        for (size_t i = 0; i < entries_.size(); ++i) {
            state.entries[i + 1] = entries_[i];
            state.series[i + 1] = series_[i];
            // Sent again within the range it was first drawn with.
            state.formula.displayMinimum = series_[i].minReading;
            state.formula.displayMaximum = series_[i].maxReading;
            SendSeries(state, engine, static_cast<int>(i + 1));
        }
        SendBands(state, engine, static_cast<int>(entries_.size()));
        state.currentEntry = currentEntry_;
        state.loadedDataSize = loadedDataSize_;
        state.formula.displayMinimum = displayMinimum_;
        state.formula.displayMaximum = displayMaximum_;
        engine.SetXRange(shown);
        engine.Apply();
    }

private:
    uint16_t currentEntry_;
    int32_t loadedDataSize_;
    double displayMinimum_;
    double displayMaximum_;
    std::vector<DataFileEntry> entries_;
    std::vector<ChannelSamples> series_;
};

// Series k from channel slot `slot` over the window its entry holds, handed to the engine.
bool RecomputeSeries(AppState& state, Prompts& prompts, GraphEngine& engine, int k, int slot) {
    const ChannelDef& channel = state.channels[static_cast<size_t>(slot)];
    state.formula.displayMinimum = channel.minReading;
    state.formula.displayMaximum = channel.maxReading;
    state.currentEntry = static_cast<uint16_t>(k);
    LoadCurrentFile(state, prompts, false, false, false);
    const DataFileEntry& entry = state.current();
    SetGraphStart(state, prompts, false, entry.graphStart);
    SetGraphLength(state, prompts, false, entry.graphLength);
    const int32_t start = RoundToInt32(kGraphSamplesPerSecond * entry.graphStart);
    if (!PrepareSeries(state, prompts, slot, start, FilterCoefficient(channel.filter)))
        return false;
    if (!state.formula.powerOfTwoTrim)
        RecordSeriesRange(state);
    SendSeries(state, engine, k);
    return true;
}

// Every series computed again, series k over windows[k - 1]. False, with the graph on screen
// put back, when one cannot be prepared.
bool RecomputeAll(AppState& state, Prompts& prompts, GraphEngine& engine, const GraphView& view,
                  const std::vector<SeriesWindow>& windows) {
    const int count = static_cast<int>(view.channelSlots.size());
    const ShownGraph shown(state, count);
    for (int k = 1; k <= count; ++k) {
        DataFileEntry& entry = state.entries[static_cast<size_t>(k)];
        entry.graphStart = windows[static_cast<size_t>(k - 1)].start;
        entry.graphLength = windows[static_cast<size_t>(k - 1)].length;
        entry.inUse = true;
        if (!RecomputeSeries(state, prompts, engine, k,
                             view.channelSlots[static_cast<size_t>(k - 1)])) {
            shown.Restore(state, engine, view.shown);
            return false;
        }
    }
    // Histograms and spectra follow the series computed anew, on their own axes.
    SendBands(state, engine, count);
    return true;
}

}  // namespace

ZoomResult ZoomIn(AppState& state, Prompts& prompts, GraphEngine& engine, GraphView& view) {
    if (view.channelSlots.empty())
        return ZoomResult::NotDrawn;
    const XRange zoom = engine.ZoomedXRange();
    if (!(zoom.max > zoom.min)) {
        // An empty rectangle shows nothing: the view stays as drawn.
        engine.SetXRange(view.shown);
        engine.Apply();
        return ZoomResult::NotDrawn;
    }
    // The time axes show the window of the first series drawn against time.
    const int count = static_cast<int>(view.channelSlots.size());
    const int reference = FirstTimeSeries(state, count);
    if (reference == 0)
        return ZoomResult::NotDrawn;  // only histograms and spectra: no time to zoom
    const DataFileEntry& first = state.entries[static_cast<size_t>(reference)];
    const double s1 = first.graphStart;
    const double l1 = first.graphLength;
    const auto f1 = static_cast<float>((zoom.min - s1) / l1);
    const auto f2 = static_cast<float>((zoom.max - zoom.min) / l1);

    GraphViewStep before{view.shown, SeriesWindows(state, count)};
    ZoomResult result = ZoomResult::Rescaled;
    if (l1 / 2 > zoom.max - zoom.min) {
        // A histogram or spectrum is computed over the zoomed span of time too; a spectrum's
        // window may have been shortened, so its span is taken from the time axes'.
        std::vector<SeriesWindow> windows;
        for (int k = 1; k <= count; ++k) {
            const SeriesWindow w = DrawnInBand(state.series[static_cast<size_t>(k)])
                                       ? SeriesWindow{s1, l1}
                                       : before.windows[static_cast<size_t>(k - 1)];
            windows.push_back({w.start + w.length * f1, w.length * f2});
        }
        if (!RecomputeAll(state, prompts, engine, view, windows))
            return ZoomResult::Failed;
        result = ZoomResult::Recomputed;
    }
    engine.SetXRange(zoom);
    engine.Apply();
    view.undo.push_back(std::move(before));
    view.shown = zoom;
    return result;
}

ZoomResult UndoZoom(AppState& state, Prompts& prompts, GraphEngine& engine, GraphView& view) {
    if (view.channelSlots.empty() || view.undo.empty())
        return ZoomResult::NotDrawn;
    const int count = static_cast<int>(view.channelSlots.size());
    XRange target;
    std::vector<SeriesWindow> windows;
    bool recompute = false;
    if (view.undo.size() == 1) {
        // Back to the window chosen for the flight.
        const DataFileEntry& flight = state.entries[0];
        target = {flight.graphStart, flight.graphStart + flight.graphLength};
        const int reference = std::max(FirstTimeSeries(state, count), 1);
        recompute =
            2 * state.entries[static_cast<size_t>(reference)].graphLength < flight.graphLength;
        windows.assign(static_cast<size_t>(count), {flight.graphStart, flight.graphLength});
    } else {
        // Back to the view before the last zoom, computed again if that zoom computed anew.
        target = view.undo.back().shown;
        windows = view.undo.back().windows;
        recompute = windows != SeriesWindows(state, count);
    }
    engine.SetXRange(target);
    if (recompute && !RecomputeAll(state, prompts, engine, view, windows))
        return ZoomResult::Failed;
    engine.Apply();
    view.undo.pop_back();
    view.shown = target;
    return recompute ? ZoomResult::Recomputed : ZoomResult::Rescaled;
}

}  // namespace orvale
