#include "cli/CliApp.h"
#include "cli/CliRun.h"
#include "data/MergeUtility.h"
#include "records/InputOpening.h"
#include "settings/StoredSettings.h"

#include "support/ScopedConditions.h"
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

// Each option reaches the list: its type, the command or column list, the delimiter, the template and
// the window's line ends; the count goes to standard error.
TEST(CliAppTest, OptionsMakeTheRequest) {
    CliRun names = RunTool({"list", "--input", LISTING, "--type", "names", "--find", "(rotate=90 | rotate=270)"});
    EXPECT_EQ(names.status, 0);
    EXPECT_EQ(names.out, "puckman\npacman\ninvaders\n");
    EXPECT_EQ(names.err, "Found:3 matches\n");

    const std::pair<std::vector<std::string>, std::string> lists[] = {
        {{"--type", "atomicfe", "--find", "name=cocktail", "--window"}, "puckman.zip\r\npacman.zip\r\n"},
        {{"--type", "batch", "--find", "sf2"}, "cp sf2.zip ~/roms/\n"},
        {{"--type", "batch", "--find", "sf2", "--template", "-%ROM%-"}, "-sf2-\n"},
        {{"--type", "descriptions", "--find", "name=sf2"}, "Street Fighter II - The World Warrior (World 910522)\n"},
        {{"--type", "csv", "--columns", "<game name=,\"year\"", "--delimiter", ";"},
         "puckman;1980\npacman;1980\nsf2;1991\ninvaders;1978\nufo;19??\n"},
    };
    for (const auto& [options, expected] : lists) {
        std::vector<std::string> args = {"list", "--input", LISTING};
        args.insert(args.end(), options.begin(), options.end());
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 0) << options[1];
        EXPECT_EQ(run.out, expected) << options[1];
    }
    EXPECT_TRUE(
        RunTool({"list", "--input", LISTING, "--type", "xml", "--find", "name=ufo"}).out.ends_with("</mame>\n"));
}

// The wizard's boxes and the set steps choose the games of a list or a count; with --find both must
// hold, and --verbose says the command composed.
TEST(CliAppTest, WizardAndSetSteps) {
    CliRun both = RunTool(
        {"count", "--input", LISTING, "--wizard", "vertical,no-clones", "--find", "<year>1980 | sf2", "--verbose"});
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(both.out, "1\n");
    EXPECT_EQ(both.err, "Command: (rotate=90 | rotate=270) & !cloneof & (<year>1980 | sf2)\n");
    CliRun wizardOnly = RunTool({"list", "--input", LISTING, "--type", "names", "--wizard", "joy4,playable"});
    EXPECT_EQ(wizardOnly.out, "puckman\npacman\n");

    test::TemporaryFolder folder;
    folder.Write("pacman.zip", "");
    folder.Write("ufo.7z", "");
    CliRun available = RunTool({"list", "--input", LISTING, "--type", "names", "--find", "=", "--available",
                                folder.Path().string(), "--one-per-title", "--prefer", "Midway"});
    EXPECT_EQ(available.out, "pacman\nufo\n");
    EXPECT_EQ(available.err, "Found:2 matches\n");

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"count", "--input", LISTING, "--wizard", "joy3"}, "\"joy3\" is none of"},
        {{"count", "--input", LISTING, "--find", "=", "--added-since", "newest"}, "\"newest\" is no MAME version"},
        {{"list", "--input", LISTING, "--type", "csv", "--columns", "year", "--wizard", "joy4"}, "--type table"},
        {{"list", "--input", LISTING, "--type", "csv", "--columns", "year", "--find", "sf2"}, "--type table"},
    };
    for (const auto& [args, said] : refused) {
        CliRun run = RunTool(args);
        EXPECT_EQ(run.status, 2) << said;
        EXPECT_EQ(run.out, "") << said;
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }
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
}

// Input problems and empty commands end with the main window's messages and status 1.
TEST(CliAppTest, FailuresAndTheirMessages) {
    CliRun noPath = RunTool({"count", "--input", "", "--find", "x"});
    EXPECT_EQ(noPath.status, 1);
    EXPECT_EQ(noPath.err, "Please hit the settings button to select an input file.\n");

    CliRun empty = RunTool({"list", "--input", LISTING, "--type", "names", "--find", ""});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "Error! Nothing to search for\n");
    EXPECT_EQ(RunTool({"list", "--input", LISTING, "--type", "csv"}).err, "Error! Nothing to search for\n");
}

