#pragma once

#include <optional>
#include <string>

namespace pellaquin {

// The paths kept for the user between runs, under the settings key.
struct StoredPaths {
    std::string inputXmlFile; // the file the main window scans
    std::string listXmlFile;  // MAME's listing, chosen or captured
    std::string catverFile;
    std::string controlsFile;
};

// The stored paths, absent values read as empty; nothing when no settings key is stored yet, which
// makes this start a first run.
std::optional<StoredPaths> LoadStoredPaths();

// Stores the four paths, creating the settings key when it is missing. False when the store could not
// be written.
bool SaveStoredPaths(const StoredPaths& paths);

} // namespace pellaquin
