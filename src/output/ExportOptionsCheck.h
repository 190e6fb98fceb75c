#pragma once

#include "output/ListRequest.h"

#include <string_view>

namespace pellaquin {

// What in a list's options its reader would lose the list over.
enum class ExportOptionsProblem {
    NONE,
    BLANK_COLLECTION,      // Pegasus shows no game outside a collection
    RESERVED_FOLDER_TITLE, // MAME's UI keeps "ROOT_FOLDER" and "FOLDER_SETTINGS" for itself
};

// Whether the list of `type` can be written with `options`: NONE, else the first problem. Options the
// type does not use are not looked at. The window keeps its options dialog from closing on a problem,
// and the command line refuses the run.
ExportOptionsProblem CheckExportOptions(ListType type, const ExportOptions& options);

// What the user is told of `problem`, naming the option; empty for NONE.
std::string_view ExportOptionsProblemMessage(ExportOptionsProblem problem);

} // namespace pellaquin
