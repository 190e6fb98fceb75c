#include "cli/CliRun.h"
#include "data/MergeUtility.h"
#include "output/ByteSink.h"
#include "output/ListRun.h"
#include "settings/StoredSettings.h"

#include "damage/DamageSupport.h"
#include "support/FailingReads.h"
#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace pellaquin {
namespace {

namespace fs = std::filesystem;

const std::string OLD = "the previous file\n";

using test::CliRun;
using test::RunTool;

ino_t Inode(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

// A listing of `count` games, large enough to need several reads; every game but the first has it
// for its romof.
std::string Listing(int count) {
    std::string listing = "<?xml version=\"1.0\"?>\n<mame build=\"0.104\">\n";
    for (int i = 0; i < count; ++i) {
        listing += "\t<game name=\"g" + std::to_string(i) + (i > 0 ? "\" romof=\"g0" : "") +
                   "\">\n\t\t<description>Game " + std::to_string(i) +
                   "</description>\n\t\t<year>1980</year>\n\t</game>\n";
    }
    return listing + "</mame>\n";
}

class NothingLostTest : public ::testing::Test {
protected:
    NothingLostTest() {
        m_listing = m_folder.Write("listing.xml", Listing(30000));
        m_target = m_folder.Write("target", OLD);
    }

    std::vector<std::string> ListArgs(const std::string& type, const std::string& output) const {
        return {"list", "--input", m_listing, "--type", type, "--find", "game", "--output", output};
    }
    std::vector<std::string> MergeArgs(const std::string& output) const {
        return {"merge", "--listxml", m_listing, "--controls", "", "--catver", "", "--output", output};
    }
    // Only the inputs and the untouched target are left in the folder.
    void ExpectTargetUntouched() const {
        EXPECT_EQ(test::ReadWholeFile(m_target), OLD);
        EXPECT_EQ(test::FolderNames(m_folder.Path()), (std::set<std::string>{"listing.xml", "target"}));
    }

    test::TemporaryFolder m_folder;
    std::string m_listing;
    std::string m_target;
};

// While a list or a merge is written the previous file stays whole, and the new one grows in a
// temporary file in the same folder; once complete it takes the target's place.
TEST_F(NothingLostTest, WritersFillATemporaryFileBesideTheTarget) {
    std::set<std::string> seenDuringMerge;
    bool targetWholeDuringMerge = true;
    ASSERT_EQ(MergeDataFiles({m_listing, "", ""}, m_target,
                             [&](std::int64_t, std::int64_t) {
                                 targetWholeDuringMerge =
                                     targetWholeDuringMerge && test::ReadWholeFile(m_target) == OLD;
                                 for (const std::string& name : test::FolderNames(m_folder.Path())) {
                                     seenDuringMerge.insert(name);
                                 }
                             }),
              MergeResult::OK);
    EXPECT_TRUE(targetWholeDuringMerge);
    EXPECT_EQ(seenDuringMerge.size(), 3u);
    EXPECT_EQ(test::FolderNames(m_folder.Path()), (std::set<std::string>{"listing.xml", "target"}));
    EXPECT_TRUE(test::ReadWholeFile(m_target).ends_with("</mame>\n"));

    m_folder.Write("target", OLD);
    InputFile input;
    ASSERT_EQ(input.Open(m_listing), InputFile::OpenResult::OK);
    std::set<std::string> seenDuringList;
    bool targetWholeDuringList = true;
    input.SetProgressObserver([&](std::int64_t, std::int64_t) {
        targetWholeDuringList = targetWholeDuringList && test::ReadWholeFile(m_target) == OLD;
        for (const std::string& name : test::FolderNames(m_folder.Path())) {
            seenDuringList.insert(name);
        }
    });
    ListResult list = RunListToFile(input, {ListType::MALA, "game"}, m_target);
    ASSERT_EQ(list.status, ListStatus::DONE);
    EXPECT_TRUE(targetWholeDuringList);
    EXPECT_EQ(seenDuringList.size(), 3u);
    EXPECT_EQ(list.matchCount, 30000);
    EXPECT_NE(test::ReadWholeFile(m_target), OLD);
    EXPECT_EQ(test::FolderNames(m_folder.Path()), (std::set<std::string>{"listing.xml", "target"}));
}

// The command line's lists replace their file by renaming a new one over it:
// the target is a new file afterwards, with nothing else left in the folder.
TEST_F(NothingLostTest, CompleteWritesReplaceTheFileWhole) {
    for (const char* type : {"names", "mala"}) {
        SCOPED_TRACE(type);
        m_folder.Write("target", OLD);
        ino_t before = Inode(m_target);
        CliRun run = RunTool(ListArgs(type, m_target));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(Inode(m_target), before);
        EXPECT_EQ(test::FolderNames(m_folder.Path()), (std::set<std::string>{"listing.xml", "target"}));
    }
}

// A full disk part-way through leaves the previous file whole, no temporary file, and a message.
TEST_F(NothingLostTest, FullDiskLeavesThePreviousFile) {
    const std::map<std::string, std::vector<std::string>> runs = {
        {"names", ListArgs("names", m_target)},
        {"mala", ListArgs("mala", m_target)},
        {"merge", MergeArgs(m_target)},
    };
    for (const auto& [name, args] : runs) {
        SCOPED_TRACE(name);
        CliRun run;
        {
            test::FileSizeLimit limit(64 * 1024);
            run = RunTool(args);
        }
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Cannot write the output file " + m_target), std::string::npos) << run.err;
        ExpectTargetUntouched();
    }
    ExpectTargetUntouched();
}

// Writing to /dev/full fails with status 1 and a message naming it, and the device stays a device.
TEST_F(NothingLostTest, DeviceThatIsFull) {
    for (const auto& args : {ListArgs("names", "/dev/full"), ListArgs("mala", "/dev/full"), MergeArgs("/dev/full")}) {
        SCOPED_TRACE(args[1]);
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Cannot write the output file /dev/full"), std::string::npos) << run.err;
        struct stat status {};
        ASSERT_EQ(::stat("/dev/full", &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode));
    }
    test::BinaryRun binary = test::RunBinary(ListArgs("names", "/dev/full"));
    EXPECT_TRUE(binary.exited);
    EXPECT_EQ(binary.status, 1);
    EXPECT_EQ(binary.err, "Cannot write the output file /dev/full\n");
    EXPECT_FALSE(AppendToFile("/dev/full", "list\n"));
    // A list on standard output is as lost when that is the full device.
    std::vector<std::string> toStandardOutput = ListArgs("names", "/dev/full");
    toStandardOutput.resize(toStandardOutput.size() - 2);
    EXPECT_EQ(test::RunBinary(toStandardOutput, "/dev/full").status, 1);
}

// A device that takes everything is written directly rather than replaced by a plain file.
TEST_F(NothingLostTest, DeviceThatTakesEverything) {
    CliRun run = RunTool(ListArgs("names", "/dev/null"));
    EXPECT_EQ(run.status, 0) << run.err;
    struct stat status {};
    ASSERT_EQ(::stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
}

// Folders that cannot take a file, and a file the user may not write, are refused with a message;
// nothing in them changes.
TEST_F(NothingLostTest, UnwritablePlaces) {
    std::string underFile = m_target + "/list.txt";
    std::string missing = (m_folder.Path() / "no" / "such" / "list.txt").string();
    for (const std::string& output : {underFile, missing}) {
        for (const auto& args : {ListArgs("names", output), ListArgs("mala", output), MergeArgs(output)}) {
            SCOPED_TRACE(args[1] + " " + output);
            CliRun run = RunTool(args);
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find("Cannot write the output file " + output), std::string::npos) << run.err;
        }
    }
    ExpectTargetUntouched();

    // Checked as an ordinary user: a folder of someone else's, and someone else's file in a folder
    // open to all.
    fs::permissions(m_folder.Path(), fs::perms::all);
    fs::path locked = m_folder.Path() / "locked";
    fs::path open = m_folder.Path() / "open";
    fs::create_directory(locked);
    fs::create_directory(open);
    fs::permissions(locked, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(open, fs::perms::all);
    std::string inLocked = m_folder.Write("locked/list.txt", OLD);
    std::string readOnly = m_folder.Write("open/list.txt", OLD);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(m_listing, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    test::OrdinaryFileAccess access;
    for (const std::string& output : {inLocked, readOnly}) {
        for (const auto& args : {ListArgs("names", output), ListArgs("mala", output), MergeArgs(output)}) {
            SCOPED_TRACE(args[1] + " " + output);
            CliRun run = RunTool(args);
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.err.find("Cannot write the output file " + output), std::string::npos) << run.err;
            EXPECT_EQ(test::ReadWholeFile(output), OLD);
        }
        EXPECT_FALSE(AppendToFile(output, "more\n"));
        EXPECT_EQ(test::ReadWholeFile(output), OLD);
    }
    EXPECT_EQ(test::FolderNames(locked), std::set<std::string>{"list.txt"});
    EXPECT_EQ(test::FolderNames(open), std::set<std::string>{"list.txt"});
    test::ScopedEnvironment config("XDG_CONFIG_HOME", locked.string());
    EXPECT_FALSE(SaveStoredSettings({"/a.xml"}));
    EXPECT_EQ(test::FolderNames(locked), std::set<std::string>{"list.txt"});
}

// A listing that fails to read part-way replaces no list or merged file and says so; a list to standard
// output stops where the reading failed.
TEST_F(NothingLostTest, ReadErrorHalfway) {
    ASSERT_GT(fs::file_size(m_listing), 2u << 20);
    test::FailingReads failing(m_listing, 1 << 20);
    // The DAT reads the first game, which the others need, again after its first pass.
    std::vector<std::string> dat = {"list",   "--input", m_listing,  "--type", "dat",
                                    "--find", "romof",   "--output", m_target};
    for (const auto& args :
         {ListArgs("names", m_target), ListArgs("mala", m_target), dat, ListArgs("retroarch", m_target),
          std::vector<std::string>{"list", "--input", m_listing, "--type", "xml", "--find", "a"},
          std::vector<std::string>{"count", "--input", m_listing, "--find", "a"}}) {
        SCOPED_TRACE(args[0] + " " + args[4]);
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_LT(run.out.size(), fs::file_size(m_listing) / 2);
        EXPECT_EQ(run.err,
                  "Open or Read error on input file!?\r\nCheck your settings.\r\n" + m_listing + ": unreadable\n");
        ExpectTargetUntouched();
    }
    CliRun merge = RunTool(MergeArgs(m_target));
    EXPECT_EQ(merge.status, 1);
    EXPECT_EQ(merge.err, "Error opening MAME's listxml file for reading!?\r\n" + m_listing + ": unreadable\n");
    ExpectTargetUntouched();

    InputFile input;
    ASSERT_EQ(input.Open(m_listing), InputFile::OpenResult::OK);
    EXPECT_EQ(RunListToFile(input, {ListType::MALA, "game"}, m_target).status, ListStatus::INPUT_READ_FAILED);
    ExpectTargetUntouched();
}

// controls.xml or catver.ini failing to read part-way fails the merge, as half its data would pass for
// all; nplayers.ini or a data file is left out whole, and the merge goes on.
TEST_F(NothingLostTest, DataFileReadErrorHalfway) {
    std::string other = m_folder.Write("other.ini", std::string(3 << 20, '\n'));
    for (const char* option : {"--controls", "--catver", "--nplayers", "--ini"}) {
        SCOPED_TRACE(option);
        m_folder.Write("target", OLD);
        std::vector<std::string> args = MergeArgs(m_target);
        auto given = std::find(args.begin(), args.end(), option);
        bool needed = given != args.end();
        if (needed) {
            given[1] = other;
        } else {
            args.insert(args.end() - 2, {option, other});
        }
        test::FailingReads failing(other, 1 << 20);
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, needed ? 1 : 0);
        EXPECT_EQ(run.err, needed ? "Error reading controls.xml or catver.ini!?\r\nAny earlier merged file was left "
                                    "as it was.\r\n" +
                                        other + ": unreadable\n"
                                  : MergeLeftOutMessage(other) + "\n");
        EXPECT_EQ(test::ReadWholeFile(m_target) == OLD, needed);
    }
    fs::remove(other);
    EXPECT_EQ(test::FolderNames(m_folder.Path()), (std::set<std::string>{"listing.xml", "target"}));
}

// A read error lasts until the next run, whether it struck at the first read or part-way: once the
// file reads again, the same open file gives the whole list.
TEST_F(NothingLostTest, ReadErrorIsForgottenOnceReadsWork) {
    for (std::int64_t offset : {std::int64_t{0}, std::int64_t{1} << 20}) {
        SCOPED_TRACE(offset);
        InputFile input;
        ASSERT_EQ(input.Open(m_listing), InputFile::OpenResult::OK);
        DiscardingSink nowhere;
        {
            test::FailingReads failing(m_listing, offset);
            ListResult cut = RunList(input, {ListType::NAMES, "game"}, nowhere);
            EXPECT_EQ(cut.status, ListStatus::INPUT_READ_FAILED);
            EXPECT_LT(cut.matchCount, 30000);
        }
        ListResult whole = RunList(input, {ListType::NAMES, "game"}, nowhere);
        EXPECT_EQ(whole.status, ListStatus::DONE);
        EXPECT_EQ(whole.matchCount, 30000);
    }
}

// Appending a saved list never truncates the file: a full disk part-way leaves it as it was.
TEST_F(NothingLostTest, AppendKeepsWhatWasThere) {
    std::string saved = m_folder.Write("saved.txt", OLD);
    ASSERT_TRUE(AppendToFile(saved, "one\n"));
    EXPECT_EQ(test::ReadWholeFile(saved), OLD + "one\n");
    {
        test::FileSizeLimit limit(OLD.size() + 100);
        EXPECT_FALSE(AppendToFile(saved, std::string(1000, 'x')));
    }
    EXPECT_EQ(test::ReadWholeFile(saved), OLD + "one\n");
}

// A target that is a link keeps being one, and the file it points to is replaced with its mode kept.
TEST_F(NothingLostTest, LinkAndModeOfTheTargetAreKept) {
    fs::permissions(m_target, fs::perms::owner_read | fs::perms::owner_write);
    std::string link = (m_folder.Path() / "link").string();
    fs::create_symlink(m_target, link);
    CliRun run = RunTool(ListArgs("names", link));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(test::ReadWholeFile(m_target).starts_with("g0\ng1\n"));
    EXPECT_EQ(fs::status(m_target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

} // namespace
} // namespace pellaquin
