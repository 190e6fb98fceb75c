#include "app/StoredSettings.h"

#include "app/RegistryKey.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace pellaquin {

namespace {

constexpr std::string_view SETTINGS_KEY = "Software\\Pellaquin";
constexpr std::string_view INPUT_VALUE = "inputXMLFile";
constexpr std::string_view LISTING_VALUE = "listXMLFile";
constexpr std::string_view CATVER_VALUE = "catverFile";
constexpr std::string_view CONTROLS_VALUE = "controlsFile";
constexpr std::string_view NPLAYERS_VALUE = "nplayersFile";
constexpr std::string_view GEOMETRY_VALUE = "windowGeometry";
// A list is one value per entry, "iniFile1", "iniFile2" and so on, as a value holds one short text.
constexpr std::string_view INI_FILE_VALUES = "iniFile";
constexpr std::string_view AVAILABLE_FOLDER_VALUES = "availableFolder";
// The number of a list's entries is stored too, so a shorter list leaves no entries behind.
constexpr std::string_view COUNT_SUFFIX = "Count";

// Each export option by the name of its value.
constexpr std::pair<std::string_view, std::string ExportOptions::*> EXPORT_VALUES[] = {
    {"romFolder", &ExportOptions::romFolder},     {"romExtension", &ExportOptions::romExtension},
    {"emulator", &ExportOptions::emulator},       {"corePath", &ExportOptions::corePath},
    {"coreName", &ExportOptions::coreName},       {"collection", &ExportOptions::collection},
    {"launch", &ExportOptions::launch},           {"datName", &ExportOptions::datName},
    {"tableFields", &ExportOptions::fields},      {"tableDelimiter", &ExportOptions::tableDelimiter},
    {"folderTitle", &ExportOptions::folderTitle},
};

// The list's entries up to its count, or up to the first entry that is missing.
std::vector<std::string> LoadList(CRegistryKey& key, std::string_view name) {
    std::vector<std::string> list;
    std::string_view count = key.Value(std::string(name) + std::string(COUNT_SUFFIX)).Text();
    std::size_t entries = 0;
    std::from_chars(count.data(), count.data() + count.size(), entries);
    for (std::size_t entry = 1; entry <= entries; ++entry) {
        CRegistryValue& value = key.Value(std::string(name) + std::to_string(entry));
        if (value.Type() == 0) {
            break;
        }
        list.emplace_back(value.Text());
    }
    return list;
}

void SaveList(CRegistryKey& key, std::string_view name, const std::vector<std::string>& list) {
    for (std::size_t entry = 0; entry < list.size(); ++entry) {
        key.Value(std::string(name) + std::to_string(entry + 1)).SetText(list[entry]);
    }
    key.Value(std::string(name) + std::string(COUNT_SUFFIX)).SetText(std::to_string(list.size()));
}

} // namespace

std::optional<StoredSettings> LoadStoredSettings() {
    CRegistryKey reader(0);
    if (!reader.Open(SETTINGS_KEY, HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        return std::nullopt;
    }
    StoredSettings settings;
    settings.inputXmlFile = reader.Value(INPUT_VALUE).Text();
    settings.listXmlFile = reader.Value(LISTING_VALUE).Text();
    settings.catverFile = reader.Value(CATVER_VALUE).Text();
    settings.controlsFile = reader.Value(CONTROLS_VALUE).Text();
    settings.nplayersFile = reader.Value(NPLAYERS_VALUE).Text();
    settings.iniFiles = LoadList(reader, INI_FILE_VALUES);
    settings.availableFolders = LoadList(reader, AVAILABLE_FOLDER_VALUES);
    settings.windowGeometry = reader.Value(GEOMETRY_VALUE).Text();
    // An option never stored keeps its default: an empty emulator or extension would make useless lists.
    for (const auto& [name, option] : EXPORT_VALUES) {
        if (CRegistryValue& value = reader.Value(name); value.Type() != 0) {
            settings.exportOptions.*option = value.Text();
        }
    }
    reader.Close();
    return settings;
}

bool SaveStoredSettings(const StoredSettings& settings) {
    CRegistryKey writer(CRegistryKey::MODE_CREATE);
    if (!writer.Open(SETTINGS_KEY, HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        return false;
    }
    writer.Value(INPUT_VALUE).SetText(settings.inputXmlFile);
    writer.Value(LISTING_VALUE).SetText(settings.listXmlFile);
    writer.Value(CATVER_VALUE).SetText(settings.catverFile);
    writer.Value(CONTROLS_VALUE).SetText(settings.controlsFile);
    writer.Value(NPLAYERS_VALUE).SetText(settings.nplayersFile);
    SaveList(writer, INI_FILE_VALUES, settings.iniFiles);
    SaveList(writer, AVAILABLE_FOLDER_VALUES, settings.availableFolders);
    writer.Value(GEOMETRY_VALUE).SetText(settings.windowGeometry);
    for (const auto& [name, option] : EXPORT_VALUES) {
        writer.Value(name).SetText(settings.exportOptions.*option);
    }
    bool written = !writer.HadWriteError();
    writer.Close();
    return written;
}

} // namespace pellaquin
