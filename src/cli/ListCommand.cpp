#include "cli/ListCommand.h"

#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "records/InputOpening.h"
#include "search/WizardChoices.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace pellaquin {

namespace {

constexpr int USAGE_ERROR = 2;

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
    request.steps.availableCheck =
        options.availableCheck == "complete" ? AvailableCheck::COMPLETE : AvailableCheck::NAMES;
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
    for (const ListTypeInfo& type : ListTypes()) {
        names.emplace_back(type.name);
    }
    return names;
}

int RunListCommand(const ListOptions& options, std::ostream& out, std::ostream& err) {
    const ListTypeInfo* type = FindListType(options.type);
    if (type == nullptr) {
        err << "Unknown list type " << options.type << '\n';
        return USAGE_ERROR;
    }
    if (type->type == ListType::MALA && options.outputPath.empty()) {
        err << "The mala list is written to a file: give it with --output\n";
        return USAGE_ERROR;
    }
    bool columns = type->dialog == ListOptionsDialog::COLUMNS;
    // The CSV list lists every game: a search given to it would be dropped without a word.
    if (columns && (!options.selection.wizard.empty() || !options.selection.find.empty())) {
        err << "The csv list lists every game with its --columns, unsearched: --find and --wizard cannot be used "
               "with it; --type table lists the games a search keeps, with the --fields you choose\n";
        return USAGE_ERROR;
    }
    InputFile input;
    if (!OpenInput(options.selection.inputPath, input, err)) {
        return 1;
    }
    ListRequest request;
    request.type = type->type;
    request.fieldSeparator = columns ? options.delimiter : ",";
    request.batchTemplate = options.batchTemplate;
    request.mala.title = options.title;
    request.windowLineEnds = options.window;
    request.exports = options.exports;
    request.exports.tableDelimiter = options.delimiter;
    if (!options.outputPath.empty()) {
        std::error_code error;
        request.listFolder = std::filesystem::absolute(options.outputPath, error).parent_path().string();
    }
    if (!options.title.empty()) {
        request.exports.folderTitle = options.title;
    }
    std::optional<ListRequest> selected = Selection(options.selection, input, request, err);
    if (!selected) {
        return USAGE_ERROR;
    }
    if (columns) {
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
    std::optional<ListRequest> request = Selection(options, input, {ListType::NAMES, ""}, err);
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

std::optional<std::vector<std::string>> SelectedSetNames(const SelectionOptions& options, InputFile& input,
                                                         std::ostream& err) {
    if (!OpenInput(options.inputPath, input, err)) {
        return std::nullopt;
    }
    std::optional<ListRequest> request = Selection(options, input, {}, err);
    if (!request) {
        return std::nullopt;
    }
    if (options.verbose) {
        err << "Command: " << request->command << '\n';
    }
    std::vector<std::string> names;
    ListResult result = SelectSetNames(input, *request, names);
    if (result.status != ListStatus::DONE) {
        err << ListRunMessage(result.status, *request, options.inputPath) << '\n';
        return std::nullopt;
    }
    return names;
}

} // namespace pellaquin
