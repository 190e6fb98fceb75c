#include "micro/BenchmarkData.h"

#include "output/ByteSink.h"
#include "output/MalaListSettings.h"
#include "output/GameScanner.h"
#include "records/InputFile.h"

#include <benchmark/benchmark.h>

#include <string>

namespace pellaquin {

namespace {

// Whole lists over the generated listing, as pellaquin-cli runs them but without its process and
// output file: reading, matching and extraction together, to weigh the parts above against. Timed by
// the clock on the wall, since the writers share their work with a second thread.
template <typename Write> void RunWriter(benchmark::State& state, Write write) {
    std::string path = BenchmarkDataPath("classic.xml");
    std::int64_t bytes = 0;
    std::int64_t matches = 0;
    for (auto _ : state) {
        InputFile input;
        input.Open(path);
        GameScanner scanner;
        scanner.m_fieldSeparator = ",";
        write(scanner, input);
        benchmark::DoNotOptimize(scanner.m_resultText.data());
        bytes += input.Size();
        matches += scanner.m_matchCount;
    }
    state.SetBytesProcessed(bytes);
    state.counters["matches"] = static_cast<double>(matches) / static_cast<double>(state.iterations());
}

void BM_WriteNameList(benchmark::State& state, std::string_view command) {
    RunWriter(state, [command](GameScanner& scanner, InputFile& input) {
        scanner.m_searchCommand = command;
        scanner.WriteNameList(input);
    });
}
BENCHMARK_CAPTURE(BM_WriteNameList, originals_working, std::string_view("!cloneof & !emulation=preliminary"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteNameList, wizard_default,
                  std::string_view("(buttons=2 | buttons=1 | !buttons=) & !emulation=preliminary"))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_WriteCsvList(benchmark::State& state) {
    RunWriter(state, [](GameScanner& scanner, InputFile& input) {
        scanner.m_searchCommand = "<description>,<game name=,year,manufacturer,buttons=,rotate=";
        scanner.WriteCsvList(input);
    });
}
BENCHMARK(BM_WriteCsvList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteMalaList(benchmark::State& state) {
    RunWriter(state, [](GameScanner& scanner, InputFile& input) {
        scanner.m_searchCommand = "=";
        MemorySink sink;
        scanner.WriteMalaList(input, sink, MalaListSettings{"All games"});
        benchmark::DoNotOptimize(sink.Bytes().data());
    });
}
BENCHMARK(BM_WriteMalaList)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

} // namespace pellaquin
