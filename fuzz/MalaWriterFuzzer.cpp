// The MaLa writer over random files into memory: the bytes must read back as a header and one
// well-formed entry per matching game, in order, every length byte must fit the bytes that follow it, and
// the count field must hold the number of entries. A file whose games share lines is refused, and only
// such a file.

#include "FuzzSupport.h"

#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "output/MalaEncoding.h"
#include "output/MalaListSettings.h"
#include "records/ScanCycle.h"
#include "search/MatchGame.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pellaquin {

namespace {

// The value tags of one entry in order, between its list start and list end.
constexpr std::string_view ENTRY_LAYOUT = "SSSSS2SS11SSSS22SSSSS"
                                          "SSSSSSSSSSSSSSSS1";

class MalaReader {
public:
    explicit MalaReader(std::string_view bytes) : m_bytes(bytes) {}

    bool AtEnd() const { return m_at == m_bytes.size(); }
    std::size_t Offset() const { return m_at; }

    void Expect(char byte, std::string_view what) {
        if (m_at >= m_bytes.size() || m_bytes[m_at] != byte) {
            fuzz::Fail(what);
        }
        ++m_at;
    }

    std::string_view String() {
        Expect(mala::STRING_TAG, "string tag expected");
        if (m_at >= m_bytes.size()) {
            fuzz::Fail("string without a length byte");
        }
        auto length = static_cast<std::uint8_t>(m_bytes[m_at++]);
        if (m_bytes.size() - m_at < length) {
            fuzz::Fail("a length byte runs past the end of the file");
        }
        std::string_view text = m_bytes.substr(m_at, length);
        m_at += length;
        return text;
    }

    std::string_view Bytes(std::size_t count) {
        if (m_bytes.size() - m_at < count) {
            fuzz::Fail("the file ends inside a value");
        }
        std::string_view taken = m_bytes.substr(m_at, count);
        m_at += count;
        return taken;
    }

    void Number(char tag, std::size_t size) {
        Expect(tag, "number tag expected");
        Bytes(size);
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

// The records the scan cycle offers and the search command matches, read independently of the writer,
// and whether the reader met games sharing a line on the way.
std::vector<std::string> MatchingRecords(const std::string& path, const std::string& command, bool& sharedLines) {
    InputFile input;
    if (input.Open(path) != InputFile::OpenResult::OK) {
        fuzz::Fail("cannot open the scratch file");
    }
    RecordReader reader;
    ScanCycle scan(input, reader);
    std::string header;
    scan.Start(header);
    std::vector<std::string> records;
    std::string record;
    while (scan.Next(record)) {
        if (!MatchGame(record, command)) {
            records.push_back(record);
        }
    }
    sharedLines = reader.m_sharedLine;
    return records;
}

} // namespace

} // namespace pellaquin

// The first line is the search command, the second the list's title, the rest the input file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    static const fuzz::ScratchFile file(".xml");
    std::string_view text = fuzz::AsText(data, size);
    std::string command(fuzz::TakeLine(text));
    MalaListSettings settings{std::string(fuzz::TakeLine(text))};
    file.Write(text);

    InputFile input;
    if (input.Open(file.Path()) != InputFile::OpenResult::OK) {
        fuzz::Fail("cannot open the scratch file");
    }
    ListRequest request{ListType::MALA, command};
    request.mala = settings;
    MemorySink sink;
    ListResult result = RunList(input, request, sink);
    // An empty command is refused before anything is written, as in the window.
    if (command.empty()) {
        if (result.status != ListStatus::EMPTY_COMMAND || !sink.Bytes().empty()) {
            fuzz::Fail("an empty command must be refused with nothing written");
        }
        return 0;
    }
    bool sharedLines = false;
    std::vector<std::string> records = MatchingRecords(file.Path(), command, sharedLines);
    if (result.status == ListStatus::SHARED_LINES) {
        if (!sharedLines) {
            fuzz::Fail("a file read game by game was refused as sharing lines");
        }
        return 0;
    }
    if (result.status != ListStatus::DONE) {
        fuzz::Fail("writing into memory failed");
    }

    MalaReader reader(sink.Bytes());
    reader.Expect(mala::LIST_START, "header must open a list");
    if (reader.String() != settings.title.substr(0, mala::MAX_STRING)) {
        fuzz::Fail("title differs");
    }
    reader.String();
    reader.String();
    reader.Bytes(18);
    reader.Expect(mala::MARKER, "marker expected");
    reader.Expect(mala::INT16_TAG, "count tag expected");
    if (static_cast<std::int64_t>(reader.Offset()) != mala::CountOffset(settings.title)) {
        fuzz::Fail("the count offset does not point at the count");
    }
    std::string_view count = reader.Bytes(2);
    reader.Number(mala::INT8_TAG, 1);
    reader.Expect(mala::LIST_END, "header must close its list");

    std::size_t entries = 0;
    while (!reader.AtEnd()) {
        reader.Expect(mala::LIST_START, "entry must open a list");
        std::string_view name = reader.String();
        // The name is cut from the record, so it must stand in the game the entry is for.
        if (entries >= records.size() || records[entries].find(name) == std::string::npos) {
            fuzz::Fail("entry does not belong to the next matching game");
        }
        for (char tag : ENTRY_LAYOUT.substr(1)) {
            if (tag == 'S') {
                reader.String();
            } else {
                reader.Number(tag == '1' ? mala::INT8_TAG : mala::INT16_TAG, tag == '1' ? 1 : 2);
            }
        }
        reader.Expect(mala::LIST_END, "entry must close its list");
        ++entries;
    }
    if (entries != records.size() || static_cast<std::size_t>(result.matchCount) != entries) {
        fuzz::Fail("the number of entries differs from the number of matching games");
    }
    if (count != mala::CountBytes(result.matchCount)) {
        fuzz::Fail("the count field differs from the number of entries");
    }
    return 0;
}
