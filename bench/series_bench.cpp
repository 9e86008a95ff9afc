// Compile and prepare graph series over the whole of a sample flight: the three default channels,
// and a set of twelve channels that exercises every kind of formula term the graph meets.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_flight.h"
#include "app/cli_prompts.h"
#include "bench_flight.h"
#include "core/file_error.h"
#include "files/startup_files.h"
#include "graph/series_preparation.h"

namespace {

// Prepares channel slots 0..count-1 as graph series 1..count over the whole recording, each in
// its own entry as the graph keeps them.
void PrepareAll(benchmark::State& st, int count, const std::vector<std::string>* formulas) {
    orvale::AppState state;
    orvale::CliPrompts prompts(std::cerr);
    orvale::InitProgramState(state, {0, "/tmp/orvale-bench/", {}}, prompts);
    try {
        orvale::OpenCliFlight(state, prompts, orvale::bench::SampleFlight(), {});
    } catch (const orvale::FileError& e) {
        st.SkipWithError(e.what());
        return;
    }
    orvale::DataFileEntry whole = state.entries[0];
    whole.graphLength = whole.duration;
    for (int i = 0; i < count; ++i) {
        if (formulas)
            state.channels[static_cast<size_t>(i)].formula = (*formulas)[static_cast<size_t>(i)];
        state.entries[static_cast<size_t>(i + 1)] = whole;
    }
    const auto start = static_cast<int32_t>(std::nearbyint(16 * whole.graphStart));
    for (auto _ : st) {
        for (int i = 0; i < count; ++i) {
            const orvale::ChannelDef& channel = state.channels[static_cast<size_t>(i)];
            state.currentEntry = static_cast<uint16_t>(i + 1);
            state.formula.displayMinimum = channel.minReading;
            state.formula.displayMaximum = channel.maxReading;
            if (!orvale::PrepareSeries(state, prompts, i, start,
                                       orvale::FilterCoefficient(channel.filter))) {
                st.SkipWithError("a series failed");
                return;
            }
            orvale::RecordSeriesRange(state);
        }
        benchmark::DoNotOptimize(state.series[1].y.data());
    }
    st.counters["samples"] = static_cast<double>(state.formula.samplesToRead);
}

void BM_SeriesThreeDefaultChannels(benchmark::State& st) {
    PrepareAll(st, 3, nullptr);
}
BENCHMARK(BM_SeriesThreeDefaultChannels)->Unit(benchmark::kMicrosecond);

void BM_SeriesTwelveChannels(benchmark::State& st) {
    PrepareAll(st, 12, &orvale::bench::kTwelveFormulas);
}
BENCHMARK(BM_SeriesTwelveChannels)->Unit(benchmark::kMicrosecond);

}  // namespace
