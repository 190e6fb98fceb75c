#include "roms/ChdHeader.h"
#include "roms/RomFolderMaker.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

constexpr Sha1Digest SHA1 = {0xc0, 0xff, 0xee, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01};

struct ChdCase {
    std::string_view what;
    std::string bytes;
    ChdStatus status;
};

void PrintTo(const ChdCase& c, std::ostream* out) {
    *out << c.what;
}

std::string Patched(std::string bytes, std::size_t at, std::string_view with) {
    return bytes.replace(at, with.size(), with);
}

class ChdHeaderTest : public ::testing::TestWithParam<ChdCase> {};

// Each version's header gives its SHA1; what MAME would not open gives why.
TEST_P(ChdHeaderTest, ReadsTheHeader) {
    test::TemporaryFolder folder;
    ChdIdentity identity = ReadChdIdentity(folder.Write("disk.chd", GetParam().bytes));
    EXPECT_EQ(identity.status, GetParam().status);
    EXPECT_EQ(identity.sha1, GetParam().status == ChdStatus::OPENED ? std::optional(SHA1) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, ChdHeaderTest,
    ::testing::Values(ChdCase{"version 3", test::ChdBytes(3, SHA1), ChdStatus::OPENED},
                      ChdCase{"version 4", test::ChdBytes(4, SHA1), ChdStatus::OPENED},
                      ChdCase{"version 5", test::ChdBytes(5, SHA1), ChdStatus::OPENED},
                      ChdCase{"version 2", Patched(test::ChdBytes(3, SHA1), 15, "\2"), ChdStatus::UNSUPPORTED},
                      ChdCase{"wrong length", Patched(test::ChdBytes(5, SHA1), 11, "\x7b"), ChdStatus::NOT_CHD},
                      ChdCase{"not a CHD", "MComprHX" + test::ChdBytes(5, SHA1).substr(8), ChdStatus::NOT_CHD},
                      ChdCase{"a difference file", Patched(test::ChdBytes(5, SHA1), 110, "\1"),
                              ChdStatus::NEEDS_PARENT},
                      ChdCase{"map cut off", test::ChdBytes(4, SHA1).substr(0, 120), ChdStatus::CUT_SHORT},
                      ChdCase{"header cut off", test::ChdBytes(5, SHA1).substr(0, 100), ChdStatus::NOT_CHD}));

// A missing file and a folder are no CHD to open; a folder of its name does not stop the search.
TEST(ChdHeaderTest, MissingFiles) {
    test::TemporaryFolder folder;
    EXPECT_EQ(ReadChdIdentity((folder.Path() / "none.chd").string()).status, ChdStatus::MISSING);
    EXPECT_EQ(ReadChdIdentity(folder.Path().string()).status, ChdStatus::MISSING);
}

} // namespace
} // namespace pellaquin
