#include "search/WizardCommand.h"

#include "records/ByteText.h"
#include "records/TagVocabulary.h"

#include <initializer_list>
#include <utility>

namespace pellaquin {

namespace {

constexpr std::string_view PIECE_JOINER = " & ";
// A count in a machine's attributes ends where its number ends: the prepared record goes on with a blank,
// the "/" of the element's end or its ">". So "2" never takes "12" or "20".
constexpr std::string_view NUMBER_ENDS[] = {"_", "/", ">"};
constexpr int LAST_BEST_GAMES_SECTION = 90;

// Joins the words of the ticked boxes; two or more are put in parentheses so they act as one term.
std::string JoinTicked(std::initializer_list<std::pair<bool, std::string_view>> boxes, std::string_view joiner) {
    std::string joined;
    int ticked = 0;
    for (const auto& [isTicked, word] : boxes) {
        if (isTicked) {
            joined += (ticked++ > 0 ? std::string(joiner) : std::string()) + std::string(word);
        }
    }
    return ticked > 1 ? "(" + joined + ")" : joined;
}

// The terms for `key` followed by exactly `number`, joined by " | ".
std::string ExactNumberTerms(std::string_view key, int number) {
    std::string terms;
    for (std::string_view end : NUMBER_ENDS) {
        terms += (terms.empty() ? "" : " | ") + std::string(key) + std::to_string(number) + std::string(end);
    }
    return terms;
}

std::string ButtonsPiece(const WizardState& state, InputFormat format, RecordElement element) {
    if (state.buttonsIndex < 1) {
        return {};
    }
    int buttons = state.buttonsIndex - 1;
    std::string key(TagVocabulary::ButtonsKey(format, element));
    bool machines = element == RecordElement::MACHINE && format != FORMAT_CONTROLS;
    // A listing leaves the attribute out where there are no buttons; so do machines' controls.
    bool missingMeansNone = format == FORMAT_LISTXML || machines;
    std::string none = "!" + key;
    auto count = [&](int number) { return machines ? ExactNumberTerms(key, number) : key + std::to_string(number); };
    if (!state.orLess) {
        if (buttons == 0 && missingMeansNone) {
            return none;
        }
        return machines ? "(" + count(buttons) + ")" : count(buttons);
    }
    std::string piece = "(";
    for (int number = buttons; number >= 1; --number) {
        piece += count(number) + " | ";
    }
    piece += missingMeansNone ? none + ")" : "numButtons=0)";
    return piece;
}

std::string CategoryPiece(const WizardState& state) {
    if (state.categoryIndex < 1) {
        return {};
    }
    return (state.categoryNot ? "!" : "") + state.categoryText;
}

std::string WorkingPiece(WorkingChoice working) {
    switch (working) {
    case WorkingChoice::GOOD:
        return "driver_status=good";
    case WorkingChoice::GOOD_OR_IMPERFECT:
        return "(driver_status=good | driver_status=imperfect)";
    case WorkingChoice::ANY:
        break;
    }
    return {};
}

// Players at least N: the input says how many, and it is none of the numbers below N.
std::string PlayersPiece(int atLeast) {
    if (atLeast < 1) {
        return {};
    }
    std::string fewer;
    for (int number = 0; number < atLeast; ++number) {
        fewer += (fewer.empty() ? "" : " | ") + ExactNumberTerms("input_players=", number);
    }
    return "(input_players= & !(" + fewer + "))";
}

// The bestgames sections from the one that starts at `atLeast` (or the next one after it) up to "90 to
// 100": "0 to 10 (Worst)" ... "90 to 100 (Best Games)". A start past the last asks for the last.
std::string BestGamesPiece(const std::string& atLeast) {
    if (atLeast.empty()) {
        return {};
    }
    int from = 0;
    for (std::size_t i = 0; i < atLeast.size() && atLeast[i] >= '0' && atLeast[i] <= '9' && from <= 100; ++i) {
        from = from * 10 + (atLeast[i] - '0');
    }
    std::string sections;
    int count = 0;
    for (int start = 0; start <= LAST_BEST_GAMES_SECTION; start += 10) {
        if (start >= from || start == LAST_BEST_GAMES_SECTION) {
            sections += (count++ > 0 ? " | " : "") + ("<bestgames>" + std::to_string(start) + "_to");
        }
    }
    return count > 1 ? "(" + sections + ")" : sections;
}

// Each category left out, as a term of its own; blanks in it become "_", as terms are cut at blanks.
std::string LeftOutPiece(const std::vector<std::string>& categories) {
    std::string piece;
    for (const std::string& category : categories) {
        std::string term = category == MATURE_MARK ? "!* mature *" : "!<category>" + category;
        ReplaceChar(term, ' ', '_');
        piece += (piece.empty() ? "" : std::string(PIECE_JOINER)) + term;
    }
    return categories.size() > 1 ? "(" + piece + ")" : piece;
}

} // namespace

bool AnswersTodaysData(InputFormat format, RecordElement element) {
    return (format == FORMAT_LISTXML && element == RecordElement::MACHINE) || format == FORMAT_MERGED;
}

std::string ComposeWizardCommand(const WizardState& state, InputFormat format, RecordElement element) {
    bool carriesGameData = format == FORMAT_LISTXML || format == FORMAT_MERGED;
    bool machines = element == RecordElement::MACHINE && carriesGameData;
    bool todaysData = AnswersTodaysData(format, element);
    std::string pieces[] = {
        state.cocktail ? std::string(TagVocabulary::CocktailKey(format)) : std::string(),
        ButtonsPiece(state, format, element),
        state.verticalOnly && !state.horizontalOnly ? "(rotate=90 | rotate=270)" : "",
        state.horizontalOnly && !state.verticalOnly ? "(rotate=0 | rotate=180)" : "",
        JoinTicked({{state.joy2way, machines ? "ways=2" : "joy2way"},
                    {state.joy4way, machines ? "ways=4" : "joy4way"},
                    {state.joy8way, machines ? "ways=8" : "joy8way"},
                    {state.dial, "dial"},
                    {state.trackball, "trackball"},
                    {state.pedal, "pedal"}},
                   " | "),
        carriesGameData ? JoinTicked({{state.noClones, "!cloneof"},
                                      {state.noSamples, "!sample_name="},
                                      {state.playable, "!emulation=preliminary"},
                                      // Devices are listed as machines that cannot run.
                                      {state.playable && machines, "!runnable=no"}},
                                     PIECE_JOINER)
                        : std::string(),
        CategoryPiece(state),
        todaysData ? WorkingPiece(state.working) : std::string(),
        todaysData ? JoinTicked({{state.noMechanical, "!ismechanical=yes"},
                                 {state.noBiosOrDevices, "!isbios=yes & !isdevice=yes & !runnable=no"},
                                 {state.hasScreen, "<display_"},
                                 {state.noChd, "!<disk_"},
                                 {state.noSoftwareList, "!<softwarelist_"}},
                                PIECE_JOINER)
                   : std::string(),
        todaysData ? PlayersPiece(state.playersAtLeast) : std::string(),
        todaysData && state.simultaneous ? "p_sim</nplayers>" : "",
        todaysData ? BestGamesPiece(state.bestAtLeast) : std::string(),
        todaysData ? LeftOutPiece(state.leftOutCategories) : std::string(),
    };
    std::string command;
    for (const std::string& piece : pieces) {
        if (!piece.empty()) {
            command += piece;
            command += PIECE_JOINER;
        }
    }
    StripTrailing(command, "& ");
    return command;
}

} // namespace pellaquin
