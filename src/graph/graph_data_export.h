// The plotted points of the graph as comma-separated text for a spreadsheet: a time column and
// one column per series, headed by the series' title.
#pragma once

#include <ostream>
#include <string>

#include "core/app_state.h"
#include "graph/graph_build.h"

namespace orvale {

// Writes the series 1..S of the drawn graph (view) as CSV. Each series' own points are the ones
// the engine was given: point 0 at its entry's graph start, values kept inside the series' scale,
// a value the formula could not give as an empty cell. Series computed with different averaging
// have different times, so the rows are the union of every series' times in ascending order,
// each series' cell empty on rows at times it has no point; a series with two points at one time
// (a flat stretch of a histogram) takes two rows. When zoomed, only times on the shown X range
// are written. Histograms are not on that table: each follows as a table of its bin values and the
// seconds spent in each. A spectrum (FFT(, PSD() keeps its window's samples on the time table and
// has its spectrum on a table headed "Frequency (Hz)", one column per spectrum. Tables are set
// apart by an empty line. False when no graph is drawn.
bool WriteGraphData(std::ostream& out, const AppState& state, const GraphView& view);

// WriteGraphData into a file; false when there is no graph or the file cannot be written.
bool SaveGraphData(const std::string& path, const AppState& state, const GraphView& view);

}  // namespace orvale
