#include "output/GameBatches.h"
#include "output/GameScanner.h"
#include "records/ScanCycle.h"
#include "search/FieldExtractor.h"

#include <memory>

namespace pellaquin {

void GameScanner::WriteCsvList(InputFile& input) {
    m_resultText.clear();
    m_matchCount = 0;
    ScanCycle scan(input, m_reader);
    scan.Start(m_resultText);
    m_resultText.clear();
    std::vector<ParsedColumn> columns = ParseColumnList(m_searchCommand);
    // No search here: the command line holds the column list, and every game with a line is written.
    auto makeWork = [&]() -> GameWork {
        auto extractor = std::make_shared<FieldExtractor>();
        std::size_t list = extractor->AddColumns(columns);
        return [this, extractor, list, line = std::string()](std::string_view record, std::string& out) mutable {
            extractor->SetRecord(record);
            if (!extractor->Extract(list, m_fieldSeparator, line)) {
                return false;
            }
            out.append(line);
            out.push_back('\n');
            return true;
        };
    };
    m_matchCount = ScanInBatches(scan, makeWork, [this](std::string_view text) { m_resultText.append(text); });
}

} // namespace pellaquin
