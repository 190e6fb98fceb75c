#include "output/ExportOptions.h"

#include <algorithm>

namespace pellaquin {

namespace {

constexpr ExportOptionInfo OPTIONS[] = {
    {ExportOption::ROM_FOLDER, "romFolder", "--rom-folder",
     "where the sets live, for the paths in the list (default: ./; for retroarch the folder of --output, else the "
     "current folder)",
     "Folder of the sets (empty: beside the list):", 1420, &ExportOptions::romFolder},
    {ExportOption::ROM_EXTENSION, "romExtension", "--rom-extension",
     "the sets' file extension; a dot is added when it has none", "Extension of the sets:", 1421,
     &ExportOptions::romExtension},
    {ExportOption::EMULATOR, "emulator", "--emulator", "the emulator's name", "Emulator name:", 1422,
     &ExportOptions::emulator},
    {ExportOption::CORE_PATH, "corePath", "--core-path", "the core's path", "Core path (DETECT: RetroArch asks):", 1423,
     &ExportOptions::corePath},
    {ExportOption::CORE_NAME, "coreName", "--core-name", "the core's name", "Core name:", 1424,
     &ExportOptions::coreName},
    {ExportOption::COLLECTION, "collection", "--collection", "the collection's name, not blank", "Collection:", 1425,
     &ExportOptions::collection},
    {ExportOption::LAUNCH, "launch", "--launch", "the launch command", "Launch command:", 1426, &ExportOptions::launch},
    {ExportOption::DAT_NAME, "datName", "--dat-name", "the DAT's name", "DAT name:", 1427, &ExportOptions::datName},
    {ExportOption::DAT_STRICT, "datStrict", "--dat-strict",
     "the Logiqx DTD's form, without MAME's isdevice, device_ref and ROM bios",
     "Only what the Logiqx DTD allows (no isdevice, device_ref or ROM bios)", 1432, &ExportOptions::datStrict},
    {ExportOption::FIELDS, "tableFields", "--fields",
     "its columns; also romof, sourcefile, controls, ways, display and any element of a merged file (nplayers, "
     "veradded, bestgames...)",
     "Columns, by name:", 1428, &ExportOptions::fields},
    {ExportOption::TABLE_DELIMITER, "tableDelimiter", "", "", "Delimiter:", 1429, &ExportOptions::tableDelimiter},
    {ExportOption::FOLDER_TITLE, "folderTitle", "", "", "Folder name in MAME:", 1430, &ExportOptions::folderTitle},
};

} // namespace

std::span<const ExportOptionInfo> ExportOptionTable() {
    return OPTIONS;
}

const ExportOptionInfo& ExportOptionOf(ExportOption option) {
    return *std::find_if(std::begin(OPTIONS), std::end(OPTIONS),
                         [option](const ExportOptionInfo& info) { return info.option == option; });
}

} // namespace pellaquin
