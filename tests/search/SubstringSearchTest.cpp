#include "records/SubstringSearch.h"
#include "search/KeyOccurrences.h"

#include <gtest/gtest.h>

#include <random>

namespace pellaquin {
namespace {

std::string RandomText(std::mt19937& random, std::size_t length, std::string_view alphabet) {
    std::string text(length, ' ');
    for (char& c : text) {
        c = alphabet[random() % alphabet.size()];
    }
    return text;
}

// The vector search finds what a plain search finds, at every length, start and needle size.
TEST(SubstringSearchTest, AgreesWithPlainSearch) {
    std::mt19937 random(11);
    for (int round = 0; round < 5000; ++round) {
        std::string text = RandomText(random, random() % 70, "ab=\"<>");
        std::string needle = RandomText(random, random() % 5, "ab=\"<>");
        std::size_t from = random() % (text.size() + 2);
        ASSERT_EQ(FindSubstring(text, needle, from), from > text.size() ? std::string::npos : text.find(needle, from))
            << text << " / " << needle << " from " << from;
    }
}

// Keys found together in one pass, and keys searched alone, give every occurrence in order.
TEST(SubstringSearchTest, KeyOccurrencesAgreeWithPlainSearch) {
    std::mt19937 random(12);
    for (int round = 0; round < 500; ++round) {
        KeyOccurrences occurrences;
        std::vector<std::string> keys;
        std::size_t keyCount = 1 + random() % 12;
        for (std::size_t i = 0; i < keyCount; ++i) {
            // Many keys end in "=", so the shared pass is taken as well as the single searches.
            std::string key = RandomText(random, random() % 4, "abc") + (random() % 3 != 0 ? "=" : "b");
            keys.push_back(key);
            occurrences.Add(key);
        }
        std::string text = RandomText(random, random() % 300, "abc=b");
        occurrences.Scan(text);
        for (const std::string& key : keys) {
            std::size_t number = occurrences.Add(key);
            for (std::size_t from = 0; from <= text.size(); from += 1 + random() % 7) {
                std::size_t expected = text.find(key, from);
                ASSERT_EQ(occurrences.FirstFrom(number, from),
                          expected == std::string::npos ? KeyOccurrences::NONE : expected)
                    << text << " / " << key << " from " << from;
            }
        }
    }
}

} // namespace
} // namespace pellaquin
