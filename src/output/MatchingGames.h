#pragma once

#include "records/GameScanner.h"

#include <functional>
#include <string_view>

namespace pellaquin {

enum class HeaderText { KEEP, DROP };

// Runs the scan cycle with the scanner's search command: empties the result text and the match
// count, detects the format (its header text kept in the result text or dropped), then hands every
// matching record to `handle` and counts it.
void ScanMatchingGames(GameScanner& scanner, InputFile& input, HeaderText header,
                       const std::function<void(std::string_view record)>& handle);

} // namespace pellaquin
