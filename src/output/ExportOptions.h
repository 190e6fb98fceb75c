#pragma once

#include <string>

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

} // namespace pellaquin
