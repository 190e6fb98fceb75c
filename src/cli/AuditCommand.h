#pragma once

#include "cli/ListCommand.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pellaquin {

struct AuditCommandOptions {
    SelectionOptions selection;
    std::vector<std::string> romFolders; // searched in order
    bool verify = false;
    bool details = false;
    std::string outputPath; // empty: standard output
};

// Audits the selected sets in the ROM folders and reports a line per set, then the counts. Returns the
// exit status: 0 when MAME runs every set, 1 when it does not, 2 when the audit could not be made.
int RunAuditCommand(const AuditCommandOptions& options, std::ostream& out, std::ostream& err, bool errIsTerminal);

} // namespace pellaquin
