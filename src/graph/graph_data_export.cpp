#include "graph/graph_data_export.h"

#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <vector>

#include "core/csv_text.h"
#include "graph/graph_bands.h"

namespace orvale {

namespace {

// Y as the engine draws it: inside the series' scale, nothing where the formula gave no value.
std::optional<float> PlottedY(const ChannelSamples& s, size_t j) {
    double y = s.y[j];
    if (std::isnan(y))
        return std::nullopt;
    if (y > s.maxReading)
        y = s.maxReading;
    if (y < s.minReading)
        y = s.minReading;
    return static_cast<float>(y);
}

using Column = std::multimap<float, std::optional<float>>;

// The points of series k that are written: all of them, or those on the shown range when zoomed.
Column SeriesColumn(const AppState& state, const GraphView& view, int k) {
    const ChannelSamples& s = state.series[static_cast<size_t>(k)];
    const int stored = static_cast<int>(std::min(s.x.size(), s.y.size()));
    const int last = std::min(s.pointCount, stored - 1);
    // The engine holds single X values: compare the range as it would be drawn on them.
    const bool zoomed = !view.undo.empty();
    const auto low = static_cast<float>(view.shown.min);
    const auto high = static_cast<float>(view.shown.max);
    // A flight laid over others is written on the graph's time, as it is drawn.
    const double shift = static_cast<size_t>(k) <= view.timeShift.size()
                             ? view.timeShift[static_cast<size_t>(k - 1)]
                             : 0.0;
    Column column;
    for (int j = 0; j <= last; ++j) {
        // As SendSeriesTo hands the points to the engine.
        const float x =
            j == 0 ? static_cast<float>(state.entries[static_cast<size_t>(k)].graphStart + shift)
                   : static_cast<float>(s.x[static_cast<size_t>(j)] + shift);
        if (zoomed && !(x >= low && x <= high))
            continue;
        column.emplace(x, PlottedY(s, static_cast<size_t>(j)));
    }
    return column;
}

Column SpectrumColumn(const AppState& state, int k) {
    const Spectrum spectrum = SeriesSpectrum(state, k);
    Column column;
    for (size_t i = 0; i < spectrum.value.size(); ++i)
        column.emplace(spectrum.frequency[i], spectrum.value[i]);
    return column;
}

// One table: a first column of abscissas and one column per series, a row for every abscissa
// any series has.
void WriteTable(std::ostream& out, const std::string& first, const std::vector<std::string>& titles,
                const std::vector<Column>& columns) {
    out << CsvField(first);
    for (const std::string& title : titles)
        out << "," << CsvField(title);
    out << "\n";

    std::vector<Column::const_iterator> next;
    for (const Column& c : columns)
        next.push_back(c.begin());
    for (;;) {
        // The earliest time any series has left is the next row; each series with a point at
        // that time gives its next one.
        std::optional<float> time;
        for (size_t i = 0; i < columns.size(); ++i)
            if (next[i] != columns[i].end() && (!time || next[i]->first < *time))
                time = next[i]->first;
        if (!time)
            break;
        out << CsvNumber(*time);
        for (size_t i = 0; i < columns.size(); ++i) {
            out << ",";
            if (next[i] == columns[i].end() || next[i]->first != *time)
                continue;
            if (next[i]->second)
                out << CsvNumber(*next[i]->second);
            ++next[i];
        }
        out << "\n";
    }
}

}  // namespace

bool WriteGraphData(std::ostream& out, const AppState& state, const GraphView& view) {
    const int count = static_cast<int>(view.channelSlots.size());
    if (count == 0)
        return false;
    // Against time: every series but the histograms, whose bins are values, not times; a
    // spectrum's window gives its samples here and its spectrum in a table of its own.
    std::vector<std::string> timeTitles;
    std::vector<Column> timeColumns;
    std::vector<std::string> spectrumTitles;
    std::vector<Column> spectrumColumns;
    std::vector<int> histograms;
    for (int k = 1; k <= count; ++k) {
        const ChannelSamples& s = state.series[static_cast<size_t>(k)];
        if (s.seriesMode == kSeriesHistogram) {
            histograms.push_back(k);
            continue;
        }
        timeTitles.push_back(static_cast<size_t>(k) <= view.names.size()
                                 ? view.names[static_cast<size_t>(k - 1)]
                                 : s.title);
        timeColumns.push_back(SeriesColumn(state, view, k));
        if (s.seriesMode == kSeriesPowerOfTwo) {
            spectrumTitles.push_back(SpectrumTitle(s));
            spectrumColumns.push_back(SpectrumColumn(state, k));
        }
    }
    // Tables after the first are set apart by an empty line.
    bool first = true;
    auto next = [&] {
        if (!first)
            out << "\n";
        first = false;
    };
    if (!timeColumns.empty()) {
        next();
        WriteTable(out, kFlightTimeLabel, timeTitles, timeColumns);
    }
    if (!spectrumColumns.empty()) {
        next();
        WriteTable(out, kFrequencyLabel, spectrumTitles, spectrumColumns);
    }
    for (int k : histograms) {
        // The bin values under the channel's title, the seconds spent in each beside them.
        const ChannelSamples& s = state.series[static_cast<size_t>(k)];
        const int stored = static_cast<int>(std::min(s.x.size(), s.y.size()));
        Column column;
        for (int j = 0; j <= std::min(s.pointCount, stored - 1); ++j)
            column.emplace(s.x[static_cast<size_t>(j)], s.y[static_cast<size_t>(j)]);
        next();
        WriteTable(out, s.title, {kHistogramSecondsLabel}, {column});
    }
    return static_cast<bool>(out);
}

bool SaveGraphData(const std::string& path, const AppState& state, const GraphView& view) {
    if (view.channelSlots.empty())
        return false;
    std::ofstream file(path, std::ios::binary);
    if (!file)
        return false;
    if (!WriteGraphData(file, state, view))
        return false;
    file.close();
    return static_cast<bool>(file);
}

}  // namespace orvale
