#pragma once

#include "output/ExportOptions.h"
#include "output/ListRequest.h"
#include "output/SetSteps.h"

#include "records/InputFile.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pellaquin {

// What chooses the games of a list or a count: the search command, the wizard's boxes and the set steps.
struct SelectionOptions {
    std::string inputPath;
    std::string find;
    std::string wizard; // the wizard's boxes by name, comma-separated
    std::vector<std::string> available;
    std::string availableCheck = "names"; // or "complete": how --available judges a set there
    bool onePerTitle = false;
    std::string prefer = std::string(DEFAULT_PREFERRED_WORDS);
    std::string addedSince;
    std::string addedBefore;
    bool verbose = false; // say the command composed
};

struct ListOptions {
    SelectionOptions selection;
    std::string type;
    std::string columns;
    std::string delimiter = ",";
    std::string batchTemplate = std::string(DEFAULT_BATCH_TEMPLATE);
    std::string title;
    bool window = false;
    std::string outputPath; // empty: standard output
    // The lists for front-ends and ROM managers; --title and --delimiter reach them too.
    ExportOptions exports;
};

// The list types `list --type` takes, in the order the help names them.
std::vector<std::string> ListTypeNames();

// Runs one list as the main window's search run does. Returns the exit status.
int RunListCommand(const ListOptions& options, std::ostream& out, std::ostream& err);

// Prints how many games the selection keeps. Returns the exit status.
int RunCountCommand(const SelectionOptions& options, std::ostream& out, std::ostream& err);

// The names of the sets the selection keeps, in the input's order, through the list run of a names
// list; `input` is left open for the sets' records to be read again. Nothing, with the message said on
// `err`, when the input cannot be read or the selection is refused.
std::optional<std::vector<std::string>> SelectedSetNames(const SelectionOptions& options, InputFile& input,
                                                         std::ostream& err);

} // namespace pellaquin
