#include "app/RegistryStoreFile.h"

#include <filesystem>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

namespace pellaquin {

// Failures show a value's parts rather than its bytes.
void PrintTo(const StoredValue& value, std::ostream* out) {
    *out << ::testing::PrintToString(value.name) << " type " << value.type << " data "
         << ::testing::PrintToString(value.data);
}

namespace {

using test::ReadWholeFile;

constexpr std::string_view KEY = "HKEY_CURRENT_USER\\Software\\Pellaquin";
const std::string HEADER = "Windows Registry Editor Version 5.00\n\n";
const std::string SECTION = "[HKEY_CURRENT_USER\\Software\\Pellaquin]\n";

class RegistryStoreFileTest : public ::testing::Test {
protected:
    std::string StorePath() const { return (m_folder.Path() / "user.reg").string(); }
    std::size_t FileCount() const {
        auto entries = std::filesystem::directory_iterator(m_folder.Path());
        return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
    }

    test::TemporaryFolder m_folder;
    RegistryStoreFile m_store{m_folder.Path() / "user.reg"};
};

class MalformedLineTest : public RegistryStoreFileTest, public ::testing::WithParamInterface<const char*> {};

// A line in the key that is not a value makes the whole key unreadable rather than half read.
TEST_P(MalformedLineTest, KeyCannotBeRead) {
    m_folder.Write("user.reg", HEADER + SECTION + "\"ok\"=\"1\"\n" + GetParam() + "\n");
    EXPECT_FALSE(m_store.ReadKey(KEY));
}

INSTANTIATE_TEST_SUITE_P(Lines, MalformedLineTest,
                         ::testing::Values("\"v\"=", "\"v\"=\"open", "\"v\"=\"a\" junk", "\"v\"=\"a\\tb\"", "v=\"x\"",
                                           "\"v\"\"x\"", "\"v\"=dword:123456789", "\"v\"=dword:", "\"v\"=dword:xyz",
                                           "\"v\"=hex:1,,2", "\"v\"=hex:123", "\"v\"=hex:01,", "\"v\"=hex:01,\\",
                                           "\"v\"=hex(z):01", "\"v\"=hex(7:01", "\"v\"=-", "\"v\"=str:x"));

class WriteRoundTripTest : public RegistryStoreFileTest, public ::testing::WithParamInterface<StoredValue> {};

// Any value written, of any type, reads back with the same name, type and data.
TEST_P(WriteRoundTripTest, ValueReadsBackUnchanged) {
    ASSERT_TRUE(m_store.WriteValue(KEY, GetParam()));
    EXPECT_EQ(m_store.ReadKey(KEY), std::vector<StoredValue>{GetParam()});
}

INSTANTIATE_TEST_SUITE_P(Values, WriteRoundTripTest,
                         ::testing::Values(StoredValue{"t", REG_SZ, std::string("a\"\\b\0", 5)},
                                           StoredValue{"t", REG_SZ, std::string("a\r\nb\0", 5)},
                                           StoredValue{"t", REG_SZ, std::string("a\0b\0", 4)},
                                           StoredValue{"t", REG_SZ, "no terminator"},
                                           StoredValue{"d", REG_DWORD, "\x78\x56\x34\x12"},
                                           StoredValue{"d", REG_DWORD, "\x01"}, StoredValue{"b", REG_BINARY, ""},
                                           StoredValue{"m", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},
                                           StoredValue{"q", 0xb, "12345678"}, StoredValue{"", REG_SZ, "@"},
                                           StoredValue{"na\"me\\", REG_SZ, std::string("\0", 1)}));

// A name or key path with a line end cannot be put in the file, so nothing is written.
TEST_F(RegistryStoreFileTest, RefusesLineEndsInNamesAndPaths) {
    EXPECT_FALSE(m_store.WriteValue(KEY, {"a\nb", REG_SZ, "x"}));
    EXPECT_FALSE(m_store.WriteValue("HKEY_CURRENT_USER\\a\rb", {"a", REG_SZ, "x"}));
    EXPECT_FALSE(m_store.CreateKey("HKEY_CURRENT_USER\\a\nb"));
    EXPECT_EQ(FileCount(), 0u);
}

// A file whose last line ends in a lone CR is rewritten so that the line reads as it did; before,
// the rewrite turned that CR into a line end and the written value was hidden behind an empty section.
TEST_F(RegistryStoreFileTest, LineEndingInCarriageReturnReadsTheSameAfterARewrite) {
    m_folder.Write("user.reg", HEADER + "[HKEY_CURRENT_USER\\Software\\Pellaquin]\r");
    const StoredValue value{"a", REG_SZ, std::string("1\0", 2)};
    ASSERT_TRUE(m_store.WriteValue(KEY, value));
    EXPECT_EQ(m_store.ReadKey(KEY), std::vector<StoredValue>{value});
}

// A write that fails part-way leaves the old store whole and no temporary file behind.
TEST_F(RegistryStoreFileTest, FailedWriteKeepsOldStore) {
    const std::string old = HEADER + SECTION + "\"a\"=\"1\"\n\n";
    m_folder.Write("user.reg", old);
    {
        test::FileSizeLimit limit(200);
        EXPECT_FALSE(m_store.WriteValue(KEY, {"a", REG_SZ, std::string(500, 'x') + '\0'}));
    }
    EXPECT_EQ(ReadWholeFile(StorePath()), old);
    EXPECT_EQ(FileCount(), 1u);
}

} // namespace
} // namespace pellaquin
