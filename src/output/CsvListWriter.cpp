#include "records/GameScanner.h"
#include "records/ScanCycle.h"

namespace pellaquin {

void GameScanner::WriteCsvList(InputFile& input) {
    m_resultText.clear();
    m_matchCount = 0;
    ScanCycle scan(input, m_reader);
    scan.Start(m_resultText);
    m_resultText.clear();
    std::string record;
    std::string line;
    // No search here: the command line holds the column list, and every game with a line is written.
    while (scan.Next(record)) {
        if (ExtractFields(record, m_searchCommand, line)) {
            m_resultText.append(line);
            m_resultText.push_back('\n');
            ++m_matchCount;
        }
    }
}

} // namespace pellaquin
