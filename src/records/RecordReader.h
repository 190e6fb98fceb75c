#pragma once

#include "records/InputFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// Record-reading state: where the browsed records start, which one is current, and where the
// last start tag was met.
class RecordReader {
public:
    static constexpr int POSITION_COUNT = 200;

    // Reads forward to the next game record: from the piece holding `startTag` through the piece
    // holding the record's end tag ("</game>", or "</machine>" in a listing of machines). True for a complete record;
    // false at the end of the file, with whatever partial record was read left in `record`.
    bool ReadGameRecord(InputFile& input, std::string& record, std::string_view startTag);

    // The same result read piece by piece, as the rule above is worded. ReadGameRecord finds the tags
    // in whole buffers instead, which is many times faster on large files.
    bool ReadGameRecordPieceByPiece(InputFile& input, std::string& record, std::string_view startTag);

    // Reads the record again from m_positions[m_currentIndex], the start of its start-tag piece.
    bool RereadGameRecord(InputFile& input, std::string& record, std::string_view startTag);

    // Start of the start-tag piece of each record shown by browsing.
    std::array<std::int64_t, POSITION_COUNT> m_positions{};
    // -1 before the first record, then 0 to 199.
    int m_currentIndex = -1;
    // Start of the start-tag piece the last read met.
    std::int64_t m_lastStartPosition = 0;
    // Set once a record's end tag shared its piece with the next record's start tag: that record would
    // be read into this one, so no game-by-game reading of the file can be trusted.
    bool m_sharedLine = false;
};

// Seeks to the start of the file.
void RewindInput(InputFile& input);

// Clears `text`, then appends every remaining piece until the end of the file.
void ReadRemainingText(InputFile& input, std::string& text);

// Rewinds and reads until a piece names a format: "<game name=" (listing), "<game romname="
// (controls.xml), the merged-file banner, or "<machine name=" (a listing of today's MAME). Appends
// every piece before it to `header`, leaves the file at the start of the deciding piece, stores the
// format and the record element in the file and returns the format. A merged file's element is that
// of its first record. At the end of the file returns FORMAT_UNKNOWN and leaves the file's format
// and element as they were.
InputFormat DetectInputFormat(InputFile& input, std::string& header);

} // namespace pellaquin
