// Decode and summary of one flight from memory, and the whole summary command over the samples.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include <iostream>
#include "app/cli_prompts.h"
#include "app/cli_summary.h"
#include "core/image_decode.h"
#include "core/summary_pass.h"
#include "files/startup_files.h"

namespace {

std::filesystem::path SamplesDir() {
    for (auto dir = std::filesystem::current_path(); !dir.empty(); dir = dir.parent_path()) {
        if (std::filesystem::exists(dir / "samples" / "README.md"))
            return dir / "samples";
        if (dir == dir.parent_path())
            break;
    }
    return "samples";
}

std::vector<std::string> SampleFlights() {
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(SamplesDir()))
        if (e.path().extension() == ".DAT")
            files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The decode and pass of ProcessImage without the file read: the recorder image is in memory.
void BM_DecodeAndSummary(benchmark::State& st) {
    const auto files = SampleFlights();
    if (files.empty()) {
        st.SkipWithError("no sample flights");
        return;
    }
    orvale::AppState state;
    orvale::CliPrompts prompts(std::cerr);
    orvale::InitProgramState(state, {0, "/tmp/orvale-bench/", {}}, prompts);
    const orvale::ImageBytes bytes = orvale::ReadImageFile(files.front());
    for (auto _ : st) {
        std::copy(bytes.begin(), bytes.end(), state.image.begin());
        orvale::DecodeHeader(state);
        orvale::ResetSummaryResults(state.results);
        orvale::RewriteLeadFrames(state.image.data());
        state.samplesPerSecond = 16;
        orvale::RunSummaryPass(state);
        benchmark::DoNotOptimize(state.results.maxSpeed);
    }
}
BENCHMARK(BM_DecodeAndSummary)->Unit(benchmark::kMicrosecond);

// `orvale-cli summary` over every sample, in-process: start-up, file reads, decode, texts.
void BM_CliSummaryAllSamples(benchmark::State& st) {
    std::vector<std::string> args{"summary"};
    for (const auto& f : SampleFlights())
        args.push_back(f);
    for (auto _ : st) {
        std::ostringstream out, err;
        int status = orvale::RunCli(args, out, err, "/tmp/orvale-bench/");
        if (status != 0)
            st.SkipWithError("summary failed");
        benchmark::DoNotOptimize(out.str().size());
    }
    st.counters["flights"] = static_cast<double>(args.size() - 1);
}
BENCHMARK(BM_CliSummaryAllSamples)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
