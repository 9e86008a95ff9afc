// The printed graph report of twelve channels written to PDF, as "&Print" to a file and
// `orvale --render --report` write it: each series' flight and parameter file read again, the
// text laid out and the graph drawn as a vector picture. Offscreen; the graph is built once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_flight.h"
#include "app/cli_prompts.h"
#include "bench_flight.h"
#include "core/file_error.h"
#include "files/startup_files.h"
#include "graph/graph_build.h"
#include "graph/graph_report_printer.h"
#include "graph/qcp_graph_engine.h"
#include "graph/qcustomplot_header.h"

namespace {

const std::vector<std::string> kTwelve{
    "ch1",         "ch2",        "int(ch1)*32.17",    "int(int(ch1))*32.17",
    "dif(ch2)",    "ch2*0.3048", "(ch1-1)^2",         "sin(x)*ch1",
    "exp(ch1/10)", "ln(ch2+1)",  "abs(ch1)+atn(ch1)", "ch1+ch2"};

void ReportOfTwelveChannels(benchmark::State& st) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvale-bench";
    std::filesystem::create_directories(dir);
    orvale::AppState state;
    orvale::CliPrompts prompts(std::cerr);
    orvale::InitProgramState(state, {0, dir.string() + "/", {}}, prompts);
    try {
        orvale::OpenCliFlight(state, prompts, orvale::bench::SampleFlight(), {});
    } catch (const orvale::FileError& e) {
        st.SkipWithError(e.what());
        return;
    }
    for (size_t i = 0; i < kTwelve.size(); ++i) {
        orvale::ChannelDef& channel = state.channels[i];
        channel.selected = true;
        channel.formula = kTwelve[i];
        channel.title = "Channel " + std::to_string(i + 1);
    }
    QCustomPlot plot;
    plot.resize(1000, 700);
    orvale::QcpGraphEngine engine(&plot);
    orvale::GraphView view;
    if (orvale::BuildGraph(state, prompts, engine, {true, true, {}}, view) !=
        orvale::BuildResult::Drawn) {
        st.SkipWithError("the graph could not be built");
        return;
    }
    const QString pdf = QString::fromStdString((dir / "report.pdf").string());
    for (auto _ : st) {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!orvale::PrintGraphReport(state, prompts, engine, printer)) {
            st.SkipWithError("the report could not be written");
            return;
        }
    }
    st.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(dir / "report.pdf"));
}

}  // namespace

BENCHMARK(ReportOfTwelveChannels)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
