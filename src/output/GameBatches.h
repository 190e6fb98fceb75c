#pragma once

#include "records/ScanCycle.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pellaquin {

// What a thread does with one game record: appends the game's text to `out` and returns whether the
// game counts (it was written).
using GameWork = std::function<bool(std::string_view record, std::string& out)>;

// Hands every record the scan yields to a GameWork and the texts, in file order, to `deliver`;
// returns how many games counted. Records are read on this thread in batches, and the work on each
// batch is shared with a second thread, so a list of a whole listing takes both cores while its bytes
// stay exactly those of one thread's run. `makeWork` is called once for each thread.
std::int32_t ScanInBatches(ScanCycle& scan, const std::function<GameWork()>& makeWork,
                           const std::function<void(std::string_view text)>& deliver);

// A field of the text a GameWork hands on: its length, a ":", then its bytes.
void AppendBatchField(std::string& out, std::string_view field);

// The field `text` begins with, taken off it.
std::string_view TakeBatchField(std::string_view& text);

} // namespace pellaquin
