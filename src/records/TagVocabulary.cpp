#include "records/TagVocabulary.h"

namespace pellaquin {

namespace {

// Indexed kind x 3 + format.
// clang-format off
constexpr std::array<std::string_view, 18> TAG_TABLE = {
    "<game name=",   "<game romname=", "<game name=",   // game start tag
    "</mame>",       "</dat>",         "</mame>",       // list end tag
    "<description>", "gamename=",      "<description>", // description tag
    "",              "",               "",              // reserved
    "buttons=",      "numButtons=",    "numButtons=",   // buttons key
    "name=cocktail", "cocktail=1",     "cocktail=1",    // cocktail key
};
// clang-format on

} // namespace

std::string_view TagVocabulary::Text(Kind kind, InputFormat format, RecordElement element) {
    if (format < FORMAT_LISTXML || format > FORMAT_MERGED) {
        return {};
    }
    if (element == RecordElement::MACHINE && format != FORMAT_CONTROLS) {
        if (kind == GAME_START_TAG) {
            return MACHINE_START_TAG;
        }
        // Buttons sit on each control; the blank keeps "reqbuttons=" out. It is "_" so that it reads
        // the same as a search term, a column key and an entry key.
        if (kind == BUTTONS_KEY) {
            return "_buttons=";
        }
    }
    return TAG_TABLE[static_cast<std::size_t>(kind) * 3 + static_cast<std::size_t>(format)];
}

} // namespace pellaquin
