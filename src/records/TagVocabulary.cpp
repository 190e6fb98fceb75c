#include "records/TagVocabulary.h"

namespace pellaquin {

namespace {

// Indexed kind x 3 + format.
constexpr std::array<std::string_view, 18> TAG_TABLE = {
    "<game name=",   "<game romname=", "<game name=",   // game start tag
    "</mame>",       "</dat>",         "</mame>",       // list end tag
    "<description>", "gamename=",      "<description>", // description tag
    "",              "",               "",              // reserved
    "buttons=",      "numButtons=",    "numButtons=",   // buttons key
    "name=cocktail", "cocktail=1",     "cocktail=1",    // cocktail key
};

} // namespace

std::string_view TagVocabulary::Text(Kind kind, InputFormat format) {
    if (format < FORMAT_LISTXML || format > FORMAT_MERGED) {
        return {};
    }
    return TAG_TABLE[static_cast<std::size_t>(kind) * 3 + static_cast<std::size_t>(format)];
}

} // namespace pellaquin
