#include "output/ByteSink.h"
#include "output/MalaEncoding.h"
#include "output/MalaListSettings.h"
#include "output/MatchingGames.h"
#include "records/ByteText.h"
#include "records/TagVocabulary.h"
#include "search/Extraction.h"

namespace pellaquin {

namespace {

constexpr int TRAILING_EMPTY_STRINGS = 16;

class MalaEntryBuilder {
public:
    MalaEntryBuilder(const GameScanner& scanner, const InputFile& input) : m_scanner(scanner), m_input(input) {}

    const std::string& Build(std::string_view record) {
        // Detection settles the format only once the scan has begun.
        m_format = m_input.Format();
        m_entry.clear();
        m_entry.push_back(mala::LIST_START);
        mala::AppendString(m_entry, ExtractRomName(record, m_format));
        mala::AppendString(m_entry, Field(record, "romof="));
        mala::AppendString(m_entry, Field(record, "cloneof="));
        mala::AppendString(m_entry, Field(record, "sourcefile="));
        mala::AppendString(m_entry, TrimWhiteSpace(ExtractDescription(record, m_format)));
        mala::AppendInt16(m_entry, mala::LeadingNumber(Field(record, "year")));
        mala::AppendString(m_entry, Field(record, "manufacturer"));
        mala::AppendString(m_entry, Field(record, "category"));
        mala::AppendInt8(m_entry, mala::LeadingNumber(Field(record, TagVocabulary::ButtonsKey(m_format))));
        mala::AppendInt8(m_entry, mala::LeadingNumber(Field(record, "coins=")));
        std::string players = Field(record, "numPlayers=").substr(0, mala::MAX_STRING - 1);
        players.push_back('P');
        mala::AppendString(m_entry, players);
        mala::AppendString(m_entry, Field(record, "control type="));
        mala::AppendString(m_entry, Field(record, "display type="));
        std::string rotation = Field(record, "rotate=");
        mala::AppendString(m_entry, rotation == "90" || rotation == "270" ? "vertical" : "horizontal");
        mala::AppendInt16(m_entry, mala::LeadingNumber(Field(record, "width=")));
        mala::AppendInt16(m_entry, mala::LeadingNumber(Field(record, "height=")));
        mala::AppendString(m_entry, Field(record, "driver status="));
        mala::AppendString(m_entry, Field(record, "color="));
        mala::AppendString(m_entry, Field(record, "sound="));
        mala::AppendString(m_entry, Field(record, "emulation="));
        mala::AppendString(m_entry, Field(record, "graphic="));
        for (int i = 0; i < TRAILING_EMPTY_STRINGS; ++i) {
            mala::AppendString(m_entry, "");
        }
        mala::AppendInt8(m_entry, 0);
        m_entry.push_back(mala::LIST_END);
        return m_entry;
    }

private:
    std::string Field(std::string_view record, std::string_view key) {
        m_scanner.ExtractFields(record, key, m_field);
        return m_field;
    }

    const GameScanner& m_scanner;
    const InputFile& m_input;
    InputFormat m_format = FORMAT_UNKNOWN;
    std::string m_entry;
    std::string m_field;
};

} // namespace

bool GameScanner::WriteMalaList(InputFile& input, ByteSink& sink, const MalaListSettings& settings) {
    m_countOffset = mala::CountOffset(settings.title);
    bool written = sink.Write(mala::Header(settings.title));
    MalaEntryBuilder builder(*this, input);
    ScanMatchingGames(*this, input, HeaderText::DROP, [&](std::string_view record) {
        written = sink.Write(builder.Build(record)) && written;
    });
    return sink.WriteAt(m_countOffset, mala::CountBytes(m_matchCount)) && written;
}

bool GameScanner::WriteMalaList(InputFile& input, const std::string& path, const MalaListSettings& settings) {
    m_countOffset = 0;
    ReplacingFileSink file(path);
    if (!file.Open()) {
        return false;
    }
    return WriteMalaList(input, file, settings) && file.Commit();
}

} // namespace pellaquin
