#include "roms/RomFolders.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace pellaquin {

namespace {

// The set a folder entry holds and in what, by its name and kind: nothing for anything else.
std::optional<std::pair<std::string, ContainerKind>> HeldSet(const std::filesystem::directory_entry& entry) {
    std::error_code error;
    std::string name = entry.path().filename().string();
    if (entry.is_directory(error)) {
        return std::pair{name, ContainerKind::FOLDER};
    }
    for (auto [extension, kind] : {std::pair{std::string_view(".zip"), ContainerKind::ZIP},
                                   std::pair{std::string_view(".7z"), ContainerKind::SEVEN_ZIP}}) {
        if (name.size() > extension.size() && name.ends_with(extension)) {
            return std::pair{name.substr(0, name.size() - extension.size()), kind};
        }
    }
    return std::nullopt;
}

} // namespace

RomFolders RomFolders::Index(const std::vector<std::string>& folders) {
    RomFolders index;
    index.m_folders = folders;
    for (std::size_t folder = 0; folder < folders.size(); ++folder) {
        std::error_code error;
        std::filesystem::directory_iterator entries(folders[folder], error);
        if (error) {
            index.m_problems.push_back(folders[folder] + ": " + error.message());
            continue;
        }
        // The iterator's own increment throws on an error; this one says it and ends the listing.
        for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
            if (auto held = HeldSet(*entries)) {
                index.m_sets[held->first].push_back({folder, held->second});
            }
        }
        if (error) {
            index.m_problems.push_back(folders[folder] + ": " + error.message());
        }
    }
    return index;
}

std::vector<Container> RomFolders::ContainersOf(std::string_view set) const {
    std::vector<Container> containers;
    auto found = m_sets.find(set);
    if (found == m_sets.end()) {
        return containers;
    }
    std::vector<Held> held = found->second;
    std::stable_sort(held.begin(), held.end(), [](const Held& a, const Held& b) {
        return a.folder != b.folder ? a.folder < b.folder : a.kind < b.kind;
    });
    static constexpr std::string_view SUFFIXES[] = {"", ".zip", ".7z"};
    for (const Held& one : held) {
        std::filesystem::path path = std::filesystem::path(m_folders[one.folder]) / std::string(set);
        containers.push_back({one.kind, path.string() + std::string(SUFFIXES[static_cast<int>(one.kind)])});
    }
    return containers;
}

} // namespace pellaquin
