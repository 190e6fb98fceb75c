#pragma once

#include "output/ListRequest.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// Where the program that reads a list of one export type takes it from.
struct ExportPlace {
    // The name the program expects or its users give the file: "gamelist.xml", "mame.txt"...
    std::string fileName;
    // The folders the program reads it from, the most usual first; none when it reads it anywhere.
    std::vector<std::filesystem::path> folders;
};

// Where the list of `type` goes for the user whose home folder is `home`. Attract-Mode's romlist is
// named after the emulator; Pegasus reads its file beside the sets, so its folders are the ROM folder
// and Pegasus's metafiles folder only when the ROM folder is an absolute path; RetroArch's playlists
// folder only when the playlist is given a ROM folder.
ExportPlace UsualExportPlace(ListType type, const ExportOptions& options, const std::filesystem::path& home);

// The first of the place's folders that exists; empty when none does.
std::filesystem::path ExistingExportFolder(const ExportPlace& place);

} // namespace pellaquin
