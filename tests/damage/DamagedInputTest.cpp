#include "cli/CliRun.h"
#include "records/InputOpening.h"
#include "records/RecordReader.h"
#include "records/ScanCycle.h"
#include "records/TagVocabulary.h"
#include "search/CleanText.h"
#include "search/MatchGame.h"

#include "damage/DamageSupport.h"
#include "support/ScopedConditions.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include <fstream>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellaquin {
namespace {

using namespace std::literals;

// The messages for the file at `path`, which name it and what was found wrong with it.
std::string CannotRead(const std::string& path, std::string_view cause) {
    return "Open or Read error on input file!?\r\nCheck your settings.\r\n" + path + ": " + std::string(cause) + "\n";
}
std::string Unrecognised(const std::string& path) {
    return "Invalid input file.  Unable to locate MAME or controls.xml header!?\r\n" + path +
           ": not a listing of any known form\n";
}

constexpr std::string_view LISTING_HEAD = "<?xml version=\"1.0\"?>\n<mame build=\"0.104\">\n";

std::string Game(std::string_view name, std::string_view body = "\t\t<year>1980</year>\n") {
    return "\t<game name=\"" + std::string(name) + "\">\n" + std::string(body) + "\t</game>\n";
}

using test::CliRun;
using test::RunTool;

CliRun ListNames(const std::string& input) {
    return RunTool({"list", "--input", input, "--type", "names", "--find", "game"});
}

InputOpening Open(const std::string& path) {
    InputFile input;
    std::string header;
    return OpenRecognisedInput(path, input, header);
}

class DamagedInputTest : public ::testing::Test {
protected:
    test::TemporaryFolder m_folder;
};

// Files that hold no game list are refused with the input file's message and status 1, in the core,
// in RunCli and in the real binary.
TEST_F(DamagedInputTest, FilesWithoutAListAreRefused) {
    std::mt19937 random(8);
    std::string junk(1 << 16, '\0');
    for (char& byte : junk) {
        byte = static_cast<char>(random() % 4 == 0 ? 0 : random());
    }
    struct Case {
        std::string path;
        InputOpening opening;
        std::string message;
    };
    const std::string empty = m_folder.Write("empty.xml", "");
    const std::string folder = m_folder.Path().string();
    const std::string missing = (m_folder.Path() / "missing.xml").string();
    const std::string randomBytes = m_folder.Write("junk.bin", junk);
    const std::string nuls = m_folder.Write("nul.xml", std::string(1000, '\0'));
    const std::vector<Case> cases = {
        {empty, InputOpening::UNRECOGNISED, Unrecognised(empty)},
        {folder, InputOpening::CANNOT_READ, CannotRead(folder, "a folder")},
        {missing, InputOpening::CANNOT_READ, CannotRead(missing, "missing")},
        {randomBytes, InputOpening::UNRECOGNISED, Unrecognised(randomBytes)},
        {nuls, InputOpening::UNRECOGNISED, Unrecognised(nuls)},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.path);
        EXPECT_EQ(Open(each.path), each.opening);
        CliRun run = ListNames(each.path);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, each.message);
        test::BinaryRun binary = test::RunBinary({"count", "--input", each.path, "--find", "a"});
        EXPECT_TRUE(binary.exited);
        EXPECT_EQ(binary.status, 1);
        EXPECT_EQ(binary.err, each.message);
    }
}

// A file the user may not read is refused as unreadable, not taken for an empty or foreign one.
TEST_F(DamagedInputTest, UnreadableFileIsRefused) {
    std::string path = m_folder.Write("listing.xml", std::string(LISTING_HEAD) + Game("a"));
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    if (!test::CannotRead(path)) {
        GTEST_SKIP() << "the file stays readable to this user";
    }
    test::OrdinaryFileAccess access;
    EXPECT_EQ(Open(path), InputOpening::CANNOT_READ);
    CliRun run = ListNames(path);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, CannotRead(path, "unreadable"));
}

// NUL bytes are ordinary bytes: a record that holds them is read whole and its name kept as it is.
TEST_F(DamagedInputTest, NulBytesInsideAListing) {
    std::string path = m_folder.Write("nul.xml", "\0\0"s + std::string(LISTING_HEAD) +
                                                     Game("nu\0l"sv, "\t\t<year>19\0\0"
                                                                     "80</year>\n\0\0\0\n"sv) +
                                                     Game("b"));
    CliRun run = ListNames(path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "nu\0l\nb\n"s);
    EXPECT_EQ(run.err, "Found:2 matches\n");
}

