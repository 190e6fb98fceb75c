#pragma once

#include "output/ExportOptions.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace pellaquin {

class ByteSink;
class GameScanner;
struct ListRequest;
struct ListResult;

// Every list Pellaquin writes: the seven classic lists, then those for today's front-ends and ROM
// managers.
enum class ListType {
    XML,
    CSV,
    BATCH,
    DESCRIPTIONS,
    NAMES,
    MALA,
    ATOMIC_FE,
    ATTRACT,
    EMULATIONSTATION,
    RETROARCH,
    PEGASUS,
    DAT,
    TABLE,
    MAME_INI,
};

// The dialog that asks for a list's options before it runs.
enum class ListOptionsDialog {
    NONE,
    COLUMNS,        // the CSV column chooser: its column list stands in for the search command
    BATCH_TEMPLATE, // the batch line
    MALA_TITLE,     // the MaLa list's title
    EXPORT_OPTIONS, // the rows of the export options the type takes
};

struct SaveFilter {
    std::string_view description; // "xml files (*.xml)"
    std::string_view pattern;     // "*.xml"
};

// Everything the command line, the window and the option dialogs know of one list type.
struct ListTypeInfo {
    ListType type;
    std::string_view name;    // the command line's --type
    std::string_view caption; // the window's output choice
    std::string_view help;    // what the list is, as the window's tooltip says
    // The command line's example of the type, the arguments after "list".
    std::string_view example;
    int controlId;         // the window's output choice
    SaveFilter filters[2]; // the save dialog's, the first one chosen; an empty second one is none
    std::string_view defaultExtension;
    // The name the save dialog offers, unless the list's title names it.
    std::string_view fileName;
    // Where its reader takes the list from and which paths in it that reader accepts, for the help and the
    // manual; empty for a list that goes anywhere the user likes.
    std::string_view place = {};
    // The folders under the home folder its reader takes it from, the most usual first.
    std::span<const std::string_view> readFolders = {};
    ListOptionsDialog dialog;
    // The export options the type takes, in the order its dialog shows them.
    std::span<const ExportOption> options = {};
    // The window's line ends: every "\n" becomes this; none for a list whose line ends are its format's.
    std::string_view windowLineEnd;
    // A front-end reads the list as one document: a save replaces the file instead of adding to it.
    bool wholeDocument;
    ListResult (GameScanner::*write)(const ListRequest& request, ByteSink& sink);
};

// Every list type, in the order the command line's help and the window name them.
std::span<const ListTypeInfo> ListTypes();

// The table's row of `type`.
const ListTypeInfo& ListTypeOf(ListType type);

// The row named `name` on the command line; nothing for a name no type has.
const ListTypeInfo* FindListType(std::string_view name);

} // namespace pellaquin
