// The graph engine on QCustomPlot: one plot area per vertical scale pair (a left and a right
// value axis), or every pair in one area when overlapped; a curve per subset; a labelled vertical
// line per event marker; below them a plot area per histogram (bars) or spectrum (a curve on a
// frequency axis). A dragged rectangle reports its X range as a zoom; "Undo Zoom" on the
// right-click menu and the Backspace key ask to undo one.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "graph/graph_engine.h"

class QCustomPlot;
class QCPAxis;
class QCPAxisRect;
class QPainter;
class QRect;

namespace orvale {

// Writes the plot as a picture in the format the path's extension names (PNG, SVG, PDF, JPEG,
// BMP) at width × height (0 × 0: its size on screen); an SVG carries the title. False when it
// cannot be written.
bool SavePlotPicture(QCustomPlot& plot, const std::string& path, int width, int height,
                     const std::string& title);

class QcpGraphEngine : public QObject, public GraphEngine {
public:
    // Draws into plot, which stays the caller's.
    explicit QcpGraphEngine(QCustomPlot* plot);

    void SetSubsets(int subsets) override;
    void SetPoints(int points) override;
    int Subsets() const override { return static_cast<int>(points_.size()); }
    int Points() const override { return pointCount_; }
    void SetPoint(int subset, int point, float x, float y) override;
    void SetSubsetColour(int subset, RgbColour colour) override;
    RgbColour SubsetColour(int subset) const override;
    void SetAxes(const std::vector<GraphAxis>& axes) override;
    void SetOverlappedAxes(const std::vector<int>& overlap) override;
    void SetXAxisLabel(const std::string& label) override;
    void SetXRange(XRange range) override;
    void SetTitles(const std::string& mainTitle, const std::string& subTitle) override;
    void SetVerticalLines(const std::vector<VerticalLine>& lines) override;
    void SetLegend(const std::vector<std::string>& names) override;
    void SetBands(const std::vector<ValueBand>& bands) override;
    void SetZoomEvents(ZoomEvents events) override;
    XRange ZoomedXRange() const override { return zoomed_; }
    void Apply() override;
    bool SavePicture(const std::string& path, int width, int height) override;
    void SetOverlays(const std::vector<OverlayCurve>& overlays) override;

    // Draws the graph, laid out at target's size, into painter at target as drawing commands
    // (lines and text, not pixels), then lays the plot out at its window size again.
    void DrawPicture(QPainter& painter, const QRect& target);

    // The plot areas as last applied, top to bottom (for the window and tests).
    std::vector<QCPAxisRect*> AxisRects() const { return rects_; }
    // The plot areas of the histogram and spectrum bands, below them.
    std::vector<QCPAxisRect*> BandRects() const { return bandRects_; }

private:
    struct Point {
        float x;
        float y;
    };

    void ZoomRectangle(const QRect& rect);
    void AddAxisRects();
    void AddCurves();
    void AddLines();
    void AddBands(int firstRow);
    void AddLegend();
    void AddOverlays();

    QPointer<QCustomPlot> plot_;
    int pointCount_ = 0;
    std::vector<std::vector<Point>> points_;
    std::vector<RgbColour> colours_;
    std::vector<GraphAxis> axes_;
    std::vector<int> overlap_;
    std::string xLabel_;
    XRange xRange_;
    std::string mainTitle_;
    std::string subTitle_;
    std::vector<VerticalLine> lines_;
    std::vector<std::string> legend_;
    std::vector<ValueBand> bands_;
    ZoomEvents events_;
    XRange zoomed_;
    std::vector<QCPAxisRect*> rects_;
    std::vector<QCPAxisRect*> bandRects_;
    // The value axis of every subset, as laid out by the last Apply.
    std::vector<QCPAxis*> valueAxes_;
    std::vector<OverlayCurve> overlays_;
};

}  // namespace orvale