// Without --input, list and count take the window's input file and say which; with none stored, or a
// settings file that cannot be read (said with its line), they name --input and end with a usage error.
TEST(CliAppTest, StoredInput) {
    test::TemporaryFolder folder;
    test::ScopedEnvironment config("XDG_CONFIG_HOME", folder.Path().string());
    CliRun none = RunTool({"count", "--find", "="});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("--input"), std::string::npos);
    ASSERT_TRUE(SaveStoredSettings({LISTING}));
    CliRun stored = RunTool({"list", "--type", "names", "--find", "sf2"});
    EXPECT_EQ(stored.status, 0);
    EXPECT_EQ(stored.out, "sf2\n");
    EXPECT_EQ(stored.err, "Input: " + LISTING + "\nFound:1 matches\n");

    std::string file = folder.Write("pellaquin/pellaquin.conf", "[General]\ninputXMLFile=\"" + LISTING + "\n");
    CliRun damaged = RunTool({"count", "--find", "="});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_TRUE(damaged.err.starts_with("The settings cannot be read: " + file +
                                        ", line 2: inputXMLFile: a quoted value has no closing quote\n"))
        << damaged.err;
}

// The exports take their options; standard error says what front-end lists left out and when text was
// replaced; a DAT of controls.xml fails with its message.
TEST(CliAppTest, Exports) {
    const std::string exports = test::DataPath("exports_small.xml");
    CliRun ini = RunTool({"list", "--input", exports, "--type", "mame-ini", "--find", "isbios", "--title", "B"});
    EXPECT_EQ(ini.status, 0);
    EXPECT_TRUE(ini.out.ends_with("\r\n[B]\r\nneobios\r\n")) << ini.out;
    EXPECT_EQ(ini.err, "Found:1 matches\n");

    CliRun table = RunTool({"list", "--input", exports, "--type", "table", "--find", "sampleof", "--fields",
                            "name,romof", "--delimiter", "\t"});
    EXPECT_EQ(table.out, "name\tromof\r\nfighterj\tfighter\r\n");

    CliRun pegasus = RunTool({"list", "--input", exports, "--type", "pegasus", "--find", "neogeo/", "--rom-folder",
                              "C:\\roms", "--rom-extension", ".7z", "--launch", "-x {file.path}"});
    EXPECT_EQ(pegasus.status, 0);
    EXPECT_NE(pegasus.out.find("launch: -x {file.path}\n"), std::string::npos);
    EXPECT_NE(pegasus.out.find("file: C:\\roms\\fighterj.7z\n"), std::string::npos);
    EXPECT_EQ(pegasus.err, "Found:2 matches\nLeft out 1 BIOS sets and devices no front-end starts\n");

    test::TemporaryFolder folder;
    std::string latin1 = folder.Write("latin1.xml", "<mame>\n<machine name=\"caf\xe9\">\n</machine>\n</mame>\n");
    CliRun replaced = RunTool({"list", "--input", latin1, "--type", "attract", "--find", "=", "--emulator", "m"});
    EXPECT_EQ(replaced.out.substr(replaced.out.find('\n') + 1), "caf\uFFFD;caf\uFFFD;m;;;;;;;;;0;;;;;;;;;\n");
    EXPECT_EQ(replaced.err, "Found:1 matches\nSome text was not UTF-8: it was replaced by U+FFFD\n");

    CliRun controls =
        RunTool({"list", "--input", test::DataPath("controls_small.xml"), "--type", "dat", "--find", "="});
    EXPECT_EQ(controls.status, 1);
    EXPECT_EQ(controls.err, "controls.xml holds no ROMs: make the DAT from MAME's listing or a merged file\n");
}

