#include "output/ExportOptionsCheck.h"

#include "output/ExportText.h"

namespace pellaquin {

ExportOptionsProblem CheckExportOptions(ListType type, const ExportOptions& options) {
    if (type == ListType::PEGASUS) {
        std::string collection;
        AppendLineValue(collection, options.collection);
        if (collection.empty()) {
            return ExportOptionsProblem::BLANK_COLLECTION;
        }
    }
    if (type == ListType::MAME_INI) {
        std::string title = MameFolderTitle(options.folderTitle);
        if (title == "ROOT_FOLDER" || title == "FOLDER_SETTINGS") {
            return ExportOptionsProblem::RESERVED_FOLDER_TITLE;
        }
    }
    return ExportOptionsProblem::NONE;
}

std::string_view ExportOptionsProblemMessage(ExportOptionsProblem problem) {
    switch (problem) {
    case ExportOptionsProblem::NONE:
        break;
    case ExportOptionsProblem::BLANK_COLLECTION:
        return "The Pegasus collection needs a name: Pegasus shows no game outside a collection";
    case ExportOptionsProblem::RESERVED_FOLDER_TITLE:
        return "The folder cannot be named ROOT_FOLDER or FOLDER_SETTINGS: MAME's UI keeps those names for itself";
    }
    return {};
}

} // namespace pellaquin
