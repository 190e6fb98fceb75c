#pragma once

#include "roms/AuditReport.h"
#include "roms/RomCatalog.h"
#include "roms/RomFolders.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pellaquin {

enum class LinkKind { NONE, HARD, SYMBOLIC };

struct CopyOptions {
    std::string target; // the folder the sets go to, made when missing
    LinkKind link = LinkKind::NONE;
    bool replace = false; // replace a different file of the same name in the target
    bool dryRun = false;  // decide what would be done, and do nothing
};

enum class CopyOutcome {
    COPIED,    // written (or linked) where nothing was
    REPLACED,  // a different file of its name was replaced
    IDENTICAL, // the target already held the same bytes, or the very file
    REFUSED,   // a different file of its name is there, and replacing was not asked for
    FAILED,    // could not be read or written: see the problem
};

struct CopiedFile {
    std::string source;
    std::string target;
    std::uint64_t bytes = 0;
    CopyOutcome outcome = CopyOutcome::COPIED;
    std::string problem;
};

struct CopyReport {
    std::vector<CopiedFile> files; // for a dry run, what would come of each
    std::uint64_t bytes = 0;       // written or linked, or that would be
    bool stopped = false;
};

// Copies into the target folder what MAME opens to run `names` (RomCatalog::SetsToRun), as the
// containers stand: for each set its folder (with its CHDs), its zip and its 7z, each from the first ROM
// folder that holds one. Each file is written under a temporary name beside its place and renamed once
// whole, so a stop or a failure leaves only whole files; the sources are only read. `progress` hears the
// bytes written, and stops the copy when it returns false, even in the middle of a file.
CopyReport CopySets(const RomCatalog& catalog, const RomFolders& folders, const std::vector<std::string>& names,
                    const CopyOptions& options, const WorkProgress& progress);

} // namespace pellaquin
