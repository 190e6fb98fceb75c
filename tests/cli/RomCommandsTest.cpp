#include "cli/CliApp.h"
#include "cli/CliRun.h"
#include "roms/RomFolderMaker.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace pellaquin {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::RunTool;

const std::string LISTING = test::DataPath("roms_listing.xml");
const std::string SOME = "name=parent | name=clone | name=devgame | name=optgame | name=emptygame";

// A split collection whose device zip and optional ROM are gone.
class RomCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::MakeRomFolder(LISTING, test::RomForm::SPLIT, Roms());
        fs::remove(Roms() / "chip.zip");
        test::WriteZip(Roms() / "optgame.zip", {{"o1.bin", test::RomBytes(256, 0xb4c5d6e7)}});
    }
    fs::path Roms() const { return m_folder.Path() / "roms"; }
    CliRun Run(const std::string& command, const std::string& find, std::vector<std::string> more = {}) {
        std::vector<std::string> args = {command, "--input", LISTING, "--rom-folder", Roms().string(), "--find", find};
        args.insert(args.end(), more.begin(), more.end());
        return RunTool(args);
    }

    test::TemporaryFolder m_folder;
};

// A line per set, the problems under those not good with --details, then the counts; the exit status
// says whether MAME runs every set.
TEST_F(RomCommandsTest, AuditReport) {
    CliRun audit = Run("audit", SOME, {"--details"});
    EXPECT_EQ(audit.status, 1);
    EXPECT_EQ(audit.out,
              "parent\tgood\nclone\tgood\ndevgame\tbad\n\tchip.bin\tnot found\tchip: no container; devgame: " +
                  (Roms() / "devgame.zip").string() +
                  "\noptgame\tbest available\n\to2.bin\tnot found\t"
                  "optional; optgame: " +
                  (Roms() / "optgame.zip").string() +
                  "\nemptygame\tnone needed\n5 sets: 2 good, 1 best available, 1 bad, 0 not found, 1 none "
                  "needed\n");
    CliRun running = Run("audit", "name=optgame | name=emptygame", {"--verify"});
    EXPECT_EQ(running.status, 0);
    EXPECT_EQ(running.out, "optgame\tbest available\nemptygame\tnone needed\n2 sets: 0 good, 1 best available, 0 bad, "
                           "0 not found, 1 none needed\n");
    std::string report = (m_folder.Path() / "report.txt").string();
    CliRun toFile = Run("audit", SOME, {"--output", report});
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(test::ReadWholeFile(report), Run("audit", SOME).out);
}

// What stops an audit or a copy before it starts ends it with status 2 and says why.
TEST_F(RomCommandsTest, Refusals) {
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"audit", "--input", LISTING, "--find", "="}, "--rom-folder is required"},
        {{"audit", "--input", LISTING, "--rom-folder", (m_folder.Path() / "none").string(), "--find", "="},
         "ROM folder " + (m_folder.Path() / "none").string() + ": No such file or directory"},
        {{"audit", "--input", (m_folder.Path() / "none.xml").string(), "--rom-folder", Roms().string(), "--find", "="},
         "none.xml: missing"},
        {{"audit", "--input", LISTING, "--rom-folder", Roms().string()}, "Nothing to search for"},
        {{"audit", "--input", LISTING, "--rom-folder", Roms().string(), "--find", "=", "--output", Roms().string()},
         "Cannot write the output file"},
        {{"copy", "--input", LISTING, "--rom-folder", Roms().string(), "--find", "="}, "--to is required"},
        {{"copy", "--input", LISTING, "--rom-folder", Roms().string(), "--to", "x", "--link", "soft", "--find", "="},
         "--link"},
    };
    for (const auto& [args, said] : refused) {
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << said;
        EXPECT_EQ(run.out, "") << said;
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }
}

// A dry run says what it would copy and the bytes; the copy then writes it, leaves a different file in
// the target unless asked to replace it, and names the sets not complete in the source.
TEST_F(RomCommandsTest, Copy) {
    std::string target = (m_folder.Path() / "target").string();
    CliRun dry = Run("copy", "name=clone | name=devgame", {"--to", target, "--dry-run"});
    std::uintmax_t bytes = fs::file_size(Roms() / "clone.zip");
    EXPECT_EQ(dry.out.substr(0, dry.out.find('\n')), "would copy\t" + std::to_string(bytes) + "\t" +
                                                         (Roms() / "clone.zip").string() + "\t" + target +
                                                         "/clone.zip");
    EXPECT_NE(dry.out.find("Would write 3 files, "), std::string::npos) << dry.out;
    EXPECT_FALSE(fs::exists(target));

    fs::create_directories(target);
    std::ofstream(target + "/parent.zip") << "mine";
    CliRun copy = Run("copy", "name=clone | name=devgame", {"--to", target});
    EXPECT_EQ(copy.status, 1);
    EXPECT_NE(copy.out.find("refused\t"), std::string::npos);
    EXPECT_TRUE(copy.out.ends_with("Wrote 2 files, " + std::to_string(bytes + fs::file_size(Roms() / "devgame.zip")) +
                                   " bytes; 0 already there, 1 refused, 0 failed\nNot complete in the source:\n"
                                   "devgame\tbad\n"))
        << copy.out;
    CliRun again = Run("copy", "name=clone", {"--to", target, "--replace"});
    EXPECT_EQ(again.status, 0) << again.out;
    EXPECT_EQ(test::ReadWholeFile(target + "/parent.zip"), test::ReadWholeFile((Roms() / "parent.zip").string()));
}

// "Complete only" reaches the set steps from the command line.
TEST_F(RomCommandsTest, AvailableCheck) {
    CliRun names = RunTool({"list", "--input", LISTING, "--type", "names", "--find", SOME, "--available",
                            Roms().string(), "--available-check", "complete"});
    EXPECT_EQ(names.out, "parent\nclone\noptgame\n");
}

// On a terminal the progress is a bar redrawn in place, cleared at the end; elsewhere a line per tenth.
TEST_F(RomCommandsTest, Progress) {
    std::vector<std::string> args = {"pellaquin-cli", "audit",         "--input", LISTING,
                                     "--rom-folder",  Roms().string(), "--find",  "="};
    std::ostringstream out, terminal;
    RunCli(args, out, terminal, true);
    EXPECT_NE(terminal.str().find("\rAuditing [##"), std::string::npos);
    EXPECT_TRUE(terminal.str().ends_with("\r\x1b[K"));
    EXPECT_TRUE(RunTool({args.begin() + 1, args.end()}).err.ends_with("Auditing: 100% (17 of 17 sets)\n"));
}

} // namespace
} // namespace pellaquin
