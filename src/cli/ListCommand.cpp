#include "cli/ListCommand.h"

#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "records/InputOpening.h"

#include <map>
#include <ostream>

namespace pellaquin {

namespace {

const std::map<std::string, OutputType, std::less<>> OUTPUT_TYPES = {
    {"xml", OutputType::XML},
    {"csv", OutputType::CSV},
    {"batch", OutputType::BATCH},
    {"descriptions", OutputType::DESCRIPTIONS},
    {"names", OutputType::NAMES},
    {"mala", OutputType::MALA},
    {"atomicfe", OutputType::ATOMIC_FE},
};

const std::map<std::string, ExportType, std::less<>> EXPORT_TYPES = {
    {"attract", ExportType::ATTRACT},
    {"emulationstation", ExportType::EMULATIONSTATION},
    {"retroarch", ExportType::RETROARCH},
    {"pegasus", ExportType::PEGASUS},
    {"dat", ExportType::DAT},
    {"table", ExportType::TABLE},
    {"mame-ini", ExportType::MAME_INI},
};

bool OpenInput(const std::string& path, InputFile& input, std::ostream& err) {
    std::string header;
    InputOpening opened = OpenRecognisedInput(path, input, header);
    if (opened != InputOpening::OK) {
        err << InputOpeningMessage(opened) << '\n';
        return false;
    }
    return true;
}

// The exit status for `result`, its message said on `err` when it failed.
int Report(const ListResult& result, const std::string& outputPath, std::ostream& err) {
    if (result.status != ListStatus::DONE) {
        err << ListStatusMessage(result.status, outputPath) << '\n';
        return 1;
    }
    return 0;
}

ListResult RunRequest(InputFile& input, const ListRequest& request, const std::string& outputPath, std::ostream& out) {
    if (outputPath.empty()) {
        StreamSink standardOutput(out);
        return RunList(input, request, standardOutput);
    }
    return RunListToFile(input, request, outputPath);
}

int RunExportCommand(ExportType type, const ListOptions& options, std::ostream& out, std::ostream& err) {
    InputFile input;
    if (!OpenInput(options.inputPath, input, err)) {
        return 1;
    }
    ListRequest request;
    request.exportType = type;
    request.command = options.find;
    request.exports = options.exports;
    request.exports.tableDelimiter = options.delimiter;
    if (!options.title.empty()) {
        request.exports.folderTitle = options.title;
    }
    ListResult result = RunRequest(input, request, options.outputPath, out);
    if (Report(result, options.outputPath, err) != 0) {
        return 1;
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

} // namespace

int RunListCommand(const ListOptions& options, std::ostream& out, std::ostream& err) {
    auto exportType = EXPORT_TYPES.find(options.type);
    if (exportType != EXPORT_TYPES.end()) {
        return RunExportCommand(exportType->second, options, out, err);
    }
    auto type = OUTPUT_TYPES.find(options.type);
    if (type == OUTPUT_TYPES.end()) {
        err << "Unknown list type " << options.type << '\n';
        return 2;
    }
    if (type->second == OutputType::MALA && options.outputPath.empty()) {
        err << "The mala list is written to a file: give it with --output\n";
        return 2;
    }
    InputFile input;
    if (!OpenInput(options.inputPath, input, err)) {
        return 1;
    }
    ListRequest request;
    request.type = type->second;
    request.command = type->second == OutputType::CSV ? options.columns : options.find;
    request.fieldSeparator = type->second == OutputType::CSV ? options.delimiter : ",";
    request.batchTemplate = options.batchTemplate;
    request.mala.title = options.title;
    request.windowLineEnds = options.window;

    ListResult result = RunRequest(input, request, options.outputPath, out);
    if (Report(result, options.outputPath, err) != 0) {
        return 1;
    }
    err << "Found:" << result.matchCount << " matches\n";
    return 0;
}

int RunCountCommand(const std::string& inputPath, const std::string& find, std::ostream& out, std::ostream& err) {
    InputFile input;
    if (!OpenInput(inputPath, input, err)) {
        return 1;
    }
    ListRequest request;
    request.type = OutputType::NAMES;
    request.command = find;
    DiscardingSink nowhere;
    ListResult result = RunList(input, request, nowhere);
    if (Report(result, {}, err) != 0) {
        return 1;
    }
    out << result.matchCount << '\n';
    return 0;
}

} // namespace pellaquin
