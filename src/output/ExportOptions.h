#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace pellaquin {

// The options of the lists for front-ends and ROM managers: one value the window can fill from a
// dialog and store, and the command line from its options.
struct ExportOptions {
    // Where the sets live; the lists that name files build their paths from it. Empty: "./" (for
    // RetroArch, which needs whole paths, the current folder).
    std::string romFolder;
    // Given without its dot ("zip"), the paths still get one.
    std::string romExtension = ".zip";
    // Attract-Mode's emulator name, written on every line of its romlist.
    std::string emulator = "mame";
    // RetroArch's core for every entry; "DETECT" lets RetroArch ask.
    std::string corePath = "DETECT";
    std::string coreName = "DETECT";
    // Pegasus's collection and its launch command ({file.basename} and the like are Pegasus's own).
    std::string collection = "MAME";
    std::string launch = "mame {file.basename}";
    // The DAT's name, in its header.
    std::string datName = "Pellaquin selection";
    // A DAT the Logiqx DTD validates: without the devices' isdevice, the sets' device_refs and the
    // ROMs' bios, which ROM managers read to build whole sets.
    bool datStrict = false;
    // The table's columns, by name, joined by ","; and what separates them in a row.
    std::string fields = "name,description,year,manufacturer,cloneof,category,players,buttons,rotate,status";
    std::string tableDelimiter = ",";
    // The name of the folder MAME's UI shows for a folder ini.
    std::string folderTitle = "Pellaquin selection";
};

enum class ExportOption {
    ROM_FOLDER,
    ROM_EXTENSION,
    EMULATOR,
    CORE_PATH,
    CORE_NAME,
    COLLECTION,
    LAUNCH,
    DAT_NAME,
    DAT_STRICT,
    FIELDS,
    TABLE_DELIMITER,
    FOLDER_TITLE,
};

// Everything the command line, the option dialog and the settings file know of one export option.
struct ExportOptionInfo {
    ExportOption option;
    std::string_view storedName; // the settings file's key
    // The command line's option; empty for one that an option of the classic lists sets too (--title,
    // --delimiter).
    std::string_view flag;
    std::string_view help;  // the command line's
    std::string_view label; // the option dialog's row
    int controlId;          // the option dialog's row
    // A text, or a choice the command line takes as a flag and the dialog as a box.
    std::variant<std::string ExportOptions::*, bool ExportOptions::*> member;
};

// Every export option, in the order the settings file and the command line's help list them.
std::span<const ExportOptionInfo> ExportOptionTable();

// The table's row of `option`.
const ExportOptionInfo& ExportOptionOf(ExportOption option);

} // namespace pellaquin
