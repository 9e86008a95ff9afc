#include "graph/multi_graph.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>

#include "core/launch_detection.h"
#include "core/program_state.h"
#include "core/prompts.h"
#include "core/text_format.h"
#include "core/time_window.h"
#include "files/ini_file.h"
#include "files/loading.h"
#include "files/parameter_file.h"
#include "files/path_lookup.h"
#include "graph/graph_bands.h"
#include "graph/series_entry.h"
#include "graph/series_preparation.h"

namespace orvale {

namespace {

// One flight as drawn: which series entry holds it and how its time is moved on the graph.
struct Trace {
    int entry = 0;       // 1..12
    double shift = 0.0;  // graph time = flight time + shift
    int colourIndex = 0;
    std::string name;
    std::string title;
    std::vector<VerticalLine> markers;  // already on graph time
    XRange span;                        // the flight's whole window, on graph time
};

std::string OffsetText(double offset) {
    char text[32];
    std::snprintf(text, sizeof text, " %+.2f s", offset);
    return text;
}

// The main and drogue charges of flight number `index`: labels of one flight at one depth, each
// flight a line lower, so flights that fired close together can still be told apart.
std::vector<VerticalLine> FlightMarkers(const AppState& state, double shift, RgbColour colour,
                                        int index) {
    const FlightResults& r = state.results;
    const float depth = 0.02f + 0.05f * static_cast<float>(index % kMostMultiGraphRows);
    std::vector<VerticalLine> lines;
    lines.push_back({r.mainFireTime + shift, colour, "Main", kFlightMarkerWidth, depth});
    if (state.summaryRows.drogueRowVisible && !r.noDrogueFire)
        lines.push_back({r.drogueFireTime + shift, colour, "Drogue", kFlightMarkerWidth, depth});
    return lines;
}

// Reads the row's flight into series entry k with its own parameter file, and computes the
// channel's series over `window` (graph time) or, without one, the flight's whole window.
// Nullopt when the row is not drawn; `failed` is set when the build must stop.
std::optional<Trace> ComputeRow(AppState& state, Prompts& prompts, const MultiGraphChoice& choice,
                                size_t row, int k, const std::optional<SeriesWindow>& window,
                                bool& failed) {
    const MultiGraphRow& r = choice.rows[row];
    DataFileEntry& entry = state.entries[static_cast<size_t>(k)];
    entry = DataFileEntry{};
    entry.dataFileName = CutText(MultiGraphRowPath(state, r), kPathLimit);
    // A flight's parameter file and calibration are the ones beside it, whatever folder the
    // flyer works in (the working directory comes back with the flyer's state).
    state.workingDirectory = WithSeparator(DirectoryPart(entry.dataFileName));
    state.currentEntry = static_cast<uint16_t>(k);
    LoadCurrentFile(state, prompts, false, true, true);
    if (state.loadedDataSize == 0) {
        prompts.ShowWarning("Unable to read the flight " + MultiGraphRowPath(state, r) +
                            ": it is missing or is not a flight");
        failed = true;
        return std::nullopt;
    }
    Trace trace;
    trace.entry = k;
    trace.colourIndex = r.colourIndex;
    trace.shift = r.offset;
    std::string name = FileNamePart(r.dataFile);
    if (choice.alignAtLaunch) {
        if (const std::optional<double> launch = LaunchTime(state))
            trace.shift -= *launch;
        else
            name += " (no launch found)";
    }
    const int slot = std::clamp(r.channel, 1, kChannelSlots) - 1;
    const ChannelDef& channel = state.channels[static_cast<size_t>(slot)];
    trace.title = CutText(channel.title, kNameLimit);
    trace.name = name + "  " + trace.title + (r.offset != 0.0 ? OffsetText(r.offset) : "");
    trace.markers =
        FlightMarkers(state, trace.shift, ChannelColour(r.colourIndex), static_cast<int>(row));
    trace.span = {entry.graphStart + trace.shift,
                  entry.graphStart + entry.graphLength + trace.shift};

    // The flight's own window, or the graph's window moved onto its clock and kept inside it.
    double start = entry.graphStart;
    double end = entry.graphStart + entry.graphLength;
    if (window) {
        start = std::max(start, window->start - trace.shift);
        end = std::min(end, window->start + window->length - trace.shift);
    }
    entry.entryNumber = slot;
    entry.channelSlot = slot;
    entry.inUse = true;
    ChannelSamples& series = state.series[static_cast<size_t>(k)];
    series = ChannelSamples{};
    series.title = trace.title;
    series.minReading = channel.minReading;
    series.maxReading = channel.maxReading;
    series.pointCount = -1;
    if (!(end - start >= 1.0 / kGraphSamplesPerSecond))
        return trace;  // this flight has nothing in the window: drawn as nothing
    entry.graphStart = start;
    entry.graphLength = end - start;
    state.formula.displayMinimum = channel.minReading;
    state.formula.displayMaximum = channel.maxReading;
    if (!PrepareSeries(state, prompts, slot,
                       RoundToInt32(kGraphSamplesPerSecond * entry.graphStart),
                       FilterCoefficient(channel.filter))) {
        failed = true;
        return std::nullopt;
    }
    if (DrawnInBand(series) || state.formula.powerOfTwoTrim) {
        prompts.ShowWarning("Channel " + std::to_string(slot + 1) + " of " +
                            FileNamePart(r.dataFile) +
                            " is a histogram or spectrum: the Multi-Graph draws channels "
                            "against time, so it is left out");
        return std::nullopt;
    }
    RecordSeriesRange(state);
    return trace;
}

// The flights in the axis order: rows of one channel title share a scale, so they are next to
// each other as the engine pairs consecutive subsets with an axis.
std::vector<std::vector<size_t>> AxisGroups(const std::vector<Trace>& traces) {
    std::vector<std::vector<size_t>> groups;
    for (size_t i = 0; i < traces.size(); ++i) {
        auto same = std::find_if(groups.begin(), groups.end(), [&](const auto& g) {
            return traces[g.front()].title == traces[i].title;
        });
        if (same == groups.end())
            groups.push_back({i});
        else
            same->push_back(i);
    }
    return groups;
}

void SendTraces(AppState& state, GraphEngine& engine, const std::vector<Trace>& traces,
                GraphView& view) {
    const auto groups = AxisGroups(traces);
    engine.SetSubsets(static_cast<int>(traces.size()));
    engine.SetPoints(kGraphMinimumPoints);
    std::vector<GraphAxis> axes;
    std::vector<std::string> legend;
    std::vector<VerticalLine> markers;
    int subset = 0;
    for (const auto& group : groups) {
        GraphAxis axis;
        axis.subsets = static_cast<int>(group.size());
        axis.rightSubsets = 0;
        axis.heightShare = 1.0f;
        const ChannelSamples& first =
            state.series[static_cast<size_t>(traces[group.front()].entry)];
        axis.left = {first.title, ChannelColour(traces[group.front()].colourIndex),
                     first.minReading, first.maxReading};
        for (size_t i : group) {
            const Trace& t = traces[i];
            const ChannelSamples& s = state.series[static_cast<size_t>(t.entry)];
            axis.left.min = std::min(axis.left.min, s.minReading);
            axis.left.max = std::max(axis.left.max, s.maxReading);
            engine.SetSubsetColour(subset, ChannelColour(t.colourIndex));
            state.formula.displayMinimum = s.minReading;
            state.formula.displayMaximum = s.maxReading;
            SendSeriesTo(state, engine, t.entry, subset, t.shift);
            legend.push_back(t.name);
            markers.insert(markers.end(), t.markers.begin(), t.markers.end());
            ++subset;
        }
        // A scale shared by several flights is black: no one flight's colour owns it.
        if (group.size() > 1)
            axis.left.colour = {0x00, 0x00, 0x00};
        axes.push_back(axis);
    }
    engine.SetAxes(axes);
    engine.SetOverlappedAxes({static_cast<int>(axes.size())});
    engine.SetLegend(legend);
    engine.SetVerticalLines(markers);
    engine.SetBands({});

    // What the export and the report read: the series entries in subset order.
    view.channelSlots.clear();
    view.timeShift.clear();
    view.names.clear();
    for (const auto& group : groups)
        for (size_t i : group) {
            view.channelSlots.push_back(
                state.entries[static_cast<size_t>(traces[i].entry)].channelSlot);
            view.timeShift.push_back(static_cast<float>(traces[i].shift));
            view.names.push_back(traces[i].name);
        }
}

// Every row computed over `window` (or each flight's own) and handed to the engine. The flight
// the flyer works on comes back whole; only the series entries keep the flights drawn.
// Nullopt when a flight could not be read (the state is then as it was and the engine untouched),
// else the number of flights drawn.
std::optional<int> ComputeAll(AppState& state, Prompts& prompts, GraphEngine& engine,
                              const MultiGraphChoice& choice,
                              const std::optional<SeriesWindow>& window, GraphView& view,
                              XRange& span) {
    AppState flyers = state;
    std::vector<Trace> traces;
    bool failed = false;
    const size_t rows = std::min(choice.rows.size(), static_cast<size_t>(kMostMultiGraphRows));
    for (size_t row = 0; row < rows && !failed; ++row) {
        const int k = static_cast<int>(traces.size()) + 1;
        if (std::optional<Trace> t = ComputeRow(state, prompts, choice, row, k, window, failed))
            traces.push_back(std::move(*t));
    }
    if (failed) {
        state = std::move(flyers);
        return std::nullopt;
    }
    span = {0.0, 0.0};
    bool first = true;
    for (const Trace& t : traces) {
        span =
            first ? t.span : XRange{std::min(span.min, t.span.min), std::max(span.max, t.span.max)};
        first = false;
    }
    const int count = static_cast<int>(traces.size());
    for (int k = 1; k <= count; ++k) {
        flyers.entries[static_cast<size_t>(k)] = state.entries[static_cast<size_t>(k)];
        flyers.series[static_cast<size_t>(k)] = std::move(state.series[static_cast<size_t>(k)]);
    }
    for (int k = count + 1; k < kEntryCount; ++k)
        flyers.entries[static_cast<size_t>(k)].inUse = false;
    state = std::move(flyers);
    SendTraces(state, engine, traces, view);
    state.currentEntry = 0;
    return count;
}

}  // namespace

std::string MultiGraphRowPath(const AppState& state, const MultiGraphRow& row) {
    if (row.dataFile.find('/') != std::string::npos)
        return row.dataFile;
    return state.workingDirectory + row.dataFile;
}

std::vector<std::string> FlightChannelTitles(const std::string& dataPath) {
    AppState scratch;
    SetProgramDefaults(scratch, 0);
    const std::string folder = WithSeparator(DirectoryPart(dataPath));
    std::string par = ResolveCaseInsensitive(folder, BaseName(dataPath) + ".PAR");
    if (!FileExists(par))
        par = ResolveCaseInsensitive(folder, kDefaultParFile);
    try {
        if (FileExists(par))
            ReadParameters(IniFile::Load(par), scratch);
    } catch (const std::exception&) {
        // An unreadable parameter file offers the default titles; drawing reports it.
    }
    std::vector<std::string> titles;
    for (const ChannelDef& channel : scratch.channels)
        titles.push_back(channel.title);
    return titles;
}

int AltitudeChannel(const std::vector<std::string>& titles) {
    for (size_t i = 0; i < titles.size() && i < static_cast<size_t>(kFileChannels); ++i) {
        std::string t = titles[i];
        std::transform(t.begin(), t.end(), t.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (t.find("altitude") != std::string::npos && t.find("time at") == std::string::npos)
            return static_cast<int>(i) + 1;
    }
    return 1;
}

MultiGraphRow NewMultiGraphRow(const std::string& dataPath, int row) {
    MultiGraphRow r;
    r.dataFile = dataPath;
    r.channel = AltitudeChannel(FlightChannelTitles(dataPath));
    r.colourIndex = DefaultMultiGraphColour(row);
    return r;
}

BuildResult BuildMultiGraph(AppState& state, Prompts& prompts, GraphEngine& engine,
                            const MultiGraphChoice& choice, GraphView& view) {
    if (choice.rows.empty()) {
        prompts.ShowWarning(kNoFlightsToCompare);
        return BuildResult::NothingToDraw;
    }
    GraphView built;
    XRange span;
    const std::optional<int> drawn =
        ComputeAll(state, prompts, engine, choice, std::nullopt, built, span);
    if (!drawn)
        return BuildResult::SeriesFailed;
    if (*drawn == 0) {
        prompts.ShowWarning(kNothingToDraw);
        return BuildResult::NothingToDraw;
    }
    engine.SetXAxisLabel(choice.alignAtLaunch ? kLaunchTimeLabel : kFlightTimeLabel);
    engine.SetXRange(span);
    engine.SetTitles(
        *drawn == 1 ? std::string("1 flight") : std::to_string(*drawn) + " flights compared",
        kGraphSubTitle);
    engine.Apply();
    built.shown = span;
    built.full = span;
    view = std::move(built);
    return BuildResult::Drawn;
}

ZoomResult MultiGraphZoomIn(AppState& state, Prompts& prompts, GraphEngine& engine,
                            const MultiGraphChoice& choice, GraphView& view) {
    if (view.channelSlots.empty())
        return ZoomResult::NotDrawn;
    const XRange zoom = engine.ZoomedXRange();
    if (!(zoom.max > zoom.min)) {
        engine.SetXRange(view.shown);
        engine.Apply();
        return ZoomResult::NotDrawn;
    }
    const XRange computed =
        view.displayWindow.empty()
            ? view.full
            : XRange{view.displayWindow[0].start,
                     view.displayWindow[0].start + view.displayWindow[0].length};
    GraphViewStep before{view.shown, view.displayWindow};
    ZoomResult result = ZoomResult::Rescaled;
    if ((computed.max - computed.min) / 2 > zoom.max - zoom.min) {
        const SeriesWindow window{zoom.min, zoom.max - zoom.min};
        GraphView next = view;
        XRange span;
        if (!ComputeAll(state, prompts, engine, choice, window, next, span))
            return ZoomResult::Failed;
        next.displayWindow = {window};
        view = std::move(next);
        result = ZoomResult::Recomputed;
    }
    engine.SetXRange(zoom);
    engine.Apply();
    view.undo.push_back(std::move(before));
    view.shown = zoom;
    return result;
}

ZoomResult MultiGraphUndoZoom(AppState& state, Prompts& prompts, GraphEngine& engine,
                              const MultiGraphChoice& choice, GraphView& view) {
    if (view.channelSlots.empty() || view.undo.empty())
        return ZoomResult::NotDrawn;
    const GraphViewStep step = view.undo.back();
    bool recompute = step.windows != view.displayWindow;
    if (recompute) {
        GraphView next = view;
        XRange span;
        std::optional<SeriesWindow> window;
        if (!step.windows.empty())
            window = step.windows[0];
        if (!ComputeAll(state, prompts, engine, choice, window, next, span))
            return ZoomResult::Failed;
        next.displayWindow = step.windows;
        view = std::move(next);
    }
    engine.SetXRange(step.shown);
    engine.Apply();
    view.undo.pop_back();
    view.shown = step.shown;
    return recompute ? ZoomResult::Recomputed : ZoomResult::Rescaled;
}

}  // namespace orvale
