#include "search/FieldExtractor.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

constexpr std::string_view RECORD = R"(	<game name="sf2" sourcefile="cps1.c">
		<description>Street Fighter II, The World Warrior</description>
		<year>1991</year>
		<manufacturer>Capcom, Inc.</manufacturer>
		<category>Fighter</category>
		<display type="raster" rotate="0" width="384" height="224"/>
		<display type="raster" rotate="90" width="384" height="224"/>
		<input players="2" buttons="6" coins="2">
			<control type="joy8way"/>
		</input>
		<controls info>numPlayers="2" numButtons="6"</controls info>
	</game>
)";

struct FieldsCase {
    const char* columns;
    const char* separator;
    const char* expected;
};

class ExtractFieldsTest : public ::testing::TestWithParam<FieldsCase> {};

// Each column list gives exactly this line.
TEST_P(ExtractFieldsTest, BuildsTheLine) {
    std::string line = "previous";
    bool notEmpty = ExtractFields(RECORD, GetParam().columns, GetParam().separator, line);
    EXPECT_EQ(line, GetParam().expected);
    EXPECT_EQ(notEmpty, !line.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ExtractFieldsTest,
    ::testing::Values(
        // Attribute and element keys; the last column gets no separator. "buttons=" is also in "numButtons=".
        FieldsCase{"year,buttons=,", ",", "1991,6 & 6"},
        FieldsCase{"<game name=,<description>,", ";", "sf2;Street Fighter II, The World Warrior"},
        // A separator inside a value becomes "_", whatever its length.
        FieldsCase{"manufacturer,<description>,", ",", "Capcom_ Inc.,Street Fighter II_ The World Warrior"},
        FieldsCase{"manufacturer,year", ", ", "Capcom_Inc., 1991"},
        FieldsCase{"manufacturer,year", "", "Capcom, Inc.1991"},
        // Every occurrence of a key contributes a value.
        FieldsCase{"rotate=,", ",", "0 & 90"}, FieldsCase{"display_type=", ",", "raster & raster"},
        // Keys ignore case; values keep theirs. Quotes in the list are dropped.
        FieldsCase{"NUMBUTTONS=,\"Year\"", ",", "6,1991"}, FieldsCase{"<category>", ",", "Fighter"},
        // A missing key keeps its place; a list of one missing key is an empty line.
        FieldsCase{"year,nothing=,coins=", ",", "1991,,2"}, FieldsCase{"nothing=,", ",", ""},
        FieldsCase{"nothing=,absent=", ",", ","},
        // A key listed twice gives one column; removing a key also cuts it out of longer keys.
        FieldsCase{"year,year,", ",", "1991"}, FieldsCase{"buttons=,numbuttons=", ",", "6 & 6,"},
        // A bare element key also matches the word elsewhere, adding empty values that are trimmed.
        FieldsCase{"type", ",", ""},
        // Empty keys make no column; a key of blanks, or one that is only ">", gives an empty column.
        FieldsCase{",year,", ",", "1991"}, FieldsCase{" ,year", ",", ",1991"}, FieldsCase{">,year", ",", ",1991"}));

// A value without an end, or one that begins with ">", is empty; the next occurrence is still found.
TEST(ExtractFieldsEdgesTest, UnendedAndEmptiedValues) {
    std::string line;
    EXPECT_FALSE(ExtractFields("<a k=\"unclosed", "k=", ",", line));
    EXPECT_TRUE(ExtractFields("<a k=\">x\" k=\"y\">", "k=", ",", line));
    EXPECT_EQ(line, "& y");
    EXPECT_FALSE(ExtractFields("<year>no end", "year", ",", line));
    EXPECT_TRUE(ExtractFields("<v>1</v><v>>2</v><v>3</v>", "<v>", ",", line));
    EXPECT_EQ(line, "1 &  & 3");
    // A record whose last key ends it: the value is empty, and the one before is still read.
    EXPECT_TRUE(ExtractFields("<a k=\"x\" k=", "k=", ",", line));
    EXPECT_EQ(line, "x");
    EXPECT_FALSE(ExtractFields(std::string_view("<a k=\"", 5), "k=", ",", line));
}

} // namespace
} // namespace pellaquin
