#include "platform/FileDialogSeam.h"

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

} // namespace pellaquin
