#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellaquin {

enum class ContainerKind { FOLDER, ZIP, SEVEN_ZIP };

// Where a set's files may be: a folder named after the set, SET.zip or SET.7z in a ROM folder.
struct Container {
    ContainerKind kind;
    std::string path;
};

// The sets that ROM folders hold, each folder listed once. A folder that cannot be listed holds nothing
// and is named among the problems.
class RomFolders {
public:
    static RomFolders Index(const std::vector<std::string>& folders);

    // The containers of `set` in the order MAME tries them: folder after folder, in each the set's
    // folder, then its zip, then its 7z.
    const std::vector<Container>& ContainersOf(std::string_view set) const;
    const std::vector<std::string>& Folders() const { return m_folders; }
    // Each folder that could not be listed, with why: "FOLDER: missing".
    const std::vector<std::string>& Problems() const { return m_problems; }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    std::vector<std::string> m_folders;
    std::vector<std::string> m_problems;
    std::unordered_map<std::string, std::vector<Container>, NameHash, std::equal_to<>> m_sets;
};

} // namespace pellaquin
