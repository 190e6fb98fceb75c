#pragma once

#include <string_view>

namespace pellaquin {

// Evaluates the search `command` on a game `record`, both prepared (A to Z lowered, double quotes
// removed) first. Returns the reject flag: false when the game matches. Each command is taken apart once
// per thread and the parts kept for the records that follow, as a scan asks it of every record.
bool MatchGame(std::string_view record, std::string_view command);

// The same answer by rewriting the command for each record, step by step, as the language is defined:
// groups evaluated innermost first and replaced by a truth token, then the flat rest. The reference the
// fast path is checked against.
bool MatchGameByRewriting(std::string_view record, std::string_view command);

// Tests one term against a prepared record; a leading "!" or "-" negates it. Returns the reject flag.
bool MatchTerm(std::string_view preparedRecord, std::string_view term);

} // namespace pellaquin
