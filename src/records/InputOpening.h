#pragma once

#include "records/InputFile.h"

#include <string>
#include <string_view>

namespace pellaquin {

enum class InputOpening { OK, NO_PATH, CANNOT_READ, UNRECOGNISED };

// Opens the input file at `path` and settles its format, leaving it before the first game.
// The header text detection collects goes to `header`.
InputOpening OpenRecognisedInput(const std::string& path, InputFile& input, std::string& header);

// What the user is told for each failure, without naming the file; empty for OK.
std::string_view InputOpeningMessage(InputOpening result);

// The same, then on a line of its own the file and what was found wrong with it. NO_PATH names none.
std::string InputOpeningMessage(InputOpening result, const std::string& path);

// The file at `path` and what is wrong with it as a game list, found afresh: "PATH: missing", "a folder",
// "unreadable", or "not a listing of any known form".
std::string InputProblemLine(const std::string& path);

} // namespace pellaquin
