#include "records/ByteText.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

// White space is the C locale's six bytes, nothing more; only A to Z have a lower case.
TEST(ByteTextTest, WhiteSpaceAndCase) {
    for (int byte = 0; byte < 256; ++byte) {
        auto c = static_cast<char>(byte);
        bool white = c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
        EXPECT_EQ(IsWhiteSpace(c), white) << byte;
        EXPECT_EQ(LowerAsciiByte(c), byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : c) << byte;
    }
    std::string text = "AbZ\xc9\xe9@[";
    LowerAscii(text);
    EXPECT_EQ(text, "abz\xc9\xe9@[");
}

struct EditCase {
    const char* label;
    std::string (*edit)(std::string);
    const char* text;
    const char* expected;
};

// Each edit on one text, as the reader, the search and the writers use them.
class ByteTextEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(ByteTextEditTest, Edits) {
    EXPECT_EQ(GetParam().edit(GetParam().text), GetParam().expected) << GetParam().label;
}

std::string Trimmed(std::string text) {
    TrimWhiteSpace(text);
    return text;
}
std::string TrimmedView(std::string text) {
    return std::string(TrimWhiteSpace(std::string_view(text)));
}
std::string StrippedAmpersands(std::string text) {
    StripLeading(text, "& ");
    StripTrailing(text, "& ");
    return text;
}
std::string NewlinesDoubled(std::string text) {
    ReplaceAll(text, "\n", "\n\n");
    return text;
}
std::string NothingReplaced(std::string text) {
    ReplaceAll(text, "", "x");
    return text;
}
std::string OverlapsLeftToRight(std::string text) {
    ReplaceAll(text, "aa", "b");
    return text;
}
std::string QuotesRemoved(std::string text) {
    RemoveChar(text, '"');
    ReplaceChar(text, '_', ' ');
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ByteTextEditTest,
    ::testing::Values(EditCase{"trim", Trimmed, " \t\v\f\r\nx y\n\r", "x y"},
                      EditCase{"trim keeps other bytes", Trimmed, "\xa0x\x1c", "\xa0x\x1c"},
                      EditCase{"trim all", Trimmed, " \n ", ""}, EditCase{"trim view", TrimmedView, "\tx\t", "x"},
                      EditCase{"strip sets", StrippedAmpersands, "& &a & b& ", "a & b"},
                      EditCase{"inserted text is not scanned", NewlinesDoubled, "a\nb\n", "a\n\nb\n\n"},
                      EditCase{"empty needle", NothingReplaced, "abc", "abc"},
                      EditCase{"left to right", OverlapsLeftToRight, "aaaaa", "bba"},
                      EditCase{"remove and replace", QuotesRemoved, "\"a_b\"_", "a b "}));

// A list's pieces between its separators, the empty ones left out.
TEST(SplitListTest, PiecesBetweenSeparators) {
    EXPECT_EQ(SplitList(",a,,b c,", ','), (std::vector<std::string_view>{"a", "b c"}));
}

} // namespace
} // namespace pellaquin
