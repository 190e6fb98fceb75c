#pragma once

#include "records/InputFormat.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// The columns the CSV column chooser offers, in the order their keys join the column list.
enum class CsvColumn {
    DESCRIPTION,
    ROM_NAME,
    YEAR,
    MANUFACTURER,
    BUTTONS,
    CONTROLS,
    VIDEO_WIDTH,
    VIDEO_HEIGHT,
    ORIENTATION,
    DISPLAY_TYPE,
    EMULATION_STATUS,
    CATEGORY,
    TILT,
    ALTERNATING,
    PLAYERS,
    USES_SERVICE,
    MIRRORED,
    COCKTAIL,
};

inline constexpr std::size_t CSV_COLUMN_COUNT = 18;

// The key `column` adds for a file of `format` (FORMAT_UNKNOWN when none was recognised) whose records
// are `element`s: nothing when the file has no such value and the column is not offered; an empty key
// for a column that is offered but adds nothing.
std::optional<std::string_view> CsvColumnKey(CsvColumn column, InputFormat format, RecordElement element);

// The column list of the ticked columns (in any order): their keys in column order, joined by ",".
// Columns not offered, and offered ones without a key, add nothing.
std::string ComposeColumnList(const std::vector<CsvColumn>& ticked, InputFormat format, RecordElement element);

} // namespace pellaquin
