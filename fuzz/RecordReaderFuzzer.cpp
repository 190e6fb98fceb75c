// Random files through format detection and both record readers, which must agree on every record,
// result and position; the pieces the file is cut into must add up to the file.

#include "FuzzSupport.h"

#include "records/InputFile.h"
#include "records/RecordReader.h"
#include "records/TagVocabulary.h"

#include <cstdint>
#include <string>

namespace pellaquin {

namespace {

// The reader refills its buffer here; bytes placed just before it cross the refill.
constexpr auto REFILL_BOUNDARY = static_cast<std::int64_t>(InputFile::BUFFER_SIZE);

std::string DropCarriageReturnsBeforeLineFeeds(std::string_view bytes) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            text.push_back(bytes[i]);
        }
    }
    return text;
}

// Reads `input` again from its start, piece by piece.
void CheckPieces(InputFile& input, std::int64_t offset, std::string_view bytes) {
    RewindInput(input);
    std::string expected(static_cast<std::size_t>(offset), '\0');
    expected.append(DropCarriageReturnsBeforeLineFeeds(bytes));
    std::size_t reached = 0;
    std::string_view piece;
    while (input.ReadPiece(piece)) {
        std::size_t lineFeed = piece.find('\n');
        if (piece.empty() || piece.size() > InputFile::MAX_PIECE + (lineFeed == std::string_view::npos ? 0 : 1)) {
            fuzz::Fail("piece of a wrong length");
        }
        if (lineFeed != std::string_view::npos && lineFeed + 1 != piece.size()) {
            fuzz::Fail("line feed inside a piece");
        }
        if (expected.compare(reached, piece.size(), piece) != 0) {
            fuzz::Fail("pieces do not add up to the file");
        }
        reached += piece.size();
    }
    if (reached != expected.size()) {
        fuzz::Fail("pieces end before the file");
    }
    if (input.HadReadError()) {
        fuzz::Fail("read error on a plain file");
    }
}

void CheckReadersAgree(InputFile& bulk, InputFile& reference, const fuzz::ScratchFile& file, std::size_t fileSize,
                       std::uint8_t mode) {
    if (bulk.Open(file.Path()) != InputFile::OpenResult::OK ||
        reference.Open(file.Path()) != InputFile::OpenResult::OK) {
        fuzz::Fail("cannot open the scratch file");
    }
    std::string header;
    InputFormat format = DetectInputFormat(bulk, header);
    DetectInputFormat(reference, header);
    if (format == FORMAT_UNKNOWN) {
        // Without a recognised format the readers are still asked for records, as some format's.
        format = static_cast<InputFormat>(mode % 3);
        RecordElement element = (mode / 3) % 2 == 0 ? RecordElement::GAME : RecordElement::MACHINE;
        bulk.SetElement(element);
        reference.SetElement(element);
    }
    std::string_view startTag = TagVocabulary::GameStartTag(format, bulk.Element());

    RecordReader bulkReader;
    RecordReader referenceReader;
    std::string bulkRecord;
    std::string referenceRecord;
    for (std::size_t round = 0;; ++round) {
        if (round > fileSize + 1) {
            fuzz::Fail("the readers make no progress");
        }
        bool bulkComplete = bulkReader.ReadGameRecord(bulk, bulkRecord, startTag);
        bool referenceComplete = referenceReader.ReadGameRecordPieceByPiece(reference, referenceRecord, startTag);
        if (bulkComplete != referenceComplete) {
            fuzz::Fail("the readers differ in their result");
        }
        if (bulkRecord != referenceRecord) {
            fuzz::Fail("the readers differ in the record");
        }
        if (bulk.Tell() != reference.Tell()) {
            fuzz::Fail("the readers differ in the position after a record");
        }
        if (bulkReader.m_lastStartPosition != referenceReader.m_lastStartPosition) {
            fuzz::Fail("the readers differ in the last start position");
        }
        if (bulkRecord.empty()) {
            break;
        }
    }
}

} // namespace

} // namespace pellaquin

// The first byte chooses where the rest goes: below 0xf0 at the start of the file; otherwise at most
// 64 KB before the first refill boundary, at the distance the next two bytes give, after zero bytes.
// Those runs read a megabyte each, so they are kept to one mode in sixteen.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    static const fuzz::ScratchFile file(".xml");
    std::string_view text = fuzz::AsText(data, size);
    if (text.empty()) {
        return 0;
    }
    auto mode = static_cast<std::uint8_t>(text.front());
    text.remove_prefix(1);
    std::int64_t offset = 0;
    if (mode >= 0xf0 && text.size() >= 2) {
        offset = REFILL_BOUNDARY - (static_cast<std::uint8_t>(text[0]) << 8 | static_cast<std::uint8_t>(text[1]));
        text.remove_prefix(2);
    }
    file.WriteAt(offset, text);
    InputFile bulk;
    InputFile reference;
    CheckReadersAgree(bulk, reference, file, static_cast<std::size_t>(offset) + text.size(), mode);
    CheckPieces(reference, offset, text);
    return 0;
}
