#include "records/GameBrowser.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

std::string Games(std::initializer_list<std::pair<const char*, const char*>> games) {
    std::string listing = "<mame>\n";
    for (const auto& [name, description] : games) {
        listing += std::string("\t<game name=\"") + name + "\">\n\t\t<description>" + description +
                   "</description>\n\t</game>\n";
    }
    return listing + "</mame>\n";
}

class GameBrowserTest : public ::testing::Test {
protected:
    void Open(std::string_view bytes) {
        std::string header;
        ASSERT_EQ(m_input.Open(m_folder.Write("input.xml", bytes)), InputFile::OpenResult::OK);
        ASSERT_EQ(DetectInputFormat(m_input, header), FORMAT_LISTXML);
        m_browser.Restart();
    }
    // The name of the game shown.
    std::string Shown() const {
        const std::string& record = m_browser.CurrentRecord();
        std::size_t quote = record.find('"');
        return record.substr(quote + 1, record.find('"', quote + 1) - quote - 1);
    }

    test::TemporaryFolder m_folder;
    InputFile m_input;
    GameBrowser m_browser{m_input};
};

// "Next" past the last game keeps it shown and moves on; "Prev" then shows it again, then the one before.
TEST_F(GameBrowserTest, NextPastTheEndAndBack) {
    Open(Games({{"one", "One"}, {"two", "Two"}, {"three", "Three"}}));
    EXPECT_FALSE(m_browser.CanGoBack());
    ASSERT_TRUE(m_browser.NextGame());
    EXPECT_EQ(Shown(), "one");
    EXPECT_FALSE(m_browser.CanGoBack());
    ASSERT_TRUE(m_browser.NextGame());
    ASSERT_TRUE(m_browser.NextGame());
    EXPECT_EQ(Shown(), "three");
    EXPECT_FALSE(m_browser.NextGame());
    EXPECT_EQ(Shown(), "three");
    EXPECT_TRUE(m_browser.CanGoForward());
    ASSERT_TRUE(m_browser.PreviousGame());
    EXPECT_EQ(Shown(), "three");
    ASSERT_TRUE(m_browser.PreviousGame());
    EXPECT_EQ(Shown(), "two");
}

// After 199 steps no entry is left: "Next" does nothing, and "Prev" goes back without freeing one.
TEST_F(GameBrowserTest, TwoHundredEntries) {
    std::string listing = "<mame>\n";
    for (int i = 0; i < 210; ++i) {
        listing += "\t<game name=\"g" + std::to_string(i) + "\">\n\t</game>\n";
    }
    Open(listing);
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(m_browser.NextGame());
    }
    EXPECT_EQ(Shown(), "g199");
    EXPECT_FALSE(m_browser.CanGoForward());
    EXPECT_FALSE(m_browser.NextGame());
    EXPECT_EQ(Shown(), "g199");
    ASSERT_TRUE(m_browser.PreviousGame());
    EXPECT_EQ(Shown(), "g198");
    EXPECT_TRUE(m_browser.CanGoForward());
}

// The same text searches on from the last game read, another starts from the top; the search ignores case
// and starts at the description's first letter; the game found is shown whole, and is the one "Input file"
// and "Prev" show.
TEST_F(GameBrowserTest, DescriptionSearch) {
    Open(Games({{"puckman", "PuckMan"}, {"pacman", "Pac-Man"}, {"invaders", "Space Invaders"}}));
    ASSERT_TRUE(m_browser.NextGame());
    EXPECT_EQ(m_browser.SearchDescription(""), GameBrowser::SearchOutcome::NO_TEXT);
    EXPECT_EQ(m_browser.SearchDescription("P"), GameBrowser::SearchOutcome::FOUND);
    EXPECT_EQ(Shown(), "puckman");
    EXPECT_EQ(m_browser.SearchDescription("P"), GameBrowser::SearchOutcome::FOUND);
    EXPECT_EQ(m_browser.CurrentRecord(),
              "\t<game name=\"pacman\">\n\t\t<description>Pac-Man</description>\n\t</game>\n");
    m_browser.RereadCurrentGame();
    EXPECT_EQ(Shown(), "pacman");
    EXPECT_EQ(m_browser.SearchDescription("P"), GameBrowser::SearchOutcome::NOT_FOUND);
    EXPECT_EQ(m_browser.SearchDescription("puCK"), GameBrowser::SearchOutcome::FOUND);
    EXPECT_EQ(Shown(), "puckman");
    EXPECT_EQ(m_browser.SearchDescription("Invaders"), GameBrowser::SearchOutcome::NOT_FOUND);
    EXPECT_EQ(m_browser.SearchDescription("Space"), GameBrowser::SearchOutcome::FOUND);
    EXPECT_EQ(m_browser.DescriptionSearchText(), "Space");
    m_browser.RereadCurrentGame();
    EXPECT_EQ(Shown(), "invaders");
    ASSERT_TRUE(m_browser.PreviousGame());
    EXPECT_EQ(Shown(), "puckman");
}

// The view's form of a record: leading tabs gone, one tab less per line, CR LF breaks, no white space
// around it.
TEST(GameRecordForViewTest, Reindents) {
    EXPECT_EQ(GameRecordForView("\t<game name=\"a\">\n\t\t<year>1980</year>\n\t</game>\n"),
              "<game name=\"a\">\r\n\t<year>1980</year>\r\n</game>");
    EXPECT_EQ(GameRecordForView("  <game romname=\"a\">\n  </game>\n\n"), "<game romname=\"a\">\n  </game>");
    EXPECT_EQ(GameRecordForView(""), "");
}

} // namespace
} // namespace pellaquin
