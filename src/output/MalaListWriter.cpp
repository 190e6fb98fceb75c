#include "output/ByteSink.h"
#include "output/GameScanner.h"
#include "output/MalaEncoding.h"
#include "records/ByteText.h"
#include "records/TagVocabulary.h"
#include "search/Extraction.h"
#include "search/FieldExtractor.h"

#include <array>
#include <memory>

namespace pellaquin {

namespace {

constexpr int TRAILING_EMPTY_STRINGS = 16;

// The keys of an entry's values, each a column list of its own.
enum EntryKey {
    ROMOF,
    CLONEOF,
    SOURCEFILE,
    YEAR,
    MANUFACTURER,
    CATEGORY,
    BUTTONS,
    COINS,
    PLAYERS,
    CONTROL_TYPE,
    DISPLAY_TYPE,
    ROTATE,
    WIDTH,
    HEIGHT,
    DRIVER_STATUS,
    COLOR,
    SOUND,
    EMULATION,
    GRAPHIC,
    ENTRY_KEY_COUNT
};

class MalaEntryBuilder {
public:
    // Made once the scan has begun, when detection has settled the input's format and element.
    MalaEntryBuilder(std::string_view fieldSeparator, const InputFile& input)
        : m_fieldSeparator(fieldSeparator), m_format(input.Format()), m_element(input.Element()) {
        ParseKeys();
    }

    const std::string& Build(std::string_view record) {
        m_extractor.SetRecord(record);
        m_entry.clear();
        m_entry.push_back(mala::LIST_START);
        mala::AppendString(m_entry, ExtractRomName(record, m_format, m_element));
        mala::AppendString(m_entry, Field(ROMOF));
        mala::AppendString(m_entry, Field(CLONEOF));
        mala::AppendString(m_entry, Field(SOURCEFILE));
        mala::AppendString(m_entry, TrimWhiteSpace(ExtractDescription(record, m_format)));
        mala::AppendInt16(m_entry, mala::LeadingNumber(Field(YEAR)));
        mala::AppendString(m_entry, Field(MANUFACTURER));
        mala::AppendString(m_entry, Field(CATEGORY));
        mala::AppendInt8(m_entry, mala::LeadingNumber(Field(BUTTONS)));
        mala::AppendInt8(m_entry, mala::LeadingNumber(Field(COINS)));
        std::string players = Field(PLAYERS).substr(0, mala::MAX_STRING - 1);
        players.push_back('P');
        mala::AppendString(m_entry, players);
        mala::AppendString(m_entry, Field(CONTROL_TYPE));
        mala::AppendString(m_entry, Field(DISPLAY_TYPE));
        std::string rotation = Field(ROTATE);
        mala::AppendString(m_entry, rotation == "90" || rotation == "270" ? "vertical" : "horizontal");
        mala::AppendInt16(m_entry, mala::LeadingNumber(Field(WIDTH)));
        mala::AppendInt16(m_entry, mala::LeadingNumber(Field(HEIGHT)));
        mala::AppendString(m_entry, Field(DRIVER_STATUS));
        mala::AppendString(m_entry, Field(COLOR));
        mala::AppendString(m_entry, Field(SOUND));
        mala::AppendString(m_entry, Field(EMULATION));
        mala::AppendString(m_entry, Field(GRAPHIC));
        for (int i = 0; i < TRAILING_EMPTY_STRINGS; ++i) {
            mala::AppendString(m_entry, "");
        }
        mala::AppendInt8(m_entry, 0);
        m_entry.push_back(mala::LIST_END);
        return m_entry;
    }

private:
    void ParseKeys() {
        // Machines without controls data merged in still say how many play, on their input element.
        bool machines = m_element == RecordElement::MACHINE && m_format == FORMAT_LISTXML;
        const std::string_view keys[ENTRY_KEY_COUNT] = {
            "romof=",
            "cloneof=",
            "sourcefile=",
            "year",
            "manufacturer",
            "category",
            TagVocabulary::ButtonsKey(m_format, m_element),
            "coins=",
            machines ? "input players=" : "numPlayers=",
            "control type=",
            "display type=",
            "rotate=",
            "width=",
            "height=",
            "driver status=",
            "color=",
            "sound=",
            "emulation=",
            "graphic=",
        };
        for (int key = 0; key < ENTRY_KEY_COUNT; ++key) {
            m_keys[key] = m_extractor.AddColumns(ParseColumnList(keys[key]));
        }
    }

    std::string Field(EntryKey key) {
        m_extractor.Extract(m_keys[key], m_fieldSeparator, m_field);
        return m_field;
    }

    std::string_view m_fieldSeparator;
    InputFormat m_format;
    RecordElement m_element;
    std::array<std::size_t, ENTRY_KEY_COUNT> m_keys{};
    FieldExtractor m_extractor;
    std::string m_entry;
    std::string m_field;
};

} // namespace

ListResult GameScanner::WriteMalaList(const ListRequest& request, ByteSink& sink) {
    const std::string& title = request.mala.title;
    bool written = sink.Write(mala::Header(title));
    ListResult result = WriteMatchingGames(request, sink, HeaderText::DROP, [&] {
        // Each thread builds its entries with its own extractor.
        auto builder = std::make_shared<MalaEntryBuilder>(request.fieldSeparator, m_input);
        return [builder](std::string_view record, std::string& out) { out.append(builder->Build(record)); };
    });
    written = sink.WriteAt(mala::CountOffset(title), mala::CountBytes(result.matchCount)) && written;
    if (!written) {
        result.status = ListStatus::WRITE_FAILED;
    }
    return result;
}

} // namespace pellaquin
