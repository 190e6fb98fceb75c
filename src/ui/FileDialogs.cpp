#include "ui/FileDialogs.h"

#include <utility>

namespace pellaquin {

namespace {

FileDialogHandler& InstalledHandler() {
    static FileDialogHandler handler;
    return handler;
}

} // namespace

void SetFileDialogHandler(FileDialogHandler handler) {
    InstalledHandler() = std::move(handler);
}

std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) {
    const FileDialogHandler& handler = InstalledHandler();
    if (!handler) {
        return std::nullopt;
    }
    return handler(request);
}

namespace {

bool ChooseFile(FileDialogRequest::Kind kind, std::string_view title, std::string& path,
                const std::vector<FileFilter>& filters, std::string_view defaultExtension) {
    std::optional<std::string> chosen =
        ShowFileDialog({kind, std::string(title), filters, std::string(defaultExtension), path});
    if (!chosen) {
        return false;
    }
    path = std::move(*chosen);
    return true;
}

} // namespace

bool ChooseOpenFile(std::string_view title, std::string& path, const std::vector<FileFilter>& filters,
                    std::string_view defaultExtension) {
    return ChooseFile(FileDialogRequest::Kind::OPEN, title, path, filters, defaultExtension);
}

bool ChooseSaveFile(std::string_view title, std::string& path, const std::vector<FileFilter>& filters,
                    std::string_view defaultExtension) {
    return ChooseFile(FileDialogRequest::Kind::SAVE, title, path, filters, defaultExtension);
}

bool ChooseFolder(std::string_view title, std::string& path) {
    return ChooseFile(FileDialogRequest::Kind::FOLDER, title, path, {}, {});
}

} // namespace pellaquin