// Bytes that are not UTF-8 pass through search and lists unchanged; a term made of them finds them.
TEST_F(DamagedInputTest, InvalidUtf8PassesThrough) {
    std::string path =
        m_folder.Write("latin1.xml", std::string(LISTING_HEAD) +
                                         Game("caf\xe9", "\t\t<description>\xff\xfe\xc3(</description>\n") + Game("b"));
    CliRun names = RunTool({"list", "--input", path, "--type", "descriptions", "--find", "\xfe\xc3("});
    EXPECT_EQ(names.status, 0);
    EXPECT_EQ(names.out, "\xff\xfe\xc3(\n");
    CliRun csv = RunTool({"list", "--input", path, "--type", "csv", "--columns", "<game name=,<description>"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out, "caf\xe9,\xff\xfe\xc3(\nb,\n");
}

// A record cut off by the end of the file is still offered once, with what it holds; one cut inside
// its start tag is no record at all.
TEST_F(DamagedInputTest, RecordCutOffAtTheEndOfTheFile) {
    std::string whole = std::string(LISTING_HEAD) + Game("a");
    CliRun cutInBody = ListNames(m_folder.Write("body.xml", whole + "\t<game name=\"b\">\n\t\t<descrip"));
    EXPECT_EQ(cutInBody.status, 0);
    EXPECT_EQ(cutInBody.out, "a\nb\n");
    CliRun cutInTag = ListNames(m_folder.Write("tag.xml", whole + "\t<game na"));
    EXPECT_EQ(cutInTag.status, 0);
    EXPECT_EQ(cutInTag.out, "a\n");
    CliRun cutInName = ListNames(m_folder.Write("name.xml", whole + "\t<game name=\"b"));
    EXPECT_EQ(cutInName.status, 0);
    EXPECT_EQ(cutInName.out, "a\n\n");
}

const std::vector<std::string> EXPORT_TYPES = {"attract", "emulationstation", "retroarch", "pegasus", "dat",
                                               "table",   "mame-ini"};

// Every export of a listing with a set without a name, a ROM without size, bytes that are not UTF-8
// and a last record cut inside an attribute writes clean text its format's reader takes, keeping
// what the cut record holds; a set without a name is no game for a front-end or a ROM manager.
TEST_F(DamagedInputTest, ExportsOfDamagedRecords) {
    std::string path = m_folder.Write(
        "damaged.xml", std::string(LISTING_HEAD) +
                           Game("a", "\t\t<description>\xff</description>\n"
                                     "\t\t<rom name=\"r\" crc=\"1\"/>\n") +
                           "\t<game name=\"\">\n\t\t<year>1990</year>\n\t</game>\n" +
                           "\t<game name=\"cut\">\n\t\t<year>1991</year>\n\t\t<rom name=\"x\" size=\"1\" crc=\"ab");
    for (const std::string& type : EXPORT_TYPES) {
        SCOPED_TRACE(type);
        CliRun run = RunTool({"list", "--input", path, "--type", type, "--find", "="});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(IsCleanText(run.out));
        EXPECT_NE(run.out.find("cut"), std::string::npos);
        bool everySet = type == "table" || type == "mame-ini";
        EXPECT_TRUE(run.err.starts_with(everySet ? "Found:3 matches\n" : "Found:2 matches\n")) << run.err;
        pugi::xml_document document;
        if (type == "retroarch") {
            EXPECT_EQ(nlohmann::json::parse(run.out)["items"].size(), 2u);
        } else if (type == "emulationstation" || type == "dat") {
            EXPECT_TRUE(document.load_string(run.out.c_str()));
        }
        if (type == "dat") {
            EXPECT_EQ(run.out.find("<rom name=\"r\""), std::string::npos);
            EXPECT_NE(run.out.find("<rom name=\"x\" size=\"1\" crc=\"ab\"/>"), std::string::npos);
        }
    }
}

// A first game line of 10 KB is kept whole in the record, whether the tag opens it or ends it.
TEST_F(DamagedInputTest, LongFirstGameLine) {
    std::string attributes(10 * 1024, 'x');
    std::string tagFirst = std::string(LISTING_HEAD) + "\t<game name=\"long\" notes=\"" + attributes +
                           " findme\">\n\t\t<year>1999</year>\n\t</game>\n" + Game("b");
    CliRun first = RunTool(
        {"list", "--input", m_folder.Write("first.xml", tagFirst), "--type", "names", "--find", "findme & year>1999"});
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, "long\n");

    // Detection goes back to the piece that holds the tag, so the tag must not straddle two pieces.
    std::string padding(InputFile::MAX_PIECE * 50, ' ');
    std::string tagLast = std::string(LISTING_HEAD) + padding + "<game name=\"late\">\n\t</game>\n" + Game("b");
    CliRun last = ListNames(m_folder.Write("last.xml", tagLast));
    EXPECT_EQ(last.status, 0);
    EXPECT_EQ(last.out, "late\nb\n");
}

