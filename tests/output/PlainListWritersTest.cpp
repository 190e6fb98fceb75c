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
    std::string listing = test::ReadWholeFile(test::DataPath("listxml_small.xml"));
    std::size_t start = listing.find("\t<game name=\"sf2\"");
    std::size_t end = listing.find("</game>\n", start) + 8;
    EXPECT_EQ(List(ListType::XML, "manufacturer>capcom"),
              ListingHeader() + listing.substr(start, end - start) + "\r\n</mame>\n");
    EXPECT_EQ(m_result.matchCount, 1);
    EXPECT_EQ(List(ListType::XML, "no such game"), ListingHeader() + "\r\n</mame>\n");
    EXPECT_EQ(m_result.matchCount, 0);
}

// controls.xml lists close with "</dat>"; a merged file's header stops before its banner.
TEST_F(PlainListWritersTest, XmlListClosingTagAndHeaderPerFormat) {
    OpenData("controls_small.xml");
    std::string controls = List(ListType::XML, "romname=sf2");
    EXPECT_TRUE(controls.ends_with("  </game>\n\r\n</dat>\n"));
    EXPECT_EQ(controls.find('\r'), controls.size() - 9);

    OpenData("merged_small.xml");
    EXPECT_TRUE(List(ListType::XML, "name=ufo").starts_with("<?xml version=\"1.0\"?>\n\t<game name"));
    EXPECT_EQ(m_result.matchCount, 1);
}

// Names and descriptions, one per kept game, from the first byte of the file on every run.
TEST_F(PlainListWritersTest, NamesAndDescriptions) {
    OpenData("listxml_small.xml");
    EXPECT_EQ(List(ListType::NAMES, "!cloneof"), "puckman\nsf2\ninvaders\nufo\n");
    EXPECT_EQ(m_result.matchCount, 4);
    EXPECT_EQ(List(ListType::NAMES, "!cloneof"), "puckman\nsf2\ninvaders\nufo\n");
    EXPECT_EQ(List(ListType::DESCRIPTIONS, "(rotate=90 | rotate=270)"),
              "PuckMan (Japan set 1, Probably Bootleg)\nPac-Man (Midway)\nSpace Invaders\n");

    OpenData("controls_small.xml");
    EXPECT_EQ(List(ListType::DESCRIPTIONS, "cocktail=1"), "PuckMan (Japan set 1)\nArkanoid (World)\n");
    EXPECT_EQ(List(ListType::NAMES, "cocktail=1"), "puckman\narkanoid\n");
}

// The template is expanded afresh per game; only the exact upper-case placeholder is replaced.
TEST_F(PlainListWritersTest, BatchTemplates) {
    OpenData("listxml_small.xml");
    const std::pair<const char*, const char*> templates[] = {
        {"copy %ROM%.zip c:\\mame\\roms", "copy puckman.zip c:\\mame\\roms\ncopy pacman.zip c:\\mame\\roms\n"},
        {"%ROM%%ROM%", "puckmanpuckman\npacmanpacman\n"},
        {"del %rom%.zip", "del %rom%.zip\ndel %rom%.zip\n"},
        {"", "\n\n"},
    };
    for (const auto& [batchTemplate, expected] : templates) {
        m_request.batchTemplate = batchTemplate;
        EXPECT_EQ(List(ListType::BATCH, "name=cocktail"), expected);
        EXPECT_EQ(m_result.matchCount, 2);
    }
}

// A record cut off by the end of the file is still offered once.
TEST_F(PlainListWritersTest, RecordCutOffAtTheEndIsListed) {
    OpenBytes("<mame>\n<game name=\"a\">\n</game>\n<game name=\"b\">\n<rom");
    EXPECT_EQ(List(ListType::NAMES, "="), "a\nb\n");
}

// A listing large enough for its batches to be shared between two threads keeps every game in file
// order, once, and counts them all.
TEST_F(PlainListWritersTest, SharedBatchesKeepFileOrder) {
    std::string listing = "<mame>\n";
    std::string expected;
    std::string padding(300, 'p');
    for (int i = 0; i < 30000; ++i) {
        std::string name = "g" + std::to_string(i);
        listing +=
            "<game name=\"" + name + "\">\n<p>" + padding + "</p>\n<k>" + (i % 3 == 0 ? "x" : "y") + "</k>\n</game>\n";
        if (i % 3 == 0) {
            expected += name + "\n";
        }
    }
    OpenBytes(listing);
    EXPECT_EQ(List(ListType::NAMES, "<k>x"), expected);
    EXPECT_EQ(m_result.matchCount, 10000);
    std::string csv = List(ListType::CSV, "<game name=");
    EXPECT_EQ(m_result.matchCount, 30000);
    EXPECT_TRUE(csv.starts_with("g0\ng1\n") && csv.ends_with("\ng29999\n"));
}

} // namespace
} // namespace pellaquin
