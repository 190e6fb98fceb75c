#include "output/MalaEncoding.h"
#include "output/WriterFixture.h"

namespace pellaquin {
namespace {

std::string Text(std::string_view text) {
    return std::string{'\x06', static_cast<char>(text.size())} + std::string(text);
}
std::string Int8(int value) {
    return {'\x02', static_cast<char>(value)};
}
std::string Int16(int value) {
    return {'\x03', static_cast<char>(value & 0xff), static_cast<char>(value >> 8)};
}

std::string Games(int count) {
    std::string bytes = "<mame>\n";
    for (int i = 0; i < count; ++i) {
        bytes += "<game name=\"g" + std::to_string(i) + "\">\n</game>\n";
    }
    return bytes;
}

class MalaListWriterTest : public test::WriterFixture {
protected:
    std::string Write(const std::string& title, const std::string& command = "=") {
        m_request.mala.title = title;
        std::string bytes = List(ListType::MALA, command);
        EXPECT_EQ(m_result.status, ListStatus::DONE);
        return bytes;
    }
};

// The header: title, two empty strings, the fixed date twice, the marker and the count field.
TEST_F(MalaListWriterTest, HeaderForEmptyAndFiveByteTitles) {
    OpenBytes(Games(0));
    std::string date = "\x11\xb1\x60\xf5\xf2\x8f\x28\xe3\x40";
    std::string empty = Write("");
    EXPECT_EQ(empty, std::string("\x01\x06\x00\x06\x00\x06\x00", 7) + date + date +
                         std::string("\x08\x03\x00\x00\x02\x00\x00", 7));
    EXPECT_EQ(mala::CountOffset(""), 27);

    std::string titled = Write("Shoot");
    EXPECT_EQ(titled.size(), 37u);
    EXPECT_EQ(titled.substr(1, 7), Text("Shoot"));
    EXPECT_EQ(mala::CountOffset("Shoot"), 32);
}

// The count field, patched at the end, holds 16 bits and stops at 65535.
TEST_F(MalaListWriterTest, CountBytes) {
    for (int count : {0, 255, 300}) {
        OpenBytes(Games(count));
        std::string bytes = Write("");
        EXPECT_EQ(bytes.substr(27, 2), mala::CountBytes(count)) << count;
        EXPECT_EQ(m_result.matchCount, count);
    }
    EXPECT_EQ(mala::CountBytes(300), std::string("\x2c\x01", 2));
    EXPECT_EQ(mala::CountBytes(255), std::string("\xff\x00", 2));
    EXPECT_EQ(mala::CountBytes(70000), std::string("\xff\xff", 2));
}

// One game entry, value by value, from a listing record.
TEST_F(MalaListWriterTest, EntryBytesForAListingGame) {
    OpenData("listxml_small.xml");
    std::string bytes = Write("", "sourcefile=pacman.c & !cloneof");
    std::string expected = "\x01" + Text("puckman") + Text("") + Text("") + Text("pacman.c") +
                           Text("PuckMan (Japan set 1, Probably Bootleg)") + Int16(1980) + Text("Namco") + Text("") +
                           Int8(1) + Int8(2) + Text("P") + Text("joy4way") + Text("raster") + Text("vertical") +
                           Int16(288) + Int16(224) + Text("good") + Text("good") + Text("good") + Text("good") +
                           Text("good");
    for (int i = 0; i < 16; ++i) {
        expected += Text("");
    }
    expected += Int8(0) + std::string(1, '\0');
    EXPECT_EQ(bytes.substr(32), expected);
    EXPECT_EQ(m_result.matchCount, 1);
}

// Numbers: leading digits only, 0 when there are none (never the previous game's), low bits kept;
// strings cut to their longest.
TEST_F(MalaListWriterTest, NumbersAndStrings) {
    std::string longName(300, 'n');
    OpenBytes("<mame>\n<game name=\"a\"><year>19?"
              "?</year><input buttons=\"-1\" coins=\" 300\"/> numPlayers=\"2\" "
              "<display rotate=\"90\" width=\"70000\"/><description>  Spaced  </description></game>\n"
              "<game name=\"" +
              longName + "\"><year>unknown</year><display rotate=\"90\"/><display rotate=\"0\"/> numPlayers=\"" +
              std::string(300, '9') + "\"</game>\n");
    std::string bytes = Write(std::string(400, 't'));
    std::size_t first = 27 + 255 + 5;
    ASSERT_EQ(bytes.substr(1, 2), "\x06\xff");
    std::string firstEntry = bytes.substr(first);
    EXPECT_EQ(firstEntry.substr(0, 4), "\x01" + Text("a"));
    std::size_t year = firstEntry.find(Text("Spaced")) + 8;
    EXPECT_EQ(firstEntry.substr(year, 3), Int16(19));
    std::size_t buttons = year + 3 + 2 + 2;
    EXPECT_EQ(firstEntry.substr(buttons, 4), Int8(0xff) + Int8(300 & 0xff));
    EXPECT_EQ(firstEntry.substr(buttons + 4, 4), Text("2P"));
    EXPECT_NE(firstEntry.find(Text("vertical") + Int16(70000 & 0xffff)), std::string::npos);

    std::size_t second = bytes.find(std::string("\x01\x06\xff") + std::string(255, 'n'));
    ASSERT_NE(second, std::string::npos);
    std::string secondEntry = bytes.substr(second);
    EXPECT_EQ(secondEntry.substr(3 + 255 + 2 + 2 + 2 + 2, 3), Int16(0));
    EXPECT_NE(secondEntry.find(Text("horizontal") + Int16(0) + Int16(0)), std::string::npos);
    // The players' "P" still fits a string cut to its longest.
    EXPECT_NE(secondEntry.find(Text(std::string(254, '9') + "P")), std::string::npos);
}

} // namespace
} // namespace pellaquin
