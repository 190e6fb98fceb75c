#include "micro/BenchmarkData.h"

#include "records/InputFile.h"
#include "records/RecordReader.h"
#include "records/ScanCycle.h"
#include "records/TagVocabulary.h"

#include <benchmark/benchmark.h>

namespace pellaquin {

namespace {

void CountListing(benchmark::State& state, std::int64_t games, std::int64_t bytes) {
    state.SetItemsProcessed(games);
    state.SetBytesProcessed(bytes);
    state.counters["games"] = static_cast<double>(games) / static_cast<double>(state.iterations());
}

// The reader every writer runs: detection, then ReadGameRecord over the whole listing (from the page cache).
void BM_ReadGameRecord(benchmark::State& state) {
    std::string path = BenchmarkDataPath("classic.xml");
    std::string header;
    std::string record;
    std::int64_t games = 0;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        InputFile input;
        RecordReader reader;
        ScanCycle cycle(input, reader);
        input.Open(path);
        header.clear();
        cycle.Start(header);
        while (cycle.Next(record)) {
            ++games;
        }
        bytes += input.Size();
    }
    CountListing(state, games, bytes);
}
BENCHMARK(BM_ReadGameRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same records read piece by piece, the way the reading rule is worded: what the bulk tag search saves.
void BM_ReadGameRecordPieceByPiece(benchmark::State& state) {
    std::string path = BenchmarkDataPath("classic.xml");
    std::string header;
    std::string record;
    std::int64_t games = 0;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        InputFile input;
        RecordReader reader;
        input.Open(path);
        header.clear();
        InputFormat format = DetectInputFormat(input, header);
        while (reader.ReadGameRecordPieceByPiece(input, record, TagVocabulary::GameStartTag(format))) {
            ++games;
        }
        bytes += input.Size();
    }
    CountListing(state, games, bytes);
}
BENCHMARK(BM_ReadGameRecordPieceByPiece)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

} // namespace pellaquin
