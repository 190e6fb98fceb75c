#pragma once

#include "records/InputFile.h"

#include <string>
#include <string_view>

namespace pellaquin {

enum class InputOpening {
    OK,
    NO_PATH,
    CANNOT_READ,
    UNRECOGNISED,
    SHARED_LINES, // games follow each other on one line, as in a listing whose line breaks were taken out
};

// Opens the input file at `path` and settles its format, leaving it before the first game.
// The header text detection collects goes to `header`. The first game is read once, to refuse a file
// whose games share lines.
InputOpening OpenRecognisedInput(const std::string& path, InputFile& input, std::string& header);

// What the user is told of a file whose games share lines, found at its start or part-way.
inline constexpr std::string_view SHARED_LINES_MESSAGE =
    "This file holds several games on one line (its line breaks were taken out), which Pellaquin cannot read "
    "game by game.\r\nUse MAME's own form: mame -listxml >listxml.xml, or xmllint --format FILE >listxml.xml";

// What the user is told for each failure, without naming the file; empty for OK.
std::string_view InputOpeningMessage(InputOpening result);

// The same, then on a line of its own the file and what was found wrong with it. NO_PATH names none.
std::string InputOpeningMessage(InputOpening result, const std::string& path);

// The file at `path` and what is wrong with it as a game list, found afresh: "PATH: missing", "a folder",
// "unreadable", or "not a listing of any known form".
std::string InputProblemLine(const std::string& path);

} // namespace pellaquin
