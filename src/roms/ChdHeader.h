#pragma once

#include "roms/ContentHasher.h"

#include <string>

namespace pellaquin {

enum class ChdStatus {
    OPENED,
    MISSING,      // no file of its name, or a folder
    UNREADABLE,   // no permission, a symbolic link loop, a read error
    NOT_CHD,      // no CHD's tag, or a header of the wrong length for its version
    UNSUPPORTED,  // a version MAME no longer opens
    NEEDS_PARENT, // a difference file, which opens only over its parent
    CUT_SHORT,    // its hunk map lies past its end
};

// What a CHD's header says of it: the SHA1 of its data and metadata, as MAME compares it with the
// listing's, when the header opens as MAME's own reader would open it.
struct ChdIdentity {
    ChdStatus status = ChdStatus::OPENED;
    std::optional<Sha1Digest> sha1; // none when the header holds zeros
    std::string problem;
};

// Reads the header of the CHD at `path` (versions 3, 4 and 5) and checks that its hunk map is inside
// the file; the hunks themselves are not read.
ChdIdentity ReadChdIdentity(const std::string& path);

} // namespace pellaquin
