// Zooming the built graph: a zoom rectangle under half the computed window computes every
// series again over the rectangle's span; undoing returns to the view before that zoom, the
// last undo to the window chosen for the flight.
#pragma once

#include "core/app_state.h"
#include "graph/graph_build.h"
#include "graph/graph_engine.h"

namespace orvale {

class Prompts;

enum class ZoomResult {
    Rescaled,    // only the X scale changed
    Recomputed,  // every series was computed again for the new window
    Failed,      // a series could not be prepared: the graph on screen was kept
    NotDrawn,    // nothing to zoom (no graph applied, or no zoom to undo)
};

// After the user dragged a rectangle: reads the zoomed X range from the engine.
ZoomResult ZoomIn(AppState& state, Prompts& prompts, GraphEngine& engine, GraphView& view);

// When the user undoes the last zoom.
ZoomResult UndoZoom(AppState& state, Prompts& prompts, GraphEngine& engine, GraphView& view);

}  // namespace orvale
