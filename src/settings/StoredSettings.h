#pragma once

#include "output/ExportOptions.h"

#include <optional>
#include <string>
#include <vector>

namespace pellaquin {

// What is kept for the user between runs, in the settings file.
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

// What the settings file held.
struct SettingsLoad {
    // Nothing before the first "Set" (no file yet), and when the file cannot be read.
    std::optional<StoredSettings> settings;
    // Why the file that exists cannot be read, naming it and, for a damaged one, the line: empty when
    // there is no such problem.
    std::string problem;
};

// The stored settings, absent values read as empty (an export option absent keeps its default). Where
// no settings file exists yet, the values an earlier version stored are taken (and written to the
// settings file, the old store left as it was).
SettingsLoad ReadStoredSettings();

// What the user is told of a settings file that cannot be read, given ReadStoredSettings' problem.
std::string SettingsUnreadableMessage(const std::string& problem);

// ReadStoredSettings' settings alone: nothing on a first run and for a file that cannot be read.
std::optional<StoredSettings> LoadStoredSettings();

// Stores every setting in one replacement of the settings file, keeping the keys of the file that
// this version does not know. A damaged file in the way is kept as "pellaquin.conf.bad". False when the
// file could not be written; it is then as it was.
bool SaveStoredSettings(const StoredSettings& settings);

} // namespace pellaquin
