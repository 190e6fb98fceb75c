#include "output/ViewConversion.h"
#include "output/WriterFixture.h"

namespace pellaquin {
namespace {

using PlainListWritersTest = test::WriterFixture;

std::string ListingHeader() {
    std::string listing = test::ReadWholeFile(test::DataPath("listxml_small.xml"));
    return listing.substr(0, listing.find("\t<game name="));
}

// The XML list is the header, the kept records verbatim and the format's closing tag.
TEST_F(PlainListWritersTest, XmlListKeepsHeaderAndRecords) {
    OpenData("listxml_small.xml");
    m_scanner.m_searchCommand = "manufacturer>capcom";
    m_scanner.WriteXmlList(m_input);
    std::string listing = test::ReadWholeFile(test::DataPath("listxml_small.xml"));
    std::size_t start = listing.find("\t<game name=\"sf2\"");
    std::size_t end = listing.find("</game>\n", start) + 8;
    EXPECT_EQ(m_scanner.m_resultText, ListingHeader() + listing.substr(start, end - start) + "\r\n</mame>\n");
    EXPECT_EQ(m_scanner.m_matchCount, 1);

    m_scanner.m_searchCommand = "no such game";
    m_scanner.WriteXmlList(m_input);
    EXPECT_EQ(m_scanner.m_resultText, ListingHeader() + "\r\n</mame>\n");
    EXPECT_EQ(m_scanner.m_matchCount, 0);
}

// controls.xml lists close with "</dat>"; a merged file's header stops before its banner.
TEST_F(PlainListWritersTest, XmlListClosingTagAndHeaderPerFormat) {
    OpenData("controls_small.xml");
    m_scanner.m_searchCommand = "romname=sf2";
    m_scanner.WriteXmlList(m_input);
    EXPECT_EQ(m_scanner.m_resultText.substr(m_scanner.m_resultText.size() - 19), "  </game>\n\r\n</dat>\n");
    EXPECT_EQ(m_scanner.m_resultText.find('\r'), m_scanner.m_resultText.size() - 9);

    InputFile merged;
    ASSERT_EQ(merged.Open(test::DataPath("merged_small.xml")), InputFile::OpenResult::OK);
    m_scanner.m_searchCommand = "name=ufo";
    m_scanner.WriteXmlList(merged);
    EXPECT_EQ(m_scanner.m_resultText.substr(0, 33), "<?xml version=\"1.0\"?>\n\t<game name");
    EXPECT_EQ(m_scanner.m_matchCount, 1);
}

// Names and descriptions, one per kept game, from the first byte of the file on every run.
TEST_F(PlainListWritersTest, NamesAndDescriptions) {
    OpenData("listxml_small.xml");
    m_scanner.m_searchCommand = "!cloneof";
    m_scanner.WriteNameList(m_input);
    EXPECT_EQ(m_scanner.m_resultText, "puckman\nsf2\ninvaders\nufo\n");
    EXPECT_EQ(m_scanner.m_matchCount, 4);
    m_scanner.WriteNameList(m_input);
    EXPECT_EQ(m_scanner.m_resultText, "puckman\nsf2\ninvaders\nufo\n");

    m_scanner.m_searchCommand = "(rotate=90 | rotate=270)";
    m_scanner.WriteDescriptionList(m_input);
    EXPECT_EQ(m_scanner.m_resultText, "PuckMan (Japan set 1, Probably Bootleg)\nPac-Man (Midway)\nSpace Invaders\n");

    InputFile controls;
    ASSERT_EQ(controls.Open(test::DataPath("controls_small.xml")), InputFile::OpenResult::OK);
    m_scanner.m_searchCommand = "cocktail=1";
    m_scanner.WriteDescriptionList(controls);
    EXPECT_EQ(m_scanner.m_resultText, "PuckMan (Japan set 1)\nArkanoid (World)\n");
    m_scanner.WriteNameList(controls);
    EXPECT_EQ(m_scanner.m_resultText, "puckman\narkanoid\n");
}

// The template is expanded afresh per game; only the exact upper-case placeholder is replaced.
TEST_F(PlainListWritersTest, BatchTemplates) {
    OpenData("listxml_small.xml");
    m_scanner.m_searchCommand = "name=cocktail";
    m_scanner.WriteBatchList(m_input, "copy %ROM%.zip c:\\mame\\roms");
    EXPECT_EQ(m_scanner.m_resultText, "copy puckman.zip c:\\mame\\roms\ncopy pacman.zip c:\\mame\\roms\n");
    m_scanner.WriteBatchList(m_input, "%ROM%%ROM%");
    EXPECT_EQ(m_scanner.m_resultText, "puckmanpuckman\npacmanpacman\n");
    m_scanner.WriteBatchList(m_input, "del %rom%.zip");
    EXPECT_EQ(m_scanner.m_resultText, "del %rom%.zip\ndel %rom%.zip\n");
    m_scanner.WriteBatchList(m_input, "");
    EXPECT_EQ(m_scanner.m_resultText, "\n\n");
    EXPECT_EQ(m_scanner.m_matchCount, 2);
}

// A record cut off by the end of the file is still offered once.
TEST_F(PlainListWritersTest, RecordCutOffAtTheEndIsListed) {
    OpenBytes("<mame>\n<game name=\"a\">\n</game>\n<game name=\"b\">\n<rom");
    m_scanner.m_searchCommand = "=";
    m_scanner.WriteNameList(m_input);
    EXPECT_EQ(m_scanner.m_resultText, "a\nb\n");
}

// A listing large enough for its batches to be shared between two threads keeps every game in
// file order, once, and counts them all.
TEST_F(PlainListWritersTest, SharedBatchesKeepFileOrder) {
    std::string listing = "<mame>\n";
    std::string expected;
    std::string padding(300, 'p');
    for (int i = 0; i < 30000; ++i) {
        std::string name = "g" + std::to_string(i);
        listing += "<game name=\"" + name + "\">\n<p>" + padding + "</p>\n<k>" + (i % 3 == 0 ? "x" : "y") +
                   "</k>\n</game>\n";
        if (i % 3 == 0) {
            expected += name + "\n";
        }
    }
    OpenBytes(listing);
    m_scanner.m_searchCommand = "<k>x";
    m_scanner.WriteNameList(m_input);
    EXPECT_EQ(m_scanner.m_resultText, expected);
    EXPECT_EQ(m_scanner.m_matchCount, 10000);
    m_scanner.m_searchCommand = "<game name=";
    m_scanner.WriteCsvList(m_input);
    EXPECT_EQ(m_scanner.m_matchCount, 30000);
    EXPECT_EQ(m_scanner.m_resultText.substr(0, 6), "g0\ng1\n");
    EXPECT_EQ(m_scanner.m_resultText.substr(m_scanner.m_resultText.size() - 8), "\ng29999\n");
}

// The "Window" box's conversion: CR LF line ends, and ".zip" names for the Atomic FE list.
TEST(ViewConversionTest, ConvertsLineEnds) {
    std::string names = "a\nb\n";
    ConvertForView(names, OutputType::NAMES);
    EXPECT_EQ(names, "a\r\nb\r\n");
    std::string atomic = "a\nb\n";
    ConvertForView(atomic, OutputType::ATOMIC_FE);
    EXPECT_EQ(atomic, "a.zip\r\nb.zip\r\n");
    std::string empty;
    ConvertForView(empty, OutputType::ATOMIC_FE);
    EXPECT_EQ(empty, "");
}

} // namespace
} // namespace pellaquin
