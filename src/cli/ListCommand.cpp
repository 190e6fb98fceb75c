#include "cli/ListCommand.h"

#include "output/ByteSink.h"
#include "output/ExportPlaces.h"
#include "output/ListRun.h"
#include "records/InputOpening.h"
#include "search/WizardChoices.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <ostream>

namespace pellaquin {

namespace {

constexpr int USAGE_ERROR = 2;

struct ListType {
    std::string_view name;
    OutputType type;
    ExportType exportType;
};

// Every list type by its name, in the order the help names them. An export runs in place of its type.
constexpr ListType TYPES[] = {
    {"xml", OutputType::XML, ExportType::NONE},
    {"csv", OutputType::CSV, ExportType::NONE},
    {"batch", OutputType::BATCH, ExportType::NONE},
    {"descriptions", OutputType::DESCRIPTIONS, ExportType::NONE},
    {"names", OutputType::NAMES, ExportType::NONE},
    {"mala", OutputType::MALA, ExportType::NONE},
    {"atomicfe", OutputType::ATOMIC_FE, ExportType::NONE},
    {"attract", OutputType::NAMES, ExportType::ATTRACT},
    {"emulationstation", OutputType::NAMES, ExportType::EMULATIONSTATION},
    {"retroarch", OutputType::NAMES, ExportType::RETROARCH},
    {"pegasus", OutputType::NAMES, ExportType::PEGASUS},
    {"dat", OutputType::NAMES, ExportType::DAT},
    {"table", OutputType::NAMES, ExportType::TABLE},
    {"mame-ini", OutputType::NAMES, ExportType::MAME_INI},
};

bool OpenInput(const std::string& path, InputFile& input, std::ostream& err) {
    std::string header;
    InputOpening opened = OpenRecognisedInput(path, input, header);
    if (opened != InputOpening::OK) {
        err << InputOpeningMessage(opened, path) << '\n';
        return false;
    }
    return true;
}

// Fills the request's command and set steps from the options, for the open input's format. The
// wizard's command and --find must both hold when both are given. Nothing, with the message said, when
// a wizard name is none.
std::optional<ListRequest> Selection(const SelectionOptions& options, const InputFile& input, ListRequest request,
                                     std::ostream& err) {
    if (!options.wizard.empty()) {
        std::string unknown;
        std::optional<WizardState> state = ParseWizardChoices(options.wizard, unknown);
        if (!state) {
            err << "--wizard: \"" << unknown << "\" is none of " << WIZARD_CHOICE_NAMES << '\n';
            return std::nullopt;
        }
        std::string composed = ComposeWizardCommand(*state, input.Format(), input.Element());
        if (!composed.empty() && !options.find.empty()) {
            composed += " & (" + options.find + ")";
        }
        request.command = composed.empty() ? options.find : composed;
    } else {
        request.command = options.find;
    }
    request.steps.availableFolders = options.available;
    request.steps.onePerTitle = options.onePerTitle;
    request.steps.preferredWords = options.prefer;
    request.steps.addedSince = options.addedSince;
    request.steps.addedBefore = options.addedBefore;
    return request;
}

// The exit status for `result`, its message said on `err` when it failed.
int Report(const ListResult& result, const ListRequest& request, const std::string& inputPath,
           const std::string& outputPath, std::ostream& err) {
    if (result.status == ListStatus::DONE) {
        return 0;
    }
    err << ListRunMessage(result.status, request, inputPath, outputPath) << '\n';
    bool usage = result.status == ListStatus::UNKNOWN_VERSION || result.status == ListStatus::EXPORT_OPTIONS_REFUSED;
    return usage ? USAGE_ERROR : 1;
}

} // namespace

std::vector<std::string> ListTypeNames() {
    std::vector<std::string> names;
    for (const ListType& type : TYPES) {
        names.emplace_back(type.name);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> ListPlaces() {
    std::vector<std::pair<std::string, std::string>> places;
    for (const ListType& type : TYPES) {
        if (type.exportType != ExportType::NONE) {
            places.emplace_back(type.name, ExportPlaceText(type.exportType));
        }
    }
    return places;
}

int RunListCommand(const ListOptions& options, std::ostream& out, std::ostream& err) {
    const ListType* type = std::find_if(std::begin(TYPES), std::end(TYPES),
                                        [&](const ListType& known) { return known.name == options.type; });
    if (type == std::end(TYPES)) {
        err << "Unknown list type " << options.type << '\n';
        return USAGE_ERROR;
    }
    bool exporting = type->exportType != ExportType::NONE;
    OutputType outputType = type->type;
    if (outputType == OutputType::MALA && options.outputPath.empty()) {
        err << "The mala list is written to a file: give it with --output\n";
        return USAGE_ERROR;
    }
    if (outputType == OutputType::CSV && !options.selection.wizard.empty()) {
        err << "The csv list takes its columns, not a search: --wizard cannot be used with it\n";
        return USAGE_ERROR;
    }
    InputFile input;
    if (!OpenInput(options.selection.inputPath, input, err)) {
        return 1;
    }
    ListRequest request;
    request.type = outputType;
    request.fieldSeparator = outputType == OutputType::CSV ? options.delimiter : ",";
    request.batchTemplate = options.batchTemplate;
    request.mala.title = options.title;
    request.windowLineEnds = options.window;
    if (exporting) {
        request.exportType = type->exportType;
        request.exports = options.exports;
        request.exports.tableDelimiter = options.delimiter;
        if (!options.title.empty()) {
            request.exports.folderTitle = options.title;
        }
    }
    std::optional<ListRequest> selected = Selection(options.selection, input, request, err);
    if (!selected) {
        return USAGE_ERROR;
    }
    if (outputType == OutputType::CSV) {
        selected->command = options.columns;
    }
    if (options.selection.verbose) {
        err << "Command: " << selected->command << '\n';
    }

    ListResult result;
    if (options.outputPath.empty()) {
        StreamSink standardOutput(out);
        result = RunList(input, *selected, standardOutput);
    } else {
        result = RunListToFile(input, *selected, options.outputPath);
    }
    if (int status = Report(result, *selected, options.selection.inputPath, options.outputPath, err); status != 0) {
        return status;
    }
    err << "Found:" << result.matchCount << " matches\n";
    if (result.leftOut > 0) {
        err << "Left out " << result.leftOut << " BIOS sets and devices no front-end starts\n";
    }
    if (result.replacedText) {
        err << "Some text was not UTF-8: it was replaced by U+FFFD\n";
    }
    return 0;
}

int RunCountCommand(const SelectionOptions& options, std::ostream& out, std::ostream& err) {
    InputFile input;
    if (!OpenInput(options.inputPath, input, err)) {
        return 1;
    }
    std::optional<ListRequest> request = Selection(options, input, {OutputType::NAMES, ""}, err);
    if (!request) {
        return USAGE_ERROR;
    }
    if (options.verbose) {
        err << "Command: " << request->command << '\n';
    }
    DiscardingSink nowhere;
    ListResult result = RunList(input, *request, nowhere);
    if (int status = Report(result, *request, options.inputPath, {}, err); status != 0) {
        return status;
    }
    out << result.matchCount << '\n';
    return 0;
}

} // namespace pellaquin
