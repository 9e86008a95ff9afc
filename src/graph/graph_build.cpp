#include "graph/graph_build.h"

#include <algorithm>
#include <cmath>

#include "core/prompts.h"
#include "graph/graph_bands.h"
#include "graph/series_entry.h"

namespace orvale {

namespace {

// Shows the busy cursor for as long as it lives: every way out of the build ends it.
class BusyCursor {
public:
    explicit BusyCursor(const std::function<void(bool)>& set) : set_(set) {
        if (set_)
            set_(true);
    }
    ~BusyCursor() { End(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void End() {
        if (set_ && busy_)
            set_(false);
        busy_ = false;
    }

private:
    const std::function<void(bool)>& set_;
    bool busy_ = true;
};

int CountSelected(const AppState& state) {
    const auto n = std::count_if(state.channels.begin(), state.channels.end(),
                                 [](const ChannelDef& c) { return c.selected; });
    // Only twelve series have entries of their own.
    return std::min(static_cast<int>(n), kMostGraphSeries);
}

std::string WithoutDirectory(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::vector<VerticalLine> EventLines(const AppState& state, bool drogueRowVisible) {
    // Each label at its own depth, so that events close in time do not cover each other.
    const char* const placement[] = {"|H ", "|h ", "|t "};
    std::vector<VerticalLine> lines;
    const std::vector<FlightEvent> events = FlightEvents(state.results, drogueRowVisible);
    for (size_t i = 0; i < events.size(); ++i) {
        const FlightEvent& e = events[i];
        lines.push_back(
            {e.shown ? e.time : kMarkerOffAxis, e.colour, std::string(placement[i]) + e.label});
    }
    return lines;
}

// The colour the engine draws subset s in once it is given series k's channel colour.
RgbColour SeriesColour(const AppState& state, GraphEngine& engine, int subset, int k) {
    const int slot = state.entries[static_cast<size_t>(k)].entryNumber;
    engine.SetSubsetColour(subset,
                           ChannelColour(state.channels[static_cast<size_t>(slot)].colourIndex));
    return engine.SubsetColour(subset);
}

AxisScale SeriesScale(const AppState& state, RgbColour colour, int k) {
    const ChannelSamples& s = state.series[static_cast<size_t>(k)];
    return {s.title, colour, s.minReading, s.maxReading};
}

// Two time series per axis, the last alone when their number is odd.
void SetAxes(const AppState& state, GraphEngine& engine, const std::vector<int>& series,
             bool overlap) {
    const int count = static_cast<int>(series.size());
    const int axisCount = (count + 1) / 2;
    std::vector<GraphAxis> axes;
    for (int u = 0; u < axisCount; ++u) {
        const int a = series[static_cast<size_t>(2 * u)];
        const int b = 2 * u + 1 < count ? series[static_cast<size_t>(2 * u + 1)] : 0;
        GraphAxis axis;
        axis.left = SeriesScale(state, SeriesColour(state, engine, 2 * u, a), a);
        if (b == 0) {
            axis.subsets = 1;
            axis.rightSubsets = 0;
        } else {
            axis.rightSubsets = 1;
            axis.subsets = 2;
            axis.right = SeriesScale(state, SeriesColour(state, engine, 2 * u + 1, b), b);
        }
        axis.heightShare = overlap ? 1.0f : 1.0f / static_cast<float>(axisCount);
        axes.push_back(axis);
    }
    engine.SetAxes(axes);
    engine.SetOverlappedAxes(overlap ? std::vector<int>{axisCount} : std::vector<int>{});
}

// The window the time axes show: that of the first series drawn against time. A spectrum's
// window may have been shortened to a power of two, and a histogram's is not on the axis.
XRange TimeAxisWindow(const AppState& state, const std::vector<int>& timeSeries) {
    const DataFileEntry& e =
        state.entries[static_cast<size_t>(timeSeries.empty() ? 1 : timeSeries.front())];
    return {e.graphStart, e.graphStart + e.graphLength};
}

}  // namespace

std::vector<FlightEvent> FlightEvents(const FlightResults& r, bool drogueRowVisible) {
    return {
        {"Main Fired", {0x00, 0xFF, 0x00}, r.mainFireTime, true},
        {"Drogue Fired", {0x00, 0x80, 0x00}, r.drogueFireTime, drogueRowVisible},
        {"Deploy Detected",
         {0xFF, 0x00, 0x00},
         r.deploymentDetectedTime,
         r.deploymentDetectedTime >= 0.0f},
    };
}

float PlotPointY(const AppState& state, int k, int j) {
    const ChannelSamples& s = state.series[static_cast<size_t>(k)];
    double y = s.y[static_cast<size_t>(j)];
    if (std::isnan(y))
        return kGraphNullValue;  // a value the formula could not give is a gap, not a line
    if (y > state.formula.displayMaximum)
        y = state.formula.displayMaximum;
    if (y < state.formula.displayMinimum)
        y = state.formula.displayMinimum;
    return static_cast<float>(y);
}

void SendSeries(const AppState& state, GraphEngine& engine, int k) {
    if (DrawnInBand(state.series[static_cast<size_t>(k)]))
        return;  // its band is sent with the others by SendBands
    SendSeriesTo(state, engine, k, TimeSubset(state, k), 0.0);
}

void SendSeriesTo(const AppState& state, GraphEngine& engine, int k, int subset, double shift) {
    const ChannelSamples& s = state.series[static_cast<size_t>(k)];
    const int stored = static_cast<int>(std::min(s.x.size(), s.y.size()));
    const int last = std::min(s.pointCount, stored - 1);  // -1 when nothing was computed
    if (engine.Points() < last + 1)
        engine.SetPoints(last + 1);
    int j = 0;
    if (last >= 0) {
        engine.SetPoint(
            subset, 0, static_cast<float>(state.entries[static_cast<size_t>(k)].graphStart + shift),
            PlotPointY(state, k, 0));
        for (j = 1; j <= last; ++j)
            engine.SetPoint(subset, j, static_cast<float>(s.x[static_cast<size_t>(j)] + shift),
                            PlotPointY(state, k, j));
    }
    for (; j < engine.Points(); ++j)
        engine.SetPoint(subset, j, kGraphNullValue, kGraphNullValue);
}

void SendBands(const AppState& state, GraphEngine& engine, int count) {
    engine.SetBands(SeriesBands(state, count));
}

std::vector<SeriesWindow> SeriesWindows(const AppState& state, int count) {
    std::vector<SeriesWindow> windows;
    for (int k = 1; k <= count; ++k) {
        const DataFileEntry& e = state.entries[static_cast<size_t>(k)];
        windows.push_back({e.graphStart, e.graphLength});
    }
    return windows;
}

BuildResult BuildGraph(AppState& state, Prompts& prompts, GraphEngine& engine,
                       const GraphWindowState& window, GraphView& view) {
    BusyCursor busy(window.setBusyCursor);
    view = GraphView{};

    const int selected = CountSelected(state);
    engine.SetSubsets(selected);
    engine.SetPoints(kGraphMinimumPoints);

    int count = 0;
    std::vector<int> channelSlots;
    for (int i = 0; i < kChannelSlots && count < kMostGraphSeries; ++i) {
        if (!state.channels[static_cast<size_t>(i)].selected)
            continue;
        const int k = ++count;
        if (!PrepareGraphSeries(state, prompts, k, i))
            return state.loadedDataSize == 0 ? BuildResult::NoFlight : BuildResult::SeriesFailed;
        SendSeries(state, engine, k);
        channelSlots.push_back(i);
    }

    for (int k = 1; k < kEntryCount; ++k)
        state.entries[static_cast<size_t>(k)].inUse = k <= count;
    state.currentEntry = static_cast<uint16_t>(count);

    // Histograms and spectra have bands of their own: the time axes hold the other series.
    const std::vector<int> timeSeries = TimeSeries(state, count);
    engine.SetSubsets(static_cast<int>(timeSeries.size()));
    SendBands(state, engine, count);

    engine.SetVerticalLines(EventLines(state, window.drogueRowVisible));
    engine.SetLegend({});
    const XRange shown = TimeAxisWindow(state, timeSeries);
    engine.SetXAxisLabel(kFlightTimeLabel);
    engine.SetXRange(shown);
    SetAxes(state, engine, timeSeries, window.overlap);
    engine.SetTitles("File: " + WithoutDirectory(state.current().dataFileName), kGraphSubTitle);

    busy.End();
    if (count == 0) {
        prompts.ShowWarning(kNothingToDraw);
        return BuildResult::NothingToDraw;
    }
    engine.Apply();
    view.channelSlots = channelSlots;
    view.shown = shown;
    return BuildResult::Drawn;
}

}  // namespace orvale
