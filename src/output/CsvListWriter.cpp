#include "output/GameScanner.h"
#include "search/FieldExtractor.h"

#include <memory>

namespace pellaquin {

ListResult GameScanner::WriteCsvList(const ListRequest& request, ByteSink& sink) {
    std::vector<ParsedColumn> columns = ParseColumnList(request.command);
    // No search here: the command holds the column list, and every game with a line is written that the
    // set steps keep.
    return WriteGames(sink, HeaderText::DROP, [&]() -> GameWork {
        auto extractor = std::make_shared<FieldExtractor>();
        std::size_t list = extractor->AddColumns(columns);
        return
            [this, &request, extractor, list, line = std::string()](std::string_view record, std::string& out) mutable {
                if (!Keeps(record)) {
                    return false;
                }
                extractor->SetRecord(record);
                if (!extractor->Extract(list, request.fieldSeparator, line)) {
                    return false;
                }
                out.append(line);
                out.push_back('\n');
                return true;
            };
    });
}

} // namespace pellaquin
