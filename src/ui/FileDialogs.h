#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

struct FileFilter {
    std::string description; // "xml files (*.xml)"
    std::string pattern;     // "*.xml"
};

struct FileDialogRequest {
    enum class Kind { OPEN, SAVE, FOLDER };
    Kind kind = Kind::OPEN;
    std::string title;
    std::vector<FileFilter> filters; // the first one is selected
    std::string defaultExtension;    // added to a typed name that has none
    std::string initialPath;
};

// Shows a file dialog and returns the chosen path, or nothing when the user cancelled.
using FileDialogHandler = std::function<std::optional<std::string>(const FileDialogRequest&)>;

// The desktop program installs the real dialog; tests install a script. Without a handler every
// dialog counts as cancelled.
void SetFileDialogHandler(FileDialogHandler handler);
std::optional<std::string> ShowFileDialog(const FileDialogRequest& request);

// Put up the open or save dialog titled `title` with `path` as the initial name. On OK `path` holds the
// choice and the result is true; on cancel `path` is left as it was.
bool ChooseOpenFile(std::string_view title, std::string& path, const std::vector<FileFilter>& filters,
                    std::string_view defaultExtension);
bool ChooseSaveFile(std::string_view title, std::string& path, const std::vector<FileFilter>& filters,
                    std::string_view defaultExtension);
// The same for a folder.
bool ChooseFolder(std::string_view title, std::string& path);

} // namespace pellaquin
