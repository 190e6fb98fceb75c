#include "micro/BenchmarkData.h"

#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "records/InputFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace pellaquin {

namespace {

// Whole lists over the generated listing, as pellaquin-cli runs them but without its process and
// output file: reading, matching and extraction together, to weigh the parts above against. Timed by
// the clock on the wall, since the writers share their work with a second thread.
void RunWriter(benchmark::State& state, ListType type, std::string_view command) {
    std::string path = BenchmarkDataPath("classic.xml");
    std::int64_t bytes = 0;
    std::int64_t matches = 0;
    ListRequest request{type, std::string(command)};
    request.mala.title = "All games";
    for (auto _ : state) {
        InputFile input;
        input.Open(path);
        MemorySink sink;
        matches += RunList(input, request, sink).matchCount;
        benchmark::DoNotOptimize(sink.Bytes().data());
        bytes += input.Size();
    }
    state.SetBytesProcessed(bytes);
    state.counters["matches"] = static_cast<double>(matches) / static_cast<double>(state.iterations());
}

void BM_WriteNameList(benchmark::State& state, std::string_view command) {
    RunWriter(state, ListType::NAMES, command);
}
BENCHMARK_CAPTURE(BM_WriteNameList, originals_working, std::string_view("!cloneof & !emulation=preliminary"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteNameList, wizard_default,
                  std::string_view("(buttons=2 | buttons=1 | !buttons=) & !emulation=preliminary"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_WriteCsvList(benchmark::State& state) {
    RunWriter(state, ListType::CSV, "<description>,<game name=,year,manufacturer,buttons=,rotate=");
}
BENCHMARK(BM_WriteCsvList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteMalaList(benchmark::State& state) {
    RunWriter(state, ListType::MALA, "=");
}
BENCHMARK(BM_WriteMalaList)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

} // namespace pellaquin
