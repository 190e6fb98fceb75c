#pragma once

#include "records/InputFile.h"

#include <string>
#include <string_view>

namespace pellaquin {

enum class InputOpening { OK, NO_PATH, CANNOT_READ, UNRECOGNISED };

// Opens the input file at `path` and settles its format, leaving it before the first game.
// The header text detection collects goes to `header`.
InputOpening OpenRecognisedInput(const std::string& path, InputFile& input, std::string& header);

// What the user is told for each failure; empty for OK.
std::string_view InputOpeningMessage(InputOpening result);

} // namespace pellaquin
