#include "output/CsvColumns.h"

#include "records/TagVocabulary.h"

#include <algorithm>

namespace pellaquin {

namespace {

// What a column gives for one kind of file.
struct ColumnKey {
    enum class Kind { KEY, GAME_START_TAG, NOT_OFFERED };
    Kind kind;
    std::string_view key; // for KEY; empty when the column is offered but adds nothing
};

constexpr ColumnKey Key(std::string_view key) {
    return {ColumnKey::Kind::KEY, key};
}
constexpr ColumnKey NOTHING{ColumnKey::Kind::KEY, {}};
constexpr ColumnKey START_TAG{ColumnKey::Kind::GAME_START_TAG, {}};
constexpr ColumnKey NOT_OFFERED{ColumnKey::Kind::NOT_OFFERED, {}};
// Every format's column takes the listing's description tag, even controls.xml, whose records lack it.
constexpr ColumnKey DESCRIPTION_TAG = Key("<description>");

// Indexed by input format + 1: unknown, listxml, controls.xml, merged; then listxml and merged files of
// machines, whose records carry today's attributes.
using ColumnKeys = std::array<ColumnKey, 6>;

struct ColumnRow {
    CsvColumn column;
    ColumnKeys keys;
};

// clang-format off
constexpr std::array<ColumnRow, CSV_COLUMN_COUNT> ROWS = {{
    {{1040, "Description", 0, 0},
     {DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG}},
    {{1041, "ROM Name", 0, 1}, {START_TAG, START_TAG, START_TAG, START_TAG, START_TAG, START_TAG}},
    {{1034, "Year", 1, 0}, {NOTHING, Key("year"), NOT_OFFERED, Key("year"), Key("year"), Key("year")}},
    {{1036, "Manufacturer", 1, 1},
     {NOTHING, Key("manufacturer"), NOT_OFFERED, Key("manufacturer"), Key("manufacturer"), Key("manufacturer")}},
    // A machine's buttons sit on each of its controls.
    {{1038, "# of Buttons", 0, 2},
     {Key("numButtons="), Key("buttons="), Key("numButtons="), Key("numButtons="), Key("_buttons="), Key("_buttons=")}},
    {{1037, "Controls", 0, 3},
     {Key("control_name="), Key("control_type="), Key("control_name="), Key("control_name="), Key("control_type="),
      Key("control_type=")}},
    {{1043, "Video Width", 1, 2}, {NOTHING, Key("width="), NOT_OFFERED, Key("width="), Key("width="), Key("width=")}},
    {{1044, "Video Height", 1, 3},
     {NOTHING, Key("height="), NOT_OFFERED, Key("height="), Key("height="), Key("height=")}},
    {{1039, "Orientation", 1, 4},
     {NOTHING, Key("rotate="), NOT_OFFERED, Key("rotate="), Key("rotate="), Key("rotate=")}},
    // A machine's display names its tag before its type, so no key reaches the type.
    {{1045, "Display Type", 1, 5},
     {NOTHING, Key("display_type="), NOT_OFFERED, Key("display_type="), NOT_OFFERED, NOT_OFFERED}},
    {{1046, "Emulation Status", 1, 6},
     {NOTHING, Key("emulation="), NOT_OFFERED, Key("emulation="), Key("emulation="), Key("emulation=")}},
    {{1053, "Category", 0, 10},
     {NOTHING, NOT_OFFERED, Key("<category>"), Key("<category>"), NOT_OFFERED, Key("<category>")}},
    // Machines' input elements say whether they have a tilt switch and a service button.
    {{1048, "Tilt", 0, 5}, {NOTHING, NOT_OFFERED, Key("tilt="), Key("tilt="), Key("tilt="), Key("tilt=")}},
    {{1049, "Alternating", 0, 6},
     {NOTHING, NOT_OFFERED, Key("alternating="), Key("alternating="), NOT_OFFERED, Key("alternating=")}},
    {{1050, "# Players", 0, 7},
     {NOTHING, NOT_OFFERED, Key("numPlayers="), Key("numPlayers="), Key("input_players="), Key("input_players=")}},
    {{1051, "Uses Service", 0, 8},
     {NOTHING, NOT_OFFERED, Key("usesService="), Key("usesService="), Key("service="), Key("usesService=")}},
    {{1052, "Mirrored", 0, 9},
     {NOTHING, NOT_OFFERED, Key("mirrored="), Key("mirrored="), NOT_OFFERED, Key("mirrored=")}},
    {{1047, "Cocktail", 0, 4}, {NOTHING, NOT_OFFERED, NOTHING, NOTHING, NOT_OFFERED, NOTHING}},
}};
// clang-format on

const ColumnKey& KeyFor(const ColumnKeys& keys, InputFormat format, RecordElement element) {
    bool machines = element == RecordElement::MACHINE;
    if (machines && format == FORMAT_LISTXML) {
        return keys[4];
    }
    if (machines && format == FORMAT_MERGED) {
        return keys[5];
    }
    bool known = format >= FORMAT_LISTXML && format <= FORMAT_MERGED;
    return keys[known ? static_cast<std::size_t>(format + 1) : 0];
}

} // namespace

const std::array<CsvColumn, CSV_COLUMN_COUNT>& CsvColumns() {
    static const std::array<CsvColumn, CSV_COLUMN_COUNT> columns = [] {
        std::array<CsvColumn, CSV_COLUMN_COUNT> all{};
        std::transform(ROWS.begin(), ROWS.end(), all.begin(), [](const ColumnRow& row) { return row.column; });
        return all;
    }();
    return columns;
}

std::optional<std::string_view> CsvColumnKey(std::size_t column, InputFormat format, RecordElement element) {
    const ColumnKey& key = KeyFor(ROWS[column].keys, format, element);
    switch (key.kind) {
    case ColumnKey::Kind::NOT_OFFERED:
        return std::nullopt;
    case ColumnKey::Kind::GAME_START_TAG:
        return TagVocabulary::GameStartTag(format, element);
    case ColumnKey::Kind::KEY:
        break;
    }
    return key.key;
}

std::string ComposeColumnList(const std::vector<std::size_t>& ticked, InputFormat format, RecordElement element) {
    std::string columnList;
    for (std::size_t column = 0; column < CSV_COLUMN_COUNT; ++column) {
        if (std::find(ticked.begin(), ticked.end(), column) == ticked.end()) {
            continue;
        }
        std::optional<std::string_view> key = CsvColumnKey(column, format, element);
        if (key && !key->empty()) {
            columnList.append(columnList.empty() ? "" : ",").append(*key);
        }
    }
    return columnList;
}

} // namespace pellaquin
