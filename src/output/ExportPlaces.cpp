#include "output/ExportPlaces.h"

#include "output/ExportText.h"

#include <system_error>

namespace pellaquin {

namespace {

struct PlaceRow {
    ExportType type;
    std::string_view fileName;
    // Folders under the home folder, the most usual first.
    std::vector<std::string_view> folders;
    std::string_view text;
};

const std::vector<PlaceRow>& PlaceRows() {
    static const std::vector<PlaceRow> ROWS = {
        {ExportType::ATTRACT,
         "",
         {".attract/romlists"},
         "romlists/EMULATOR.txt in Attract-Mode's folder (~/.attract), named after --emulator. It names the sets "
         "only: the emulator's rompath finds their files."},
        {ExportType::EMULATIONSTATION,
         "gamelist.xml",
         {"ES-DE/gamelists/arcade", "ES-DE/gamelists/mame", ".emulationstation/gamelists/arcade",
          ".emulationstation/gamelists/mame"},
         "ES-DE reads ~/ES-DE/gamelists/SYSTEM/gamelist.xml (SYSTEM: the system of your sets, such as arcade) and "
         "passes over a gamelist.xml in the ROM folder unless its legacy gamelist setting is on; RetroPie's "
         "EmulationStation reads the ROM folder's own. Paths: ./NAME.zip (the default, without --rom-folder) or "
         "absolute inside that system's ROM folder; ES-DE drops ~/ and other paths."},
        {ExportType::RETROARCH,
         "MAME.lpl",
         {".config/retroarch/playlists", ".var/app/org.libretro.RetroArch/config/retroarch/playlists"},
         "MAME.lpl in RetroArch's playlists folder (~/.config/retroarch/playlists; for its Flatpak, the same "
         "under ~/.var/app/org.libretro.RetroArch/config). Paths should be absolute: give --rom-folder, else the "
         "current folder is written; RetroArch resolves a relative path against its own working folder, not the "
         "playlist's."},
        {ExportType::PEGASUS,
         "metadata.pegasus.txt",
         {},
         "metadata.pegasus.txt in the ROM folder, where the default ./NAME.zip paths find the sets; or in "
         "Pegasus's metafiles folder (~/.config/pegasus-frontend/metafiles) with an absolute --rom-folder. Pegasus "
         "resolves file: paths "
         "against the metadata file's own folder, does not expand ~, and shows only games whose file exists."},
        {ExportType::DAT,
         "selection.dat",
         {},
         "NAME.dat wherever your ROM manager takes its DATs from. The default form carries MAME's isdevice, device_ref "
         "and "
         "ROM bios, which managers read for whole non-merged sets; --dat-strict writes the Logiqx DTD's form."},
        {ExportType::TABLE, "games.csv", {}, "Anywhere: it is for spreadsheets."},
        {ExportType::MAME_INI,
         "selection.ini",
         {".mame/folders", "mame/folders"},
         "An .ini in MAME's category path (ui.ini's categorypath: by default the folder named folders where "
         "MAME starts); MAME's UI offers every .ini there as a filter. It names the sets only."},
    };
    return ROWS;
}

const PlaceRow* FindRow(ExportType type) {
    for (const PlaceRow& row : PlaceRows()) {
        if (row.type == type) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

ExportPlace UsualExportPlace(ExportType type, const ExportOptions& options, const std::filesystem::path& home) {
    const PlaceRow* row = FindRow(type);
    if (row == nullptr) {
        return {};
    }
    ExportPlace place{std::string(row->fileName), {}};
    if (type == ExportType::ATTRACT) {
        AppendLineValue(place.fileName, options.emulator);
        place.fileName.append(place.fileName.empty() ? "mame.txt" : ".txt");
    }
    for (std::string_view folder : row->folders) {
        place.folders.push_back(home / folder);
    }
    std::filesystem::path romFolder(options.romFolder);
    if (type == ExportType::PEGASUS && romFolder.is_absolute()) {
        place.folders = {romFolder, home / ".config/pegasus-frontend/metafiles"};
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

std::string_view ExportPlaceText(ExportType type) {
    const PlaceRow* row = FindRow(type);
    return row == nullptr ? std::string_view() : row->text;
}

} // namespace pellaquin
