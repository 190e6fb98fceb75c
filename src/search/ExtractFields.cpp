#include "records/GameScanner.h"
#include "search/FieldExtractor.h"

namespace pellaquin {

bool GameScanner::ExtractFields(std::string_view record, std::string_view columns, std::string& line) const {
    FieldExtractor extractor;
    std::size_t list = extractor.AddColumns(ParseColumnList(columns));
    extractor.SetRecord(record);
    return extractor.Extract(list, m_fieldSeparator, line);
}

} // namespace pellaquin
