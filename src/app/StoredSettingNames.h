#pragma once

#include <string_view>

namespace pellaquin {

// Where the program's settings are stored, and the names of the values kept there.
inline constexpr std::string_view SETTINGS_KEY = "Software\\Pellaquin";
inline constexpr std::string_view INPUT_VALUE = "inputXMLFile";
inline constexpr std::string_view LISTING_VALUE = "listXMLFile";
inline constexpr std::string_view CATVER_VALUE = "catverFile";
inline constexpr std::string_view CONTROLS_VALUE = "controlsFile";

} // namespace pellaquin
