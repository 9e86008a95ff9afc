// Flights laid over one another: one channel of each chosen flight drawn against time on one
// graph, each flight shifted by its offset and, when asked, so that its launch is at 0 s. Each
// flight is read with its own parameter file and calibration; the flight the flyer works on,
// its channels and its summary are as they were once the graph is built.
#pragma once

#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/multi_graph_choice.h"
#include "graph/graph_build.h"
#include "graph/graph_engine.h"
#include "graph/graph_zoom.h"

namespace orvale {

class Prompts;

inline const char kLaunchTimeLabel[] = "Time from Launch (sec)";
inline const char kNoFlightsToCompare[] =
    "No flights to compare: add flights on the Multi-Graph page";
// The thin markers of the flights' events, drawn in each flight's colour.
constexpr float kFlightMarkerWidth = 0.8f;

// The path a row names: a bare name lives in the working directory.
std::string MultiGraphRowPath(const AppState& state, const MultiGraphRow& row);

// The titles of channel slots 0..12 of the flight at dataPath, from its parameter file beside it
// (or that folder's DEFAULT.PAR, or the defaults): what a row's channel list offers.
std::vector<std::string> FlightChannelTitles(const std::string& dataPath);

// The channel number (1..12) of the first title that names the altitude ("Pressure Altitude
// (ft)", not a histogram's "Time at Altitude"), or 1 when none does.
int AltitudeChannel(const std::vector<std::string>& titles);

// A row for the flight at dataPath as the flyer adds it: its altitude channel, the colour of
// position `row`, no offset.
MultiGraphRow NewMultiGraphRow(const std::string& dataPath, int row);

// Builds the graph of the choice's rows over each flight's whole window, the time axis spanning
// them all. Rows whose channel is a histogram or spectrum are left out with a message; a flight
// that cannot be read stops the build (reported) and leaves the graph on screen as it was.
BuildResult BuildMultiGraph(AppState& state, Prompts& prompts, GraphEngine& engine,
                            const MultiGraphChoice& choice, GraphView& view);

// The zoom of the time graph, for the flights laid over one another: a rectangle under half the
// computed span computes every flight again over it.
ZoomResult MultiGraphZoomIn(AppState& state, Prompts& prompts, GraphEngine& engine,
                            const MultiGraphChoice& choice, GraphView& view);
ZoomResult MultiGraphUndoZoom(AppState& state, Prompts& prompts, GraphEngine& engine,
                              const MultiGraphChoice& choice, GraphView& view);

}  // namespace orvale
