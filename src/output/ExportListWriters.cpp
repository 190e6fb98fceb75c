#include "output/ByteSink.h"
#include "output/ExportFields.h"
#include "output/ExportText.h"
#include "output/GameScanner.h"
#include "records/ByteText.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace pellaquin {

namespace {

// The table's columns that are not elements of the record by that name.
enum class Column {
    NAME,
    DESCRIPTION,
    YEAR,
    MANUFACTURER,
    CLONEOF,
    ROMOF,
    SOURCEFILE,
    CATEGORY,
    PLAYERS,
    BUTTONS,
    ROTATE,
    STATUS,
    CONTROLS,
    WAYS,
    DISPLAY,
    ELEMENT,
};

struct TableColumn {
    std::string name;
    Column column = Column::ELEMENT;
};

std::vector<TableColumn> ParseFields(std::string_view fields) {
    static const std::pair<std::string_view, Column> KNOWN[] = {
        {"name", Column::NAME},
        {"description", Column::DESCRIPTION},
        {"year", Column::YEAR},
        {"manufacturer", Column::MANUFACTURER},
        {"cloneof", Column::CLONEOF},
        {"romof", Column::ROMOF},
        {"sourcefile", Column::SOURCEFILE},
        {"category", Column::CATEGORY},
        {"players", Column::PLAYERS},
        {"buttons", Column::BUTTONS},
        {"rotate", Column::ROTATE},
        {"status", Column::STATUS},
        {"controls", Column::CONTROLS},
        {"ways", Column::WAYS},
        {"display", Column::DISPLAY},
    };
    std::vector<TableColumn> columns;
    for (std::string_view field : SplitList(fields, ',')) {
        std::string name;
        AppendLineValue(name, field);
        if (name.empty()) {
            continue;
        }
        TableColumn column{name};
        for (const auto& [known, kind] : KNOWN) {
            if (known == name) {
                column.column = kind;
            }
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

std::string_view ColumnValue(const RecordStructure& game, const TableColumn& column, std::string& scratch) {
    switch (column.column) {
    case Column::NAME:
        return game.name;
    case Column::DESCRIPTION:
        return game.description;
    case Column::YEAR:
        return game.year;
    case Column::MANUFACTURER:
        return game.manufacturer;
    case Column::CLONEOF:
        return game.cloneof;
    case Column::ROMOF:
        return game.romof;
    case Column::SOURCEFILE:
        return game.sourcefile;
    case Column::CATEGORY:
        return game.category;
    case Column::PLAYERS:
        return PlayerCount(game);
    case Column::BUTTONS:
        return ButtonCount(game);
    case Column::ROTATE:
        return game.rotate;
    case Column::STATUS:
        return game.driverStatus;
    case Column::CONTROLS:
        scratch.clear();
        AppendControlsText(scratch, game);
        return scratch;
    case Column::WAYS:
        return JoystickWays(game);
    case Column::DISPLAY:
        return game.displayType;
    case Column::ELEMENT:
        break;
    }
    return game.Element(column.name);
}

constexpr std::string_view TABLE_LINE_END = "\r\n";

constexpr std::string_view UTF8_BYTE_ORDER_MARK = "\xEF\xBB\xBF";

} // namespace

ListResult GameScanner::WriteExport(const ListRequest& request, ByteSink& sink, const ExportFrame& frame,
                                    const std::function<GameExport()>& makeExport) {
    std::atomic<std::int32_t> leftOut = 0;
    std::atomic<bool> replacedText = false;
    bool written = sink.Write(frame.head);
    ListResult result = WriteGames(sink, HeaderText::DROP, [&]() -> GameWork {
        // Each thread reads records with its own reader.
        auto reader = std::make_shared<RecordStructureReader>();
        return [&, reader, exporter = makeExport()](std::string_view record, std::string& out) {
            if (!Selects(record, request)) {
                return false;
            }
            const RecordStructure& game = reader->Read(record, frame.part);
            if (frame.scope == ExportFrame::Scope::STARTABLE_ONLY && !FrontEndStarts(game)) {
                ++leftOut;
                return false;
            }
            if (game.replacedText) {
                replacedText = true;
            }
            return exporter(game, out);
        };
    });
    written = sink.Write(frame.tail) && written;
    if (!written) {
        result.status = ListStatus::WRITE_FAILED;
    }
    result.leftOut = leftOut;
    result.replacedText = replacedText;
    return result;
}

ListResult GameScanner::WriteTable(const ListRequest& request, ByteSink& sink) {
    const std::string& delimiter = request.exports.tableDelimiter;
    std::vector<TableColumn> columns = ParseFields(request.exports.fields);
    ExportFrame frame;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        frame.head.append(i > 0 ? delimiter : "");
        AppendCsvField(frame.head, columns[i].name, delimiter);
    }
    frame.head.append(TABLE_LINE_END);
    return WriteExport(request, sink, frame, [&] {
        return [&, scratch = std::string()](const RecordStructure& game, std::string& out) mutable {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                out.append(i > 0 ? delimiter : "");
                AppendCsvField(out, ColumnValue(game, columns[i], scratch), delimiter);
            }
            out.append(TABLE_LINE_END);
            return true;
        };
    });
}

ListResult GameScanner::WriteMameIni(const ListRequest& request, ByteSink& sink) {
    ExportFrame frame;
    frame.head = "[FOLDER_SETTINGS]\r\nRootFolderIcon mame\r\nSubFolderIcon folder\r\n\r\n[ROOT_FOLDER]\r\n\r\n[";
    frame.head.append(MameFolderTitle(request.exports.folderTitle)).append("]\r\n");
    frame.part = RecordPart::START_TAG;
    // The list is small beside the listing; held whole, it can be told to begin with a byte order mark.
    MemorySink list;
    ListResult result = WriteExport(request, list, frame, [] {
        return [](const RecordStructure& game, std::string& out) {
            AppendLineValue(out, game.name);
            out.append("\r\n");
            return true;
        };
    });
    const std::string& bytes = list.Bytes();
    // MAME 0.251 hangs at start-up on a folder ini that holds a byte beyond ASCII and no byte order mark.
    bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (!((!beyondAscii || sink.Write(UTF8_BYTE_ORDER_MARK)) && sink.Write(bytes))) {
        result.status = ListStatus::WRITE_FAILED;
    }
    return result;
}

} // namespace pellaquin
