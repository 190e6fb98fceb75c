#include "output/GameScanner.h"

#include "output/ByteSink.h"
#include "output/GameSelection.h"
#include "records/ScanCycle.h"
#include "search/Extraction.h"

namespace pellaquin {

bool GameScanner::Keeps(std::string_view record) const {
    return m_selection == nullptr || m_selection->Keeps(ExtractRomName(record, m_input.Format(), m_input.Element()));
}

bool GameScanner::Selects(std::string_view record, const ListRequest& request) const {
    // The set steps keep a part of the games the search matched, so asking them first spares most searches.
    return Keeps(record) && !MatchGame(record, request.command);
}

ListResult GameScanner::WriteGames(ByteSink& sink, HeaderText header, const std::function<GameWork()>& makeWork) {
    ScanCycle scan(m_input, m_reader);
    std::string headerText;
    scan.Start(headerText);
    bool written = header == HeaderText::DROP || sink.Write(headerText);
    ListResult result;
    result.matchCount =
        ScanInBatches(scan, makeWork, [&](std::string_view text) { written = sink.Write(text) && written; });
    result.status = written ? ListStatus::DONE : ListStatus::WRITE_FAILED;
    result.gameCount = scan.Records();
    return result;
}

ListResult GameScanner::WriteMatchingGames(const ListRequest& request, ByteSink& sink, HeaderText header,
                                           const std::function<GameFormat()>& makeFormat) {
    return WriteGames(sink, header, [&]() -> GameWork {
        return [this, &request, format = makeFormat()](std::string_view record, std::string& out) {
            if (!Selects(record, request)) {
                return false;
            }
            format(record, out);
            return true;
        };
    });
}

} // namespace pellaquin
