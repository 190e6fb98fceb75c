#pragma once

#include "output/GameScanner.h"

#include <functional>
#include <string>
#include <string_view>

namespace pellaquin {

enum class HeaderText { KEEP, DROP };

// Appends the text one matching game contributes to a list.
using GameFormat = std::function<void(std::string_view record, std::string& out)>;

// Runs the scan cycle with the scanner's search command: empties the result text and the match
// count, detects the format (its header text kept in the result text or dropped), then formats
// every matching record and counts it. The texts go, in file order, to `deliver`, or without one to
// the end of the result text. `makeFormat` is called once for each thread the work is shared with.
void ScanMatchingGames(GameScanner& scanner, InputFile& input, HeaderText header,
                       const std::function<GameFormat()>& makeFormat,
                       const std::function<void(std::string_view text)>& deliver = {});

} // namespace pellaquin
