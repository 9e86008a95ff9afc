// The graph window's two costs a flyer feels: "Draw Graph" with twelve channels over a whole
// flight until the graph is painted, and a zoom that computes every series again until the graph
// is painted again. Runs offscreen on a real QCustomPlot of the window's size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_flight.h"
#include "app/cli_prompts.h"
#include "bench_flight.h"
#include "core/file_error.h"
#include "files/path_lookup.h"
#include "files/startup_files.h"
#include "graph/graph_build.h"
#include "graph/graph_zoom.h"
#include "graph/multi_graph.h"
#include "graph/qcp_graph_engine.h"
#include "qcustomplot.h"

namespace {

// The real engine, except that the zoom rectangle's span is set here instead of dragged.
class DraggedEngine : public orvale::GraphEngine {
public:
    explicit DraggedEngine(orvale::QcpGraphEngine& real) : real_(real) {}
    orvale::XRange dragged;

    void SetSubsets(int n) override { real_.SetSubsets(n); }
    void SetPoints(int n) override { real_.SetPoints(n); }
    int Subsets() const override { return real_.Subsets(); }
    int Points() const override { return real_.Points(); }
    void SetPoint(int s, int p, float x, float y) override { real_.SetPoint(s, p, x, y); }
    void SetSubsetColour(int s, orvale::RgbColour c) override { real_.SetSubsetColour(s, c); }
    orvale::RgbColour SubsetColour(int s) const override { return real_.SubsetColour(s); }
    void SetAxes(const std::vector<orvale::GraphAxis>& a) override { real_.SetAxes(a); }
    void SetOverlappedAxes(const std::vector<int>& o) override { real_.SetOverlappedAxes(o); }
    void SetXAxisLabel(const std::string& l) override { real_.SetXAxisLabel(l); }
    void SetXRange(orvale::XRange r) override { real_.SetXRange(r); }
    void SetTitles(const std::string& m, const std::string& s) override { real_.SetTitles(m, s); }
    void SetBands(const std::vector<orvale::ValueBand>& b) override { real_.SetBands(b); }
    void SetVerticalLines(const std::vector<orvale::VerticalLine>& l) override {
        real_.SetVerticalLines(l);
    }
    void SetLegend(const std::vector<std::string>& n) override { real_.SetLegend(n); }
    void SetOverlays(const std::vector<orvale::OverlayCurve>& o) override { real_.SetOverlays(o); }
    void SetZoomEvents(orvale::ZoomEvents e) override { real_.SetZoomEvents(std::move(e)); }
    orvale::XRange ZoomedXRange() const override { return dragged; }
    void Apply() override { real_.Apply(); }
    bool SavePicture(const std::string& p, int w, int h) override {
        return real_.SavePicture(p, w, h);
    }

private:
    orvale::QcpGraphEngine& real_;
};

// A flight with the twelve channels selected over the whole recording, and a shown plot of the
// graph window's usual size.
struct TwelveChannelGraph {
    orvale::AppState state;
    orvale::CliPrompts prompts{std::cerr};
    QCustomPlot plot;
    orvale::QcpGraphEngine real{&plot};
    DraggedEngine engine{real};
    orvale::GraphView view;
    orvale::GraphWindowState window;

    bool Load(benchmark::State& st, bool overlap) {
        orvale::InitProgramState(state, {0, "/tmp/orvale-bench/", {}}, prompts);
        try {
            orvale::OpenCliFlight(state, prompts, orvale::bench::SampleFlight(), {});
        } catch (const orvale::FileError& e) {
            st.SkipWithError(e.what());
            return false;
        }
        state.entries[0].graphLength = state.entries[0].duration;
        for (size_t i = 0; i < orvale::bench::kTwelveFormulas.size(); ++i) {
            state.channels[i].formula = orvale::bench::kTwelveFormulas[i];
            state.channels[i].selected = true;
        }
        window.overlap = overlap;
        plot.resize(1000, 700);
        plot.show();
        return true;
    }

