#include "search/Extraction.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

struct ExtractionCase {
    const char* record;
    InputFormat format;
    const char* expected;
};

class ExtractRomNameTest : public ::testing::TestWithParam<ExtractionCase> {};

// The name is the first quoted value after the start tag, with the fall-backs for damaged records.
TEST_P(ExtractRomNameTest, TakesTheFirstQuotedValueAfterTheStartTag) {
    EXPECT_EQ(ExtractRomName(GetParam().record, GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ExtractRomNameTest,
    ::testing::Values(ExtractionCase{"\t<game name=\"pacman\" cloneof=\"puckman\">\n", FORMAT_LISTXML, "pacman"},
                      ExtractionCase{"<game romname=\"dkong\" gamename=\"x\">", FORMAT_CONTROLS, "dkong"},
                      ExtractionCase{"<game name=\"sf2\">", FORMAT_MERGED, "sf2"},
                      // No start tag: the text before the first double quote.
                      ExtractionCase{"<rom name=\"x.1\"/>", FORMAT_LISTXML, "<rom name="},
                      // No quote after the tag: still the text before the record's first quote.
                      ExtractionCase{"a=\"1\" <game name=abc>", FORMAT_LISTXML, "a="},
                      ExtractionCase{"<game name=abc>", FORMAT_LISTXML, ""},
                      // An opening quote without its closing quote gives nothing.
                      ExtractionCase{"<game name=\"abc", FORMAT_LISTXML, ""},
                      // The controls.xml tag is not the listing's.
                      ExtractionCase{"<game name=\"abc\">", FORMAT_CONTROLS, "<game name="}));

class ExtractDescriptionTest : public ::testing::TestWithParam<ExtractionCase> {};

// The description runs from its tag to the next "<" (or, in controls.xml, the closing quote).
TEST_P(ExtractDescriptionTest, CutsTheDescription) {
    EXPECT_EQ(ExtractDescription(GetParam().record, GetParam().format), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ExtractDescriptionTest,
    ::testing::Values(ExtractionCase{"<game name=\"a\">\n<description>Pac-Man (Midway)</description>\n", FORMAT_LISTXML,
                                     "Pac-Man (Midway)"},
                      ExtractionCase{"<description> Spaced </description>", FORMAT_MERGED, " Spaced "},
                      ExtractionCase{"<game romname=\"a\" gamename=\"Donkey Kong\" numPlayers=\"2\">", FORMAT_CONTROLS,
                                     "Donkey Kong"},
                      ExtractionCase{"<game name=\"a\">", FORMAT_LISTXML, ""},
                      ExtractionCase{"<description>No end", FORMAT_LISTXML, ""},
                      ExtractionCase{"gamename=", FORMAT_CONTROLS, ""},
                      ExtractionCase{"gamename=\"unclosed", FORMAT_CONTROLS, ""},
                      ExtractionCase{"<description>x</description>", FORMAT_CONTROLS, ""}));

} // namespace
} // namespace pellaquin
