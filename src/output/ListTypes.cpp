#include "output/ListType.h"

#include "output/GameScanner.h"

#include <algorithm>

namespace pellaquin {

namespace {

using enum ExportOption;

constexpr ExportOption ATTRACT_OPTIONS[] = {EMULATOR};
constexpr ExportOption GAMELIST_OPTIONS[] = {ROM_FOLDER, ROM_EXTENSION};
constexpr ExportOption RETROARCH_OPTIONS[] = {ROM_FOLDER, ROM_EXTENSION, CORE_PATH, CORE_NAME};
constexpr ExportOption PEGASUS_OPTIONS[] = {ROM_FOLDER, ROM_EXTENSION, COLLECTION, LAUNCH};
constexpr ExportOption DAT_OPTIONS[] = {DAT_NAME, DAT_STRICT};
constexpr ExportOption TABLE_OPTIONS[] = {FIELDS, TABLE_DELIMITER};
constexpr ExportOption MAME_INI_OPTIONS[] = {FOLDER_TITLE};

// Where the front-ends read their lists, under the home folder.
constexpr std::string_view ATTRACT_FOLDERS[] = {".attract/romlists"};
constexpr std::string_view GAMELIST_FOLDERS[] = {"ES-DE/gamelists/arcade", "ES-DE/gamelists/mame",
                                                 ".emulationstation/gamelists/arcade",
                                                 ".emulationstation/gamelists/mame"};
constexpr std::string_view PLAYLIST_FOLDERS[] = {".config/retroarch/playlists",
                                                 ".var/app/org.libretro.RetroArch/config/retroarch/playlists"};
constexpr std::string_view FOLDER_INI_FOLDERS[] = {".mame/folders", "mame/folders"};

constexpr SaveFilter TEXT_FILES = {"text files (*.txt)", "*.txt"};

const ListTypeInfo TYPES[] = {
    {.type = ListType::XML,
     .name = "xml",
     .caption = "XML",
     .help = "The matching games' records as they stand in the input file",
     .example = R"(--input listxml.xml --type xml --find '!cloneof & rotate=90' --output vertical.xml)",
     .controlId = 1400,
     .filters = {{"xml files (*.xml)", "*.xml"}},
     .defaultExtension = "xml",
     .fileName = "games.xml",
     .dialog = ListOptionsDialog::NONE,
     .windowLineEnd = "\r\n",
     .wholeDocument = false,
     .write = &GameScanner::WriteXmlList},
    {.type = ListType::CSV,
     .name = "csv",
     .caption = "CSV",
     .help = "A line of the chosen columns for every game of the file",
     .example = R"(--input listxml.xml --type csv --columns '<description>,<game name=,year,' --delimiter ';')",
     .controlId = 1401,
     .filters = {{"csv files (*.csv)", "*.csv"}, {"txt files (*.txt)", "*.txt"}},
     .defaultExtension = "csv;txt",
     .fileName = "games.csv",
     .dialog = ListOptionsDialog::COLUMNS,
     .windowLineEnd = "\r\n",
     .wholeDocument = false,
     .write = &GameScanner::WriteCsvList},
    {.type = ListType::BATCH,
     .name = "batch",
     .caption = "Batch file",
     .help = "A line per matching game made from a template, %ROM% standing for its name",
     .example = R"(--input listxml.xml --type batch --find '!cloneof' --template 'copy %ROM%.png snaps')",
     .controlId = 1402,
     .filters = {{"batch files (*.bat)", "*.bat"}},
     .defaultExtension = "bat",
     .fileName = "games.bat",
     .dialog = ListOptionsDialog::BATCH_TEMPLATE,
     .windowLineEnd = "\r\n",
     .wholeDocument = false,
     .write = &GameScanner::WriteBatchList},
    {.type = ListType::DESCRIPTIONS,
     .name = "descriptions",
     .caption = "ROM Descriptions only",
     .help = "The matching games' descriptions",
     .example = R"(--input listxml.xml --type descriptions --find 'name=cocktail' --window)",
     .controlId = 1405,
     .filters = {TEXT_FILES},
     .defaultExtension = "txt",
     .fileName = "descriptions.txt",
     .dialog = ListOptionsDialog::NONE,
     .windowLineEnd = "\r\n",
     .wholeDocument = false,
     .write = &GameScanner::WriteDescriptionList},
    {.type = ListType::NAMES,
     .name = "names",
     .caption = "ROM Names only",
     .help = "The matching games' set names",
     .example = R"(--input listxml.xml --type names --find '!cloneof & !emulation=preliminary')",
     .controlId = 1403,
     .filters = {TEXT_FILES},
     .defaultExtension = "txt",
     .fileName = "names.txt",
     .dialog = ListOptionsDialog::NONE,
     .windowLineEnd = "\r\n",
     .wholeDocument = false,
     .write = &GameScanner::WriteNameList},
    {.type = ListType::MALA,
     .name = "mala",
     .caption = "MaLa Game List",
     .help = "A game list for the MaLa front-end (.mlg)",
     .example = R"(--input merged.xml --type mala --find '<category>shooter' --title 'Shooters' --output shooters.mlg)",
     .controlId = 1404,
     .filters = {{"mlg files (*.mlg)", "*.mlg"}},
     .defaultExtension = "mlg",
     .fileName = "games.mlg",
     .dialog = ListOptionsDialog::MALA_TITLE,
     .windowLineEnd = "",
     .wholeDocument = false,
     .write = &GameScanner::WriteMalaList},
    // The names list again, each line naming the game's zip in the window.
    {.type = ListType::ATOMIC_FE,
     .name = "atomicfe",
     .caption = "AtomicFE List",
     .help = "A game list for the Atomic FE front-end: the sets' names",
     .example = R"(--input listxml.xml --type atomicfe --find '(rotate=90 | rotate=270)' --window)",
     .controlId = 1406,
     .filters = {{"Atomic FE game list files (*.txt)", "*.txt"}},
     .defaultExtension = "txt",
     .fileName = "games.txt",
     .dialog = ListOptionsDialog::NONE,
     .windowLineEnd = ".zip\r\n",
     .wholeDocument = false,
     .write = &GameScanner::WriteNameList},
    {.type = ListType::ATTRACT,
     .name = "attract",
     .caption = "Attract-Mode romlist",
     .help = "An Attract-Mode romlist",
     .example = R"(--input merged.xml --type attract --find '!cloneof' --emulator mame --output romlists/mame.txt)",
     .controlId = 1410,
     .filters = {{"Attract-Mode romlists (*.txt)", "*.txt"}},
     .defaultExtension = "txt",
     .fileName = "mame.txt",
     .place = "romlists/EMULATOR.txt in Attract-Mode's folder (~/.attract), named after --emulator. It names the sets "
              "only: the emulator's rompath finds their files.",
     .readFolders = ATTRACT_FOLDERS,
     .dialog = ListOptionsDialog::EXPORT_OPTIONS,
     .options = ATTRACT_OPTIONS,
     .windowLineEnd = "",
     .wholeDocument = true,
     .write = &GameScanner::WriteAttractList},
    {.type = ListType::EMULATIONSTATION,
     .name = "emulationstation",
     .caption = "EmulationStation gamelist",
     .help = "An EmulationStation or ES-DE gamelist.xml",
     .example =
         R"(--input listxml.xml --type emulationstation --find '!cloneof & !emulation=preliminary' --output gamelist.xml)",
     .controlId = 1411,
     .filters = {{"EmulationStation gamelists (*.xml)", "*.xml"}},
     .defaultExtension = "xml",
     .fileName = "gamelist.xml",
     .place = "ES-DE reads ~/ES-DE/gamelists/SYSTEM/gamelist.xml (SYSTEM: the system of your sets, such as arcade) and "
              "passes over a gamelist.xml in the ROM folder unless its legacy gamelist setting is on; RetroPie's "
              "EmulationStation reads the ROM folder's own. Paths: ./NAME.zip (the default, without --rom-folder) or "
              "absolute inside that system's ROM folder; ES-DE drops ~/ and other paths.",
     .readFolders = GAMELIST_FOLDERS,
     .dialog = ListOptionsDialog::EXPORT_OPTIONS,
     .options = GAMELIST_OPTIONS,
     .windowLineEnd = "",
     .wholeDocument = true,
     .write = &GameScanner::WriteGamelist},
    {.type = ListType::RETROARCH,
     .name = "retroarch",
     .caption = "RetroArch playlist",
     .help = "A RetroArch playlist",
     .example =
         R"(--input listxml.xml --type retroarch --find '!cloneof' --rom-folder /home/me/roms --output MAME.lpl)",
     .controlId = 1412,
     .filters = {{"RetroArch playlists (*.lpl)", "*.lpl"}},
     .defaultExtension = "lpl",
     .fileName = "MAME.lpl",
     .place = "MAME.lpl in RetroArch's playlists folder (~/.config/retroarch/playlists; for its Flatpak, the same "
              "under ~/.var/app/org.libretro.RetroArch/config). Paths must be absolute, as RetroArch resolves a "
              "relative one against its own working folder: without --rom-folder the sets are taken to be beside the "
              "playlist, in the folder of --output (else the current folder).",
     .readFolders = PLAYLIST_FOLDERS,
     .dialog = ListOptionsDialog::EXPORT_OPTIONS,
     .options = RETROARCH_OPTIONS,
     .windowLineEnd = "",
     .wholeDocument = true,
     .write = &GameScanner::WriteRetroArchPlaylist},
    {.type = ListType::PEGASUS,
     .name = "pegasus",
     .caption = "Pegasus metadata",
     .help = "A Pegasus metadata file",
     .example =
         R"(--input merged.xml --type pegasus --find '<category>shooter' --collection Shooters --output metadata.pegasus.txt)",
     .controlId = 1413,
     .filters = {{"Pegasus metadata (*.txt)", "*.txt"}},
     .defaultExtension = "txt",
     .fileName = "metadata.pegasus.txt",
     .place = "metadata.pegasus.txt in the ROM folder, where the default ./NAME.zip paths find the sets; or in "
              "Pegasus's metafiles folder (~/.config/pegasus-frontend/metafiles) with an absolute --rom-folder. "
              "Pegasus resolves file: paths against the metadata file's own folder, does not expand ~, and shows only "
              "games whose file exists.",
     .dialog = ListOptionsDialog::EXPORT_OPTIONS,
     .options = PEGASUS_OPTIONS,
     .windowLineEnd = "",
     .wholeDocument = true,
     .write = &GameScanner::WritePegasusList},
    {.type = ListType::DAT,
     .name = "dat",
     .caption = "DAT for ROM managers",
     .help = "A Logiqx DAT for ROM managers, with the BIOS sets, parents and devices the games need",
     .example =
         R"(--input listxml.xml --type dat --find '!cloneof & (rotate=90 | rotate=270)' --dat-name Vertical --output vertical.dat)",
     .controlId = 1414,
     .filters = {{"DAT files (*.dat)", "*.dat"}, {"xml files (*.xml)", "*.xml"}},
     .defaultExtension = "dat",
     .fileName = "selection.dat",
     .place =
         "NAME.dat wherever your ROM manager takes its DATs from. The default form carries MAME's isdevice, device_ref "
         "and ROM bios, which managers read for whole non-merged sets; --dat-strict writes the Logiqx DTD's form.",
     .dialog = ListOptionsDialog::EXPORT_OPTIONS,
     .options = DAT_OPTIONS,
     .windowLineEnd = "",
     .wholeDocument = true,
     .write = &GameScanner::WriteDat},
    {.type = ListType::TABLE,
     .name = "table",
     .caption = "Spreadsheet table",
     .help = "A spreadsheet table (.csv) of the matching games, with the columns you choose",
     .example =
         R"(--input merged.xml --type table --find '!cloneof' --fields 'name,description,year,nplayers' --output games.csv)",
     .controlId = 1415,
     .filters = {{"csv files (*.csv)", "*.csv"}},
     .defaultExtension = "csv",
     .fileName = "games.csv",
     .place = "Anywhere: it is for spreadsheets.",
     .dialog = ListOptionsDialog::EXPORT_OPTIONS,
     .options = TABLE_OPTIONS,
     .windowLineEnd = "",
     .wholeDocument = true,
     .write = &GameScanner::WriteTable},
    {.type = ListType::MAME_INI,
     .name = "mame-ini",
     .caption = "MAME folder ini",
     .help = "A folder ini for MAME's own UI, holding the matching games",
     .example =
         R"(--input listxml.xml --type mame-ini --find 'ways=4' --title 'Four ways' --output folders/fourways.ini)",
     .controlId = 1416,
     .filters = {{"ini files (*.ini)", "*.ini"}},
     .defaultExtension = "ini",
     .fileName = "selection.ini",
     .place = "An .ini in MAME's category path (ui.ini's categorypath: by default the folder named folders where MAME "
              "starts); MAME's UI offers every .ini there as a filter. It names the sets only.",
     .readFolders = FOLDER_INI_FOLDERS,
     .dialog = ListOptionsDialog::EXPORT_OPTIONS,
     .options = MAME_INI_OPTIONS,
     .windowLineEnd = "",
     .wholeDocument = true,
     .write = &GameScanner::WriteMameIni},
};

} // namespace

std::span<const ListTypeInfo> ListTypes() {
    return TYPES;
}

const ListTypeInfo& ListTypeOf(ListType type) {
    return *std::find_if(std::begin(TYPES), std::end(TYPES),
                         [type](const ListTypeInfo& info) { return info.type == type; });
}

const ListTypeInfo* FindListType(std::string_view name) {
    const ListTypeInfo* found = std::find_if(std::begin(TYPES), std::end(TYPES),
                                             [name](const ListTypeInfo& info) { return info.name == name; });
    return found == std::end(TYPES) ? nullptr : found;
}

} // namespace pellaquin