// One 50 MB line. Without a game in it, it is refused; as a listing written on one line, whose games
// would be read into each other, it is refused with a word on how to write it game by game, quickly
// and with memory far below the file's size.
TEST_F(DamagedInputTest, FiftyMegabyteLine) {
    constexpr std::size_t SIZE = 50u << 20;
    std::string junkPath = (m_folder.Path() / "junk.xml").string();
    std::string listingPath = (m_folder.Path() / "oneline.xml").string();
    {
        // Written in parts, so this process never holds the file: its peak would count as the child's.
        std::ofstream junk(junkPath, std::ios::binary);
        std::ofstream listing(listingPath, std::ios::binary);
        listing << LISTING_HEAD.substr(0, LISTING_HEAD.size() - 1);
        std::string part(1 << 20, 'j');
        std::size_t written = 0;
        for (int game = 0; written < SIZE; ++game) {
            std::string text = "<game name=\"g" + std::to_string(game) + "\"><year>1980</year></game>";
            listing << text;
            written += text.size();
        }
        listing << "</mame>";
        for (std::size_t i = 0; i < SIZE / part.size(); ++i) {
            junk << part;
        }
    }
    test::BinaryRun junk = test::RunBinary({"count", "--input", junkPath, "--find", "a"});
    EXPECT_TRUE(junk.exited);
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(junk.err, Unrecognised(junkPath));

    for (const char* type : {"names", "dat", "retroarch"}) {
        std::string output = (m_folder.Path() / type).string();
        test::BinaryRun listing = test::RunBinary(
            {"list", "--input", listingPath, "--type", type, "--find", "year>1980", "--output", output});
        EXPECT_TRUE(listing.exited);
        EXPECT_EQ(listing.status, 1);
        EXPECT_EQ(listing.err, std::string(SHARED_LINES_MESSAGE) + "\n") << type;
        EXPECT_FALSE(std::filesystem::exists(output));
#if !defined(__SANITIZE_ADDRESS__)
        // The sanitizers hold freed memory back on purpose, so the bound holds for the plain build only.
        EXPECT_LT(listing.peakKilobytes, 32 * 1024);
#endif
    }
}

// Positions past 4 GB: a game after a 4.5 GB gap is found, its start is remembered as it stands, and
// reading it again from there gives it back.
TEST_F(DamagedInputTest, FileOverFourGigabytes) {
    constexpr std::int64_t GAP_END = 4608ll << 20;
    std::string head = std::string(LISTING_HEAD) + Game("first") + "\n";
    std::string path = m_folder.Write("huge.xml", head);
    std::string late = "\n" + Game("late") + "</mame>\n";
    {
        int descriptor = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(descriptor, 0);
        ASSERT_EQ(::ftruncate(descriptor, GAP_END), 0);
        ASSERT_EQ(::pwrite(descriptor, late.data(), late.size(), GAP_END - 1), static_cast<ssize_t>(late.size()));
        ::close(descriptor);
    }

    InputFile input;
    ASSERT_EQ(input.Open(path), InputFile::OpenResult::OK);
    EXPECT_EQ(input.Size(), GAP_END - 1 + static_cast<std::int64_t>(late.size()));
    RecordReader reader;
    ScanCycle scan(input, reader);
    std::string header;
    ASSERT_TRUE(scan.Start(header));
    std::string record;
    ASSERT_TRUE(scan.Next(record));
    ASSERT_TRUE(scan.Next(record));
    EXPECT_EQ(record, "\t<game name=\"late\">\n\t\t<year>1980</year>\n\t</game>\n");
    EXPECT_EQ(reader.m_lastStartPosition, GAP_END);
    EXPECT_EQ(input.Tell(), GAP_END + static_cast<std::int64_t>(record.size()));

    reader.m_positions[0] = reader.m_lastStartPosition;
    reader.m_currentIndex = 0;
    std::string again;
    EXPECT_TRUE(reader.RereadGameRecord(input, again, TagVocabulary::GameStartTag(FORMAT_LISTXML)));
    EXPECT_EQ(again, record);

    CliRun run = ListNames(path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "first\nlate\n");
}

} // namespace
} // namespace pellaquin
