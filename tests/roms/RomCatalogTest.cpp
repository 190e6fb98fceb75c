#include "roms/RomCatalog.h"
#include "records/InputOpening.h"
#include "roms/ContentHasher.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

RomCatalog Read(const std::vector<std::string>& wanted) {
    InputFile input;
    std::string header;
    OpenRecognisedInput(test::DataPath("roms_listing.xml"), input, header);
    return RomCatalog::Read(input, wanted);
}

// Only the sets asked for and those MAME opens with them are read, a parent listed before its clone
// included; their devices are those with ROMs.
TEST(RomCatalogTest, ReadsTheSetsAndWhatTheyNeed) {
    RomCatalog catalog = Read({"clone", "devgame", "chdclone", "nosuchset"});
    for (const char* read : {"clone", "parent", "devgame", "chip", "chdclone", "chdgame"}) {
        EXPECT_NE(catalog.Find(read), nullptr) << read;
    }
    for (const char* passed : {"biosgame", "biosset", "nosuchset"}) {
        EXPECT_EQ(catalog.Find(passed), nullptr) << passed;
    }
    EXPECT_EQ(catalog.Find("devgame")->devices, std::vector<std::string>{"chip"});
    EXPECT_EQ(catalog.SetsToRun({"devgame", "clone", "chdclone"}),
              (std::vector<std::string>{"devgame", "chip", "clone", "parent", "chdclone", "chdgame"}));
    EXPECT_FALSE(catalog.ReadFailed());
}

// What the listing says of each ROM and disk: sizes, hashes, dump status and optional ones.
TEST(RomCatalogTest, Media) {
    RomCatalog catalog = Read({"nodumpgame", "baddumpgame", "optgame", "chdgame"});
    const MediaNeed& nodump = catalog.Find("nodumpgame")->media[1];
    EXPECT_EQ(nodump.status, DumpStatus::NO_DUMP);
    EXPECT_FALSE(nodump.crc);
    EXPECT_EQ(catalog.Find("baddumpgame")->media[0].status, DumpStatus::BAD_DUMP);
    EXPECT_TRUE(catalog.Find("optgame")->media[1].optional);
    const MediaNeed& rom = catalog.Find("chdgame")->media[0];
    EXPECT_EQ(rom.size, 256u);
    EXPECT_EQ(rom.crc, 0x708192a3u);
    const MediaNeed& disk = catalog.Find("chdgame")->media[1];
    EXPECT_TRUE(disk.disk);
    EXPECT_EQ(disk.sha1, ParseSha1("c0ffee00c0ffee00c0ffee00c0ffee00c0ffee00"));
}

// The hashes of known bytes, and the listing's hexadecimal forms of them.
TEST(ContentHasherTest, KnownDigests) {
    ContentHasher hasher(true);
    hasher.Add("a");
    hasher.Add("bc");
    ContentDigest digest = hasher.Finish();
    EXPECT_EQ(digest.size, 3u);
    EXPECT_EQ(digest.crc, 0x352441c2u);
    EXPECT_EQ(digest.sha1, ParseSha1("A9993E364706816ABA3E25717850C26C9CD0D89D"));
    EXPECT_EQ(ParseCrc("352441C2"), 0x352441c2u);
    for (std::string_view bad : {"", "352441c", "352441c2 ", "35244xc2"}) {
        EXPECT_FALSE(ParseCrc(bad)) << bad;
    }
    EXPECT_FALSE(ParseSha1("a9993e364706816aba3e25717850c26c9cd0d89"));
}

} // namespace
} // namespace pellaquin
