#include "roms/SetCopier.h"
#include "records/InputOpening.h"
#include "roms/RomFolderMaker.h"
#include "roms/SetAuditor.h"

#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pellaquin {
namespace {

namespace fs = std::filesystem;
using test::RomForm;

const std::string LISTING = test::DataPath("roms_listing.xml");
const std::vector<std::string> CHOSEN = {"clone", "biosgame", "devgame", "chdclone", "foldergame"};

RomCatalog ReadCatalog(const std::vector<std::string>& names) {
    InputFile input;
    std::string header;
    OpenRecognisedInput(LISTING, input, header);
    return RomCatalog::Read(input, names);
}

CopyReport Copy(const fs::path& from, const fs::path& to, CopyOptions options, const WorkProgress& progress = {}) {
    options.target = to.string();
    return CopySets(ReadCatalog(CHOSEN), RomFolders::Index({from.string()}), CHOSEN, options, progress);
}

std::vector<SetVerdict> Verdicts(const fs::path& folder) {
    std::vector<SetVerdict> verdicts;
    for (const SetAudit& set :
         AuditSets(ReadCatalog(CHOSEN), RomFolders::Index({folder.string()}), CHOSEN, {}, {}).sets) {
        verdicts.push_back(set.verdict);
    }
    return verdicts;
}

// Every file under `folder`, by its path inside it.
std::set<std::string> Files(const fs::path& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory()) {
            files.insert(fs::relative(entry.path(), folder).string());
        }
    }
    return files;
}

struct FormCase {
    RomForm form;
    std::set<std::string> files;
};

class CopyFormTest : public ::testing::TestWithParam<FormCase> {};

// A copy takes what MAME opens to run the sets, parents, BIOS sets, devices and CHDs, and no other
// set; in the target the sets audit as they did in the source, even when one is damaged there.
TEST_P(CopyFormTest, CopiesWhatTheSetsNeed) {
    test::TemporaryFolder source;
    test::TemporaryFolder target;
    test::MakeRomFolder(LISTING, GetParam().form, source.Path());
    test::WriteZip(source.Path() / "devgame.zip", {{"d1.bin", test::RomBytes(9, 1)}});
    CopyReport report = Copy(source.Path(), target.Path(), {});
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(Files(target.Path()), GetParam().files);
    EXPECT_EQ(Verdicts(target.Path()), Verdicts(source.Path()));
    EXPECT_EQ(Verdicts(target.Path())[2], SetVerdict::BAD);
}

const std::set<std::string> SPLIT_FILES = {"parent.zip",   "clone.zip",         "biosgame.zip", "biosset.zip",
                                           "devgame.zip",  "chip.zip",          "chdgame.zip",  "chdgame/hdd.chd",
                                           "chdclone.zip", "foldergame/big.bin"};

INSTANTIATE_TEST_SUITE_P(Forms, CopyFormTest,
                         ::testing::Values(FormCase{RomForm::SPLIT, SPLIT_FILES},
                                           FormCase{RomForm::NON_MERGED,
                                                    [] {
                                                        std::set<std::string> files = SPLIT_FILES;
                                                        files.insert("chdclone/hdd.chd");
                                                        return files;
                                                    }()},
                                           FormCase{RomForm::MERGED,
                                                    {"parent.zip", "biosgame.zip", "biosset.zip", "devgame.zip",
                                                     "chip.zip", "chdgame.zip", "chdgame/hdd.chd",
                                                     "foldergame/big.bin"}}));

