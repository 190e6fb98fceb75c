#include "app/StoredSettings.h"

#include "app/RegistryKey.h"

#include <string_view>

namespace pellaquin {

namespace {

constexpr std::string_view SETTINGS_KEY = "Software\\Pellaquin";
constexpr std::string_view INPUT_VALUE = "inputXMLFile";
constexpr std::string_view LISTING_VALUE = "listXMLFile";
constexpr std::string_view CATVER_VALUE = "catverFile";
constexpr std::string_view CONTROLS_VALUE = "controlsFile";

} // namespace

std::optional<StoredPaths> LoadStoredPaths() {
    CRegistryKey reader(0);
    if (!reader.Open(SETTINGS_KEY, HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        return std::nullopt;
    }
    StoredPaths paths;
    paths.inputXmlFile = reader.Value(INPUT_VALUE).Text();
    paths.listXmlFile = reader.Value(LISTING_VALUE).Text();
    paths.catverFile = reader.Value(CATVER_VALUE).Text();
    paths.controlsFile = reader.Value(CONTROLS_VALUE).Text();
    reader.Close();
    return paths;
}

bool SaveStoredPaths(const StoredPaths& paths) {
    CRegistryKey writer(CRegistryKey::MODE_CREATE);
    if (!writer.Open(SETTINGS_KEY, HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        return false;
    }
    writer.Value(INPUT_VALUE).SetText(paths.inputXmlFile);
    writer.Value(LISTING_VALUE).SetText(paths.listXmlFile);
    writer.Value(CATVER_VALUE).SetText(paths.catverFile);
    writer.Value(CONTROLS_VALUE).SetText(paths.controlsFile);
    bool written = !writer.HadWriteError();
    writer.Close();
    return written;
}

} // namespace pellaquin
