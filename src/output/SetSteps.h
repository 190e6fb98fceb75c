#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// The words "one per title" prefers unless told others, in order: the regions as MAME's descriptions
// spell them, "US" and "Euro" beside "USA" and "Europe".
inline constexpr std::string_view DEFAULT_PREFERRED_WORDS = "World,US,USA,Euro,Europe,Japan";

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
    // Of a parent and its clones that are kept, keep one. Of the sets whose description says neither
    // bootleg, hack nor prototype (as whole words; of all sets when each says one), the one whose text in
    // parentheses holds the earliest preferred word (a whole word, case ignored); among sets alike in
    // that, the parent, then the first. The words are joined by ",", each trimmed of blanks.
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
