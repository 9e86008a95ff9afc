#include "app/render_command.h"

#include <QPrinter>
#include <cctype>
#include <cstring>
#include <optional>
#include "graph/qcustomplot_header.h"

#include "app/cli_flight.h"
#include "app/cli_options.h"
#include "app/desktop_program.h"
#include "core/file_error.h"
#include "core/prompts.h"
#include "core/time_window.h"
#include "files/startup_files.h"
#include "graph/graph_build.h"
#include "graph/graph_data_export.h"
#include "graph/graph_report_printer.h"
#include "graph/graph_zoom.h"
#include "graph/qcp_graph_engine.h"
#include "graph/simulation_overlay.h"

namespace orvale {

namespace {

constexpr int kDefaultWidth = 1000;
constexpr int kDefaultHeight = 700;
constexpr int kLargestSide = 20000;

struct RenderOptions {
    std::string flight;
    std::string graph;
    std::optional<std::string> data;
    std::optional<std::string> report;
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    FlightFileOptions files;
    std::optional<double> start;
    std::optional<double> length;
    std::optional<XRange> zoom;
    std::optional<std::string> simulation;
    bool overlap = true;  // "Overlap all Channels" is on at start
};

// What the error box and the message boxes would show, written to the error stream.
class RenderPrompts : public Prompts {
public:
    explicit RenderPrompts(std::ostream& err) : err_(err) {}
    void ShowErrorBox(const std::string& message, const std::string& line2,
                      const std::string& line3) override {
        err_ << "orvale: " << message << "\n";
        if (!line2.empty() || !line3.empty())
            err_ << "  " << line2 << "\n  " << line3 << "\n";
    }
    void ShowSummaryDialog(AppState& state) override { state.summaryDialogResult = 1; }
    void SetFlightCommandsEnabled(bool) override {}
    void ShowWarning(const std::string& text) override { err_ << "orvale: " << text << "\n"; }
    bool ConfirmWarning(const std::string&) override { return true; }
    void ShowInformation(const std::string& text) override { err_ << "orvale: " << text << "\n"; }
    std::optional<std::string> AskOpenFileName(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskSaveFileName(const FileDialogRequest&) override { return {}; }

private:
    std::ostream& err_;
};

// The engine of the window, whose zoom rectangle is the range named on the command line.
class CommandLineZoom : public GraphEngine {
public:
    CommandLineZoom(GraphEngine& engine, XRange zoom) : engine_(engine), zoom_(zoom) {}
    void SetSubsets(int subsets) override { engine_.SetSubsets(subsets); }
    void SetPoints(int points) override { engine_.SetPoints(points); }
    int Subsets() const override { return engine_.Subsets(); }
    int Points() const override { return engine_.Points(); }
    void SetPoint(int subset, int point, float x, float y) override {
        engine_.SetPoint(subset, point, x, y);
    }
    void SetSubsetColour(int subset, RgbColour colour) override {
        engine_.SetSubsetColour(subset, colour);
    }
    RgbColour SubsetColour(int subset) const override { return engine_.SubsetColour(subset); }
    void SetAxes(const std::vector<GraphAxis>& axes) override { engine_.SetAxes(axes); }
    void SetOverlappedAxes(const std::vector<int>& overlap) override {
        engine_.SetOverlappedAxes(overlap);
    }
    void SetXAxisLabel(const std::string& label) override { engine_.SetXAxisLabel(label); }
    void SetXRange(XRange range) override { engine_.SetXRange(range); }
    void SetTitles(const std::string& mainTitle, const std::string& subTitle) override {
        engine_.SetTitles(mainTitle, subTitle);
    }
    void SetVerticalLines(const std::vector<VerticalLine>& lines) override {
        engine_.SetVerticalLines(lines);
    }
    void SetBands(const std::vector<ValueBand>& bands) override { engine_.SetBands(bands); }
    void SetZoomEvents(ZoomEvents events) override { engine_.SetZoomEvents(std::move(events)); }
    XRange ZoomedXRange() const override { return zoom_; }
    void Apply() override { engine_.Apply(); }
    bool SavePicture(const std::string& path, int width, int height) override {
        return engine_.SavePicture(path, width, height);
    }
    void SetOverlays(const std::vector<OverlayCurve>& overlays) override {
        engine_.SetOverlays(overlays);
    }
    void SetLegend(const std::vector<std::string>& names) override { engine_.SetLegend(names); }

private:
    GraphEngine& engine_;
    XRange zoom_;
};

std::string LowerExtension(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

std::optional<std::pair<int, int>> ParseSize(const std::string& text) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const auto w = ParseWholeNumber(text.substr(0, x));
    const auto h = ParseWholeNumber(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kLargestSide || *h > kLargestSide)
        return std::nullopt;
    return std::pair{*w, *h};
}

std::optional<XRange> ParseZoom(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto a = ParseDecimal(text.substr(0, colon));
    const auto b = ParseDecimal(text.substr(colon + 1));
    if (!a || !b || !(*b > *a))
        return std::nullopt;
    return XRange{*a, *b};
}

// Returns an error text, or empty when the arguments are good.
std::string ParseRenderArgs(const std::vector<std::string>& args, RenderOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0)
            return "unexpected argument \"" + a + "\"";
        const auto v = OptionValue(args, i);
        if (!v)
            return a + " needs a value";
        if (a == "--render") {
            o.flight = *v;
        } else if (a == "--graph") {
            o.graph = *v;
        } else if (a == "--data") {
            o.data = *v;
        } else if (a == "--report") {
            o.report = *v;
        } else if (a == "--par") {
            o.files.parFile = *v;
        } else if (a == "--size") {
            const auto size = ParseSize(*v);
            if (!size)
                return "--size needs a width and height in pixels such as 1000x700, not \"" + *v +
                       "\"";
            o.width = size->first;
            o.height = size->second;
        } else if (a == "--start" || a == "--length") {
            if (std::string problem = ParseWindowOption(a, *v, o.start, o.length); !problem.empty())
                return problem;
        } else if (a == "--zoom") {
            o.zoom = ParseZoom(*v);
            if (!o.zoom)
                return "--zoom needs two times A:B with A before B, not \"" + *v + "\"";
        } else if (a == "--sim") {
            o.simulation = *v;
        } else if (a == "--overlap") {
            if (*v != "on" && *v != "off")
                return "--overlap needs on or off, not \"" + *v + "\"";
            o.overlap = *v == "on";
        } else {
            return "unknown option " + a;
        }
    }
    if (o.flight.empty())
        return "no flight file given";
    if (o.graph.empty() && !o.report)
        return "name the picture to write with --graph OUT.png, OUT.svg, OUT.pdf or OUT.jpg, "
               "or the report with --report OUT.pdf";
    const std::string ext = LowerExtension(o.graph);
    if (!o.graph.empty() && ext != "png" && ext != "svg" && ext != "pdf" && ext != "jpg" &&
        ext != "jpeg")
        return "--graph needs a .png, .svg, .pdf or .jpg file name, not \"" + o.graph + "\"";
    if (o.report && LowerExtension(*o.report) != "pdf")
        return "--report needs a .pdf file name, not \"" + *o.report + "\"";
    return {};
}

const char* BuildProblem(BuildResult result) {
    switch (result) {
        case BuildResult::NothingToDraw:
            return "no channel is selected in the parameter file: nothing was drawn";
        case BuildResult::NoFlight:
            return "the flight could not be read: nothing was drawn";
        case BuildResult::SeriesFailed:
            return "a channel could not be computed: nothing was drawn";
        case BuildResult::Drawn:
            break;
    }
    return "";
}

// The printed report as a PDF file, as "&Print" would print it to a file.
bool WriteReport(const std::string& path, AppState& state, Prompts& prompts,
                 QcpGraphEngine& engine) {
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return PrintGraphReport(state, prompts, engine, printer);
}

int Render(const RenderOptions& o, RenderPrompts& prompts, std::ostream& err,
           const std::string& executableDirectory) {
    AppState state;
    StartupEnvironment env = DesktopEnvironment(executableDirectory);
    env.bundledSamplesDirectory.clear();  // a render creates no working directory
    InitProgramState(state, env, prompts);
    OpenCliFlight(state, prompts, o.flight, o.files);
    if (o.start)
        SetGraphStart(state, prompts, false, *o.start);
    if (o.length)
        SetGraphLength(state, prompts, false, *o.length);

    // Laid out at the picture's size, never shown.
    QCustomPlot plot;
    plot.resize(o.width, o.height);
    QcpGraphEngine window(&plot);
    CommandLineZoom engine(window, o.zoom.value_or(XRange{}));
    GraphView view;
    const GraphWindowState graphWindow{o.overlap, state.summaryRows.drogueRowVisible, {}};
    const BuildResult built = BuildGraph(state, prompts, engine, graphWindow, view);
    if (built != BuildResult::Drawn) {
        err << "orvale: " << BuildProblem(built) << "\n";
        return 1;
    }
    if (o.simulation) {
        // Beside the flight's matching series; the zoom below keeps it.
        const ShownSimulation simulation = LoadSimulation(state, *o.simulation);
        engine.SetOverlays(
            SimulationOverlays(state, simulation, static_cast<int>(view.channelSlots.size())));
        engine.Apply();
    }
    if (o.zoom) {
        const ZoomResult zoomed = ZoomIn(state, prompts, engine, view);
        if (zoomed == ZoomResult::Failed || zoomed == ZoomResult::NotDrawn) {
            err << "orvale: the zoom could not be drawn\n";
            return 1;
        }
    }
    if (!o.graph.empty() && !engine.SavePicture(o.graph, o.width, o.height)) {
        err << "orvale: " << o.graph << ": the picture could not be written\n";
        return 1;
    }
    if (o.data && !SaveGraphData(*o.data, state, view)) {
        err << "orvale: " << *o.data << ": the data could not be written\n";
        return 1;
    }
    // Last: the report reads each series' flight and parameter file again.
    if (o.report && !WriteReport(*o.report, state, prompts, window)) {
        err << "orvale: " << *o.report << ": the report could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace

bool IsRenderCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--render") == 0)
            return true;
    return false;
}

int RunRender(const std::vector<std::string>& args, std::ostream& err,
              const std::string& executableDirectory) {
    RenderOptions o;
    if (std::string problem = ParseRenderArgs(args, o); !problem.empty()) {
        err << "orvale --render: " << problem << "\n" << kRenderUsage;
        return 1;
    }
    RenderPrompts prompts(err);
    try {
        return Render(o, prompts, err, executableDirectory);
    } catch (const FileError& e) {
        err << "orvale: " << e.what() << "\n";
    } catch (const SimulationError& e) {
        err << "orvale: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "orvale: " << o.flight << ": " << e.what() << "\n";
    }
    return 1;
}

}  // namespace orvale
