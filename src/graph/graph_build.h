// Building the graph of the selected channels: one series per selected channel (in graph
// entries 1..12), handed to the engine with its scales, colours, titles and event lines.
#pragma once

#include <functional>
#include <vector>

#include "core/app_state.h"
#include "graph/graph_engine.h"

namespace orvale {

class Prompts;

constexpr int kMostGraphSeries = 12;
inline const char kNothingToDraw[] = "Nothing to draw";
inline const char kFlightTimeLabel[] = "Flight Time (sec)";
inline const char kGraphSubTitle[] = "Vantrel Orvale";
constexpr double kMarkerOffAxis = -9999.0;

// An event of the flight as the graphs mark it. `shown` is false when there is none to mark: the
// drogue when the summary's drogue row is hidden, a deployment that was never detected.
struct FlightEvent {
    const char* label;
    RgbColour colour;
    double time;
    bool shown;
};

// Main fired, drogue fired and deployment detected, in that order.
std::vector<FlightEvent> FlightEvents(const FlightResults& results, bool drogueRowVisible);

// What the build needs from the window that shows the graph.
struct GraphWindowState {
    bool overlap = true;                           // "Overlap all Channels"
    bool drogueRowVisible = true;                  // the summary's drogue row is shown
    std::function<void(bool busy)> setBusyCursor;  // may be empty
};

// The time window one series was computed over.
struct SeriesWindow {
    double start = 0.0;
    double length = 0.0;
    friend bool operator==(const SeriesWindow&, const SeriesWindow&) = default;
};

// A view of the graph to return to: the X range shown and the windows series 1..S were
// computed over.
struct GraphViewStep {
    XRange shown;
    std::vector<SeriesWindow> windows;
};

// What is drawn: the channel slot of each series (series k at k - 1), the X range on screen and
// the views before each zoom, oldest first. Empty when no graph was applied.
struct GraphView {
    std::vector<int> channelSlots;
    XRange shown;
    std::vector<GraphViewStep> undo;
    // Flights laid over one another: series k is drawn moved by timeShift[k - 1] seconds and
    // named names[k - 1] (file and channel). Both empty for the time graph of one flight.
    std::vector<float> timeShift;
    std::vector<std::string> names;
    // Flights laid over one another: the span of graph time of every flight, and the window
    // of graph time they were last computed over (empty: each over its whole window).
    XRange full;
    std::vector<SeriesWindow> displayWindow;
};

enum class BuildResult {
    Drawn,          // applied
    NothingToDraw,  // no channel selected: told so, nothing applied
    NoFlight,       // no flight loaded: reported, the build stopped
    SeriesFailed,   // a series could not be prepared: the build stopped there
};

// Rebuilds the graph from the channel definitions and entry 0's flight and time window. The
// busy cursor is shown while it works and is normal again however the build ends.
BuildResult BuildGraph(AppState& state, Prompts& prompts, GraphEngine& engine,
                       const GraphWindowState& window, GraphView& view);

// Hands series k (1..12) to the engine's subset TimeSubset(k) (k - 1 when every series is drawn
// against time): point 0 at the entry's graph start, the buffer's points 1..point count, the
// null value for every point after them. The engine grows to hold the longest series. A
// histogram or spectrum is not sent here: it has a band of its own (SendBands).
void SendSeries(const AppState& state, GraphEngine& engine, int k);

// The same into subset `subset`, every X moved by shift seconds.
void SendSeriesTo(const AppState& state, GraphEngine& engine, int k, int subset, double shift);

// Hands the bands of the histograms and spectra among series 1..count to the engine.
void SendBands(const AppState& state, GraphEngine& engine, int count);

// Y of point j of series k, kept inside the display range in state (the channel's min and max
// reading) so that values outside it are drawn at the edge of the scale.
float PlotPointY(const AppState& state, int k, int j);

// The windows of series 1..count as their entries hold them.
std::vector<SeriesWindow> SeriesWindows(const AppState& state, int count);

}  // namespace orvale
