#include "app/SettingsLocation.h"

#include <cstdlib>
#include <utility>

namespace pellaquin {

namespace {

std::filesystem::path Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::filesystem::path() : std::filesystem::path(value);
}

} // namespace

SettingsLocation::SettingsLocation(std::filesystem::path folder) : m_folder(std::move(folder)) {}

SettingsLocation SettingsLocation::ForCurrentUser() {
    // Relative paths are ignored, as the base directory rules say: they would depend on the working folder.
    std::filesystem::path configHome = Environment("XDG_CONFIG_HOME");
    if (configHome.is_absolute()) {
        return SettingsLocation(configHome / "pellaquin");
    }
    std::filesystem::path home = Environment("HOME");
    if (home.is_absolute()) {
        return SettingsLocation(home / ".config" / "pellaquin");
    }
    return SettingsLocation({});
}

std::filesystem::path SettingsLocation::StoreFile() const {
    return m_folder.empty() ? std::filesystem::path() : m_folder / "user.reg";
}

} // namespace pellaquin
