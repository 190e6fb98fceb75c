#include "output/MatchingGames.h"

#include "records/ScanCycle.h"

namespace pellaquin {

void ScanMatchingGames(GameScanner& scanner, InputFile& input, HeaderText header,
                       const std::function<void(std::string_view record)>& handle) {
    scanner.m_resultText.clear();
    scanner.m_matchCount = 0;
    ScanCycle scan(input, scanner.m_reader);
    scan.Start(scanner.m_resultText);
    if (header == HeaderText::DROP) {
        scanner.m_resultText.clear();
    }
    std::string record;
    while (scan.Next(record)) {
        if (GameScanner::MatchGame(record, scanner.m_searchCommand)) {
            continue;
        }
        handle(record);
        ++scanner.m_matchCount;
    }
}

} // namespace pellaquin
