#include "micro/BenchmarkData.h"

#include "records/SubstringSearch.h"
#include "search/MatchGame.h"
#include "search/PreparedText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace pellaquin {

namespace {

// Lowering and quote removal of one typical record, done once per game of every scan.
void BM_PrepareText(benchmark::State& state) {
    const std::string& record = TypicalRecord();
    std::string prepared;
    for (auto _ : state) {
        PrepareText(record, prepared);
        benchmark::DoNotOptimize(prepared.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(BM_PrepareText);

void BM_PrepareTextByteByByte(benchmark::State& state) {
    const std::string& record = TypicalRecord();
    std::string prepared;
    for (auto _ : state) {
        PrepareTextByteByByte(record, prepared);
        benchmark::DoNotOptimize(prepared.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK(BM_PrepareTextByteByByte);

// One term searched in a prepared typical record: "=" is found at once, "emulation=preliminary" near
// the end if at all, "cloneof" in a parent's record nowhere, so the whole record is read.
void BM_FindSubstring(benchmark::State& state, std::string_view needle) {
    std::string prepared;
    PrepareText(TypicalRecord(), prepared);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindSubstring(prepared, needle));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * prepared.size()));
}
BENCHMARK_CAPTURE(BM_FindSubstring, equals, std::string_view("="));
BENCHMARK_CAPTURE(BM_FindSubstring, emulation_preliminary, std::string_view("emulation=preliminary"));
BENCHMARK_CAPTURE(BM_FindSubstring, cloneof, std::string_view("cloneof"));
BENCHMARK_CAPTURE(BM_FindSubstring, absent_long, std::string_view("name=cocktail cabinet"));

// The standard library's search on the same text, as a yardstick.
void BM_StringViewFind(benchmark::State& state, std::string_view needle) {
    std::string prepared;
    PrepareText(TypicalRecord(), prepared);
    std::string_view text = prepared;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.find(needle));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * prepared.size()));
}
BENCHMARK_CAPTURE(BM_StringViewFind, emulation_preliminary, std::string_view("emulation=preliminary"));
BENCHMARK_CAPTURE(BM_StringViewFind, cloneof, std::string_view("cloneof"));

// A whole command on a typical record: preparation of record and command, grouping, every term.
void BM_MatchGame(benchmark::State& state, std::string_view command) {
    const std::string& record = TypicalRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(MatchGame(record, command));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * record.size()));
}
BENCHMARK_CAPTURE(BM_MatchGame, all_games, std::string_view("="));
BENCHMARK_CAPTURE(BM_MatchGame, originals_working, std::string_view("!cloneof & !emulation=preliminary"));
BENCHMARK_CAPTURE(BM_MatchGame, wizard_default,
                  std::string_view("(buttons=2 | buttons=1 | !buttons=) & !emulation=preliminary"));
BENCHMARK_CAPTURE(BM_MatchGame, vertical_originals, std::string_view("!cloneof & (rotate=90 | rotate=270)"));

// The same commands over every record of the listing, for the mix of sizes and early answers a scan meets.
void BM_MatchGameListing(benchmark::State& state, std::string_view command) {
    const std::vector<std::string>& records = ListingRecords();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& record : records) {
            benchmark::DoNotOptimize(MatchGame(record, command));
            bytes += static_cast<std::int64_t>(record.size());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * records.size()));
    state.SetBytesProcessed(bytes);
}
BENCHMARK_CAPTURE(BM_MatchGameListing, originals_working, std::string_view("!cloneof & !emulation=preliminary"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MatchGameListing, wizard_default,
                  std::string_view("(buttons=2 | buttons=1 | !buttons=) & !emulation=preliminary"))
    ->Unit(benchmark::kMillisecond);

} // namespace

} // namespace pellaquin
