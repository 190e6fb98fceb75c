#pragma once

#include "search/KeyOccurrences.h"

#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// One column of a column list, taken apart once for a whole scan.
struct ParsedColumn {
    std::string key;             // lowered, "_" made a space: what the first occurrence is found by
    std::string keyWithoutClose; // the key without its ">": what later occurrences are found by
    bool separatorAfter = false; // whether the line's field separator follows this column
};

// The columns of `columns` (keys joined by ","), read as the column list's rules read them: double
// quotes dropped, case ignored, a key's text removed from the rest of the list (also inside longer
// keys), empty keys making no column.
std::vector<ParsedColumn> ParseColumnList(std::string_view columns);

// Cuts the values of column lists out of one record after another. Each record is lowered once,
// and the keys of every list are found in it together.
class FieldExtractor {
public:
    // Registers a column list to be asked of every record; returns its number for Extract.
    std::size_t AddColumns(const std::vector<ParsedColumn>& columns);

    // Makes `record` the one values are cut from; it must outlive the calls to Extract.
    void SetRecord(std::string_view record);

    // Builds in `line` the values of column list number `list`: the values of a key joined by " & ",
    // the separator inside a value made "_", columns joined by the separator, the line trimmed of
    // white space. Returns true when the line is not empty.
    bool Extract(std::size_t list, std::string_view separator, std::string& line) const;

private:
    struct Column {
        std::size_t key = KeyOccurrences::NONE; // NONE: a key that finds nothing
        std::size_t keyWithoutClose = KeyOccurrences::NONE;
        std::size_t lengthWithoutClose = 0;
        bool separatorAfter = false;
    };

    std::vector<std::vector<Column>> m_lists;
    KeyOccurrences m_keys;
    std::string_view m_record;
    std::string m_lowered;
};

// The values of the keys of `columns` in `record` as one line, columns separated by `separator`, as
// FieldExtractor::Extract builds it. Returns true when the line is not empty.
bool ExtractFields(std::string_view record, std::string_view columns, std::string_view separator, std::string& line);

} // namespace pellaquin
