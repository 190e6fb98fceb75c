#include "output/MatchingGames.h"
#include "records/ByteText.h"
#include "records/TagVocabulary.h"
#include "search/Extraction.h"

namespace pellaquin {

namespace {

constexpr std::string_view ROM_PLACEHOLDER = "%ROM%";

} // namespace

void GameScanner::WriteXmlList(InputFile& input) {
    ScanMatchingGames(*this, input, HeaderText::KEEP, [this](std::string_view record) { m_resultText.append(record); });
    m_resultText.append("\r\n");
    m_resultText.append(TagVocabulary::ListEndTag(input.Format()));
    m_resultText.append("\n");
}

void GameScanner::WriteBatchList(InputFile& input, std::string batchTemplate) {
    std::string line;
    ScanMatchingGames(*this, input, HeaderText::DROP, [&](std::string_view record) {
        line = batchTemplate;
        ReplaceAll(line, ROM_PLACEHOLDER, ExtractRomName(record, input.Format(), input.Element()));
        m_resultText.append(line);
        m_resultText.push_back('\n');
    });
}

void GameScanner::WriteDescriptionList(InputFile& input) {
    ScanMatchingGames(*this, input, HeaderText::DROP, [&](std::string_view record) {
        m_resultText.append(ExtractDescription(record, input.Format()));
        m_resultText.push_back('\n');
    });
}

void GameScanner::WriteNameList(InputFile& input) {
    ScanMatchingGames(*this, input, HeaderText::DROP, [&](std::string_view record) {
        m_resultText.append(ExtractRomName(record, input.Format(), input.Element()));
        m_resultText.push_back('\n');
    });
}

} // namespace pellaquin
