#include "search/FieldExtractor.h"

#include "records/ByteText.h"

namespace pellaquin {

namespace {

constexpr auto NOT_FOUND = std::string::npos;
constexpr std::string_view VALUE_JOINER = " & ";

// Cuts the value that follows a key ending at `position` and appends it and the joiner to `part`.
// Returns where the search for the key's next occurrence goes on.
std::size_t AppendValueAt(std::string_view record, std::string_view lowered, std::size_t position, std::string& part) {
    std::string_view value;
    std::size_t after = position;
    // A key may end the record, with nothing after it.
    std::string_view rest = lowered.substr(position);
    if (rest.starts_with('"') || rest.starts_with('>')) {
        std::size_t valueStart = position + 1;
        std::size_t valueEnd = rest.starts_with('"') ? record.find('"', valueStart) : record.find("</", valueStart);
        // A value with no end, or one that begins with ">", counts as empty.
        if (valueEnd != NOT_FOUND && (valueEnd == valueStart || record[valueStart] != '>')) {
            value = record.substr(valueStart, valueEnd - valueStart);
        }
        after = valueStart + value.size();
    }
    std::size_t next = lowered.find_first_of("\">", after);
    part.append(value);
    part.append(VALUE_JOINER);
    return next == NOT_FOUND ? lowered.size() : next;
}

} // namespace

std::vector<ParsedColumn> ParseColumnList(std::string_view columns) {
    std::string columnList(columns);
    RemoveChar(columnList, '"');
    LowerAscii(columnList);
    std::vector<ParsedColumn> parsed;
    while (!columnList.empty()) {
        std::string key = columnList.substr(0, columnList.find(','));
        // Removing the key's text from the list also removes it inside longer keys, so a key
        // listed twice gives one column.
        ReplaceAll(columnList, key, "");
        StripLeading(columnList, ", ");
        if (key.empty()) {
            // An empty key would be found everywhere: it makes no column at all.
            continue;
        }
        ReplaceChar(key, '_', ' ');
        ParsedColumn column;
        column.keyWithoutClose = key;
        RemoveChar(column.keyWithoutClose, '>');
        column.key = std::move(key);
        column.separatorAfter = !columnList.empty();
        parsed.push_back(std::move(column));
    }
    return parsed;
}

std::size_t FieldExtractor::AddColumns(const std::vector<ParsedColumn>& columns) {
    std::vector<Column> list;
    for (const ParsedColumn& parsed : columns) {
        Column column;
        // A key that is nothing but ">" finds nothing.
        if (!parsed.keyWithoutClose.empty()) {
            column.key = m_keys.Add(parsed.key);
            column.keyWithoutClose = m_keys.Add(parsed.keyWithoutClose);
            column.lengthWithoutClose = parsed.keyWithoutClose.size();
        }
        column.separatorAfter = parsed.separatorAfter;
        list.push_back(column);
    }
    m_lists.push_back(std::move(list));
    return m_lists.size() - 1;
}

void FieldExtractor::SetRecord(std::string_view record) {
    m_record = record;
    LowerAsciiCopy(record, m_lowered);
    m_keys.Scan(m_lowered);
}

bool FieldExtractor::Extract(std::size_t list, std::string_view separator, std::string& line) const {
    line.clear();
    std::string part;
    for (const Column& column : m_lists[list]) {
        part.clear();
        // The first occurrence is found with the key as written; later ones without its ">", so
        // "<category>" goes on to find "<category" and lands on the ">" that opens the value.
        std::size_t found = column.key == KeyOccurrences::NONE ? KeyOccurrences::NONE : m_keys.FirstFrom(column.key, 0);
        while (found != KeyOccurrences::NONE) {
            std::size_t next = AppendValueAt(m_record, m_lowered, found + column.lengthWithoutClose, part);
            found = m_keys.FirstFrom(column.keyWithoutClose, next);
        }
        ReplaceAll(part, separator, "_");
        StripTrailing(part, " &");
        if (column.separatorAfter) {
            part.append(separator);
        }
        line.append(part);
    }
    TrimWhiteSpace(line);
    return !line.empty();
}

bool ExtractFields(std::string_view record, std::string_view columns, std::string_view separator, std::string& line) {
    FieldExtractor extractor;
    std::size_t list = extractor.AddColumns(ParseColumnList(columns));
    extractor.SetRecord(record);
    return extractor.Extract(list, separator, line);
}

} // namespace pellaquin
