#include "settings/SettingsText.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

struct ValueCase {
    std::string text;
    std::string written;
};

class SettingsValueTest : public ::testing::TestWithParam<ValueCase> {};

// A value is written plain when it reads back the same, else quoted with its escapes; either way it
// reads back exactly.
TEST_P(SettingsValueTest, WrittenAndReadBack) {
    EXPECT_EQ(EncodeSettingsValue(GetParam().text), GetParam().written);
    std::string cause;
    EXPECT_EQ(DecodeSettingsValue(GetParam().written, cause), GetParam().text) << cause;
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsValueTest,
                         ::testing::Values(ValueCase{"", ""}, ValueCase{"/home/me/list,xml", "/home/me/list,xml"},
                                           ValueCase{"C:\\mame\\a \"b\".xml", "C:\\mame\\a \"b\".xml"},
                                           ValueCase{"\"quoted\"", "\"\\\"quoted\\\"\""},
                                           ValueCase{" blank ", "\" blank \""},
                                           ValueCase{"a\tb\r\nc\x7f\x01", "\"a\\tb\\r\\nc\\x7f\\x01\""},
                                           ValueCase{"\xc3\xbcn\xff", "\xc3\xbcn\xff"},
                                           ValueCase{"; not a comment", "; not a comment"}));

// A list is one value: its items joined by ",", quoted when empty or holding a comma; blanks around
// items and commas are not part of them.
TEST(SettingsListTest, WrittenAndReadBack) {
    std::vector<std::string> items = {"/a.ini", "/b,c.ini", "", " d "};
    EXPECT_EQ(EncodeSettingsList(items), "/a.ini,\"/b,c.ini\",\"\",\" d \"");
    std::string cause;
    EXPECT_EQ(DecodeSettingsList(EncodeSettingsList(items), cause), items);
    EXPECT_EQ(EncodeSettingsList({}), "");
    EXPECT_EQ(DecodeSettingsList("", cause), std::vector<std::string>{});
    EXPECT_EQ(DecodeSettingsList(" /a.ini , \"/b\" ,", cause), (std::vector<std::string>{"/a.ini", "/b", ""}));
    EXPECT_FALSE(DecodeSettingsList("\"/a\" /b", cause));
    EXPECT_FALSE(DecodeSettingsList("/a,\"/b", cause));
}

// Keys before a section are General's; a key set again replaces every spelling of it in its place; the
// text comes out a section at a time, other sections as they were.
TEST(SettingsTextTest, ReadSetAndWritten) {
    SettingsProblem problem;
    std::optional<SettingsText> text =
        SettingsText::Parse("top=1\r\n[Other]\nkey = x y \n# note\n[general]\nTop=2\nsecond=3\n", problem);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->Find("GENERAL", "TOP")->rawValue, "2");
    EXPECT_EQ(text->Find("Other", "key")->rawValue, "x y");
    EXPECT_EQ(text->Find("Other", "top"), nullptr);
    text->Set(SettingsText::GENERAL, "top", "9");
    text->Set("New", "k", "v");
    EXPECT_EQ(text->Format(), "[General]\ntop=9\nsecond=3\n\n[Other]\nkey=x y\n\n[New]\nk=v\n");
}

} // namespace
} // namespace pellaquin
