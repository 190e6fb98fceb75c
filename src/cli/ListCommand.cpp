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

} // namespace

int RunListCommand(const ListOptions& options, std::ostream& out, std::ostream& err) {
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

    ListResult result;
    if (options.outputPath.empty()) {
        StreamSink standardOutput(out);
        result = RunList(input, request, standardOutput);
    } else {
        result = RunListToFile(input, request, options.outputPath);
    }
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
