#include "records/GameScanner.h"
#include "records/ScanCycle.h"
#include "search/FieldExtractor.h"

namespace pellaquin {

void GameScanner::WriteCsvList(InputFile& input) {
    m_resultText.clear();
    m_matchCount = 0;
    ScanCycle scan(input, m_reader);
    scan.Start(m_resultText);
    m_resultText.clear();
    std::string record;
    std::string line;
    FieldExtractor extractor;
    std::size_t columns = extractor.AddColumns(ParseColumnList(m_searchCommand));
    // No search here: the command line holds the column list, and every game with a line is written.
    while (scan.Next(record)) {
        extractor.SetRecord(record);
        if (extractor.Extract(columns, m_fieldSeparator, line)) {
            m_resultText.append(line);
            m_resultText.push_back('\n');
            ++m_matchCount;
        }
    }
}

} // namespace pellaquin
