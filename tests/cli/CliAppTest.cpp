#include "cli/CliApp.h"
#include "cli/CliRun.h"
#include "data/MergeUtility.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

using test::CliRun;
using test::RunTool;

const std::string LISTING = test::DataPath("listxml_small.xml");

// Negated terms work as option values, split or joined with "=", and quotes are removed.
TEST(CliAppTest, FindValuesMayBeginWithNegation) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"count", "--input", LISTING, "--find", "-cloneof"},
                                               {"count", "--input", LISTING, "--find", "!cloneof"},
                                               {"count", "--input", LISTING, "--find=-cloneof"},
                                               {"count", "--input", LISTING, "--find", "!\"cloneof\""}}) {
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "4\n");
    }
}

// Each list type writes its writer's bytes; --window converts line ends; the count goes to stderr.
TEST(CliAppTest, ListTypes) {
    CliRun names = RunTool({"list", "--input", LISTING, "--type", "names", "--find", "(rotate=90 | rotate=270)"});
    EXPECT_EQ(names.status, 0);
    EXPECT_EQ(names.out, "puckman\npacman\ninvaders\n");
    EXPECT_EQ(names.err, "Found:3 matches\n");

    CliRun atomic = RunTool({"list", "--input", LISTING, "--type", "atomicfe", "--find", "name=cocktail", "--window"});
    EXPECT_EQ(atomic.out, "puckman.zip\r\npacman.zip\r\n");
    CliRun atomicFile = RunTool({"list", "--input", LISTING, "--type", "atomicfe", "--find", "name=cocktail"});
    EXPECT_EQ(atomicFile.out, "puckman\npacman\n");

    CliRun batch = RunTool({"list", "--input", LISTING, "--type", "batch", "--find", "sf2"});
    EXPECT_EQ(batch.out, "copy sf2.zip c:\\mame\\roms\n");
    CliRun customBatch =
        RunTool({"list", "--input", LISTING, "--type", "batch", "--find", "sf2", "--template", "-%ROM%-"});
    EXPECT_EQ(customBatch.out, "-sf2-\n");

    CliRun descriptions =
        RunTool({"list", "--input", LISTING, "--type", "descriptions", "--find", "name=sf2", "--window"});
    EXPECT_EQ(descriptions.out, "Street Fighter II - The World Warrior (World 910522)\r\n");

    CliRun csv =
        RunTool({"list", "--input", LISTING, "--type", "csv", "--columns", "<game name=,\"year\"", "--delimiter", ";"});
    EXPECT_EQ(csv.out, "puckman;1980\npacman;1980\nsf2;1991\ninvaders;1978\nufo;19??\n");
    EXPECT_EQ(csv.err, "Found:5 matches\n");

    CliRun xml = RunTool({"list", "--input", LISTING, "--type", "xml", "--find", "name=ufo"});
    EXPECT_EQ(xml.out.substr(xml.out.size() - 19), "\t</game>\n\r\n</mame>\n");
}

// --output replaces the file with the same bytes standard output would get; mala needs it.
TEST(CliAppTest, OutputFiles) {
    test::TemporaryFolder folder;
    std::string target = folder.Write("names.txt", "old content that is longer than the list");
    CliRun toFile = RunTool({"list", "--input", LISTING, "--type", "names", "--find", "!cloneof", "--output", target});
    CliRun toStdout = RunTool({"list", "--input", LISTING, "--type", "names", "--find", "!cloneof"});
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(test::ReadWholeFile(target), toStdout.out);

    std::string mala = (folder.Path() / "list.mlg").string();
    CliRun malaRun =
        RunTool({"list", "--input", LISTING, "--type", "mala", "--find", "=", "--title", "All", "--output", mala});
    EXPECT_EQ(malaRun.status, 0);
    EXPECT_EQ(malaRun.err, "Found:5 matches\n");
    EXPECT_EQ(test::ReadWholeFile(mala).substr(0, 5), std::string("\x01\x06\x03"
                                                                  "Al",
                                                                  5));
    EXPECT_EQ(RunTool({"list", "--input", LISTING, "--type", "mala", "--find", "="}).status, 2);

    CliRun unwritable = RunTool({"list", "--input", LISTING, "--type", "names", "--find", "=", "--output",
                                 (folder.Path() / "missing" / "x.txt").string()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("missing/x.txt"), std::string::npos);
}

// Input problems and empty commands end with the main window's messages and status 1.
TEST(CliAppTest, FailuresAndTheirMessages) {
    test::TemporaryFolder folder;
    CliRun noPath = RunTool({"count", "--input", "", "--find", "x"});
    EXPECT_EQ(noPath.status, 1);
    EXPECT_EQ(noPath.err, "Please hit the settings button to select an input file.\n");

    CliRun folderInput = RunTool({"count", "--input", folder.Path().string(), "--find", "x"});
    EXPECT_EQ(folderInput.err, "Open or Read error on input file!?\r\nCheck your settings.\n");

    CliRun junk = RunTool({"list", "--input", folder.Write("junk.xml", "<mame>\n"), "--type", "names", "--find", "x"});
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(junk.err, "Invalid input file.  Unable to locate MAME or controls.xml header!?\n");

    CliRun empty = RunTool({"list", "--input", LISTING, "--type", "names", "--find", ""});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "Error! Nothing to search for\n");
    EXPECT_EQ(RunTool({"list", "--input", LISTING, "--type", "csv"}).err, "Error! Nothing to search for\n");

    // Only double quotes is not empty: the run goes on with an empty command, which matches every game.
    CliRun quotes = RunTool({"count", "--input", LISTING, "--find", "\"\""});
    EXPECT_EQ(quotes.status, 0);
    EXPECT_EQ(quotes.out, "5\n");
}

