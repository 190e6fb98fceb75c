#include "cli/ListCommand.h"

#include "output/ByteSink.h"
#include "output/MalaListSettings.h"
#include "output/MatchingGames.h"
#include "output/ViewConversion.h"
#include "records/ByteText.h"
#include "output/GameScanner.h"
#include "records/InputOpening.h"

#include <map>
#include <ostream>

namespace pellaquin {

namespace {

constexpr std::string_view NOTHING_TO_SEARCH_FOR = "Error! Nothing to search for";

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

// A read error ends a scan like the end of the file; without this the list would be cut short
// without a word. True when there was one.
bool ReportReadError(const InputFile& input, std::ostream& err) {
    if (input.HadReadError()) {
        err << InputOpeningMessage(InputOpening::CANNOT_READ) << '\n';
    }
    return input.HadReadError();
}

// The command line as the main window takes it: refused when empty, then stripped of double quotes.
bool TakeCommand(const std::string& text, std::string& command, std::ostream& err) {
    if (text.empty()) {
        err << NOTHING_TO_SEARCH_FOR << '\n';
        return false;
    }
    command = text;
    RemoveChar(command, '"');
    return true;
}

bool WriteResult(const ListOptions& options, std::string_view bytes, std::ostream& out, std::ostream& err) {
    if (options.outputPath.empty()) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return true;
    }
    ReplacingFileSink file(options.outputPath);
    if (!file.Open() || !file.Write(bytes) || !file.Commit()) {
        ReportUnwritableOutput(options.outputPath, err);
        return false;
    }
    return true;
}

} // namespace

void ReportUnwritableOutput(const std::string& path, std::ostream& err) {
    err << "Cannot write the output file " << path << '\n';
}

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
    GameScanner scanner;
    scanner.m_fieldSeparator = type->second == OutputType::CSV ? options.delimiter : ",";
    if (!OpenInput(options.inputPath, input, err) ||
        !TakeCommand(type->second == OutputType::CSV ? options.columns : options.find, scanner.m_searchCommand, err)) {
        return 1;
    }

    if (type->second == OutputType::MALA &&
        !scanner.WriteMalaList(input, options.outputPath, MalaListSettings{options.title}) && !input.HadReadError()) {
        ReportUnwritableOutput(options.outputPath, err);
        return 1;
    }
    WriteResultList(scanner, input, type->second, options.batchTemplate);
    if (ReportReadError(input, err)) {
        return 1;
    }
    if (type->second != OutputType::MALA) {
        if (options.window) {
            ConvertForView(scanner.m_resultText, type->second);
        }
        if (!WriteResult(options, scanner.m_resultText, out, err)) {
            return 1;
        }
    }
    err << "Found:" << scanner.m_matchCount << " matches\n";
    return 0;
}

int RunCountCommand(const std::string& inputPath, const std::string& find, std::ostream& out, std::ostream& err) {
    InputFile input;
    GameScanner scanner;
    if (!OpenInput(inputPath, input, err) || !TakeCommand(find, scanner.m_searchCommand, err)) {
        return 1;
    }
    ScanMatchingGames(scanner, input, HeaderText::DROP, [] { return [](std::string_view, std::string&) {}; });
    if (ReportReadError(input, err)) {
        return 1;
    }
    out << scanner.m_matchCount << '\n';
    return 0;
}

} // namespace pellaquin