// A blank collection ends with a usage error that says why; an extension without its dot gets one.
TEST(CliAppTest, ExportOptionEdges) {
    const std::string exports = test::DataPath("exports_small.xml");
    CliRun blank = RunTool({"list", "--input", exports, "--type", "pegasus", "--find", "=", "--collection", ""});
    EXPECT_EQ(blank.status, 2);
    EXPECT_EQ(blank.out, "");
    EXPECT_NE(blank.err.find("collection"), std::string::npos) << blank.err;
    CliRun zip = RunTool(
        {"list", "--input", exports, "--type", "emulationstation", "--find", "name=fighter", "--rom-extension", "zip"});
    EXPECT_NE(zip.out.find("<path>./fighter.zip</path>"), std::string::npos) << zip.out;
}

// merge writes the merged file silently; its failures print the message and exit 1 (the unwritable
// places are NothingLostTest's).
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
    EXPECT_EQ(noListing.err, "Error opening MAME's listxml file for reading!?\r\n" +
                                 (folder.Path() / "none.xml").string() + ": missing\n");
    CliRun overSource =
        RunTool({"merge", "--listxml", LISTING, "--controls", controls, "--catver", catver, "--output", catver});
    EXPECT_EQ(overSource.status, 1);
    EXPECT_EQ(overSource.err, std::string(MergeResultMessage(MergeResult::OUTPUT_IS_A_SOURCE)) + "\n");

    // A listing without a game makes no file, and says so.
    std::string empty = folder.Write("empty.xml", "");
    CliRun noGames =
        RunTool({"merge", "--listxml", empty, "--controls", controls, "--catver", catver, "--output", merged});
    EXPECT_EQ(noGames.status, 1);
    EXPECT_EQ(noGames.err, std::string(MergeResultMessage(MergeResult::LISTING_HOLDS_NO_GAMES)) + "\r\n" + empty +
                               ": not a listing of any known form\n");
    EXPECT_EQ(RunTool({"count", "--input", merged, "--find", "<category>maze & mirrored="}).out, "1\n");
}

// A listing whose games share lines, as one with its line breaks taken out, is refused with a word on the
// form to use: at its start, and found part-way.
TEST(CliAppTest, GamesSharingLines) {
    test::TemporaryFolder folder;
    std::string listing = test::ReadWholeFile(LISTING);
    std::string joined = listing;
    std::erase(joined, '\n');
    std::string partWay = listing;
    partWay.replace(partWay.rfind("</game>\n"), 8, "</game><game name=\"late\"></game>\n");
    for (const std::string& bytes : {joined, partWay}) {
        CliRun run = RunTool({"count", "--input", folder.Write("shared.xml", bytes), "--find", "="});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string(SHARED_LINES_MESSAGE) + "\n");
    }
}

// merge takes nplayers.ini and any number of data files; each one it cannot read is named on a line
// of its own, and the merge goes on without it.
TEST(CliAppTest, MergeDataFiles) {
    test::TemporaryFolder folder;
    std::string merged = (folder.Path() / "merged.xml").string();
    std::string none = (folder.Path() / "none.ini").string();
    CliRun run =
        RunTool({"merge", "--listxml", LISTING, "--controls", "", "--catver",
                 folder.Write("catver.ini", "[VerAdded]\r\npuckman=0.251\r\n"), "--nplayers", none, "--ini",
                 folder.Write("bestgames.ini", "[90 to 100 (Best Games)]\r\nsf2\r\n"), "--ini", folder.Path().string(),
                 "--ini", folder.Write("languages.ini", "[Japanese]\nsf2\npuckman\n"), "--output", merged});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, MergeLeftOutMessage(none) + "\n" + MergeLeftOutMessage(folder.Path().string()) + "\n");
    EXPECT_EQ(RunTool({"count", "--input", merged, "--find", "<bestgames>90_to & <languages>japanese"}).out, "1\n");
    EXPECT_EQ(RunTool({"count", "--input", merged, "--find", "<languages>japanese & veradded>0.25"}).out, "1\n");
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
    for (const char* type : {"xml", "csv", "batch", "descriptions", "names", "mala", "atomicfe", "attract",
                             "emulationstation", "retroarch", "pegasus", "dat", "table", "mame-ini"}) {
        EXPECT_NE(help.out.find(std::string("--type ") + type), std::string::npos) << type;
    }
}

} // namespace
} // namespace pellaquin
