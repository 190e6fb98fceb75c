#pragma once

#include <filesystem>

namespace pellaquin {

// Where the current user's settings file lives: pellaquin.conf in a settings folder, beside which
// earlier versions kept user.reg.
class SettingsLocation {
public:
    // The settings in `folder`. An empty folder means there are none: they read as missing and cannot
    // be written.
    explicit SettingsLocation(std::filesystem::path folder);

    // The current user's folder: $XDG_CONFIG_HOME/pellaquin when that variable holds an absolute
    // path, else $HOME/.config/pellaquin when HOME is absolute, else no folder. Read from the
    // environment at each call, so a test can point it at a temporary folder.
    static SettingsLocation ForCurrentUser();

    const std::filesystem::path& Folder() const { return m_folder; }
    // The settings file in the folder, or an empty path when there is no folder.
    std::filesystem::path SettingsFile() const;
    // The store file of earlier versions in the folder, or an empty path when there is no folder.
    std::filesystem::path LegacyStoreFile() const;

private:
    std::filesystem::path m_folder;
};

} // namespace pellaquin
