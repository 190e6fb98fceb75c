#include "output/ExportPlaces.h"

#include "output/ExportText.h"

#include <system_error>

namespace pellaquin {

ExportPlace UsualExportPlace(ListType type, const ExportOptions& options, const std::filesystem::path& home) {
    const ListTypeInfo& info = ListTypeOf(type);
    ExportPlace place{std::string(info.fileName), {}};
    if (type == ListType::ATTRACT) {
        place.fileName.clear();
        AppendLineValue(place.fileName, options.emulator);
        place.fileName.append(place.fileName.empty() ? "mame.txt" : ".txt");
    }
    for (std::string_view folder : info.readFolders) {
        place.folders.push_back(home / folder);
    }
    std::filesystem::path romFolder(options.romFolder);
    if (type == ListType::PEGASUS && romFolder.is_absolute()) {
        place.folders = {romFolder, home / ".config/pegasus-frontend/metafiles"};
    }
    // A playlist without a ROM folder names its sets beside itself: it goes where they are, not with the others.
    if (type == ListType::RETROARCH && romFolder.empty()) {
        place.folders.clear();
    }
    return place;
}

std::filesystem::path ExistingExportFolder(const ExportPlace& place) {
    for (const std::filesystem::path& folder : place.folders) {
        std::error_code error;
        if (std::filesystem::is_directory(folder, error)) {
            return folder;
        }
    }
    return {};
}

} // namespace pellaquin
