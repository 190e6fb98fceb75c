#include "roms/SetAuditor.h"
#include "records/InputOpening.h"
#include "roms/RomFolderMaker.h"

#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace pellaquin {
namespace {

namespace fs = std::filesystem;
using test::RomBytes;
using test::RomForm;

const std::string LISTING = test::DataPath("roms_listing.xml");
const std::vector<std::string> ALL = {"parent",    "clone",     "biosgame",   "biosset",     "devgame", "extgame",
                                      "chdgame",   "chdclone",  "nodumpgame", "baddumpgame", "optgame", "foldergame",
                                      "sevengame", "emptygame", "chip",       "dsp",         "cpu"};

AuditReport Audit(const std::vector<fs::path>& folders, const std::vector<std::string>& names, bool verify = false) {
    InputFile input;
    std::string header;
    OpenRecognisedInput(LISTING, input, header);
    RomCatalog catalog = RomCatalog::Read(input, names);
    std::vector<std::string> paths(folders.begin(), folders.end());
    return AuditSets(catalog, RomFolders::Index(paths), names, {verify}, {});
}

// Each set's verdict, "name:verdict" joined by blanks.
std::string Verdicts(const AuditReport& report) {
    std::string text;
    for (const SetAudit& set : report.sets) {
        text.append(text.empty() ? "" : " ").append(set.name).append(":").append(VerdictName(set.verdict));
    }
    return text;
}

// A set's problems, "name:reason" joined by commas.
std::string Problems(const SetAudit& set) {
    std::string text;
    for (const MediaProblem& problem : set.problems) {
        text.append(text.empty() ? "" : ",").append(problem.name).append(":").append(ReasonName(problem.reason));
    }
    return text;
}

const std::string WHOLE = "parent:good clone:good biosgame:good biosset:good devgame:good extgame:good chdgame:good "
                          "chdclone:good "
                          "nodumpgame:best available baddumpgame:best available optgame:good foldergame:good "
                          "sevengame:good emptygame:none needed chip:good dsp:good cpu:none needed";

class WholeFolderTest : public ::testing::TestWithParam<std::tuple<RomForm, bool>> {};

// Whole collections in every form audit alike, quick or verified, whatever odd files lie beside them.
TEST_P(WholeFolderTest, EverySetRunsAsListed) {
    test::TemporaryFolder folder;
    test::MakeRomFolder(LISTING, std::get<0>(GetParam()), folder.Path());
    folder.Write("we\nird.zip", "not a zip");
    folder.Write("\xff\xfe.7z", "");
    fs::create_directory(folder.Path() / "odd name");
    EXPECT_EQ(Verdicts(Audit({folder.Path()}, ALL, std::get<1>(GetParam()))), WHOLE);
}

INSTANTIATE_TEST_SUITE_P(Forms, WholeFolderTest,
                         ::testing::Combine(::testing::Values(RomForm::MERGED, RomForm::SPLIT, RomForm::NON_MERGED),
                                            ::testing::Bool()));

struct DamageCase {
    std::string_view what;
    RomForm form;
    std::function<void(const fs::path&)> damage;
    bool verify;
    std::string set;
    std::string_view verdict;
    std::string_view problems;
    std::string_view where; // a part of the first problem's where
};

void PrintTo(const DamageCase& c, std::ostream* out) {
    *out << c.what;
}

class DamagedFolderTest : public ::testing::TestWithParam<DamageCase> {};

// Each missing, wrong or unreadable file gives the verdict MAME gives and says what and where.
TEST_P(DamagedFolderTest, SaysWhatIsWrong) {
    const DamageCase& c = GetParam();
    test::TemporaryFolder folder;
    test::MakeRomFolder(LISTING, c.form, folder.Path());
    c.damage(folder.Path());
    AuditReport report = Audit({folder.Path()}, {c.set}, c.verify);
    ASSERT_EQ(report.sets.size(), 1u);
    EXPECT_EQ(VerdictName(report.sets[0].verdict), c.verdict) << c.what;
    EXPECT_EQ(Problems(report.sets[0]), c.problems) << c.what;
    if (!c.where.empty()) {
        ASSERT_FALSE(report.sets[0].problems.empty()) << c.what;
        EXPECT_NE(report.sets[0].problems[0].where.find(c.where), std::string::npos)
            << c.what << ": " << report.sets[0].problems[0].where;
    }
}

void Remove(const fs::path& path) {
    fs::remove_all(path);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedFolderTest,
    ::testing::Values(
        DamageCase{"split clone without its parent", RomForm::SPLIT, [](auto& f) { Remove(f / "parent.zip"); }, false,
                   "clone", "bad", "p2.bin:not found", "parent: no container"},
        DamageCase{"split clone without its own zip", RomForm::SPLIT, [](auto& f) { Remove(f / "clone.zip"); }, false,
                   "clone", "not found", "c1.bin:not found", "clone: no container; parent: "},
        DamageCase{"merged clone without its parent", RomForm::MERGED, [](auto& f) { Remove(f / "parent.zip"); },
                   false, "clone", "not found", "c1.bin:not found,p2.bin:not found", ""},
        DamageCase{"game without its BIOS set", RomForm::NON_MERGED, [](auto& f) { Remove(f / "biosset.zip"); },
                   false, "biosgame", "bad", "b1.bin:not found", "biosset: no container"},
        DamageCase{"game without its device's ROMs", RomForm::SPLIT, [](auto& f) { Remove(f / "chip.zip"); }, false,
                   "devgame", "bad", "chip.bin:not found", "chip: no container; devgame: "},
        DamageCase{"game that gives its device the device's ROM", RomForm::SPLIT,
                   [](auto& f) { Remove(f / "dsp.zip"); }, false, "extgame", "good", "", ""},
        DamageCase{"device by itself without its zip", RomForm::SPLIT, [](auto& f) { Remove(f / "chip.zip"); }, false,
                   "chip", "not found", "chip.bin:not found", ""},
        DamageCase{"ROM cut short",
                   RomForm::SPLIT,
                   [](auto& f) { test::WriteZip(f / "devgame.zip", {{"d1.bin", RomBytes(200, 0x6f708192)}}); },
                   false, "devgame", "bad", "d1.bin:wrong size", "devgame.zip: d1.bin"},
        DamageCase{"ROM altered", RomForm::SPLIT,
                   [](auto& f) { test::WriteZip(f / "biosgame.zip", {{"g1.bin", RomBytes(256, 1)}}); }, false,
                   "biosgame", "bad", "g1.bin:wrong crc", "biosgame.zip: g1.bin"},
        DamageCase{"ROM altered but its CRC32 kept, quick", RomForm::SPLIT,
                   [](auto& f) { test::WriteSevenZip(f / "sevengame.7z", {{"s1.bin", RomBytes(256, 0xe7f8091a, 'x')},
                                                                        {"s2.bin", RomBytes(256, 0xf8091a2b)}}); },
                   false, "sevengame", "good", "", ""},
        DamageCase{"ROM altered but its CRC32 kept, verified", RomForm::SPLIT,
                   [](auto& f) { test::WriteSevenZip(f / "sevengame.7z", {{"s1.bin", RomBytes(256, 0xe7f8091a, 'x')},
                                                                        {"s2.bin", RomBytes(256, 0xf8091a2b)}}); },
                   true, "sevengame", "bad", "s1.bin:wrong sha1", "sevengame.7z: s1.bin"},
        DamageCase{"CHD of another SHA1", RomForm::SPLIT,
                   [](auto& f) {
                       std::ofstream(f / "chdgame" / "hdd.chd", std::ios::binary) << test::ChdBytes(5, Sha1Digest{1});
                   },
                   false, "chdclone", "bad", "hdd:wrong sha1", "chdgame/hdd.chd"},
        DamageCase{"CHD missing", RomForm::NON_MERGED, [](auto& f) { Remove(f / "chdgame"); }, false, "chdgame", "bad",
                   "hdd:not found", "chdgame: /"},
        DamageCase{"CHD cut short", RomForm::NON_MERGED,
                   [](auto& f) { fs::resize_file(f / "chdgame" / "hdd.chd", 126); }, false, "chdgame", "bad",
                   "hdd:not found", "cut short"},
        DamageCase{"optional ROM missing", RomForm::SPLIT,
                   [](auto& f) { test::WriteZip(f / "optgame.zip", {{"o1.bin", RomBytes(256, 0xb4c5d6e7)}}); }, false,
                   "optgame", "best available", "o2.bin:not found", "optional; optgame: "},
        DamageCase{"ROM without a dump missing", RomForm::SPLIT,
                   [](auto& f) { test::WriteZip(f / "nodumpgame.zip", {{"n1.bin", RomBytes(256, 0x92a3b4c5)}}); },
                   false, "nodumpgame", "best available", "n2.bin:not found", "no good dump known; "},
        DamageCase{"zip damaged", RomForm::SPLIT,
                   [](auto& f) { std::ofstream(f / "devgame.zip", std::ios::binary) << "PK\3\4 broken"; }, false,
                   "devgame", "not found", "d1.bin:not found", "devgame.zip: damaged"},
        DamageCase{"BIOS zip a symbolic link loop", RomForm::SPLIT,
                   [](auto& f) {
                       Remove(f / "biosset.zip");
                       fs::create_symlink("biosset.zip", f / "biosset.zip");
                   },
                   false, "biosgame", "bad", "b1.bin:not found", "biosset.zip: unreadable"},
        DamageCase{"ROM empty", RomForm::SPLIT,
                   [](auto& f) { test::WriteZip(f / "devgame.zip", {{"d1.bin", ""}}); }, false, "devgame",
                   "not found", "d1.bin:not found", "devgame.zip: d1.bin: empty"},
        DamageCase{"folder set's ROM altered, verified", RomForm::SPLIT,
                   [](auto& f) { std::ofstream(f / "foldergame" / "big.bin", std::ios::binary) << RomBytes(3 << 20, 7); },
                   true, "foldergame", "bad", "big.bin:wrong crc", "foldergame/big.bin"}));

// Folders are searched in order: a set found whole in the first hides a damaged copy in the second, and
// one missing from the first is found in the second.
TEST(SetAuditorTest, FoldersInOrder) {
    test::TemporaryFolder first;
    test::TemporaryFolder second;
    test::MakeRomFolder(LISTING, RomForm::SPLIT, first.Path());
    test::WriteZip(second.Path() / "parent.zip", {{"p1.bin", RomBytes(256, 3)}});
    Remove(first.Path() / "clone.zip");
    test::MakeRomFolder(LISTING, RomForm::SPLIT, second.Path() / "all");
    fs::rename(second.Path() / "all" / "clone.zip", second.Path() / "clone.zip");
    EXPECT_EQ(Verdicts(Audit({first.Path(), second.Path()}, {"parent", "clone"})), "parent:good clone:good");
}

// A file the user may not read is as good as missing, and the audit says why.
TEST(SetAuditorTest, UnreadableFile) {
    test::TemporaryFolder folder;
    test::MakeRomFolder(LISTING, RomForm::SPLIT, folder.Path());
    fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder.Path() / "foldergame",
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder.Path() / "foldergame" / "big.bin", fs::perms::none);
    InputFile input;
    std::string header;
    OpenRecognisedInput(LISTING, input, header);
    RomCatalog catalog = RomCatalog::Read(input, {"foldergame"});
    RomFolders folders = RomFolders::Index({folder.Path().string()});
    test::OrdinaryFileAccess access;
    AuditReport report = AuditSets(catalog, folders, {"foldergame"}, {}, {});
    ASSERT_EQ(report.sets.size(), 1u);
    EXPECT_EQ(report.sets[0].verdict, SetVerdict::NOT_FOUND);
    ASSERT_EQ(Problems(report.sets[0]), "big.bin:not found");
    EXPECT_NE(report.sets[0].problems[0].where.find("big.bin: Permission denied"), std::string::npos);
}

// A stop asked for ends the audit with the sets done so far, in order, whichever thread did them; one
// asked for at once audits nothing.
TEST(SetAuditorTest, Stops) {
    test::TemporaryFolder folder;
    test::MakeRomFolder(LISTING, RomForm::SPLIT, folder.Path());
    InputFile input;
    std::string header;
    OpenRecognisedInput(LISTING, input, header);
    RomCatalog catalog = RomCatalog::Read(input, ALL);
    AuditReport report = AuditSets(catalog, RomFolders::Index({folder.Path().string()}), ALL, {},
                                   [](std::uint64_t done, std::uint64_t) { return done < 2; });
    ASSERT_GE(report.sets.size(), 2u);
    EXPECT_EQ(report.stopped, report.sets.size() < ALL.size());
    std::string verdicts = Verdicts(report);
    EXPECT_EQ(verdicts, WHOLE.substr(0, verdicts.size()));
    AuditReport none = AuditSets(catalog, RomFolders::Index({folder.Path().string()}), ALL, {},
                                 [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_TRUE(none.stopped);
    EXPECT_TRUE(none.sets.empty());
}

} // namespace
} // namespace pellaquin
