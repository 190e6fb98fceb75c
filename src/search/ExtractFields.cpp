#include "records/ByteText.h"
#include "records/GameScanner.h"

namespace pellaquin {

namespace {

constexpr auto NOT_FOUND = std::string::npos;
constexpr std::string_view VALUE_JOINER = " & ";

// Cuts the value that follows a key ending at `position` and appends it and the joiner to `part`.
// Returns where the search for the key's next occurrence goes on.
std::size_t AppendValueAt(std::string_view record, std::string_view searchCopy, std::size_t position,
                          std::string& part) {
    std::string_view value;
    std::size_t after = position;
    if (position < searchCopy.size() && (searchCopy[position] == '"' || searchCopy[position] == '>')) {
        std::size_t valueStart = position + 1;
        std::size_t valueEnd =
            searchCopy[position] == '"' ? record.find('"', valueStart) : record.find("</", valueStart);
        // A value with no end, or one that begins with ">", counts as empty.
        if (valueEnd != NOT_FOUND && (valueEnd == valueStart || record[valueStart] != '>')) {
            value = record.substr(valueStart, valueEnd - valueStart);
        }
        after = valueStart + value.size();
    }
    std::size_t next = searchCopy.find_first_of("\">", after);
    part.append(value);
    part.append(VALUE_JOINER);
    return next == NOT_FOUND ? searchCopy.size() : next;
}

} // namespace

bool GameScanner::ExtractFields(std::string_view record, std::string_view columns, std::string& line) const {
    std::string searchCopy(record);
    LowerAscii(searchCopy);
    std::string columnList(columns);
    RemoveChar(columnList, '"');
    LowerAscii(columnList);
    line.clear();

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

        std::string part;
        // The first occurrence is found with the key as written; later ones without its ">", so
        // "<category>" goes on to find "<category" and lands on the ">" that opens the value.
        std::size_t found = searchCopy.find(key);
        RemoveChar(key, '>');
        if (key.empty()) {
            found = NOT_FOUND;
        }
        while (found != NOT_FOUND) {
            std::size_t next = AppendValueAt(record, searchCopy, found + key.size(), part);
            found = searchCopy.find(key, next);
        }
        ReplaceAll(part, m_fieldSeparator, "_");
        StripTrailing(part, " &");
        if (!columnList.empty()) {
            part.append(m_fieldSeparator);
        }
        line.append(part);
    }
    TrimWhiteSpace(line);
    return !line.empty();
}

} // namespace pellaquin
