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
    case ListStatus::SHARED_LINES:
        return std::string(SHARED_LINES_MESSAGE);
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
        subject = ExportOptionsProblemMessage(CheckExportOptions(request.type, request.exports));
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
    if (CheckExportOptions(request.type, request.exports) != ExportOptionsProblem::NONE) {
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
    const ListTypeInfo& type = ListTypeOf(run.type);
    bool replacedOptions = type.dialog == ListOptionsDialog::EXPORT_OPTIONS && CleanExportOptions(run.exports);
    ListResult result;
    if (run.windowLineEnds && !type.windowLineEnd.empty()) {
        LineEndSink converted(sink, type.windowLineEnd);
        result = (scanner.*type.write)(run, converted);
    } else {
        result = (scanner.*type.write)(run, sink);
    }
    result.replacedText = result.replacedText || replacedOptions;
    // A scan ends at a read error as at the end of the file; unsaid, a list cut short would pass for the
    // whole one.
    if (input.HadReadError()) {
        result.status = ListStatus::INPUT_READ_FAILED;
    } else if (scanner.MetSharedLines()) {
        result.status = ListStatus::SHARED_LINES;
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

ListResult SelectSetNames(InputFile& input, ListRequest request, std::vector<std::string>& names) {
    request.type = ListType::NAMES;
    request.windowLineEnds = false;
    MemorySink list;
    ListResult result = RunList(input, request, list);
    names.clear();
    for (std::string_view name : SplitList(list.Bytes(), '\n')) {
        if (!name.empty()) {
            names.emplace_back(name);
        }
    }
    return result;
}

} // namespace pellaquin
