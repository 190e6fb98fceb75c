#include "search/PreparedText.h"

#include <gtest/gtest.h>

#include <random>

namespace pellaquin {
namespace {

// Lowering touches A to Z only, and quotes go wherever they stand.
TEST(PreparedTextTest, LowersAsciiAndDropsQuotes) {
    std::string prepared;
    PrepareText("<Game Name=\"PacMan\" ROTATE=\"90\">\xC4\xD6@[`{", prepared);
    EXPECT_EQ(prepared, "<game name=pacman rotate=90>\xC4\xD6@[`{");
    PrepareText("\"\"\"", prepared);
    EXPECT_EQ(prepared, "");
    PrepareText("", prepared);
    EXPECT_EQ(prepared, "");
}

// The vector path gives the byte-by-byte result for every length and every placing of quotes.
TEST(PreparedTextTest, FastPathAgreesWithByteByByte) {
    const std::string alphabet = "\"\"\"AZaz@[`{ \n\x80\xC1\xFF=0";
    std::mt19937 random(20261206);
    std::string fast;
    std::string reference;
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 80, ' ');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        PrepareText(text, fast);
        PrepareTextByteByByte(text, reference);
        ASSERT_EQ(fast, reference) << text;
    }
}

} // namespace
} // namespace pellaquin
