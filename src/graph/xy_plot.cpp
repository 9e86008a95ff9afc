#include "graph/xy_plot.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "core/csv_text.h"
#include "core/prompts.h"
#include "graph/graph_build.h"
#include "graph/graph_table_rules.h"
#include "graph/series_entry.h"

namespace orvale {

namespace {

// Every channel is computed in this graph entry in turn and copied out.
constexpr int kXySeries = 1;

// The state the computation borrows from the time graph, given back however it ends.
class BorrowedState {
public:
    explicit BorrowedState(AppState& state)
        : state_(state),
          entries_(state.entries),
          series_(state.series),
          currentEntry_(state.currentEntry),
          displayMinimum_(state.formula.displayMinimum),
          displayMaximum_(state.formula.displayMaximum) {}
    ~BorrowedState() {
        state_.entries = entries_;
        state_.series = series_;
        state_.currentEntry = currentEntry_;
        state_.formula.displayMinimum = displayMinimum_;
        state_.formula.displayMaximum = displayMaximum_;
    }
    BorrowedState(const BorrowedState&) = delete;
    BorrowedState& operator=(const BorrowedState&) = delete;

private:
    AppState& state_;
    const decltype(AppState::entries) entries_;
    const decltype(AppState::series) series_;
    const uint16_t currentEntry_;
    const double displayMinimum_;
    const double displayMaximum_;
};

std::string WithoutDirectory(const std::string& path) {
    const size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string ChannelName(int slot) {
    return "channel " + std::to_string(slot + 1);
}

// Computes channel `slot` over entry 0's window into `channel`, and its times into `time` when
// given. False, with the flyer told why, when it cannot be computed or has no value per instant.
bool ComputeChannel(AppState& state, Prompts& prompts, int slot, XyChannel& channel,
                    std::vector<float>* time) {
    if (!PrepareGraphSeries(state, prompts, kXySeries, slot))
        return false;
    const ChannelSamples& s = state.series[kXySeries];
    const ChannelDef& def = state.channels[static_cast<size_t>(slot)];
    channel.slot = slot;
    channel.title = s.title.find_first_not_of(' ') == std::string::npos
                        ? "Channel " + std::to_string(slot + 1)
                        : s.title;
    if (s.seriesMode == kSeriesHistogram || s.seriesMode == kSeriesPowerOfTwo) {
        prompts.ShowWarning("The formula of " + ChannelName(slot) + " (" + channel.title +
                            ") makes a " +
                            (s.seriesMode == kSeriesHistogram ? "histogram" : "spectrum") +
                            ", which has no value at each instant to pair with another channel. "
                            "Choose a channel whose formula gives a value per sample.");
        return false;
    }
    channel.colour = ChannelColour(def.colourIndex);
    channel.minReading = s.minReading;
    channel.maxReading = s.maxReading;
    const int stored = static_cast<int>(std::min(s.x.size(), s.y.size()));
    const int last = std::min(s.pointCount, stored - 1);
    channel.values.assign(s.y.begin(), s.y.begin() + std::max(last + 1, 0));
    if (time) {
        // Point 0 is drawn at the window's start, as the time graph draws it.
        time->assign(s.x.begin(), s.x.begin() + std::max(last + 1, 0));
        if (!time->empty())
            time->front() = static_cast<float>(state.entries[kXySeries].graphStart);
    }
    return true;
}

}  // namespace

XyResult BuildXyPlot(AppState& state, Prompts& prompts, const XyChoice& choice, XyPlot& plot) {
    plot = XyPlot{};
    if (state.loadedDataSize == 0) {
        prompts.ShowWarning(kXyNoFlight);
        return XyResult::NothingToDraw;
    }
    if (choice.ySlots.empty()) {
        prompts.ShowWarning(kXyNoYChannel);
        return XyResult::NothingToDraw;
    }
    auto badSlot = [](int slot) { return slot < 0 || slot >= kChannelSlots; };
    if (badSlot(choice.xSlot) || std::any_of(choice.ySlots.begin(), choice.ySlots.end(), badSlot))
        return XyResult::Failed;

    BorrowedState borrowed(state);
    // Every channel is computed from the flight's window, so the page's window is put there.
    state.entries[0].graphStart = choice.start;
    state.entries[0].graphLength = choice.length;

    XyPlot made;
    made.fileName = WithoutDirectory(state.entries[0].dataFileName);
    if (!ComputeChannel(state, prompts, choice.xSlot, made.x, &made.time))
        return XyResult::Failed;
    for (int slot : choice.ySlots) {
        XyChannel y;
        if (!ComputeChannel(state, prompts, slot, y, nullptr))
            return XyResult::Failed;
        made.y.push_back(std::move(y));
    }
    // Channels of one window have the same points; should one ever end early, the pairs stop
    // with it rather than pairing values of different instants.
    size_t pairs = made.time.size();
    for (const XyChannel& y : made.y)
        pairs = std::min(pairs, y.values.size());
    made.time.resize(pairs);
    made.x.values.resize(pairs);
    for (XyChannel& y : made.y)
        y.values.resize(pairs);
    made.marks = XyMarks(state.results, state.summaryRows.drogueRowVisible, made.time);
    plot = std::move(made);
    return XyResult::Drawn;
}

namespace {

// Runs a correction of the Graph page's fields on the page's window, put for the time in the
// flight's entry, and gives the flight its own window back.
template <typename Correct>
XyWindow FitXyWindow(AppState& state, XyWindow window, Correct correct) {
    DataFileEntry& flight = state.entries[0];
    // Given back however the correction ends.
    struct OwnWindow {
        AppState& state;
        const XyWindow window;
        const uint16_t currentEntry;
        ~OwnWindow() {
            state.entries[0].graphStart = window.start;
            state.entries[0].graphLength = window.length;
            state.currentEntry = currentEntry;
        }
    } own{state, {flight.graphStart, flight.graphLength}, state.currentEntry};
    flight.graphStart = window.start;
    flight.graphLength = window.length;
    correct();
    return {flight.graphStart, flight.graphLength};
}

}  // namespace

XyWindow FitXyStart(AppState& state, Prompts& prompts, XyWindow window, float start) {
    return FitXyWindow(state, window, [&] { LeaveGraphStart(state, prompts, start); });
}

XyWindow FitXyLength(AppState& state, Prompts& prompts, XyWindow window, float length) {
    return FitXyWindow(state, window, [&] { LeaveGraphLength(state, prompts, length); });
}

std::optional<int> NearestPoint(const std::vector<float>& time, double t) {
    if (time.empty() || !(t >= time.front() && t <= time.back()))
        return std::nullopt;
    const auto after =
        std::lower_bound(time.begin(), time.end(), t, [](float a, double b) { return a < b; });
    auto nearest = after;
    if (after == time.end() || (after != time.begin() && t - *(after - 1) <= *after - t))
        nearest = after - 1;
    return static_cast<int>(nearest - time.begin());
}

std::vector<XyMark> XyMarks(const FlightResults& results, bool drogueShown,
                            const std::vector<float>& time) {
    // The apogee, then the events the time graph draws as lines, in their colours.
    std::vector<FlightEvent> events = FlightEvents(results, drogueShown);
    events.insert(events.begin(), {"Apogee", {0x00, 0x00, 0x00}, results.apogeeTime, true});
    std::vector<XyMark> marks;
    for (const FlightEvent& e : events) {
        if (!e.shown)
            continue;
        if (const auto point = NearestPoint(time, e.time))
            marks.push_back({e.label, e.colour, e.time, *point});
    }
    return marks;
}

AxisSpan ChannelSpan(const XyChannel& channel) {
    std::optional<AxisSpan> values;
    for (float v : channel.values) {
        if (!std::isfinite(v))
            continue;
        if (!values)
            values = AxisSpan{v, v};
        values->min = std::min(values->min, double{v});
        values->max = std::max(values->max, double{v});
    }
    if (!values)
        return {std::min(channel.minReading, channel.maxReading),
                std::max(channel.minReading, channel.maxReading)};
    const double spare = values->max > values->min ? (values->max - values->min) / 20.0 : 1.0;
    return {values->min - spare, values->max + spare};
}

double ReferenceRadius(const XyPlot& plot) {
    double radius = 0.0;
    for (const XyChannel& y : plot.y)
        for (size_t j = 0; j < y.values.size() && j < plot.x.values.size(); ++j) {
            const double r = std::hypot(double{plot.x.values[j]}, double{y.values[j]});
            if (std::isfinite(r))
                radius = std::max(radius, r);
        }
    return radius;
}

bool WriteXyData(std::ostream& out, const XyPlot& plot) {
    out << CsvField(kFlightTimeLabel) << "," << CsvField(plot.x.title);
    for (const XyChannel& y : plot.y)
        out << "," << CsvField(y.title);
    out << "\n";
    for (size_t j = 0; j < plot.time.size(); ++j) {
        // CsvNumber leaves a value the formula could not give empty.
        out << CsvNumber(plot.time[j]) << "," << CsvNumber(plot.x.values[j]);
        for (const XyChannel& y : plot.y)
            out << "," << CsvNumber(y.values[j]);
        out << "\n";
    }
    return static_cast<bool>(out);
}

bool SaveXyData(const std::string& path, const XyPlot& plot) {
    std::ofstream file(path, std::ios::binary);
    if (!file || !WriteXyData(file, plot))
        return false;
    file.close();
    return static_cast<bool>(file);
}

}  // namespace orvale
