#include "output/MatchingGames.h"
#include "records/ByteText.h"
#include "records/TagVocabulary.h"
#include "search/Extraction.h"

namespace pellaquin {

namespace {

constexpr std::string_view ROM_PLACEHOLDER = "%ROM%";

} // namespace

void GameScanner::WriteXmlList(InputFile& input) {
    ScanMatchingGames(*this, input, HeaderText::KEEP, [] {
        return [](std::string_view record, std::string& out) { out.append(record); };
    });
    m_resultText.append("\r\n");
    m_resultText.append(TagVocabulary::ListEndTag(input.Format()));
    m_resultText.append("\n");
}

void GameScanner::WriteBatchList(InputFile& input, std::string batchTemplate) {
    ScanMatchingGames(*this, input, HeaderText::DROP, [&] {
        return [&, line = std::string()](std::string_view record, std::string& out) mutable {
            line = batchTemplate;
            ReplaceAll(line, ROM_PLACEHOLDER, ExtractRomName(record, input.Format(), input.Element()));
            out.append(line);
            out.push_back('\n');
        };
    });
}

void GameScanner::WriteDescriptionList(InputFile& input) {
    ScanMatchingGames(*this, input, HeaderText::DROP, [&] {
        return [&](std::string_view record, std::string& out) {
            out.append(ExtractDescription(record, input.Format()));
            out.push_back('\n');
        };
    });
}

void GameScanner::WriteNameList(InputFile& input) {
    ScanMatchingGames(*this, input, HeaderText::DROP, [&] {
        return [&](std::string_view record, std::string& out) {
            out.append(ExtractRomName(record, input.Format(), input.Element()));
            out.push_back('\n');
        };
    });
}

} // namespace pellaquin
