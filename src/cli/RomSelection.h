#pragma once

#include "cli/ListCommand.h"
#include "roms/RomCatalog.h"
#include "roms/RomFolders.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace pellaquin {

// What the audit and the copy start from: the ROM folders, the sets the selection keeps, and what the
// listing says those sets need.
struct RomSelection {
    RomFolders folders;
    std::vector<std::string> names;
    RomCatalog catalog;
};

// Lists the ROM folders, runs the selection over its input and reads the selected sets' needs. Nothing,
// with the messages said on `err`, when a folder cannot be listed, the input cannot be read or the
// selection is refused.
std::optional<RomSelection> SelectRomSets(const SelectionOptions& options, const std::vector<std::string>& romFolders,
                                          std::ostream& err);

} // namespace pellaquin
