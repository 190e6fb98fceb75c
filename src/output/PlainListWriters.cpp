#include "output/ByteSink.h"
#include "output/GameScanner.h"
#include "records/ByteText.h"
#include "records/TagVocabulary.h"
#include "search/Extraction.h"

namespace pellaquin {

namespace {

constexpr std::string_view ROM_PLACEHOLDER = "%ROM%";

} // namespace

ListResult GameScanner::WriteXmlList(const ListRequest& request, ByteSink& sink) {
    ListResult result = WriteMatchingGames(request, sink, HeaderText::KEEP, [] {
        return [](std::string_view record, std::string& out) { out.append(record); };
    });
    std::string closing = "\r\n" + std::string(TagVocabulary::ListEndTag(m_input.Format())) + "\n";
    if (!sink.Write(closing)) {
        result.status = ListStatus::WRITE_FAILED;
    }
    return result;
}

ListResult GameScanner::WriteBatchList(const ListRequest& request, ByteSink& sink) {
    return WriteMatchingGames(request, sink, HeaderText::DROP, [&] {
        return [&, line = std::string()](std::string_view record, std::string& out) mutable {
            line = request.batchTemplate;
            ReplaceAll(line, ROM_PLACEHOLDER, ExtractRomName(record, m_input.Format(), m_input.Element()));
            out.append(line);
            out.push_back('\n');
        };
    });
}

ListResult GameScanner::WriteDescriptionList(const ListRequest& request, ByteSink& sink) {
    return WriteMatchingGames(request, sink, HeaderText::DROP, [&] {
        return [&](std::string_view record, std::string& out) {
            out.append(ExtractDescription(record, m_input.Format()));
            out.push_back('\n');
        };
    });
}

ListResult GameScanner::WriteNameList(const ListRequest& request, ByteSink& sink) {
    return WriteMatchingGames(request, sink, HeaderText::DROP, [&] {
        return [&](std::string_view record, std::string& out) {
            out.append(ExtractRomName(record, m_input.Format(), m_input.Element()));
            out.push_back('\n');
        };
    });
}

} // namespace pellaquin
