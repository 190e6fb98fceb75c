#pragma once

#include "roms/ArchiveContents.h"

namespace pellaquin {

// The zip at `path` read with libzip: its central directory only, or every file's bytes too.
ArchiveContents ReadZip(const std::string& path, ArchiveReading reading, const KeepGoing& keepGoing);

} // namespace pellaquin
