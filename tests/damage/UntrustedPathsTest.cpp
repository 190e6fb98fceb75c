#include "cli/CliRun.h"

#include "damage/DamageSupport.h"
#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace pellaquin {
namespace {

namespace fs = std::filesystem;

// Every character a shell would act on, and a line feed, in one folder name.
constexpr const char* ODD_NAME = "my \"games\" 'n; $(touch dollar) `touch ticks` & | > x\nsecond line";

constexpr const char* MAME_SCRIPT = "#!/bin/sh\n"
                                    "printf '<?xml version=\"1.0\"?>\\n<mame build=\"fake\">\\n'\n"
                                    "printf '\\t<game name=\"fake\">\\n\\t</game>\\n</mame>\\n'\n"
                                    "echo \"<!-- arguments:$# $1 -->\"\n";

using test::CliRun;
using test::RunTool;

class UntrustedPathsTest : public ::testing::Test {
protected:
    UntrustedPathsTest() : m_odd(m_folder.Path() / ODD_NAME) {
        fs::create_directory(m_odd);
        fs::copy_file(test::DataPath("listxml_small.xml"), m_odd / "list 'of' \"games\"; $(x).xml");
        fs::copy_file(test::DataPath("controls_small.xml"), m_odd / "controls\n$(touch c).xml");
        std::ofstream(m_odd / "cat`ver`.ini") << "[Category]\npuckman=Maze\n";
    }

    std::string InOdd(const std::string& name) const { return (m_odd / name).string(); }

    // Nothing a shell would have made from the names exists anywhere near.
    void ExpectNothingInjected() const {
        for (const fs::path& folder : {m_folder.Path(), m_odd, fs::current_path()}) {
            for (const char* made : {"dollar", "ticks", "x", "c", "c).xml"}) {
                EXPECT_FALSE(fs::exists(folder / made)) << (folder / made);
            }
        }
        EXPECT_EQ(test::FolderNames(m_folder.Path()), std::set<std::string>{ODD_NAME});
    }

    test::TemporaryFolder m_folder;
    fs::path m_odd;
};

// A list read from and written to such names, in process and by the real binary.
TEST_F(UntrustedPathsTest, List) {
    std::string input = InOdd("list 'of' \"games\"; $(x).xml");
    std::string output = InOdd("names ; rm -rf \"$HOME\"\n.txt");
    CliRun run = RunTool({"list", "--input", input, "--type", "names", "--find", "-cloneof", "--output", output});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::ReadWholeFile(output), "puckman\nsf2\ninvaders\nufo\n");

    std::string mala = InOdd("$(touch dollar).mlg");
    test::BinaryRun binary =
        test::RunBinary({"list", "--input", input, "--type", "mala", "--find", "-cloneof", "--output", mala});
    EXPECT_TRUE(binary.exited);
    EXPECT_EQ(binary.status, 0) << binary.err;
    EXPECT_EQ(binary.err, "Found:4 matches\n");
    EXPECT_TRUE(fs::is_regular_file(mala));
    ExpectNothingInjected();
}

// A merge of three sources with such names into a fourth.
TEST_F(UntrustedPathsTest, Merge) {
    std::string merged = InOdd("merged `touch ticks`.xml");
    CliRun run = RunTool({"merge", "--listxml", InOdd("list 'of' \"games\"; $(x).xml"), "--controls",
                          InOdd("controls\n$(touch c).xml"), "--catver", InOdd("cat`ver`.ini"), "--output", merged});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string text = test::ReadWholeFile(merged);
    EXPECT_NE(text.find("<category>Maze</category>"), std::string::npos);
    EXPECT_NE(text.find("<controls info>numPlayers="), std::string::npos);
    ExpectNothingInjected();
}

// MAME itself in such a folder, under such a name, is started without a shell: it gets "-listxml"
// as its one argument and its listing lands beside it.
TEST_F(UntrustedPathsTest, Capture) {
    std::string mame = InOdd("mame; $(touch dollar)\n`touch ticks`");
    std::ofstream(mame) << MAME_SCRIPT;
    fs::permissions(mame, fs::perms::owner_all);
    CliRun run = RunTool({"capture", "--mame", mame});
    EXPECT_EQ(run.status, 0) << run.err;
    std::string listing = InOdd("listxml.xml");
    EXPECT_EQ(run.out, listing + "\n");
    EXPECT_NE(test::ReadWholeFile(listing).find("<!-- arguments:1 -listxml -->"), std::string::npos);

    fs::remove(listing);
    test::BinaryRun binary = test::RunBinary({"capture", "--mame", mame});
    EXPECT_TRUE(binary.exited);
    EXPECT_EQ(binary.status, 0) << binary.err;
    EXPECT_EQ(binary.out, listing + "\n");
    EXPECT_TRUE(fs::is_regular_file(listing));
    ExpectNothingInjected();
}

} // namespace
} // namespace pellaquin
