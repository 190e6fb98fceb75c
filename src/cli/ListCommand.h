#pragma once

#include "output/ExportOptions.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pellaquin {

struct ListOptions {
    std::string inputPath;
    std::string type;
    std::string find;
    std::string columns;
    std::string delimiter = ",";
    std::string batchTemplate = "copy %ROM%.zip c:\\mame\\roms";
    std::string title;
    bool window = false;
    std::string outputPath; // empty: standard output
    // The lists for front-ends and ROM managers; --title and --delimiter reach them too.
    ExportOptions exports;
};

// The list types `list --type` takes, in the order the help names them.
inline const std::vector<std::string> LIST_TYPES = {"xml",     "csv",      "batch",   "descriptions",     "names",
                                                    "mala",    "atomicfe", "attract", "emulationstation", "retroarch",
                                                    "pegasus", "dat",      "table",   "mame-ini"};

// Runs one list as the main window's search run does. Returns the exit status.
int RunListCommand(const ListOptions& options, std::ostream& out, std::ostream& err);

// Prints how many games `find` matches in the file at `inputPath`. Returns the exit status.
int RunCountCommand(const std::string& inputPath, const std::string& find, std::ostream& out, std::ostream& err);

} // namespace pellaquin