// merge writes the merged file silently; its failures print the message and exit 1.
TEST(CliAppTest, Merge) {
    test::TemporaryFolder folder;
    std::string controls = test::DataPath("controls_small.xml");
    std::string catver = folder.Write("catver.ini", "[Category]\r\npuckman=Maze\r\n");
    std::string merged = (folder.Path() / "merged.xml").string();
    CliRun run =
        RunTool({"merge", "--listxml", LISTING, "--controls", controls, "--catver", catver, "--output", merged});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    CliRun count = RunTool({"count", "--input", merged, "--find", "<category>maze & mirrored="});
    EXPECT_EQ(count.out, "1\n");

    CliRun noListing = RunTool({"merge", "--listxml", (folder.Path() / "none.xml").string(), "--controls", controls,
                                "--catver", catver, "--output", merged});
    EXPECT_EQ(noListing.status, 1);
    EXPECT_EQ(noListing.err, "Error opening MAME's listxml file for reading!?\n");
    CliRun overSource =
        RunTool({"merge", "--listxml", LISTING, "--controls", controls, "--catver", catver, "--output", catver});
    EXPECT_EQ(overSource.status, 1);
    EXPECT_EQ(overSource.err, std::string(MergeResultMessage(MergeResult::OUTPUT_IS_A_SOURCE)) + "\n");
    std::string noFolder = (folder.Path() / "none" / "merged.xml").string();
    CliRun unwritable =
        RunTool({"merge", "--listxml", LISTING, "--controls", controls, "--catver", catver, "--output", noFolder});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "Error opening output file for write!?\nCannot write the output file " + noFolder + "\n");
}

// capture prints the listing's path: a chosen listing as it is; a failed capture exits 1.
TEST(CliAppTest, Capture) {
    CliRun chosen = RunTool({"capture", "--mame", LISTING});
    EXPECT_EQ(chosen.status, 0);
    EXPECT_EQ(chosen.out, LISTING + "\n");
    test::TemporaryFolder folder;
    CliRun missing = RunTool({"capture", "--mame", (folder.Path() / "mame.exe").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("MAME could not be started"), std::string::npos);
}

// Usage errors exit 2 with the help text; --help documents every type.
TEST(CliAppTest, UsageAndHelp) {
    CliRun badType = RunTool({"list", "--input", LISTING, "--type", "pdf", "--find", "x"});
    EXPECT_EQ(badType.status, 2);
    EXPECT_NE(badType.err.find("Usage"), std::string::npos);
    EXPECT_EQ(RunTool({}).status, 2);
    EXPECT_EQ(RunTool({"merge", "--listxml", "a", "--controls", "b", "--catver", "c"}).status, 2);
    EXPECT_EQ(RunTool({"capture"}).status, 2);

    CliRun help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* type : {"xml", "csv", "batch", "descriptions", "names", "mala", "atomicfe"}) {
        EXPECT_NE(help.out.find(std::string("--type ") + type), std::string::npos) << type;
    }
}

// --version needs no subcommand and names the version project() sets, as the package does.
TEST(CliAppTest, Version) {
    CliRun version = RunTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "pellaquin-cli " PELLAQUIN_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

} // namespace
} // namespace pellaquin
