#pragma once

#include "output/ExportOptions.h"
#include "output/ListType.h"
#include "output/MalaListSettings.h"
#include "output/SetSteps.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pellaquin {

// The batch list's line unless told another: "%ROM%" stands for each game's name.
#ifdef _WIN32
inline constexpr std::string_view DEFAULT_BATCH_TEMPLATE = "copy %ROM%.zip c:\\mame\\roms";
#else
inline constexpr std::string_view DEFAULT_BATCH_TEMPLATE = "cp %ROM%.zip ~/roms/";
#endif

// What one list run is asked for: the same value from the window and from the command line.
struct ListRequest {
    ListRequest() = default;
    ListRequest(ListType listType, std::string searchCommand) : type(listType), command(std::move(searchCommand)) {}

    ListType type = ListType::DESCRIPTIONS;
    // The search command as typed (for the CSV list, its column list); its double quotes are removed
    // before the run.
    std::string command;
    // What separates the CSV list's columns, and replaces the separator inside a value.
    std::string fieldSeparator = ",";
    // The batch list's line; "%ROM%" stands for each game's name.
    std::string batchTemplate = std::string(DEFAULT_BATCH_TEMPLATE);
    MalaListSettings mala;
    // The line ends the window shows, the type's windowLineEnd.
    bool windowLineEnds = false;
    SetSteps steps;
    // The options of the lists for front-ends and ROM managers.
    ExportOptions exports;
    // The folder the list is saved in, where a RetroArch playlist without a folder of the sets finds them;
    // empty: the current folder.
    std::string listFolder;
};

enum class ListStatus {
    DONE,
    EMPTY_COMMAND,
    UNKNOWN_VERSION,        // a set step's MAME version is not one
    INPUT_READ_FAILED,      // the input failed to read part-way: the list would be cut short
    OUTPUT_NOT_WRITABLE,    // the output file could not be opened
    WRITE_FAILED,           // a write to the output failed
    INPUT_HOLDS_NO_ROMS,    // a DAT was asked of controls.xml
    SHARED_LINES,           // games share lines part-way through the input: they would be read into each other
    EXPORT_OPTIONS_REFUSED, // an export option its reader would lose the list over (see ExportOptionsCheck.h)
};

struct ListResult {
    ListStatus status = ListStatus::DONE;
    // The games written.
    std::int32_t matchCount = 0;
    // The games the input holds, matched or not.
    std::int32_t gameCount = 0;
    // The games the search matched that a front-end list leaves out: BIOS sets, devices, and what
    // MAME cannot run.
    std::int32_t leftOut = 0;
    // Some text of the input was not UTF-8 and was replaced by U+FFFD in the list.
    bool replacedText = false;
};

// What the user is told for `status`; `subject` names what it is about: the output file, the version
// that is none, or for EXPORT_OPTIONS_REFUSED the whole message. Empty for DONE.
std::string ListStatusMessage(ListStatus status, std::string_view subject = {});

// The message for an output file that cannot be written, naming it.
std::string OutputNotWritableMessage(std::string_view outputPath);

} // namespace pellaquin
