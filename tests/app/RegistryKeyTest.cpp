#include "app/RegistryKey.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/TestFiles.h"

namespace pellaquin {
namespace {

using test::ReadWholeFile;

constexpr std::string_view KEY = "Software\\Pellaquin";
const std::string HEADER = "Windows Registry Editor Version 5.00\n\n";
const std::string SECTION = "[HKEY_CURRENT_USER\\Software\\Pellaquin]\n";

class RegistryKeyTest : public ::testing::Test {
protected:
    SettingsLocation Location() const { return SettingsLocation(m_folder.Path()); }
    std::string StorePath() const { return (m_folder.Path() / "user.reg").string(); }
    void WriteStore(std::string_view bytes) const { m_folder.Write("user.reg", bytes); }
    std::string StoreBytes() const { return ReadWholeFile(StorePath()); }
    std::set<std::string> FileNames() const { return test::FolderNames(m_folder.Path()); }
    // What a fresh reader finds under `name`.
    std::string ReadBack(std::string_view name) const {
        CRegistryKey reader(0, Location());
        EXPECT_TRUE(reader.Open(KEY));
        return reader.Value(name).Text();
    }

    test::TemporaryFolder m_folder;
};

struct FirstRunCase {
    const char* label;
    std::optional<std::string> store;
};

class FirstRunTest : public RegistryKeyTest, public ::testing::WithParamInterface<FirstRunCase> {};

// Without a readable key the reader fails to open, which is how a first run is seen, and changes nothing.
TEST_P(FirstRunTest, ReaderFailsAndLeavesStoreAsItWas) {
    if (GetParam().store) {
        WriteStore(*GetParam().store);
    }
    CRegistryKey reader(0, Location());
    EXPECT_FALSE(reader.Open(KEY, HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE));
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(FileNames(), GetParam().store ? std::set<std::string>{"user.reg"} : std::set<std::string>{});
    EXPECT_EQ(StoreBytes(), GetParam().store.value_or(""));
}

INSTANTIATE_TEST_SUITE_P(
    Stores, FirstRunTest,
    ::testing::Values(FirstRunCase{"MissingFile", std::nullopt},
                      FirstRunCase{"OtherKeyOnly", HEADER + "[HKEY_CURRENT_USER\\Software\\Other]\n\"a\"=\"b\"\n"},
                      FirstRunCase{"SubKeyOnly", HEADER + "[HKEY_CURRENT_USER\\Software\\Pellaquin\\Sub]\n"},
                      FirstRunCase{"NoHeaderLine", SECTION + "\"inputXMLFile\"=\"/a\"\n"},
                      FirstRunCase{"EmptyFile", ""},
                      FirstRunCase{"MalformedLine", HEADER + SECTION + "inputXMLFile=/a\n"}),
    [](const auto& testCase) { return std::string(testCase.param.label); });

// The writer creates the folders, the file and the key; from then on a reader opens it, values empty.
TEST_F(RegistryKeyTest, WriterCreatesKeyThatReaderThenOpens) {
    SettingsLocation nested(m_folder.Path() / "config" / "pellaquin");
    CRegistryKey writer(CRegistryKey::MODE_CREATE, nested);
    ASSERT_TRUE(writer.Open(KEY));
    EXPECT_EQ(ReadWholeFile(nested.StoreFile().string()), HEADER + SECTION + "\n");
    CRegistryKey reader(0, nested);
    ASSERT_TRUE(reader.Open(KEY));
    EXPECT_STREQ(reader.Value("inputXMLFile").Text(), "");
}

class TextRoundTripTest : public RegistryKeyTest, public ::testing::WithParamInterface<std::string> {};

// A stored path comes back byte for byte, whatever bytes it holds.
TEST_P(TextRoundTripTest, TextComesBackFromStore) {
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    writer.Value("inputXMLFile").SetText(GetParam());
    EXPECT_EQ(writer.Value("inputXMLFile").Text(), GetParam());
    EXPECT_EQ(ReadBack("inputXMLFile"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, TextRoundTripTest,
                         ::testing::Values("/home/u/mame/listxml.xml", "C:\\MAME\\\"quoted\"\\", "line one\nline two",
                                           "crlf\r\nand a lone\r", "\xff\xfe latin \xe9 \x1a", "",
                                           " [x] ; =", std::string(2047, 'x')));

// Quotes and backslashes are escaped as the export form does; a text with a line end becomes hex(1).
TEST_F(RegistryKeyTest, TextsAreWrittenInExportForm) {
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    writer.Value("inputXMLFile").SetText("C:\\a \"b\"");
    writer.Value("listXMLFile").SetText("a\nb");
    EXPECT_EQ(StoreBytes(), HEADER + SECTION +
                                "\"inputXMLFile\"=\"C:\\\\a \\\"b\\\"\"\n"
                                "\"listXMLFile\"=hex(1):61,0a,62,00\n\n");
}

// Names match whatever the A-Z case, in the store and in the cache; a write replaces the old line under
// the name the value was first cached with.
TEST_F(RegistryKeyTest, NamesIgnoreAsciiCase) {
    WriteStore(HEADER + SECTION + "\"INPUTXMLFILE\"=\"/x\"\n");
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    EXPECT_STREQ(writer.Value("inputXMLFile").Text(), "/x");
    EXPECT_EQ(&writer.Value("inputxmlfile"), &writer.Value("InputXmlFile"));
    EXPECT_NE(&writer.Value("\xc9"), &writer.Value("\xe9"));
    writer.Value("inputXMLFile").SetText("/y");
    EXPECT_EQ(StoreBytes(), HEADER + SECTION + "\"INPUTXMLFILE\"=\"/y\"\n\n");
}

struct LoadCase {
    const char* label;
    std::string line;
    std::string text;
    std::uint32_t type;
    std::string name = "v";
};

class LoadTypeTest : public RegistryKeyTest, public ::testing::WithParamInterface<LoadCase> {};

// Every stored type reads as its text form; other types and data the loader cannot take read as empty.
TEST_P(LoadTypeTest, ValueReadsAsItsTextForm) {
    WriteStore(HEADER + SECTION + GetParam().line + "\n");
    CRegistryKey reader(0, Location());
    ASSERT_TRUE(reader.Open(KEY));
    CRegistryValue& value = reader.Value(GetParam().name);
    EXPECT_EQ(value.Text(), GetParam().text);
    EXPECT_EQ(value.Type(), GetParam().type);
}

std::string HexBytes(std::size_t count) {
    std::string list = "61";
    for (std::size_t i = 1; i < count; ++i) {
        list += ",61";
    }
    return list;
}

const std::string LONGEST_NAME(259, 'n');
INSTANTIATE_TEST_SUITE_P(
    Lines, LoadTypeTest,
    ::testing::Values(LoadCase{"Dword", "\"v\"=dword:0000002a", "42", REG_DWORD},
                      LoadCase{"DwordUnsigned", "\"v\"=dword:ffffffff", "4294967295", REG_DWORD},
                      LoadCase{"DwordAsHex", "\"v\"=hex(4):2a,01,00,00", "298", REG_DWORD},
                      LoadCase{"DwordTooShort", "\"v\"=hex(4):2a,00", "", 0},
                      LoadCase{"Binary", "\"v\"=hex:61,62,63", "abc", REG_BINARY},
                      LoadCase{"BinaryWrapped", "\"v\"=hex:61,\\\n  62,\\\n  63", "abc", REG_BINARY},
                      LoadCase{"BinaryStopsAtNul", "\"v\"=hex:61,00,62", "a", REG_BINARY},
                      LoadCase{"BinaryCutAt2047", "\"v\"=hex:" + HexBytes(2048), std::string(2047, 'a'), REG_BINARY},
                      LoadCase{"BinaryTooLong", "\"v\"=hex:" + HexBytes(2049), "", 0},
                      LoadCase{"MultiFirstText", "\"v\"=hex(7):61,62,00,63,00,00", "ab", REG_MULTI_SZ},
                      LoadCase{"MultiTooShort", "\"v\"=hex(7):61,00", "", REG_MULTI_SZ},
                      LoadCase{"TextAsHex", "\"v\"=hex(1):2f,61,00,62,00", "/a", REG_SZ},
                      LoadCase{"ExpandableSkipped", "\"v\"=hex(2):2f,00", "", 0},
                      LoadCase{"LongestText", "\"v\"=\"" + std::string(2047, 't') + "\"", std::string(2047, 't'),
                               REG_SZ},
                      LoadCase{"TextTooLong", "\"v\"=\"" + std::string(2048, 't') + "\"", "", 0},
                      LoadCase{"LongestName", "\"" + LONGEST_NAME + "\"=\"x\"", "x", REG_SZ, LONGEST_NAME},
                      LoadCase{"NameTooLong", "\"" + LONGEST_NAME + "m\"=\"x\"", "", 0, LONGEST_NAME + "m"}),
    [](const auto& testCase) { return std::string(testCase.param.label); });

// A text over 2047 bytes is cut in the cache but stored whole, and is then too long to load.
TEST_F(RegistryKeyTest, LongTextIsCutInCacheAndSkippedOnLoad) {
    const std::string text(3000, 'p');
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    writer.Value("inputXMLFile").SetText(text);
    EXPECT_EQ(std::strlen(writer.Value("inputXMLFile").Text()), 2047u);
    EXPECT_NE(StoreBytes().find('"' + text + '"'), std::string::npos);
    EXPECT_EQ(ReadBack("inputXMLFile"), "");
}

// Loading writes nothing back: an existing store keeps its exact bytes, CR LF and comments included.
TEST_F(RegistryKeyTest, OpeningLeavesStoreBytesAlone) {
    const std::string store = "Windows Registry Editor Version 5.00\r\n\r\n[hkey_current_user\\software\\pellaquin]\r\n"
                              "; kept\r\n\"inputXMLFile\"=\"/a\"\r\n\"n\"=dword:00000001\r\n";
    WriteStore(store);
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    EXPECT_STREQ(writer.Value("inputXMLFile").Text(), "/a");
    EXPECT_EQ(StoreBytes(), store);
    EXPECT_EQ(FileNames(), std::set<std::string>{"user.reg"});
}

// A text assigned to an open key with the set right is written through; otherwise only the cache changes.
TEST_F(RegistryKeyTest, SetTextWritesOnlyThroughAnOpenKeyWithSetRight) {
    WriteStore(HEADER + SECTION);
    CRegistryKey reader(0, Location());
    ASSERT_TRUE(reader.Open(KEY));
    reader.Value("inputXMLFile").SetText("/open");
    reader.Close();
    reader.Value("inputXMLFile").SetText("/closed");
    EXPECT_STREQ(reader.Value("inputXMLFile").Text(), "/closed");
    ASSERT_TRUE(reader.Open(KEY, HKEY_CURRENT_USER, KEY_QUERY_VALUE));
    reader.Value("inputXMLFile").SetText("/no right");
    EXPECT_EQ(ReadBack("inputXMLFile"), "/open");
}

// Writing a value keeps every other section of the store exactly as it was.
TEST_F(RegistryKeyTest, WritingKeepsOtherSections) {
    const std::string before = HEADER + "[HKEY_CURRENT_USER\\Software\\A]\n\"x\"=\"1\"\n\n";
    const std::string after = "[HKEY_CURRENT_USER\\Software\\B]\n; comment\n\"bin\"=hex:01,\\\n  02\n";
    WriteStore(before + SECTION + "\"catverFile\"=\"/c\"\n\n" + after);
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    writer.Value("controlsFile").SetText("/k");
    EXPECT_EQ(StoreBytes(), before + SECTION + "\"catverFile\"=\"/c\"\n\"controlsFile\"=\"/k\"\n\n" + after);
    EXPECT_EQ(FileNames(), std::set<std::string>{"user.reg"});
}

// Creating the key in a store that holds other keys appends it after them.
TEST_F(RegistryKeyTest, CreatingKeyAppendsSection) {
    const std::string other = HEADER + "[HKEY_CURRENT_USER\\Software\\A]\n\"x\"=\"1\"";
    WriteStore(other);
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    EXPECT_EQ(StoreBytes(), other + "\n\n" + SECTION + "\n");
}

struct MalformedCase {
    const char* label;
    std::string store;
    std::string replacement;
};

class MalformedStoreTest : public RegistryKeyTest, public ::testing::WithParamInterface<MalformedCase> {};

// A malformed store is kept as user.reg.bad before the writer puts a readable one in its place.
TEST_P(MalformedStoreTest, WriterKeepsBadCopyAndStartsAfresh) {
    WriteStore(GetParam().store);
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    ASSERT_TRUE(writer.Open(KEY));
    EXPECT_STREQ(writer.Value("inputXMLFile").Text(), "");
    EXPECT_EQ(ReadWholeFile(StorePath() + ".bad"), GetParam().store);
    EXPECT_EQ(StoreBytes(), GetParam().replacement);
    EXPECT_EQ(FileNames(), (std::set<std::string>{"user.reg", "user.reg.bad"}));
}

INSTANTIATE_TEST_SUITE_P(
    Stores, MalformedStoreTest,
    ::testing::Values(MalformedCase{"NoHeader", "REGEDIT4\n" + SECTION + "\"inputXMLFile\"=\"/a\"\n",
                                    HEADER + SECTION + "\n"},
                      MalformedCase{"BadLine", HEADER + "[X]\n\n" + SECTION + "\"inputXMLFile\"=\"/a\n",
                                    HEADER + "[X]\n\n" + SECTION + "\n"}),
    [](const auto& testCase) { return std::string(testCase.param.label); });

// A store that cannot be read (here a folder in its place) opens for nobody and is never replaced.
TEST_F(RegistryKeyTest, UnreadableStoreIsLeftAlone) {
    std::filesystem::create_directory(StorePath());
    CRegistryKey writer(CRegistryKey::MODE_CREATE, Location());
    EXPECT_FALSE(writer.Open(KEY));
    EXPECT_TRUE(std::filesystem::is_directory(StorePath()));
    EXPECT_EQ(FileNames(), std::set<std::string>{"user.reg"});
}

} // namespace
} // namespace pellaquin
