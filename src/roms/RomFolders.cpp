#include "roms/RomFolders.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <utility>

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
    // Each container with the number of its folder, until they are put in order.
    std::unordered_map<std::string, std::vector<std::pair<std::size_t, Container>>> found;
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
                found[held->first].push_back({folder, {held->second, entries->path().string()}});
            }
        }
        if (error) {
            index.m_problems.push_back(folders[folder] + ": " + error.message());
        }
    }
    // In the order MAME tries them: the folders in order, and in each the set's folder, zip, then 7z. An
    // audit asks for them once per ROM, so they are put in order once.
    for (auto& [set, containers] : found) {
        std::sort(containers.begin(), containers.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second.kind < b.second.kind;
        });
        std::vector<Container>& ordered = index.m_sets[set];
        for (auto& [folder, container] : containers) {
            ordered.push_back(std::move(container));
        }
    }
    return index;
}

const std::vector<Container>& RomFolders::ContainersOf(std::string_view set) const {
    static const std::vector<Container> NONE;
    auto found = m_sets.find(set);
    return found == m_sets.end() ? NONE : found->second;
}

} // namespace pellaquin
