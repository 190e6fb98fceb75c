#include "search/MameVersion.h"

#include <gtest/gtest.h>

#include <vector>

namespace pellaquin {
namespace {

// Versions in the order the releases came out; each is older than every one after it.
const std::vector<std::string_view> RELEASE_ORDER = {
    "0.26",  "0.26a", "0.30",   "0.36b16", "0.36rc1", "0.36rc2", "0.36",    "0.36u1", "0.37b1", "0.37b7", "0.69",
    "0.69a", "0.69b", "0.69u1", "0.71u3",  "0.71u3p", "0.71u4",  "0.108u5", "0.109",  "0.124a", "0.162",  "0.251",
};

// The order holds between every pair, not only neighbours, so no part of the key is compared out of turn.
TEST(MameVersionTest, OrdersReleasesAsTheyCameOut) {
    for (std::size_t i = 0; i < RELEASE_ORDER.size(); ++i) {
        std::optional<MameVersion> older = MameVersion::Parse(RELEASE_ORDER[i]);
        ASSERT_TRUE(older) << RELEASE_ORDER[i];
        EXPECT_EQ(*older, *older);
        for (std::size_t j = i + 1; j < RELEASE_ORDER.size(); ++j) {
            EXPECT_LT(*older, MameVersion::Parse(RELEASE_ORDER[j]).value())
                << RELEASE_ORDER[i] << " " << RELEASE_ORDER[j];
        }
    }
    EXPECT_EQ(MameVersion::Parse("0.37B7"), MameVersion::Parse("0.37b7"));
    EXPECT_EQ(MameVersion::Parse("0.71U3P"), MameVersion::Parse("0.71u3p"));
    EXPECT_TRUE(MameVersion::Parse("0.123456789")); // nine digits fit; ten do not
}

// A text that fits none of the forms names no release.
TEST(MameVersionTest, OtherTextsNameNoRelease) {
    for (std::string_view text :
         {"",        ".37b5",    "0",     "0.",    "37",    "0.69u",  "0.36rc", "0.69ab",       "0.71u3q", "0.71u3pp",
          "0.37b7p", "0.36rc1p", "0.30 ", " 0.30", "v0.30", "0.30.1", "0.x",    "0.1234567890", "0.69-",   "???"}) {
        EXPECT_FALSE(MameVersion::Parse(text)) << text;
    }
}

} // namespace
} // namespace pellaquin
