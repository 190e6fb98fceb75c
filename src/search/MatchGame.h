#pragma once

#include <string_view>

namespace pellaquin {

// Evaluates the search `command` on a game `record`, both prepared (A to Z lowered, double quotes
// removed) first. Returns the reject flag: false when the game matches.
bool MatchGame(std::string_view record, std::string_view command);

// Tests one term against a prepared record; a leading "!" or "-" negates it. Returns the reject flag.
bool MatchTerm(std::string_view preparedRecord, std::string_view term);

} // namespace pellaquin
