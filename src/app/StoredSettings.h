#pragma once

#include "output/ExportOptions.h"

#include <optional>
#include <string>
#include <vector>

namespace pellaquin {

// What is kept for the user between runs, under the settings key.
struct StoredSettings {
    std::string inputXmlFile{}; // the file the main window scans
    std::string listXmlFile{};  // MAME's listing, chosen or captured
    std::string catverFile{};
    std::string controlsFile{};
    std::string nplayersFile{};
    std::vector<std::string> iniFiles{};         // folder ini files merged, in order
    std::vector<std::string> availableFolders{}; // where the sets the user has are
    std::string windowGeometry{};                // the main window's size and place, as the window gives it
    ExportOptions exportOptions{};               // the options of the lists for front-ends and ROM managers
};

// The stored settings, absent values read as empty; nothing when no settings key is stored yet, which
// makes this start a first run.
std::optional<StoredSettings> LoadStoredSettings();

// Stores every setting, creating the settings key when it is missing. False when the store could not be
// written.
bool SaveStoredSettings(const StoredSettings& settings);

} // namespace pellaquin
