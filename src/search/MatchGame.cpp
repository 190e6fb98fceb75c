#include "search/MatchGame.h"

#include "records/ByteText.h"
#include "records/SubstringSearch.h"
#include "search/PreparedText.h"

#include <string>

namespace pellaquin {

namespace {

// Put into the command in place of an evaluated group. They are written after lowercasing, so
// "NO" is never found in a prepared record, and "=" always is: every start tag ends in "=".
constexpr std::string_view TRUE_TOKEN = "=";
constexpr std::string_view FALSE_TOKEN = "NO";

// An operator counts only from position 1 on.
bool HasOperatorAfterStart(std::string_view command) {
    std::size_t ampersand = command.find('&');
    std::size_t bar = command.find('|');
    return (ampersand != std::string_view::npos && ampersand >= 1) || (bar != std::string_view::npos && bar >= 1);
}

bool EvaluateFlat(std::string command, std::string_view preparedRecord) {
    StripLeading(command, "()|& ");
    command.push_back(' ');
    bool accumulator = false;
    for (;;) {
        std::size_t space = command.find(' ');
        std::string term = command.substr(0, space);
        command.erase(0, space);
        std::size_t rest = 0;
        while (rest < command.size() && IsWhiteSpace(command[rest])) {
            ++rest;
        }
        command.erase(0, rest);
        ReplaceChar(term, '_', ' ');
        accumulator = MatchTerm(preparedRecord, term) || accumulator;
        if (!command.empty() && command.front() == '|') {
            if (!accumulator) {
                return false;
            }
            accumulator = false;
        }
        StripLeading(command, "|& ");
        if (command.empty()) {
            return accumulator;
        }
    }
}

bool EvaluateUngrouped(std::string command, std::string_view preparedRecord) {
    if (HasOperatorAfterStart(command)) {
        return EvaluateFlat(std::move(command), preparedRecord);
    }
    ReplaceChar(command, '_', ' ');
    return MatchTerm(preparedRecord, command);
}

} // namespace

bool MatchTerm(std::string_view preparedRecord, std::string_view term) {
    bool negated = !term.empty() && (term.front() == '-' || term.front() == '!');
    if (negated) {
        std::size_t first = term.find_first_not_of("-!");
        std::size_t last = term.find_last_not_of("-!");
        term = first == std::string_view::npos ? std::string_view() : term.substr(first, last - first + 1);
    }
    bool found = FindSubstring(preparedRecord, term) != std::string_view::npos;
    return negated ? found : !found;
}

bool MatchGame(std::string_view record, std::string_view command) {
    // Reused between calls: a scan prepares one record per game, and most records are alike in size.
    thread_local std::string preparedRecord;
    PrepareText(record, preparedRecord);
    std::string preparedCommand;
    PrepareText(command, preparedCommand);

    if (preparedCommand.find('(') != std::string::npos && preparedCommand.find(')') != std::string::npos) {
        // Innermost groups first, rightmost first among siblings.
        for (std::size_t open = preparedCommand.rfind('('); open != std::string::npos;
             open = preparedCommand.rfind('(')) {
            std::size_t close = preparedCommand.find(')', open);
            if (close == std::string::npos) {
                // No group can be closed any more; what is left is evaluated as it stands.
                break;
            }
            std::string group = preparedCommand.substr(open + 1, close - open - 1);
            bool rejected = EvaluateUngrouped(group, preparedRecord);
            ReplaceAll(preparedCommand, "(" + group + ")", rejected ? FALSE_TOKEN : TRUE_TOKEN);
            TrimWhiteSpace(preparedCommand);
        }
    }
    return EvaluateUngrouped(std::move(preparedCommand), preparedRecord);
}

} // namespace pellaquin
