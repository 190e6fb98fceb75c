#include "settings/SettingsLocation.h"

#include "platform/UserFolder.h"

#include <utility>

namespace pellaquin {

SettingsLocation::SettingsLocation(std::filesystem::path folder) : m_folder(std::move(folder)) {}

SettingsLocation SettingsLocation::ForCurrentUser() {
    return SettingsLocation(UserFolder("XDG_CONFIG_HOME", ".config"));
}

std::filesystem::path SettingsLocation::SettingsFile() const {
    return m_folder.empty() ? std::filesystem::path() : m_folder / "pellaquin.conf";
}

std::filesystem::path SettingsLocation::LegacyStoreFile() const {
    return m_folder.empty() ? std::filesystem::path() : m_folder / "user.reg";
}

} // namespace pellaquin
