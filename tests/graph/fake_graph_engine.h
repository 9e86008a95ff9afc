// A graph engine that keeps what it is given, and a copy of it at every Apply, so tests can see
// both what was set and what would be on screen.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "graph/graph_engine.h"

namespace orvale::test {

struct EngineContent {
    int points = 0;
    std::vector<std::vector<std::pair<float, float>>> data;  // [subset][point] = (x, y)
    std::vector<RgbColour> colours;
    std::vector<GraphAxis> axes;
    std::vector<int> overlap;
    std::string xLabel;
    XRange xRange;
    std::string mainTitle;
    std::string subTitle;
    std::vector<VerticalLine> lines;
    std::vector<ValueBand> bands;
    std::vector<std::string> legend;
    std::vector<OverlayCurve> overlays;
};

class FakeGraphEngine : public GraphEngine {
public:
    void SetSubsets(int subsets) override {
        now.data.resize(static_cast<size_t>(subsets));
        now.colours.resize(static_cast<size_t>(subsets));
        SetPoints(now.points);
    }
    void SetPoints(int points) override {
        now.points = points;
        for (auto& subset : now.data)
            subset.resize(static_cast<size_t>(points), {kGraphNullValue, kGraphNullValue});
    }
    int Subsets() const override { return static_cast<int>(now.data.size()); }
    int Points() const override { return now.points; }
    void SetPoint(int subset, int point, float x, float y) override {
        now.data.at(static_cast<size_t>(subset)).at(static_cast<size_t>(point)) = {x, y};
    }
    // Like a real engine, it may hold a colour a little differently from what it was given.
    void SetSubsetColour(int subset, RgbColour colour) override {
        colour.blue = static_cast<uint8_t>(colour.blue | blueBits);
        now.colours.at(static_cast<size_t>(subset)) = colour;
    }
    RgbColour SubsetColour(int subset) const override {
        return now.colours.at(static_cast<size_t>(subset));
    }
    void SetAxes(const std::vector<GraphAxis>& axes) override { now.axes = axes; }
    void SetOverlappedAxes(const std::vector<int>& overlap) override { now.overlap = overlap; }
    void SetXAxisLabel(const std::string& label) override { now.xLabel = label; }
    void SetXRange(XRange range) override { now.xRange = range; }
    void SetTitles(const std::string& mainTitle, const std::string& subTitle) override {
        now.mainTitle = mainTitle;
        now.subTitle = subTitle;
    }
    void SetVerticalLines(const std::vector<VerticalLine>& lines) override { now.lines = lines; }
    void SetBands(const std::vector<ValueBand>& bands) override { now.bands = bands; }
    void SetZoomEvents(ZoomEvents e) override { events = std::move(e); }
    XRange ZoomedXRange() const override { return zoomed; }
    void Apply() override {
        ++applies;
        shown = now;
    }
    bool SavePicture(const std::string& path, int width, int height) override {
        pictures.push_back(path + " " + std::to_string(width) + "x" + std::to_string(height));
        return true;
    }

    void SetOverlays(const std::vector<OverlayCurve>& overlays) override {
        now.overlays = overlays;
    }
    void SetLegend(const std::vector<std::string>& names) override { now.legend = names; }

    // Subset points 0..last of subset s that are not the null value.
    int DrawnPoints(int s) const {
        int n = 0;
        for (const auto& [x, y] : now.data.at(static_cast<size_t>(s)))
            n += x != kGraphNullValue && y != kGraphNullValue;
        return n;
    }

    EngineContent now;
    EngineContent shown;  // as of the last Apply
    int applies = 0;
    uint8_t blueBits = 0;
    XRange zoomed;
    ZoomEvents events;
    std::vector<std::string> pictures;
};

}  // namespace orvale::test