// Links in place of copies: hard ones share the source's file, symbolic ones point to it; a second run
// finds every file there already.
TEST(SetCopierTest, Links) {
    test::TemporaryFolder source;
    test::MakeRomFolder(LISTING, RomForm::SPLIT, source.Path());
    for (LinkKind link : {LinkKind::HARD, LinkKind::SYMBOLIC}) {
        test::TemporaryFolder target;
        CopyOptions options;
        options.link = link;
        Copy(source.Path(), target.Path(), options);
        struct stat copied {};
        struct stat original {};
        lstat((target.Path() / "parent.zip").c_str(), &copied);
        stat((source.Path() / "parent.zip").c_str(), &original);
        EXPECT_EQ(link == LinkKind::SYMBOLIC, S_ISLNK(copied.st_mode));
        EXPECT_EQ(link == LinkKind::HARD, copied.st_ino == original.st_ino);
        EXPECT_EQ(Verdicts(target.Path()), Verdicts(source.Path()));
        for (const CopiedFile& file : Copy(source.Path(), target.Path(), options).files) {
            EXPECT_EQ(file.outcome, CopyOutcome::IDENTICAL) << file.target;
        }
    }
}

// A dry run writes nothing and counts the bytes; a different file in the target stays unless replacing
// is asked for, and the source never changes.
TEST(SetCopierTest, DryRunAndReplacement) {
    test::TemporaryFolder source;
    test::TemporaryFolder target;
    test::MakeRomFolder(LISTING, RomForm::SPLIT, source.Path());
    target.Write("parent.zip", "mine");
    std::string sourceBytes = test::ReadWholeFile((source.Path() / "parent.zip").string());

    CopyOptions options;
    options.dryRun = true;
    CopyReport dry = Copy(source.Path(), target.Path(), options);
    EXPECT_EQ(Files(target.Path()), std::set<std::string>{"parent.zip"});
    EXPECT_EQ(
        dry.bytes, (3u << 20) + fs::file_size(source.Path() / "clone.zip") + [&] {
            std::uintmax_t zips = 0;
            for (const char* name : {"biosgame.zip", "biosset.zip", "devgame.zip", "chip.zip", "chdgame.zip",
                                     "chdclone.zip", "chdgame/hdd.chd"}) {
                zips += fs::file_size(source.Path() / name);
            }
            return zips;
        }());

    CopyReport kept = Copy(source.Path(), target.Path(), {});
    EXPECT_EQ(test::ReadWholeFile((target.Path() / "parent.zip").string()), "mine");
    EXPECT_EQ(std::count_if(kept.files.begin(), kept.files.end(),
                            [](const CopiedFile& file) { return file.outcome == CopyOutcome::REFUSED; }),
              1);

    options = {};
    options.replace = true;
    Copy(source.Path(), target.Path(), options);
    EXPECT_EQ(test::ReadWholeFile((target.Path() / "parent.zip").string()), sourceBytes);
    EXPECT_EQ(test::ReadWholeFile((source.Path() / "parent.zip").string()), sourceBytes);
}

// A copy stopped in the middle of a file, or failing on a full disk, leaves no part of it behind.
TEST(SetCopierTest, InterruptedCopyLeavesOnlyWholeFiles) {
    test::TemporaryFolder source;
    test::MakeRomFolder(LISTING, RomForm::SPLIT, source.Path());
    test::TemporaryFolder stoppedTarget;
    CopyReport stopped = Copy(source.Path(), stoppedTarget.Path(), {},
                              [](std::uint64_t done, std::uint64_t) { return done < (2u << 20); });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.files.back().target, (stoppedTarget.Path() / "foldergame" / "big.bin").string());
    EXPECT_FALSE(Files(stoppedTarget.Path()).contains("foldergame/big.bin"));

    test::TemporaryFolder fullTarget;
    CopyReport failed;
    {
        test::FileSizeLimit limit(1 << 20);
        failed = Copy(source.Path(), fullTarget.Path(), {});
    }
    EXPECT_FALSE(failed.stopped);
    EXPECT_EQ(std::count_if(failed.files.begin(), failed.files.end(),
                            [](const CopiedFile& file) { return file.outcome == CopyOutcome::FAILED; }),
              1);
    for (const fs::path& folder : {stoppedTarget.Path(), fullTarget.Path()}) {
        for (const std::string& file : Files(folder)) {
            EXPECT_EQ(file.find(".pellaquin-"), std::string::npos) << file;
            EXPECT_EQ(test::ReadWholeFile((folder / file).string()),
                      test::ReadWholeFile((source.Path() / file).string()));
        }
    }
}

} // namespace
} // namespace pellaquin
