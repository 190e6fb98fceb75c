#pragma once

#include "output/ExportOptions.h"
#include "output/MalaListSettings.h"
#include "output/SetSteps.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pellaquin {

enum class OutputType { XML, CSV, BATCH, DESCRIPTIONS, NAMES, MALA, ATOMIC_FE };

// The lists for today's front-ends and ROM managers. A request for one of them writes it instead of
// its OutputType.
enum class ExportType { NONE, ATTRACT, EMULATIONSTATION, RETROARCH, PEGASUS, DAT, TABLE, MAME_INI };

// What one list run is asked for: the same value from the window and from the command line.
struct ListRequest {
    ListRequest() = default;
    ListRequest(OutputType listType, std::string searchCommand) : type(listType), command(std::move(searchCommand)) {}

    OutputType type = OutputType::DESCRIPTIONS;
    // The search command as typed (for the CSV list, its column list); its double quotes are removed
    // before the run.
    std::string command;
    // What separates the CSV list's columns, and replaces the separator inside a value.
    std::string fieldSeparator = ",";
    // The batch list's line; "%ROM%" stands for each game's name.
    std::string batchTemplate = "copy %ROM%.zip c:\\mame\\roms";
    MalaListSettings mala;
    // The line ends the window shows: every "\n" of the list becomes "\r\n", and for the Atomic FE list
    // ".zip\r\n", so each line names the game's zip. The MaLa list has no lines.
    bool windowLineEnds = false;
    SetSteps steps;
    ExportType exportType = ExportType::NONE;
    ExportOptions exports;
};

enum class ListStatus {
    DONE,
    EMPTY_COMMAND,
    UNKNOWN_VERSION,        // a set step's MAME version is not one
    INPUT_READ_FAILED,      // the input failed to read part-way: the list would be cut short
    OUTPUT_NOT_WRITABLE,    // the output file could not be opened
    WRITE_FAILED,           // a write to the output failed
    INPUT_HOLDS_NO_ROMS,    // a DAT was asked of controls.xml
    EXPORT_OPTIONS_REFUSED, // an export option its reader would lose the list over (see ExportOptionsCheck.h)
};

struct ListResult {
    ListStatus status = ListStatus::DONE;
    // The games written.
    std::int32_t matchCount = 0;
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
