#include "search/MatchGame.h"

#include "records/ByteText.h"
#include "records/SubstringSearch.h"
#include "search/PreparedText.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pellaquin {

namespace {

// Put into the command in place of an evaluated group. They are written after lowercasing, so
// "NO" is never found in a prepared record, and "=" always is: every start tag ends in "=".
constexpr std::string_view TRUE_TOKEN = "=";
constexpr std::string_view FALSE_TOKEN = "NO";

// A term's text without every "!" and "-" at its ends when a leading one negates it, as `negated` says.
std::string_view TermText(std::string_view term, bool& negated) {
    negated = !term.empty() && (term.front() == '-' || term.front() == '!');
    if (!negated) {
        return term;
    }
    std::size_t first = term.find_first_not_of("-!");
    std::size_t last = term.find_last_not_of("-!");
    return first == std::string_view::npos ? std::string_view() : term.substr(first, last - first + 1);
}

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
    bool negated = false;
    bool found = FindSubstring(preparedRecord, TermText(term, negated)) != std::string_view::npos;
    return negated ? found : !found;
}

namespace {

// The reject flag of the prepared command for the prepared record, rewriting the command step by step.
bool RejectsByRewriting(std::string preparedCommand, std::string_view preparedRecord) {
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

// A text of the rewriting without groups, taken apart once: a single term, or terms each with whether a
// "|" follows it, as EvaluateFlat reads them.
class FlatCommand {
public:
    explicit FlatCommand(std::string command) {
        if (!HasOperatorAfterStart(command)) {
            ReplaceChar(command, '_', ' ');
            m_steps.push_back(MakeStep(command, false));
            return;
        }
        StripLeading(command, "()|& ");
        command.push_back(' ');
        std::string_view rest = command;
        for (;;) {
            std::size_t space = rest.find(' ');
            std::string term(rest.substr(0, space));
            rest.remove_prefix(space);
            std::size_t blanks = 0;
            while (blanks < rest.size() && IsWhiteSpace(rest[blanks])) {
                ++blanks;
            }
            rest.remove_prefix(blanks);
            ReplaceChar(term, '_', ' ');
            m_steps.push_back(MakeStep(term, !rest.empty() && rest.front() == '|'));
            std::size_t operators = rest.find_first_not_of("|& ");
            rest.remove_prefix(operators == std::string_view::npos ? rest.size() : operators);
            if (rest.empty()) {
                return;
            }
        }
    }

    // The reject flag for the prepared record.
    bool Rejects(std::string_view preparedRecord) const {
        bool accumulator = false;
        for (const Step& step : m_steps) {
            bool found = FindSubstring(preparedRecord, step.term) != std::string_view::npos;
            accumulator = (step.negated ? found : !found) || accumulator;
            if (step.orAfter) {
                if (!accumulator) {
                    return false;
                }
                accumulator = false;
            }
        }
        return accumulator;
    }

private:
    struct Step {
        std::string term;
        bool negated = false;
        bool orAfter = false;
    };

    // As MatchTerm reads a term.
    static Step MakeStep(std::string_view term, bool orAfter) {
        Step step;
        step.orAfter = orAfter;
        step.term = TermText(term, step.negated);
        return step;
    }

    std::vector<Step> m_steps;
};

// So many states of one command's rewriting are kept at most; a command whose groups' outcomes lead
// further apart is rewritten for the rest of its records, as memory would grow with each new path.
constexpr int MAX_REWRITING_STATES = 1024;

// One state of the rewriting of a command: its text, and the group it evaluates next, whose outcome leads
// to one of two states, made when a record first leads there. Without a group left, the flat text decides.
class RewritingState {
public:
    RewritingState(std::string text, bool grouping) : m_text(std::move(text)) {
        std::size_t open = grouping ? m_text.rfind('(') : std::string::npos;
        std::size_t close = open == std::string::npos ? std::string::npos : m_text.find(')', open);
        if (close == std::string::npos) {
            m_flat.emplace(m_text);
            return;
        }
        m_group = m_text.substr(open + 1, close - open - 1);
        m_groupCommand.emplace(m_group);
    }

    // The text this state evaluates.
    const std::string& Text() const { return m_text; }

    // The reject flag, or nothing when the record leads to a state that would pass `states` kept.
    std::optional<bool> Rejects(std::string_view preparedRecord, int& states) {
        RewritingState* state = this;
        while (!state->m_flat) {
            bool rejected = state->m_groupCommand->Rejects(preparedRecord);
            std::unique_ptr<RewritingState>& next = state->m_next[rejected ? 1 : 0];
            if (!next) {
                if (++states > MAX_REWRITING_STATES) {
                    return std::nullopt;
                }
                std::string text = state->m_text;
                ReplaceAll(text, "(" + state->m_group + ")", rejected ? FALSE_TOKEN : TRUE_TOKEN);
                TrimWhiteSpace(text);
                next = std::make_unique<RewritingState>(std::move(text), true);
            }
            state = next.get();
        }
        return state->m_flat->Rejects(preparedRecord);
    }

private:
    std::string m_text;
    std::string m_group;
    std::optional<FlatCommand> m_groupCommand;
    std::optional<FlatCommand> m_flat;
    std::array<std::unique_ptr<RewritingState>, 2> m_next;
};

} // namespace

bool MatchGameByRewriting(std::string_view record, std::string_view command) {
    std::string preparedRecord;
    PrepareText(record, preparedRecord);
    std::string preparedCommand;
    PrepareText(command, preparedCommand);
    return RejectsByRewriting(std::move(preparedCommand), preparedRecord);
}

bool MatchGame(std::string_view record, std::string_view command) {
    // Reused between calls: a scan asks one command of every record, and most records are alike in size.
    thread_local std::string preparedRecord;
    thread_local std::string lastCommand;
    thread_local std::unique_ptr<RewritingState> rewriting;
    thread_local int states = 0;
    if (!rewriting || command != lastCommand) {
        lastCommand = command;
        states = 1;
        std::string preparedCommand;
        PrepareText(command, preparedCommand);
        bool grouping =
            preparedCommand.find('(') != std::string::npos && preparedCommand.find(')') != std::string::npos;
        rewriting = std::make_unique<RewritingState>(std::move(preparedCommand), grouping);
    }
    PrepareText(record, preparedRecord);
    std::optional<bool> rejected = rewriting->Rejects(preparedRecord, states);
    return rejected ? *rejected : RejectsByRewriting(rewriting->Text(), preparedRecord);
}

} // namespace pellaquin
