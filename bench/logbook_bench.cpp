// The flight logbook of a folder of flights, in-process: every image decoded and summarised with
// its parameter file. The folder comes from ORVALE_LOGBOOK_DIR (bench/logbook_bench.sh makes
// one of a thousand flights); without it the benchmark is skipped.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/logbook.h"

namespace {

void BM_LogbookOfAFolder(benchmark::State& st) {
    const char* folder = std::getenv("ORVALE_LOGBOOK_DIR");
    if (!folder) {
        st.SkipWithError("set ORVALE_LOGBOOK_DIR to a folder of flights");
        return;
    }
    size_t rows = 0;
    for (auto _ : st) {
        const orvale::Logbook book = orvale::ReadLogbook({folder}, "/tmp/orvale-bench/");
        rows = book.rows.size();
        benchmark::DoNotOptimize(rows);
    }
    st.counters["flights"] = static_cast<double>(rows);
}
BENCHMARK(BM_LogbookOfAFolder)->Unit(benchmark::kMillisecond);

}  // namespace
