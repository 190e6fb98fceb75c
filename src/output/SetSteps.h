#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// The words "one per title" prefers unless told others, in order.
inline constexpr std::string_view DEFAULT_PREFERRED_WORDS = "World,USA,Europe,Japan";

// How "only the sets I have" judges that the folders hold a set.
enum class AvailableCheck {
    NAMES,    // one of them holds name.zip, name.7z or a folder of its name
    COMPLETE, // MAME's quick audit of the set in them says good or best available
};

// The steps after the search that keep a part of the sets it matched, for every list type.
struct SetSteps {
    // Keep a set that these folders hold, as availableCheck judges it.
    std::vector<std::string> availableFolders;
    AvailableCheck availableCheck = AvailableCheck::NAMES;
    // Of a parent and its clones that are kept, keep one: the first whose description's text in
    // parentheses holds a preferred word (as a whole word, case ignored), trying the words in order;
    // failing all, the parent, else the first clone. The words are joined by ",", each trimmed of blanks.
    bool onePerTitle = false;
    std::string preferredWords = std::string(DEFAULT_PREFERRED_WORDS);
    // Keep a set added in this MAME version or later, or only those added before that one, by a merged
    // file's veradded value; a set without one is kept by neither.
    std::string addedSince;
    std::string addedBefore;

    bool Active() const {
        return !availableFolders.empty() || onePerTitle || !addedSince.empty() || !addedBefore.empty();
    }
};

} // namespace pellaquin