    // Draws and waits for the paint, as the window shows it.
    bool Draw(benchmark::State& st) {
        if (orvale::BuildGraph(state, prompts, engine, window, view) !=
            orvale::BuildResult::Drawn) {
            st.SkipWithError("the graph was not drawn");
            return false;
        }
        plot.repaint();
        return true;
    }
};

void BM_DrawGraphTwelveChannels(benchmark::State& st) {
    TwelveChannelGraph g;
    if (!g.Load(st, st.range(0) != 0))
        return;
    for (auto _ : st) {
        if (!g.Draw(st))
            return;
    }
}
BENCHMARK(BM_DrawGraphTwelveChannels)
    ->ArgName("overlap")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// A 20 s rectangle out of the whole flight computes all twelve series again; the undo that
// returns to the whole flight is left out of the figure.
void BM_RecomputingZoomTwelveChannels(benchmark::State& st) {
    TwelveChannelGraph g;
    if (!g.Load(st, false) || !g.Draw(st))
        return;
    const double start = g.state.entries[0].graphStart;
    g.engine.dragged = {start + 5.0, start + 25.0};
    for (auto _ : st) {
        if (orvale::ZoomIn(g.state, g.prompts, g.engine, g.view) !=
            orvale::ZoomResult::Recomputed) {
            st.SkipWithError("the zoom did not recompute");
            return;
        }
        g.plot.repaint();
        st.PauseTiming();
        orvale::UndoZoom(g.state, g.prompts, g.engine, g.view);
        st.ResumeTiming();
    }
}
BENCHMARK(BM_RecomputingZoomTwelveChannels)->Unit(benchmark::kMillisecond);

// Twelve flights laid over one another (the eight sample flights, four of them twice), each read
// with its parameter file, aligned at launch, drawn and painted; and a 10 s zoom that computes
// all twelve again.
struct TwelveFlightGraph : TwelveChannelGraph {
    orvale::MultiGraphChoice choice;

    bool Load(benchmark::State& st) {
        orvale::InitProgramState(state, {0, "/tmp/orvale-bench/", {}}, prompts);
        const std::string folder = orvale::DirectoryPart(orvale::bench::SampleFlight());
        for (int i = 0; i < orvale::kMostMultiGraphRows; ++i) {
            const std::string name = folder + "FLT-00" + std::to_string(i % 8 + 1) + ".DAT";
            choice.rows.push_back(orvale::NewMultiGraphRow(name, i));
        }
        plot.resize(1000, 700);
        plot.show();
        if (orvale::BuildMultiGraph(state, prompts, engine, choice, view) !=
            orvale::BuildResult::Drawn) {
            st.SkipWithError("the flights were not drawn");
            return false;
        }
        return true;
    }
};

void BM_DrawTwelveFlightsOverlaid(benchmark::State& st) {
    TwelveFlightGraph g;
    if (!g.Load(st))
        return;
    for (auto _ : st) {
        orvale::BuildMultiGraph(g.state, g.prompts, g.engine, g.choice, g.view);
        g.plot.repaint();
    }
    st.counters["flights"] = static_cast<double>(g.view.channelSlots.size());
}
BENCHMARK(BM_DrawTwelveFlightsOverlaid)->Unit(benchmark::kMillisecond);

void BM_RecomputingZoomTwelveFlights(benchmark::State& st) {
    TwelveFlightGraph g;
    if (!g.Load(st))
        return;
    g.engine.dragged = {2.0, 12.0};
    for (auto _ : st) {
        if (orvale::MultiGraphZoomIn(g.state, g.prompts, g.engine, g.choice, g.view) !=
            orvale::ZoomResult::Recomputed) {
            st.SkipWithError("the zoom did not recompute");
            return;
        }
        g.plot.repaint();
        st.PauseTiming();
        orvale::MultiGraphUndoZoom(g.state, g.prompts, g.engine, g.choice, g.view);
        st.ResumeTiming();
    }
}
BENCHMARK(BM_RecomputingZoomTwelveFlights)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
