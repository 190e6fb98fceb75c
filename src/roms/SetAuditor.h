#pragma once

#include "roms/AuditReport.h"
#include "roms/RomCatalog.h"
#include "roms/RomFolders.h"

#include <string>
#include <vector>

namespace pellaquin {

struct AuditOptions {
    // Decompress every file found and check its CRC32 and SHA1, not only what the archives' directories
    // say. A CHD's SHA1 is its header's either way.
    bool verify = false;
};

// Audits each set of `names` in `folders` as MAME's -verifyroms does, with what `catalog` read for them:
// a ROM is looked for along the set's search path (the set, its parents, its BIOS set), a device's ROMs
// in the device's set first; a set whose files found all belong to its parents is not found. The work
// is shared with a second thread. `progress` is told the sets done, on the calling thread only, and stops
// the audit when it returns false; the report then holds the sets audited, in order, up to the first
// one that was not.
AuditReport AuditSets(const RomCatalog& catalog, const RomFolders& folders, const std::vector<std::string>& names,
                      const AuditOptions& options, const WorkProgress& progress);

} // namespace pellaquin
