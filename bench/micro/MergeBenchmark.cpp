#include "micro/BenchmarkData.h"

#include "data/MergeUtility.h"
#include "output/ByteSink.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace pellaquin {

namespace {

// The merge into memory. Without sources it only copies the listing's games; the difference to the
// run with sources is what the catver.ini and controls.xml look-ups and insertions cost.
void BM_MergeDataFiles(benchmark::State& state, bool withSources) {
    MergeSources sources;
    sources.listingPath = BenchmarkDataPath("classic.xml");
    if (withSources) {
        sources.catverPath = BenchmarkDataPath("catver.ini");
        sources.controlsPath = BenchmarkDataPath("controls.xml");
    }
    std::int64_t listingBytes = std::ifstream(sources.listingPath, std::ios::binary | std::ios::ate).tellg();
    for (auto _ : state) {
        MemorySink sink;
        if (MergeDataFiles(sources, sink) != MergeResult::OK) {
            state.SkipWithError("the merge failed");
            break;
        }
        benchmark::DoNotOptimize(sink.Bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * listingBytes);
}
BENCHMARK_CAPTURE(BM_MergeDataFiles, listing_only, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_MergeDataFiles, with_catver_and_controls, true)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

} // namespace pellaquin
