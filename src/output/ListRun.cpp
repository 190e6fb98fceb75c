#include "output/ListRun.h"

#include "output/ByteSink.h"
#include "output/ExportOptionsCheck.h"
#include "output/ExportText.h"
#include "output/GameScanner.h"
#include "output/GameSelection.h"
#include "records/ByteText.h"
#include "records/InputOpening.h"
#include "search/MameVersion.h"

#include <functional>
#include <optional>

namespace pellaquin {

namespace {

// Gives the bytes to another sink with every "\n" made `lineEnd`.
class LineEndSink : public ByteSink {
public:
    LineEndSink(ByteSink& target, std::string_view lineEnd) : m_target(target), m_lineEnd(lineEnd) {}

    bool Write(std::string_view bytes) override {
        m_converted.assign(bytes);
        ReplaceAll(m_converted, "\n", m_lineEnd);
        return m_target.Write(m_converted);
    }
    bool WriteAt(std::int64_t, std::string_view) override { return false; }

private:
    ByteSink& m_target;
    std::string_view m_lineEnd;
    std::string m_converted;
};

ListResult RunWriter(GameScanner& scanner, const ListRequest& request, ByteSink& sink) {
    switch (request.type) {
    case OutputType::XML:
        return scanner.WriteXmlList(request, sink);
    case OutputType::CSV:
        return scanner.WriteCsvList(request, sink);
    case OutputType::BATCH:
        return scanner.WriteBatchList(request, sink);
    case OutputType::DESCRIPTIONS:
        return scanner.WriteDescriptionList(request, sink);
    case OutputType::NAMES:
    case OutputType::ATOMIC_FE:
        return scanner.WriteNameList(request, sink);
    case OutputType::MALA:
        return scanner.WriteMalaList(request, sink);
    }
    return {};
}

ListResult RunExport(GameScanner& scanner, const ListRequest& request, ByteSink& sink) {
    switch (request.exportType) {
    case ExportType::NONE:
        break;
    case ExportType::ATTRACT:
        return scanner.WriteAttractList(request, sink);
    case ExportType::EMULATIONSTATION:
        return scanner.WriteGamelist(request, sink);
    case ExportType::RETROARCH:
        return scanner.WriteRetroArchPlaylist(request, sink);
    case ExportType::PEGASUS:
        return scanner.WritePegasusList(request, sink);
    case ExportType::DAT:
        return scanner.WriteDat(request, sink);
    case ExportType::TABLE:
        return scanner.WriteTable(request, sink);
    case ExportType::MAME_INI:
        return scanner.WriteMameIni(request, sink);
    }
    return {};
}

} // namespace

std::string OutputNotWritableMessage(std::string_view outputPath) {
    return "Cannot write the output file " + std::string(outputPath);
}

std::string ListStatusMessage(ListStatus status, std::string_view subject) {
    switch (status) {
    case ListStatus::DONE:
        break;
    case ListStatus::EMPTY_COMMAND:
        return "Error! Nothing to search for";
    case ListStatus::UNKNOWN_VERSION:
        return "\"" + std::string(subject) + "\" is no MAME version (such as 0.37b5, 0.106 or 0.146u2)";
    case ListStatus::INPUT_READ_FAILED:
        return std::string(InputOpeningMessage(InputOpening::CANNOT_READ));
    case ListStatus::OUTPUT_NOT_WRITABLE:
    case ListStatus::WRITE_FAILED:
        return OutputNotWritableMessage(subject);
    case ListStatus::INPUT_HOLDS_NO_ROMS:
        return "controls.xml holds no ROMs: make the DAT from MAME's listing or a merged file";
    case ListStatus::EXPORT_OPTIONS_REFUSED:
        return std::string(subject);
    }
    return {};
}

namespace {

// The set step's version that names no MAME release, or nothing.
std::string_view UnknownVersion(const ListRequest& request) {
    for (const std::string& version : {std::cref(request.steps.addedSince), std::cref(request.steps.addedBefore)}) {
        if (!version.empty() && !MameVersion::Parse(version)) {
            return version;
        }
    }
    return {};
}

} // namespace

std::string ListRunMessage(ListStatus status, const ListRequest& request, const std::string& inputPath,
                           std::string_view outputPath) {
    std::string_view subject = outputPath;
    if (status == ListStatus::UNKNOWN_VERSION) {
        subject = UnknownVersion(request);
    } else if (status == ListStatus::EXPORT_OPTIONS_REFUSED) {
        subject = ExportOptionsProblemMessage(CheckExportOptions(request.exportType, request.exports));
    }
    std::string message = ListStatusMessage(status, subject);
    if (status == ListStatus::INPUT_READ_FAILED) {
        message += "\r\n" + inputPath + ": unreadable";
    }
    return message;
}

ListStatus CheckListRequest(const ListRequest& request) {
    if (request.command.empty()) {
        return ListStatus::EMPTY_COMMAND;
    }
    if (CheckExportOptions(request.exportType, request.exports) != ExportOptionsProblem::NONE) {
        return ListStatus::EXPORT_OPTIONS_REFUSED;
    }
    return UnknownVersion(request).empty() ? ListStatus::DONE : ListStatus::UNKNOWN_VERSION;
}

ListResult RunList(InputFile& input, const ListRequest& request, ByteSink& sink) {
    if (ListStatus refused = CheckListRequest(request); refused != ListStatus::DONE) {
        return {refused, 0};
    }
    ListRequest run = request;
    RemoveChar(run.command, '"');
    std::optional<GameSelection> selection;
    if (run.steps.Active()) {
        selection = GameSelection::Select(input, run);
    }
    GameScanner scanner(input, selection ? &*selection : nullptr);
    ListResult result;
    if (run.exportType != ExportType::NONE) {
        // The exports' line ends are their formats' own.
        bool replacedOptions = CleanExportOptions(run.exports);
        result = RunExport(scanner, run, sink);
        result.replacedText = result.replacedText || replacedOptions;
    } else if (run.windowLineEnds && run.type != OutputType::MALA) {
        LineEndSink converted(sink, run.type == OutputType::ATOMIC_FE ? ".zip\r\n" : "\r\n");
        result = RunWriter(scanner, run, converted);
    } else {
        result = RunWriter(scanner, run, sink);
    }
    // A scan ends at a read error as at the end of the file; unsaid, a list cut short would pass for the
    // whole one.
    if (input.HadReadError()) {
        result.status = ListStatus::INPUT_READ_FAILED;
    }
    return result;
}

ListResult RunListToFile(InputFile& input, const ListRequest& request, const std::string& path) {
    if (ListStatus refused = CheckListRequest(request); refused != ListStatus::DONE) {
        return {refused, 0};
    }
    ReplacingFileSink file(path);
    if (!file.Open()) {
        return {ListStatus::OUTPUT_NOT_WRITABLE, 0};
    }
    ListResult result = RunList(input, request, file);
    if (result.status == ListStatus::DONE && !file.Commit()) {
        result.status = ListStatus::WRITE_FAILED;
    }
    return result;
}

} // namespace pellaquin
