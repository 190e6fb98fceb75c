#pragma once

#include "output/ListRequest.h"
#include "records/InputFile.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace pellaquin {

// The sets a request's set steps keep, decided by a pass over the whole input before the list is
// written. Only what the steps need of each matching set is held on the way (its name, parent,
// description's text in parentheses and version added), and only the names kept at the end.
class GameSelection {
public:
    // Reads `input` from its first byte: the sets the request's search command matches (every set for
    // the CSV list, whose command is its column list), then the request's set steps. The command's
    // double quotes must already be removed.
    static GameSelection Select(InputFile& input, const ListRequest& request);

    bool Keeps(std::string_view name) const { return m_kept.contains(name); }
    std::size_t Size() const { return m_kept.size(); }

private:
    // Names are looked up as views of the records, without a copy.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    std::unordered_set<std::string, NameHash, std::equal_to<>> m_kept;
};

} // namespace pellaquin
