// What the graph window asks of the charting engine that draws it: the curves as subsets of
// points, the vertical scales they are paired on, titles, event lines, the zoom and a picture.
// The graph is built and zoomed through this interface only, so the same code drives the
// window, the headless renderer and the tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "graph/graph_colours.h"

namespace orvale {

// A point holding this X or Y is not drawn: the curve has a gap there.
constexpr float kGraphNullValue = -99999.0f;
constexpr int kGraphMinimumPoints = 512;  // every subset has at least this many points

struct XRange {
    double min = 0.0;
    double max = 0.0;
    friend bool operator==(const XRange&, const XRange&) = default;
};

// One vertical scale: its label, the colour it is drawn in and its fixed range.
struct AxisScale {
    std::string label;
    RgbColour colour;
    double min = 0.0;
    double max = 0.0;
    friend bool operator==(const AxisScale&, const AxisScale&) = default;
};

// The axes take the subsets in order, each as many as it holds: the time graph gives each two
// (the second on the right scale) or one; flights laid over one another share a left scale.
struct GraphAxis {
    int subsets = 1;
    int rightSubsets = 0;  // 0 or 1: whether the last of its subsets uses the right scale
    float heightShare = 1.0f;
    AxisScale left;
    AxisScale right;  // used only when rightSubsets is 1
    friend bool operator==(const GraphAxis&, const GraphAxis&) = default;
};

// A labelled vertical line across the plot; none is drawn when x is off the X axis.
struct VerticalLine {
    double x = 0.0;
    RgbColour colour;
    std::string text;
    float width = 1.5f;  // pixels
    // How far down the plot its label sits (0 top, 1 bottom); below 0, as the text's placement
    // code says.
    float labelDepth = -1.0f;
    friend bool operator==(const VerticalLine&, const VerticalLine&) = default;
};

// A plot area of its own below the time axes, with its own horizontal axis that is not time:
// the bars of a histogram (seconds spent per value bin) or the curve of a spectrum.
enum class BandKind { Bars, Curve };

struct ValueBand {
    BandKind kind = BandKind::Curve;
    std::string xLabel;
    XRange xRange;
    AxisScale scale;       // the vertical axis, in the series' colour
    std::vector<float> x;  // bars: the value each bin's samples round to; curve: the abscissas
    std::vector<float> y;
    double barWidth = 0.0;  // bars only, in X units: each bar is centred on its x
    friend bool operator==(const ValueBand&, const ValueBand&) = default;
};

// A simulated track drawn beside one subset's curve: dashed, in that subset's colour, on its
// value axis, over the same time axis.
struct OverlayCurve {
    int subset = 0;
    std::vector<float> x;
    std::vector<float> y;  // the null value leaves a gap
    std::string name;
    friend bool operator==(const OverlayCurve&, const OverlayCurve&) = default;
};

// Raised by the engine: the user dragged a zoom rectangle, or asked to undo a zoom.
struct ZoomEvents {
    std::function<void()> zoomedIn;
    std::function<void()> undoAsked;
};

class GraphEngine {
public:
    virtual ~GraphEngine() = default;

    // Data. Changing a count keeps the points that remain and fills new ones with the null value.
    virtual void SetSubsets(int subsets) = 0;
    virtual void SetPoints(int points) = 0;
    virtual int Subsets() const = 0;
    virtual int Points() const = 0;
    virtual void SetPoint(int subset, int point, float x, float y) = 0;

    // The colour a subset is drawn in, as the engine holds it (it may round what it was given).
    virtual void SetSubsetColour(int subset, RgbColour colour) = 0;
    virtual RgbColour SubsetColour(int subset) const = 0;

    // Scales: one axis per pair of subsets, each with its share of the plot's height. The
    // overlap list is empty (axes stacked) or holds the axis count (all in one plot area).
    virtual void SetAxes(const std::vector<GraphAxis>& axes) = 0;
    virtual void SetOverlappedAxes(const std::vector<int>& overlap) = 0;
    virtual void SetXAxisLabel(const std::string& label) = 0;
    virtual void SetXRange(XRange range) = 0;

    virtual void SetTitles(const std::string& mainTitle, const std::string& subTitle) = 0;
    virtual void SetVerticalLines(const std::vector<VerticalLine>& lines) = 0;

    // A legend naming subset s names[s]; none when names is empty.
    virtual void SetLegend(const std::vector<std::string>& names) = 0;

    // The bands drawn below the time axes, top to bottom, each as tall as one stacked time axis.
    // They keep their own horizontal range: a zoom of the time axes does not move them, and the
    // event lines are not drawn across them.
    virtual void SetBands(const std::vector<ValueBand>& bands) = 0;

    virtual void SetZoomEvents(ZoomEvents events) = 0;
    // The X range the user's zoom rectangle chose; readable while zoomedIn runs.
    virtual XRange ZoomedXRange() const = 0;

    // Nothing set above is drawn before this: the engine rebuilds its picture and repaints.
    virtual void Apply() = 0;

    // Writes the graph as a picture of width × height pixels (0 × 0: the size on screen), in
    // the format the path's extension names. False when it cannot be written.
    virtual bool SavePicture(const std::string& path, int width, int height) = 0;

    // The curves drawn beside the subsets. They are kept, and drawn at every Apply, until set
    // again: a zoom or its undo leaves them in place. An overlay of a subset that is not drawn
    // is not drawn either.
    virtual void SetOverlays(const std::vector<OverlayCurve>& overlays) = 0;
};

}  // namespace orvale
