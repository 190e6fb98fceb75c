#pragma once

#include "roms/ArchiveContents.h"

namespace pellaquin {

// The 7z at `path` read with libarchive. libarchive gives no file's CRC32 from a 7z's header, so even
// the directory reading decompresses every file for it; BYTES adds the SHA1.
ArchiveContents ReadSevenZip(const std::string& path, ArchiveReading reading, const KeepGoing& keepGoing);

} // namespace pellaquin
