#include "output/MatchingGames.h"

#include "output/GameBatches.h"
#include "records/ScanCycle.h"

namespace pellaquin {

void ScanMatchingGames(GameScanner& scanner, InputFile& input, HeaderText header,
                       const std::function<GameFormat()>& makeFormat,
                       const std::function<void(std::string_view text)>& deliver) {
    scanner.m_resultText.clear();
    scanner.m_matchCount = 0;
    ScanCycle scan(input, scanner.m_reader);
    scan.Start(scanner.m_resultText);
    if (header == HeaderText::DROP) {
        scanner.m_resultText.clear();
    }
    const std::string& command = scanner.m_searchCommand;
    auto makeWork = [&]() -> GameWork {
        return [&command, format = makeFormat()](std::string_view record, std::string& out) {
            if (GameScanner::MatchGame(record, command)) {
                return false;
            }
            format(record, out);
            return true;
        };
    };
    scanner.m_matchCount = ScanInBatches(scan, makeWork, deliver ? deliver : [&](std::string_view text) {
        scanner.m_resultText.append(text);
    });
}

} // namespace pellaquin
