#include "micro/BenchmarkData.h"

#include "records/InputFormat.h"
#include "search/Extraction.h"
#include "search/FieldExtractor.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace pellaquin {

namespace {

constexpr std::string_view SIX_COLUMNS = "<description>,<game name=,year,manufacturer,buttons=,rotate=";

// The keys of a MaLa entry, each its own column list, as the MaLa writer asks them of every game.
constexpr std::array<std::string_view, 19> MALA_KEYS = {
    "romof=",         "cloneof=",    "sourcefile=",   "year",          "manufacturer", "category", "buttons=",
    "coins=",         "numPlayers=", "control type=", "display type=", "rotate=",      "width=",   "height=",
    "driver status=", "color=",      "sound=",        "emulation=",    "graphic=",
};

// The public operation: the column list taken apart again for each record.
void BM_ExtractFieldsSixColumns(benchmark::State& state) {
    const std::string& record = TypicalRecord();
    std::string line;
    for (auto _ : state) {
        ExtractFields(record, SIX_COLUMNS, ",", line);
        benchmark::DoNotOptimize(line.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(BM_ExtractFieldsSixColumns);

// What the CSV writer does per game: the list taken apart once, the record lowered once, six keys found together.
void BM_FieldExtractorSixColumns(benchmark::State& state) {
    const std::string& record = TypicalRecord();
    FieldExtractor extractor;
    std::size_t list = extractor.AddColumns(ParseColumnList(SIX_COLUMNS));
    std::string line;
    for (auto _ : state) {
        extractor.SetRecord(record);
        extractor.Extract(list, ",", line);
        benchmark::DoNotOptimize(line.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(BM_FieldExtractorSixColumns);

// What the MaLa writer does per game: nineteen single-key lists over one lowered record.
void BM_FieldExtractorMalaKeys(benchmark::State& state) {
    const std::string& record = TypicalRecord();
    FieldExtractor extractor;
    std::vector<std::size_t> lists;
    for (std::string_view key : MALA_KEYS) {
        lists.push_back(extractor.AddColumns(ParseColumnList(key)));
    }
    std::string field;
    for (auto _ : state) {
        extractor.SetRecord(record);
        for (std::size_t list : lists) {
            extractor.Extract(list, ",", field);
            benchmark::DoNotOptimize(field.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(BM_FieldExtractorMalaKeys);

// The name and description every list but CSV takes from a matching game.
void BM_ExtractRomNameAndDescription(benchmark::State& state) {
    const std::string& record = TypicalRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExtractRomName(record, FORMAT_LISTXML));
        benchmark::DoNotOptimize(ExtractDescription(record, FORMAT_LISTXML));
    }
}
BENCHMARK(BM_ExtractRomNameAndDescription);

} // namespace

} // namespace pellaquin
