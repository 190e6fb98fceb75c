#include "output/CsvColumns.h"

#include "records/TagVocabulary.h"

#include <algorithm>
#include <array>

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
    {CsvColumn::DESCRIPTION,
     {DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG, DESCRIPTION_TAG}},
    {CsvColumn::ROM_NAME, {START_TAG, START_TAG, START_TAG, START_TAG, START_TAG, START_TAG}},
    {CsvColumn::YEAR, {NOTHING, Key("year"), NOT_OFFERED, Key("year"), Key("year"), Key("year")}},
    {CsvColumn::MANUFACTURER,
     {NOTHING, Key("manufacturer"), NOT_OFFERED, Key("manufacturer"), Key("manufacturer"), Key("manufacturer")}},
    // A machine's buttons sit on each of its controls.
    {CsvColumn::BUTTONS,
     {Key("numButtons="), Key("buttons="), Key("numButtons="), Key("numButtons="), Key("_buttons="), Key("_buttons=")}},
    {CsvColumn::CONTROLS,
     {Key("control_name="), Key("control_type="), Key("control_name="), Key("control_name="), Key("control_type="),
      Key("control_type=")}},
    {CsvColumn::VIDEO_WIDTH, {NOTHING, Key("width="), NOT_OFFERED, Key("width="), Key("width="), Key("width=")}},
    {CsvColumn::VIDEO_HEIGHT,
     {NOTHING, Key("height="), NOT_OFFERED, Key("height="), Key("height="), Key("height=")}},
    {CsvColumn::ORIENTATION,
     {NOTHING, Key("rotate="), NOT_OFFERED, Key("rotate="), Key("rotate="), Key("rotate=")}},
    // A machine's display names its tag before its type, so no key reaches the type.
    {CsvColumn::DISPLAY_TYPE,
     {NOTHING, Key("display_type="), NOT_OFFERED, Key("display_type="), NOT_OFFERED, NOT_OFFERED}},
    {CsvColumn::EMULATION_STATUS,
     {NOTHING, Key("emulation="), NOT_OFFERED, Key("emulation="), Key("emulation="), Key("emulation=")}},
    {CsvColumn::CATEGORY,
     {NOTHING, NOT_OFFERED, Key("<category>"), Key("<category>"), NOT_OFFERED, Key("<category>")}},
    // Machines' input elements say whether they have a tilt switch and a service button.
    {CsvColumn::TILT, {NOTHING, NOT_OFFERED, Key("tilt="), Key("tilt="), Key("tilt="), Key("tilt=")}},
    {CsvColumn::ALTERNATING,
     {NOTHING, NOT_OFFERED, Key("alternating="), Key("alternating="), NOT_OFFERED, Key("alternating=")}},
    {CsvColumn::PLAYERS,
     {NOTHING, NOT_OFFERED, Key("numPlayers="), Key("numPlayers="), Key("input_players="), Key("input_players=")}},
    {CsvColumn::USES_SERVICE,
     {NOTHING, NOT_OFFERED, Key("usesService="), Key("usesService="), Key("service="), Key("usesService=")}},
    {CsvColumn::MIRRORED,
     {NOTHING, NOT_OFFERED, Key("mirrored="), Key("mirrored="), NOT_OFFERED, Key("mirrored=")}},
    {CsvColumn::COCKTAIL, {NOTHING, NOT_OFFERED, NOTHING, NOTHING, NOT_OFFERED, NOTHING}},
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

std::optional<std::string_view> CsvColumnKey(CsvColumn column, InputFormat format, RecordElement element) {
    const ColumnKey& key = KeyFor(
        std::find_if(ROWS.begin(), ROWS.end(), [column](const ColumnRow& row) { return row.column == column; })->keys,
        format, element);
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

std::string ComposeColumnList(const std::vector<CsvColumn>& ticked, InputFormat format, RecordElement element) {
    std::string columnList;
    for (const ColumnRow& row : ROWS) {
        if (std::find(ticked.begin(), ticked.end(), row.column) == ticked.end()) {
            continue;
        }
        std::optional<std::string_view> key = CsvColumnKey(row.column, format, element);
        if (key && !key->empty()) {
            columnList.append(columnList.empty() ? "" : ",").append(*key);
        }
    }
    return columnList;
}

} // namespace pellaquin
