// One channel against another: the X channel and each Y channel computed over one time window as
// the time graph computes them (formula, filter, averaging), paired point by point, so that pair
// j holds the values of every channel at the same instant. The apogee and the recorder's events
// are marked at the pair nearest their time.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "graph/graph_colours.h"

namespace orvale {

class Prompts;

inline const char kXyWindowTitle[] = "Channel vs Channel";
inline const char kXyNoYChannel[] = "Nothing to draw: tick one or more Y channels.";
inline const char kXyNoFlight[] =
    "Nothing to draw: no flight is loaded. Load a data file first (File > Load Data File).";

// A time window, seconds.
struct XyWindow {
    double start = 0.0;
    double length = 0.0;
    friend bool operator==(const XyWindow&, const XyWindow&) = default;
};

// What the flyer asked for: channel slots 0..12 and the time window in seconds.
struct XyChoice {
    int xSlot = 0;
    std::vector<int> ySlots;
    double start = 0.0;
    double length = 0.0;
};

// A channel as computed: value j belongs to time j of the plot; NaN where the formula gave none.
struct XyChannel {
    int slot = 0;
    std::string title;
    RgbColour colour;
    double minReading = 0.0;  // the channel's scale in the time graph
    double maxReading = 0.0;
    std::vector<float> values;
};

// A point of the flight marked on every curve: pair `point` is the one nearest `time`.
struct XyMark {
    std::string label;
    RgbColour colour;
    double time = 0.0;
    int point = 0;
    friend bool operator==(const XyMark&, const XyMark&) = default;
};

struct XyPlot {
    std::string fileName;     // the flight's data file, without its folder
    std::vector<float> time;  // flight time of pair j, seconds
    XyChannel x;
    std::vector<XyChannel> y;
    std::vector<XyMark> marks;
};

struct AxisSpan {
    double min = 0.0;
    double max = 0.0;
    friend bool operator==(const AxisSpan&, const AxisSpan&) = default;
};

enum class XyResult {
    Drawn,
    NothingToDraw,  // no Y channel, or no flight: told so
    Failed,         // a channel could not be computed or paired: told so
};

// Computes the plot. The graph entries, their series, the current entry and the formula's display
// range are borrowed and given back as they were, as is the flight's own time window.
XyResult BuildXyPlot(AppState& state, Prompts& prompts, const XyChoice& choice, XyPlot& plot);

// The page's window with a new start (or length), corrected as the Graph page corrects the
// flight's: a start outside the flight is moved with a report, then the length is cut silently
// to the end of the data. The flight's own window does not change.
XyWindow FitXyStart(AppState& state, Prompts& prompts, XyWindow window, float start);
XyWindow FitXyLength(AppState& state, Prompts& prompts, XyWindow window, float length);

// The marks of the flight's apogee and events inside the span of `time` (the time graph's
// markers: main fired, drogue fired when the summary shows it, deployment detected).
std::vector<XyMark> XyMarks(const FlightResults& results, bool drogueShown,
                            const std::vector<float>& time);

// Index of the time nearest t, or nothing when t lies outside the span of times.
std::optional<int> NearestPoint(const std::vector<float>& time, double t);

// The span of the channel's values with a twentieth of it to spare either side (a flat channel
// gets one unit either side), so every point is on the plot; the channel's scale in the time
// graph when it has no value.
AxisSpan ChannelSpan(const XyChannel& channel);

// Distance from 0,0 of the farthest pair over every curve; 0 when there is none.
double ReferenceRadius(const XyPlot& plot);

// The pairs as CSV: "Flight Time (sec)", the X channel and each Y channel, headed by their
// titles; a value the formula could not give is an empty cell.
bool WriteXyData(std::ostream& out, const XyPlot& plot);
// WriteXyData into a file; false when it cannot be written.
bool SaveXyData(const std::string& path, const XyPlot& plot);

}  // namespace orvale
