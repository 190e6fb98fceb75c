#include "records/InputFile.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pellaquin {
namespace {

std::vector<std::string> ReadAllPieces(InputFile& input) {
    std::vector<std::string> pieces;
    std::string_view piece;
    while (input.ReadPiece(piece)) {
        pieces.emplace_back(piece);
    }
    return pieces;
}

std::vector<std::string> PiecesOf(std::string_view bytes) {
    test::TemporaryFolder folder;
    InputFile input;
    EXPECT_EQ(input.Open(folder.Write("input", bytes)), InputFile::OpenResult::OK);
    return ReadAllPieces(input);
}

// Lines arrive as a 200-byte fgets buffer cuts them: 199 bytes at most, the line feed kept.
TEST(InputFileTest, CutsLongLinesIntoPiecesOf199Bytes) {
    std::string exactly198(198, 'a');
    EXPECT_EQ(PiecesOf(exactly198 + "\n"), (std::vector<std::string>{exactly198 + "\n"}));

    std::string exactly199(199, 'b');
    EXPECT_EQ(PiecesOf(exactly199 + "\nx"), (std::vector<std::string>{exactly199, "\n", "x"}));

    std::string long450(450, 'c');
    EXPECT_EQ(PiecesOf(long450 + "\n"),
              (std::vector<std::string>{std::string(199, 'c'), std::string(199, 'c'), std::string(52, 'c') + "\n"}));
}

// A CR right before a LF is dropped, as text mode reads it, also where it straddles a piece boundary.
TEST(InputFileTest, DropsCarriageReturnBeforeLineFeedOnly) {
    EXPECT_EQ(PiecesOf("one\r\ntwo\r\n"), (std::vector<std::string>{"one\n", "two\n"}));
    EXPECT_EQ(PiecesOf("lone\rcr\n\r"), (std::vector<std::string>{"lone\rcr\n", "\r"}));

    std::string kept198(198, 'd');
    EXPECT_EQ(PiecesOf(kept198 + "\r\n"), (std::vector<std::string>{kept198 + "\n"}));
    std::string kept199(199, 'e');
    EXPECT_EQ(PiecesOf(kept199 + "\r\n"), (std::vector<std::string>{kept199, "\n"}));
}

// NUL and Ctrl-Z are bytes like any other, and a last line without a line feed still arrives.
TEST(InputFileTest, KeepsEveryOtherByte) {
    std::string bytes("a\0b\x1a"
                      "c\nlast",
                      10);
    EXPECT_EQ(PiecesOf(bytes), (std::vector<std::string>{std::string("a\0b\x1a"
                                                                     "c\n",
                                                                     6),
                                                         "last"}));
    EXPECT_TRUE(PiecesOf("").empty());
}

// Seeking back re-reads the same bytes, also after a CR LF line was translated.
TEST(InputFileTest, SeekingBackReadsTheSamePiecesAgain) {
    test::TemporaryFolder folder;
    InputFile input;
    ASSERT_EQ(input.Open(folder.Write("input", "first\r\nsecond\r\nthird\n")), InputFile::OpenResult::OK);
    std::string_view piece;
    ASSERT_TRUE(input.ReadPiece(piece));
    std::int64_t second = input.Tell();
    EXPECT_EQ(second, 7);
    ASSERT_TRUE(input.ReadPiece(piece));
    EXPECT_EQ(piece, "second\n");
    ASSERT_TRUE(input.Seek(second));
    EXPECT_EQ(ReadAllPieces(input), (std::vector<std::string>{"second\n", "third\n"}));
    ASSERT_TRUE(input.Seek(-40));
    EXPECT_EQ(ReadAllPieces(input).size(), 3u);
}

// Reading across the large internal buffer keeps every piece whole and in order.
TEST(InputFileTest, ReadsFilesLargerThanItsBuffer) {
    std::string line(150, 'x');
    line += "\r\n";
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
        bytes += line;
    }
    std::vector<std::string> pieces = PiecesOf(bytes);
    ASSERT_EQ(pieces.size(), 20000u);
    for (const std::string& piece : pieces) {
        ASSERT_EQ(piece, std::string(150, 'x') + "\n");
    }
}

// The progress observer follows the reads up to the end of the file.
TEST(InputFileTest, ReportsProgressUpToTheSize) {
    test::TemporaryFolder folder;
    InputFile input;
    std::string bytes(3 << 20, 'x');
    ASSERT_EQ(input.Open(folder.Write("input", bytes)), InputFile::OpenResult::OK);
    std::vector<std::int64_t> positions;
    input.SetProgressObserver([&](std::int64_t position, std::int64_t size) {
        EXPECT_EQ(size, static_cast<std::int64_t>(bytes.size()));
        positions.push_back(position);
    });
    ReadAllPieces(input);
    ASSERT_GE(positions.size(), 3u);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions.back(), static_cast<std::int64_t>(bytes.size()));
}

// Folders and missing files are not readable input files.
TEST(InputFileTest, RefusesFoldersAndMissingFiles) {
    test::TemporaryFolder folder;
    InputFile input;
    EXPECT_EQ(input.Open(folder.Path().string()), InputFile::OpenResult::CANNOT_READ);
    EXPECT_EQ(input.Open((folder.Path() / "missing").string()), InputFile::OpenResult::CANNOT_READ);
    EXPECT_FALSE(input.IsOpen());
}

} // namespace
} // namespace pellaquin
