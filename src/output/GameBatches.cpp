#include "output/GameBatches.h"

#include <charconv>
#include <future>
#include <system_error>
#include <vector>

namespace pellaquin {

namespace {

// Large enough that starting a thread costs nothing beside the work, small enough to keep memory flat.
constexpr std::size_t BATCH_BYTES = 4 << 20;
// Below this a batch is done on this thread alone.
constexpr std::size_t SHARED_BATCH_BYTES = 256 << 10;

std::int32_t Work(const GameWork& work, const std::vector<std::string>& records, std::size_t from, std::size_t to,
                  std::string& out) {
    std::int32_t counted = 0;
    for (std::size_t i = from; i < to; ++i) {
        counted += work(records[i], out) ? 1 : 0;
    }
    return counted;
}

} // namespace

std::int32_t ScanInBatches(ScanCycle& scan, const std::function<GameWork()>& makeWork,
                           const std::function<void(std::string_view text)>& deliver) {
    GameWork mine = makeWork();
    GameWork theirs = makeWork();
    std::vector<std::string> records;
    std::string firstHalf;
    std::string secondHalf;
    std::int32_t counted = 0;
    bool ended = false;
    while (!ended) {
        std::size_t count = 0;
        std::size_t bytes = 0;
        while (bytes < BATCH_BYTES) {
            if (count == records.size()) {
                records.emplace_back();
            }
            if (!scan.Next(records[count])) {
                ended = true;
                break;
            }
            bytes += records[count++].size();
        }
        // The halves hold about as many bytes each, which is about as much work.
        std::size_t split = 0;
        for (std::size_t half = 0; split < count && half < bytes / 2; ++split) {
            half += records[split].size();
        }
        firstHalf.clear();
        secondHalf.clear();
        if (bytes < SHARED_BATCH_BYTES) {
            counted += Work(mine, records, 0, count, firstHalf);
        } else {
            std::future<std::int32_t> other;
            try {
                other = std::async(std::launch::async, Work, std::cref(theirs), std::cref(records), std::size_t{0},
                                   split, std::ref(firstHalf));
            } catch (const std::system_error&) {
                // Without a second thread this one does the whole batch.
                counted += Work(mine, records, 0, split, firstHalf);
            }
            counted += Work(mine, records, split, count, secondHalf);
            if (other.valid()) {
                counted += other.get();
            }
        }
        deliver(firstHalf);
        deliver(secondHalf);
    }
    return counted;
}

void AppendBatchField(std::string& out, std::string_view field) {
    out.append(std::to_string(field.size())).push_back(':');
    out.append(field);
}

std::string_view TakeBatchField(std::string_view& text) {
    std::size_t length = 0;
    auto [colon, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    std::size_t start = static_cast<std::size_t>(colon - text.data()) + 1;
    std::string_view field = text.substr(start, length);
    text.remove_prefix(start + field.size());
    return field;
}

} // namespace pellaquin
