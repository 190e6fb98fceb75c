#pragma once

#include "records/InputFile.h"
#include "search/RecordStructure.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pellaquin {

// The categories a merged file gives its parents, so a clone without a catver.ini line of its own
// shows its parent's, as Attract-Mode's own import does. The merged file keeps its bytes.
class ParentCategories {
public:
    // Reads `input` from its first byte: the whole of a merged file; of other inputs, which hold no
    // categories, only what tells their format.
    static ParentCategories Read(InputFile& input);

    // The category of `game`, else its parent's; empty when neither has one.
    std::string_view Of(const RecordStructure& game) const;

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    std::unordered_map<std::string, std::string, NameHash, std::equal_to<>> m_categories;
};

} // namespace pellaquin
