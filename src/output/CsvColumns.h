#pragma once

#include "records/InputFormat.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// One column the CSV column chooser offers, in column-list order (not the order on screen).
struct CsvColumn {
    int id; // the chooser's check box
    std::string_view caption;
    int screenColumn;
    int screenRow;
};

inline constexpr std::size_t CSV_COLUMN_COUNT = 18;

// Every column, in the order their keys join the column list.
const std::array<CsvColumn, CSV_COLUMN_COUNT>& CsvColumns();

// The key column number `column` adds for a file of `format` (FORMAT_UNKNOWN when none was recognised)
// whose records are `element`s: nothing when the file has no such value and the column is not
// offered; an empty key for a column that is offered but adds nothing.
std::optional<std::string_view> CsvColumnKey(std::size_t column, InputFormat format, RecordElement element);

// The column list of the ticked columns (their numbers, in any order): their keys in column order,
// joined by ",". Columns not offered, and offered ones without a key, add nothing.
std::string ComposeColumnList(const std::vector<std::size_t>& ticked, InputFormat format, RecordElement element);

} // namespace pellaquin
