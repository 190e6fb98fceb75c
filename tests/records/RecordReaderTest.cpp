#include "records/RecordReader.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pellaquin {
namespace {

constexpr std::string_view START_TAG = "<game name=";

class RecordReaderTest : public ::testing::Test {
protected:
    void Open(std::string_view bytes) {
        ASSERT_EQ(m_input.Open(m_folder.Write("input", bytes)), InputFile::OpenResult::OK);
    }

    test::TemporaryFolder m_folder;
    InputFile m_input;
    RecordReader m_reader;
    std::string m_record;
};

// A record runs from the start-tag line through the "</game>" line; text between records is passed over.
TEST_F(RecordReaderTest, ReadsOneRecordAfterAnother) {
    Open("<mame>\n<game name=\"a\">\n<x/>\n</game>\njunk\n<game name=\"b\">\n</game>\n</mame>\n");
    ASSERT_TRUE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    EXPECT_EQ(m_record, "<game name=\"a\">\n<x/>\n</game>\n");
    ASSERT_TRUE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    EXPECT_EQ(m_record, "<game name=\"b\">\n</game>\n");
    EXPECT_FALSE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    EXPECT_EQ(m_record, "");
}

// An end tag before any start tag is passed over, and a second start tag joins both games in one record.
TEST_F(RecordReaderTest, StrayEndTagsAndMissingEndTags) {
    Open("</game>\n<game name=\"a\">\n<game name=\"b\">\n</game>\n");
    ASSERT_TRUE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    EXPECT_EQ(m_record, "<game name=\"a\">\n<game name=\"b\">\n</game>\n");
    EXPECT_EQ(m_reader.m_lastStartPosition, 24);
}

// A record cut off by the end of the file comes back as it was read, with a false result.
TEST_F(RecordReaderTest, RecordCutOffByEndOfFile) {
    Open("<game name=\"a\">\n<rom name=\"x\"");
    EXPECT_FALSE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    EXPECT_EQ(m_record, "<game name=\"a\">\n<rom name=\"x\"");
}

// Tags are tested on each piece: a start tag split across a 199-byte boundary is not seen.
TEST_F(RecordReaderTest, TagSplitAcrossPiecesIsNotSeen) {
    std::string split = std::string(195, ' ') + "<game name=\"hidden\">\n</game>\n";
    std::string whole = std::string(150, ' ') + "<game name=\"seen\">\n</game>\n";
    Open(split + whole);
    ASSERT_TRUE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    EXPECT_NE(m_record.find("seen"), std::string::npos);
    EXPECT_EQ(m_record.find("hidden"), std::string::npos);
}

// Re-reading starts exactly at the remembered start-tag piece, however long the start line is.
TEST_F(RecordReaderTest, RereadShowsTheSameRecordForLongStartLines) {
    std::string first = "<game name=\"first\" " + std::string(120, 'p') + ">\n</game>\n";
    std::string second = "<game name=\"second\" " + std::string(300, 'q') + ">\n<d/>\n</game>\n";
    Open(first + second);
    ASSERT_TRUE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    ASSERT_TRUE(m_reader.ReadGameRecord(m_input, m_record, START_TAG));
    std::string secondRecord = m_record;
    m_reader.m_currentIndex = 1;
    m_reader.m_positions[1] = m_reader.m_lastStartPosition;
    EXPECT_EQ(m_reader.m_lastStartPosition, static_cast<std::int64_t>(first.size()));

    ASSERT_TRUE(m_reader.RereadGameRecord(m_input, m_record, START_TAG));
    EXPECT_EQ(m_record, secondRecord);
}

// ReadRemainingText takes every piece up to the end; RewindInput starts again from the first byte.
TEST_F(RecordReaderTest, ReadsTheRestOfTheFile) {
    Open("a\r\nb\nc");
    std::string_view piece;
    ASSERT_TRUE(m_input.ReadPiece(piece));
    std::string rest = "old";
    ReadRemainingText(m_input, rest);
    EXPECT_EQ(rest, "b\nc");
    RewindInput(m_input);
    ReadRemainingText(m_input, rest);
    EXPECT_EQ(rest, "a\nb\nc");
}

// Finding tags in whole buffers gives exactly what reading piece by piece gives: the same records,
// results, remembered starts and positions, on files full of long lines, CR LF pairs and tags cut
// by piece boundaries.
TEST(RecordReaderBulkTest, AgreesWithPieceByPieceReading) {
    const std::vector<std::string> parts = {
        "<game name=\"a\">",  "</game>", "\n", "\r\n", "\r", "x", "<game name=", "</ga", "me>", std::string(60, 'y'),
        std::string(190, 'z')};
    std::mt19937 random(7);
    test::TemporaryFolder folder;
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        std::size_t count = 1 + random() % 60;
        for (std::size_t i = 0; i < count; ++i) {
            bytes += parts[random() % parts.size()];
        }
        std::string path = folder.Write("input", bytes);
        InputFile bulkInput;
        InputFile pieceInput;
        ASSERT_EQ(bulkInput.Open(path), InputFile::OpenResult::OK);
        ASSERT_EQ(pieceInput.Open(path), InputFile::OpenResult::OK);
        std::int64_t start = static_cast<std::int64_t>(random() % 3 == 0 ? random() % (bytes.size() + 1) : 0);
        bulkInput.Seek(start);
        pieceInput.Seek(start);
        RecordReader bulk;
        RecordReader pieces;
        for (int record = 0; record < 40; ++record) {
            std::string bulkRecord;
            std::string pieceRecord;
            bool bulkResult = bulk.ReadGameRecord(bulkInput, bulkRecord, START_TAG);
            bool pieceResult = pieces.ReadGameRecordPieceByPiece(pieceInput, pieceRecord, START_TAG);
            ASSERT_EQ(bulkRecord, pieceRecord) << "round " << round << " record " << record;
            ASSERT_EQ(bulkResult, pieceResult);
            ASSERT_EQ(bulkInput.Tell(), pieceInput.Tell());
            if (!pieceRecord.empty()) {
                ASSERT_EQ(bulk.m_lastStartPosition, pieces.m_lastStartPosition);
            }
            if (!pieceResult) {
                break;
            }
        }
    }
}

} // namespace
} // namespace pellaquin
