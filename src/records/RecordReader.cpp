#include "records/RecordReader.h"

#include "records/SubstringSearch.h"
#include "records/TagVocabulary.h"

#include <algorithm>

namespace pellaquin {

namespace {

constexpr std::size_t NOT_FOUND = std::string_view::npos;

enum class Passed { KEEP, DISCARD };

// Finds from `from` on the first occurrence of `tag` that lies within one piece: a tag cut in two
// by a piece boundary is not seen. Buffers more of the file as needed; NOT_FOUND at its end. With
// DISCARD, the pieces searched in vain are read past, so memory stays flat over long stretches
// without the tag; offsets then count from the new read position.
std::size_t FindTagInOnePiece(InputFile& input, std::string_view tag, std::size_t from, Passed passed) {
    std::string_view bytes = input.Buffered(from + tag.size());
    for (;;) {
        while (from + tag.size() <= bytes.size()) {
            std::size_t found = FindSubstring(bytes, tag, from);
            if (found == NOT_FOUND) {
                break;
            }
            if (input.PieceStart(found) == input.PieceStart(found + tag.size() - 1)) {
                return found;
            }
            from = found + 1;
        }
        if (input.BufferedToEnd()) {
            return NOT_FOUND;
        }
        from = std::max(from, bytes.size() >= tag.size() ? bytes.size() - tag.size() + 1 : 0);
        if (passed == Passed::DISCARD) {
            std::size_t kept = input.PieceStart(from);
            input.Skip(kept);
            from -= kept;
            bytes = input.Buffered(bytes.size() - kept + (1 << 16));
        } else {
            bytes = input.Buffered(bytes.size() + (bytes.size() / 2) + (1 << 16));
        }
    }
}

// Appends the file's bytes as pieces would carry them: a CR right before a LF is dropped.
void AppendTranslated(std::string& record, std::string_view bytes) {
    for (;;) {
        std::size_t carriageReturn = bytes.find("\r\n");
        if (carriageReturn == NOT_FOUND) {
            record.append(bytes);
            return;
        }
        record.append(bytes.substr(0, carriageReturn));
        bytes.remove_prefix(carriageReturn + 1);
    }
}

} // namespace

bool RecordReader::ReadGameRecord(InputFile& input, std::string& record, std::string_view startTag) {
    if (startTag.empty() || startTag.find_first_of("\r\n") != NOT_FOUND) {
        return ReadGameRecordPieceByPiece(input, record, startTag);
    }
    record.clear();
    std::size_t startTagAt = FindTagInOnePiece(input, startTag, 0, Passed::DISCARD);
    if (startTagAt == NOT_FOUND) {
        input.Skip(input.Buffered(0).size());
        return false;
    }
    std::size_t recordStart = input.PieceStart(startTagAt);
    std::size_t endTagAt =
        FindTagInOnePiece(input, TagVocabulary::RecordEndTag(input.Element()), recordStart, Passed::KEEP);
    std::string_view bytes = input.Buffered(0);
    std::size_t recordEnd = endTagAt == NOT_FOUND ? bytes.size() : input.PieceEnd(input.PieceStart(endTagAt));
    bytes = input.Buffered(0);

    // A later start tag inside the record does not begin another one; only its place is remembered.
    std::size_t lastStart = recordStart;
    std::string_view recordBytes = bytes.substr(0, recordEnd);
    for (std::size_t from = startTagAt + 1;;) {
        std::size_t found = FindSubstring(recordBytes, startTag, from);
        if (found == NOT_FOUND) {
            break;
        }
        if (input.PieceStart(found) == input.PieceStart(found + startTag.size() - 1)) {
            lastStart = input.PieceStart(found);
        }
        from = found + 1;
    }
    m_lastStartPosition = input.Tell() + static_cast<std::int64_t>(lastStart);
    if (endTagAt != NOT_FOUND && FindSubstring(bytes.substr(0, recordEnd), startTag, endTagAt) != NOT_FOUND) {
        m_sharedLine = true;
    }
    AppendTranslated(record, bytes.substr(recordStart, recordEnd - recordStart));
    input.Skip(recordEnd);
    return endTagAt != NOT_FOUND;
}

bool RecordReader::ReadGameRecordPieceByPiece(InputFile& input, std::string& record, std::string_view startTag) {
    record.clear();
    bool insideRecord = false;
    std::string_view endTag = TagVocabulary::RecordEndTag(input.Element());
    std::string_view piece;
    for (;;) {
        std::int64_t pieceStart = input.Tell();
        if (!input.ReadPiece(piece)) {
            return false;
        }
        if (piece.find(startTag) != std::string_view::npos) {
            // A second start tag before the end tag does not begin a new record: both games stay in
            // one, and the later start is remembered.
            m_lastStartPosition = pieceStart;
            insideRecord = true;
            record.append(piece);
        } else if (insideRecord) {
            record.append(piece);
        }
        if (insideRecord && piece.find(endTag) != std::string_view::npos) {
            return true;
        }
    }
}

bool RecordReader::RereadGameRecord(InputFile& input, std::string& record, std::string_view startTag) {
    std::int64_t position = m_currentIndex >= 0 && m_currentIndex < POSITION_COUNT ? m_positions[m_currentIndex] : 0;
    input.Seek(position);
    return ReadGameRecord(input, record, startTag);
}

void RewindInput(InputFile& input) {
    input.Seek(0);
}

namespace {

// A merged file's banner comes before its records, so their element is read further on.
RecordElement FirstRecordElement(InputFile& input) {
    std::string_view piece;
    while (input.ReadPiece(piece)) {
        if (piece.find(TagVocabulary::GameStartTag(FORMAT_MERGED)) != std::string_view::npos) {
            return RecordElement::GAME;
        }
        if (piece.find(MACHINE_START_TAG) != std::string_view::npos) {
            return RecordElement::MACHINE;
        }
    }
    return RecordElement::GAME;
}

} // namespace

void ReadRemainingText(InputFile& input, std::string& text) {
    text.clear();
    std::string_view piece;
    while (input.ReadPiece(piece)) {
        text.append(piece);
    }
}

InputFormat DetectInputFormat(InputFile& input, std::string& header) {
    RewindInput(input);
    std::string_view piece;
    for (;;) {
        std::int64_t pieceStart = input.Tell();
        if (!input.ReadPiece(piece)) {
            return FORMAT_UNKNOWN;
        }
        InputFormat format = FORMAT_UNKNOWN;
        RecordElement element = RecordElement::GAME;
        if (piece.find(TagVocabulary::GameStartTag(FORMAT_LISTXML)) != std::string_view::npos) {
            format = FORMAT_LISTXML;
        } else if (piece.find(TagVocabulary::GameStartTag(FORMAT_CONTROLS)) != std::string_view::npos) {
            format = FORMAT_CONTROLS;
        } else if (piece.find(MERGED_FILE_MARKER) != std::string_view::npos) {
            format = FORMAT_MERGED;
            element = FirstRecordElement(input);
        } else if (piece.find(MACHINE_START_TAG) != std::string_view::npos) {
            format = FORMAT_LISTXML;
            element = RecordElement::MACHINE;
        }
        if (format != FORMAT_UNKNOWN) {
            // Going back to the deciding piece itself keeps the first game whole, however long its
            // start line is.
            input.Seek(pieceStart);
            input.SetFormat(format);
            input.SetElement(element);
            return format;
        }
        header.append(piece);
    }
}

} // namespace pellaquin
