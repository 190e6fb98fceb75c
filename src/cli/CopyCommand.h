#pragma once

#include "cli/ListCommand.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pellaquin {

struct CopyCommandOptions {
    SelectionOptions selection;
    std::vector<std::string> romFolders; // searched in order
    std::string target;
    std::string link; // empty, "hard" or "symbolic"
    bool replace = false;
    bool dryRun = false;
};

// Copies the selected sets and what MAME needs to run them into the target folder, a line per file, then
// a summary naming each selected set that is not complete in the source. Returns the exit status: 0
// when every file is there and MAME runs every set, 1 when not, 2 when the copy could not be started.
int RunCopyCommand(const CopyCommandOptions& options, std::ostream& out, std::ostream& err, bool errIsTerminal);

} // namespace pellaquin
