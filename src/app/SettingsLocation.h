#pragma once

#include <filesystem>

namespace pellaquin {

// Where the per-user settings store lives: the file user.reg in a settings folder.
class SettingsLocation {
public:
    // The store in `folder`. An empty folder means there is no store: it reads as missing and cannot
    // be written.
    explicit SettingsLocation(std::filesystem::path folder);

    // The current user's folder: $XDG_CONFIG_HOME/pellaquin when that variable holds an absolute
    // path, else $HOME/.config/pellaquin when HOME is absolute, else no folder. Read from the
    // environment at each call, so a test can point it at a temporary folder.
    static SettingsLocation ForCurrentUser();

    const std::filesystem::path& Folder() const { return m_folder; }
    // The store file in the folder, or an empty path when there is no folder.
    std::filesystem::path StoreFile() const;

private:
    std::filesystem::path m_folder;
};

} // namespace pellaquin
