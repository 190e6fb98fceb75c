#include "data/MameCapture.h"

#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace pellaquin {
namespace {

namespace fs = std::filesystem;

constexpr const char* LISTING_SCRIPT = "#!/bin/sh\n"
                                       "printf '<?xml version=\"1.0\"?>\\n<mame build=\"fake\">\\n'\n"
                                       "echo \"arguments:$# $1\"\n"
                                       "echo \"folder:$(pwd -P)\"\n";

// An executable script `name` in `folder`.
std::string WriteProgram(const fs::path& folder, const std::string& name, std::string_view script) {
    std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << script;
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    return path;
}

// A program chosen in a folder we may write: its listing is captured there from its standard
// output, with "-listxml" as its only argument and its own folder as its working directory.
TEST(MameCaptureTest, CapturesBesideTheProgram) {
    test::TemporaryFolder folder;
    std::string program = WriteProgram(folder.Path(), "mame", LISTING_SCRIPT);
    fs::path ourFolder = fs::current_path();

    CaptureOutcome outcome = CaptureListing(program);
    ASSERT_EQ(outcome.result, CaptureResult::CAPTURED) << CaptureMessage(outcome);
    std::string listing = (folder.Path() / "listxml.xml").string();
    EXPECT_EQ(outcome.listingPath, listing);
    EXPECT_EQ(test::ReadWholeFile(listing), "<?xml version=\"1.0\"?>\n<mame build=\"fake\">\narguments:1 -listxml\n"
                                            "folder:" +
                                                fs::canonical(folder.Path()).string() + "\n");
    EXPECT_EQ(fs::current_path(), ourFolder);
    EXPECT_EQ(CaptureMessage(outcome), "MAME's xml listing was saved as\r\n" + listing);
    EXPECT_EQ(test::FolderNames(folder.Path()), (std::set<std::string>{"listxml.xml", "mame"}));
}

// A program that fails, is killed or prints nothing leaves the earlier listing and no temporary
// file behind, and the outcome carries no path to hold.
TEST(MameCaptureTest, FailuresKeepTheEarlierListing) {
    test::TemporaryFolder folder;
    folder.Write("listxml.xml", "earlier listing");
    struct Case {
        const char* script;
        CaptureResult result;
        const char* message;
    };
    for (const Case& failure : {
             Case{"#!/bin/sh\necho '<mame>'\nexit 3\n", CaptureResult::MAME_FAILED, "exit status 3"},
             Case{"#!/bin/sh\necho '<mame>'\nkill -9 $$\n", CaptureResult::MAME_FAILED, "signal 9"},
             Case{"#!/bin/sh\nexit 0\n", CaptureResult::EMPTY_LISTING, "empty"},
         }) {
        std::string program = WriteProgram(folder.Path(), "mame", failure.script);
        CaptureOutcome outcome = CaptureListing(program);
        EXPECT_EQ(outcome.result, failure.result) << failure.script;
        EXPECT_FALSE(outcome.listingPath.has_value());
        EXPECT_NE(CaptureMessage(outcome).find(failure.message), std::string::npos) << CaptureMessage(outcome);
        EXPECT_EQ(test::ReadWholeFile((folder.Path() / "listxml.xml").string()), "earlier listing");
        EXPECT_EQ(test::FolderNames(folder.Path()), (std::set<std::string>{"listxml.xml", "mame"}));
    }

    // A disk that fills up while the listing is written.
    std::string program =
        WriteProgram(folder.Path(), "mame", "#!/bin/sh\necho '<mame>'\nhead -c 200000 /dev/zero | tr '\\0' x\n");
    CaptureOutcome outcome;
    {
        test::FileSizeLimit limit(64 * 1024);
        outcome = CaptureListing(program);
    }
    EXPECT_EQ(outcome.result, CaptureResult::WRITE_FAILED);
    EXPECT_FALSE(outcome.listingPath.has_value());
    EXPECT_EQ(CaptureMessage(outcome), "Error writing MAME's xml listing!?\r\nYour listing path is unchanged.");
    EXPECT_EQ(test::ReadWholeFile((folder.Path() / "listxml.xml").string()), "earlier listing");
    EXPECT_EQ(test::FolderNames(folder.Path()), (std::set<std::string>{"listxml.xml", "mame"}));
}

// A ".exe" path that cannot be run is reported with its path; a chosen file that is not a program
// (no ".exe", no execute permission, or ".EXE" in capitals) is taken as the listing itself.
TEST(MameCaptureTest, ChoosingWhatToRun) {
    test::TemporaryFolder folder;
    std::string missing = (folder.Path() / "mame.exe").string();
    CaptureOutcome cannotStart = CaptureListing(missing);
    EXPECT_EQ(cannotStart.result, CaptureResult::CANNOT_START);
    EXPECT_FALSE(cannotStart.listingPath.has_value());
    EXPECT_NE(CaptureMessage(cannotStart).find(missing), std::string::npos);

    for (const char* name : {"list.xml", "MAME.EXE"}) {
        std::string listing = folder.Write(name, "<mame>\n");
        CaptureOutcome chosen = CaptureListing(listing);
        EXPECT_EQ(chosen.result, CaptureResult::LISTING_CHOSEN);
        EXPECT_EQ(chosen.listingPath, listing);
        EXPECT_EQ(CaptureMessage(chosen), "");
    }
    EXPECT_FALSE(fs::exists(folder.Path() / "listxml.xml"));
    EXPECT_TRUE(IsMameProgram(WriteProgram(folder.Path(), "mame", LISTING_SCRIPT)));
    EXPECT_TRUE(IsMameProgram((folder.Path() / "x.exe" / "listing.xml").string()));
    EXPECT_FALSE(IsMameProgram(folder.Path().string()));
}

// The user's MAME is the first runnable "mame" in an absolute folder of PATH; a folder that is not one, or
// a "mame" that is a folder or may not be run, is passed over.
TEST(MameCaptureTest, FindsMameOnPath) {
    test::TemporaryFolder folder;
    fs::create_directories(folder.Path() / "notrun");
    fs::create_directories(folder.Path() / "folder" / "mame");
    fs::create_directories(folder.Path() / "found");
    folder.Write("notrun/mame", LISTING_SCRIPT);
    WriteProgram(folder.Path(), "mame", LISTING_SCRIPT);
    std::string found = WriteProgram(folder.Path() / "found", "mame", LISTING_SCRIPT);
    std::string path = ".::" + (folder.Path() / "notrun").string() + ":" + (folder.Path() / "folder").string() + ":" +
                       (folder.Path() / "found").string();
    test::ScopedEnvironment searched("PATH", path);
    fs::path before = fs::current_path();
    fs::current_path(folder.Path());
    EXPECT_EQ(FindMameProgram(), found);
    fs::current_path(before);
}

// A MAME under /usr or /opt, or in a folder of someone else's, is a system program, whose listing goes to
// the user's data folder whatever its folder allows; one in a folder of the user's own is not.
TEST(MameCaptureTest, SystemPrograms) {
    test::TemporaryFolder folder;
    EXPECT_TRUE(IsSystemProgram("/usr/games/mame"));
    EXPECT_TRUE(IsSystemProgram("/opt/mame/mame"));
    EXPECT_FALSE(IsSystemProgram(WriteProgram(folder.Path(), "mame", LISTING_SCRIPT)));
    fs::create_directory(folder.Path() / "theirs");
    std::string theirs = WriteProgram(folder.Path() / "theirs", "mame", LISTING_SCRIPT);
    if (::chown((folder.Path() / "theirs").c_str(), test::OrdinaryFileAccess::NOBODY, 0) != 0) {
        GTEST_SKIP() << "this user cannot give a folder to another";
    }
    EXPECT_TRUE(IsSystemProgram(theirs));
    test::ScopedEnvironment dataHome("XDG_DATA_HOME", (folder.Path() / "data").string());
    CaptureOutcome outcome = CaptureListing(theirs);
    EXPECT_EQ(outcome.result, CaptureResult::CAPTURED_FOR_USER);
    EXPECT_EQ(outcome.listingPath, (folder.Path() / "data" / "pellaquin" / "listxml.xml").string());
    EXPECT_FALSE(fs::exists(folder.Path() / "theirs" / "listxml.xml"));
}

// When MAME's folder cannot be written, the listing goes to $XDG_DATA_HOME/pellaquin, or to
// ~/.local/share/pellaquin without it, and the message says where; with no folder to take it, the
// capture fails.
TEST(MameCaptureTest, UnwritableFolderFallsBackToDataFolder) {
    test::TemporaryFolder folder;
    fs::permissions(folder.Path(), fs::perms::all);
    fs::path games = folder.Path() / "games";
    fs::path data = folder.Path() / "data";
    fs::path home = folder.Path() / "home";
    fs::create_directory(games);
    fs::create_directory(data);
    fs::create_directory(home);
    fs::permissions(data, fs::perms::all);
    fs::permissions(home, fs::perms::all);
    std::string program = WriteProgram(games, "mame", LISTING_SCRIPT);
    fs::permissions(games, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    test::ScopedEnvironment homeVariable("HOME", home.string());

    {
        test::ScopedEnvironment dataHome("XDG_DATA_HOME", data.string());
        test::OrdinaryFileAccess ordinary;
        CaptureOutcome outcome = CaptureListing(program);
        ASSERT_EQ(outcome.result, CaptureResult::CAPTURED_ELSEWHERE) << CaptureMessage(outcome);
        std::string expected = (data / "pellaquin" / "listxml.xml").string();
        EXPECT_EQ(outcome.listingPath, expected);
        EXPECT_NE(CaptureMessage(outcome).find(expected), std::string::npos);
        EXPECT_NE(test::ReadWholeFile(expected).find("arguments:1 -listxml\n"), std::string::npos);
    }
    {
        test::ScopedEnvironment dataHome("XDG_DATA_HOME", std::nullopt);
        test::OrdinaryFileAccess ordinary;
        CaptureOutcome outcome = CaptureListing(program);
        EXPECT_EQ(outcome.result, CaptureResult::CAPTURED_ELSEWHERE);
        EXPECT_EQ(outcome.listingPath, (home / ".local" / "share" / "pellaquin" / "listxml.xml").string());
    }
    {
        test::ScopedEnvironment dataHome("XDG_DATA_HOME", (games / "data").string());
        test::OrdinaryFileAccess ordinary;
        CaptureOutcome outcome = CaptureListing(program);
        EXPECT_EQ(outcome.result, CaptureResult::CANNOT_WRITE);
        EXPECT_FALSE(outcome.listingPath.has_value());
    }
    EXPECT_EQ(test::FolderNames(games), (std::set<std::string>{"mame"}));
}

// The real MAME, where it is installed, gives up a listing (about 8 seconds); bench/wizard-counts checks
// what the wizard finds in it.
TEST(MameCaptureTest, RealMame) {
    const std::string mame = "/usr/games/mame";
    if (!fs::exists(mame)) {
        GTEST_SKIP() << mame << " is not installed";
    }
    test::TemporaryFolder folder;
    fs::permissions(folder.Path(), fs::perms::all);
    // Its own folder is not ours to write, as for any ordinary user.
    test::ScopedEnvironment dataHome("XDG_DATA_HOME", folder.Path().string());
    test::OrdinaryFileAccess ordinary;
    CaptureOutcome outcome = CaptureListing(mame);
    ASSERT_TRUE(outcome.listingPath.has_value()) << CaptureMessage(outcome);
    EXPECT_EQ(outcome.result, CaptureResult::CAPTURED_FOR_USER);
    std::ifstream listing(*outcome.listingPath, std::ios::binary);
    std::string start(16384, '\0');
    listing.read(start.data(), static_cast<std::streamsize>(start.size()));
    EXPECT_EQ(start.substr(0, 22), "<?xml version=\"1.0\"?>\n");
    EXPECT_NE(start.find("<!DOCTYPE mame ["), std::string::npos);
}

} // namespace
} // namespace pellaquin
