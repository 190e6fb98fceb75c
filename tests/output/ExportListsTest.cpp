#include "output/ExportOptionsCheck.h"
#include "output/ExportText.h"
#include "output/WriterFixture.h"
#include "search/CleanText.h"

#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include <sstream>

namespace pellaquin {
namespace {

struct GoldenCase {
    ListType type;
    const char* find;
    void (*adjust)(ExportOptions&);
    const char* expected; // a file in tests/data/exports
    std::int32_t found;
    std::int32_t leftOut;
};

class ExportGoldenTest : public test::WriterFixture, public ::testing::WithParamInterface<GoldenCase> {};

// Each export of the hand-made listing (a title with ";" and '"', entities, a clone, a BIOS parent, a
// device with ROMs and one without, a nodump ROM, a CHD, a year "198?", two players with different
// controls), byte for byte, whatever the window's line ends; front-end lists count what they leave out.
TEST_P(ExportGoldenTest, WritesTheFormatExactly) {
    const GoldenCase& golden = GetParam();
    OpenData("exports_small.xml");
    m_request.windowLineEnds = true;
    golden.adjust(m_request.exports);
    EXPECT_EQ(List(golden.type, golden.find), test::ReadWholeFile(test::DataPath("exports/") + golden.expected));
    EXPECT_EQ(m_result.status, ListStatus::DONE);
    EXPECT_EQ(m_result.matchCount, golden.found);
    EXPECT_EQ(m_result.leftOut, golden.leftOut);
    EXPECT_FALSE(m_result.replacedText);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ExportGoldenTest,
    ::testing::Values(GoldenCase{ListType::ATTRACT, "=", [](ExportOptions&) {}, "small.attract.txt", 3, 3},
                      GoldenCase{ListType::EMULATIONSTATION, "=", [](ExportOptions&) {}, "small.gamelist.xml", 3, 3},
                      GoldenCase{ListType::RETROARCH, "=",
                                 [](ExportOptions& o) {
                                     o.romFolder = "/roms";
                                     o.corePath = "/cores/mame_libretro.so";
                                     o.coreName = "MAME";
                                 },
                                 "small.lpl", 3, 3},
                      GoldenCase{ListType::PEGASUS, "=", [](ExportOptions& o) { o.collection = "Arcade"; },
                                 "small.pegasus.txt", 3, 3},
                      // The clone brings its parent and the parent's BIOS; the other game its device with ROMs.
                      // By default as MAME lists them, with isdevice, device_refs and BIOS-choice ROMs;
                      // strict, in the form the Logiqx DTD validates.
                      GoldenCase{ListType::DAT, "name=fighterj | name=quoted",
                                 [](ExportOptions& o) { o.datName = "Two & more"; }, "small.mame.dat", 5, 0},
                      GoldenCase{ListType::DAT, "name=fighterj | name=quoted",
                                 [](ExportOptions& o) {
                                     o.datName = "Two & more";
                                     o.datStrict = true;
                                 },
                                 "small.dat", 5, 0},
                      GoldenCase{ListType::TABLE, "=", [](ExportOptions& o) { o.tableDelimiter = ";"; },
                                 "small.table.csv", 6, 0},
                      GoldenCase{ListType::MAME_INI, "!isdevice", [](ExportOptions& o) { o.folderTitle = "Mine [1]"; },
                                 "small.mame.ini", 4, 0}));

// Attract-Mode's reading of a romlist line: fields end at ";", one that begins with a quote runs to
// the next quote not after a backslash, "\"" is a quote, blanks around a field are dropped.
std::vector<std::string> SplitRomlistLine(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t at = 0;;) {
        at = std::min(line.find_first_not_of(" \t\r", at), line.size());
        std::string field;
        std::size_t end = line.find(';', at);
        if (at < line.size() && line[at] == '"') {
            std::size_t close = at + 1;
            while (close < line.size() && (line[close] != '"' || line[close - 1] == '\\')) {
                ++close;
            }
            field = line.substr(at + 1, close - at - 1);
            for (std::size_t quote = field.find("\\\""); quote != std::string::npos;
                 quote = field.find("\\\"", quote)) {
                field.erase(quote, 1);
                ++quote;
            }
            end = line.find(';', close);
        } else {
            field = line.substr(at, end - at);
        }
        field.erase(std::min(field.find_last_not_of(" \t\r") + 1, field.size()));
        fields.push_back(field);
        if (end == std::string_view::npos) {
            return fields;
        }
        at = end + 1;
    }
}

// RFC 4180: fields in quotes may hold the delimiter, quotes (doubled) and line ends; rows end in CR LF.
std::vector<std::vector<std::string>> ReadCsv(std::string_view text, char delimiter) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        char c = text[at];
        if (quoted) {
            if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                field.push_back(c);
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                field.push_back(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == delimiter || c == '\r') {
            rows.back().push_back(std::move(field));
            field.clear();
            if (c == '\r') {
                ++at; // its LF
                rows.emplace_back();
            }
        } else {
            field.push_back(c);
        }
    }
    rows.pop_back();
    return rows;
}

using ExportReadBackTest = test::WriterFixture;

const std::string QUOTED_TITLE = "\"Hi; there\" Quiz & Go";

// A list without its first line.
std::string AfterHeader(const std::string& list) {
    return list.substr(list.find('\n') + 1);
}

// Each list reads back with a reader of its format, giving the listing's text decoded.
TEST_F(ExportReadBackTest, RealReadersReadTheLists) {
    OpenData("exports_small.xml");
    nlohmann::ordered_json playlist = nlohmann::ordered_json::parse(List(ListType::RETROARCH, "="));
    EXPECT_EQ(playlist["version"], "1.5");
    ASSERT_EQ(playlist["items"].size(), 3u);
    EXPECT_EQ(playlist["items"][0]["label"], QUOTED_TITLE);
    std::vector<std::string> keys;
    for (const auto& [key, value] : playlist["items"][1].items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"path", "label", "core_path", "core_name", "crc32", "db_name"}));
    EXPECT_EQ(nlohmann::json::parse(List(ListType::RETROARCH, "no such game"))["items"].size(), 0u);

    std::string gamelist = List(ListType::EMULATIONSTATION, "=");
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(gamelist.c_str()));
    EXPECT_EQ(std::string(document.child("gameList").child("game").child_value("name")), QUOTED_TITLE);
    EXPECT_EQ(std::string(document.child("gameList").child("game").child_value("developer")), "Ace & <Co>");

    std::string romlist = List(ListType::ATTRACT, "=");
    std::string line = AfterHeader(romlist);
    std::vector<std::string> fields = SplitRomlistLine(line.substr(0, line.find('\n')));
    ASSERT_EQ(fields.size(), 21u);
    EXPECT_EQ(fields[1], QUOTED_TITLE);
    EXPECT_EQ(fields[9], "joystick (8-way),trackball");

    m_request.exports.fields = "description,, manufacturer , ,controls";
    std::vector<std::vector<std::string>> rows = ReadCsv(List(ListType::TABLE, "name=quoted"), ',');
    EXPECT_EQ(rows,
              (std::vector<std::vector<std::string>>{{"description", "manufacturer", "controls"},
                                                     {QUOTED_TITLE, "Ace & <Co>", "joystick (8-way),trackball"}}));
}

// Fields that would break a line or a quote come back whole.
TEST(ExportFieldTextTest, RomlistFieldsRoundTrip) {
    for (std::string_view text : {"a;b", "\"starts", "ends\\", "x;\\\"y\\", " padded ", "two\nlines"}) {
        std::string line = "n;";
        AppendAttractField(line, text);
        line.append(";z");
        std::vector<std::string> fields = SplitRomlistLine(line);
        ASSERT_EQ(fields.size(), 3u) << line;
        std::string expected(text == "two\nlines" ? "two lines" : text == " padded " ? "padded" : text);
        EXPECT_EQ(fields[1], expected) << line;
        EXPECT_EQ(fields[2], "z") << line;
    }
}

// A merged file gives the nplayers value, the category (an "&" left raw by the merge), its elements as
// table columns and the build its banner comes before to the DAT; controls.xml gives what it holds and
// no DAT.
TEST_F(ExportReadBackTest, MergedFilesAndControls) {
    OpenData("exports_merged.xml");
    EXPECT_NE(List(ListType::DAT, "name=astrob").find("<version>0.104</version>"), std::string::npos);
    EXPECT_EQ(AfterHeader(List(ListType::ATTRACT, "name=astrob")),
              "astrob;Astro Blaster (version 3);mame;;1981;Sega;Ball & Paddle / Breakout;2P sim;270;"
              "joystick (vertical2-way);good;1;raster;;;;3;;;;\n");
    m_request.exports.fields = "name, players ,ways,nplayers,veradded,bestgames,display,unknown";
    EXPECT_EQ(List(ListType::TABLE, "="), "name,players,ways,nplayers,veradded,bestgames,display,unknown\r\n"
                                          "astrob,2,2,2P sim,0.30,70 to 80 (Good),raster,\r\n"
                                          "spacefev,,2,,,,raster,\r\n");

    OpenData("controls_small.xml");
    EXPECT_EQ(List(ListType::DAT, "="), "");
    EXPECT_EQ(m_result.status, ListStatus::INPUT_HOLDS_NO_ROMS);
    EXPECT_EQ(AfterHeader(List(ListType::ATTRACT, "romname=sf2")),
              "sf2;Street Fighter II: The World Warrior;mame;;;;;2;;joystick (8-way);;;;;;;6;;;;\n");
}

// Bytes that are not UTF-8 never make a list a reader refuses; the result says they were replaced.
TEST_F(ExportReadBackTest, TextThatIsNotUtf8IsReplaced) {
    OpenBytes("<mame build=\"\xff\">\n<machine name=\"caf\xe9\">\n<description>Caf\xe9 \x01</description>\n"
              "<rom name=\"\xfe\" size=\"1\"/>\n</machine>\n</mame>\n");
    EXPECT_EQ(nlohmann::json::parse(List(ListType::RETROARCH, "="))["items"][0]["label"], "Caf\uFFFD \uFFFD");
    EXPECT_TRUE(m_result.replacedText);
    for (ListType type : {ListType::EMULATIONSTATION, ListType::DAT}) {
        std::string list = List(type, "=");
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(list.c_str()));
        EXPECT_TRUE(IsCleanText(list));
        EXPECT_NE(list.find("caf\uFFFD"), std::string::npos);
        EXPECT_TRUE(m_result.replacedText);
    }
}

// One entry of a list as its reader shows it; what a reader does not take stays empty.
struct Shown {
    std::string title, path{}, developer{}, genre{}, players{}, year{};
};

std::vector<Shown> ReadRomlist(const std::string& list) {
    std::vector<Shown> shown;
    std::istringstream lines(AfterHeader(list));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields = SplitRomlistLine(line);
        shown.push_back({fields.at(1), "", fields.at(5), fields.at(6), fields.at(7), fields.at(4)});
    }
    return shown;
}

std::vector<Shown> ReadGamelist(const std::string& list) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(list.c_str()));
    std::vector<Shown> shown;
    for (pugi::xml_node game : document.child("gameList").children("game")) {
        shown.push_back({game.child_value("name"), game.child_value("path"), game.child_value("developer"),
                         game.child_value("genre"), game.child_value("players"),
                         std::string(game.child_value("releasedate")).substr(0, 4)});
    }
    return shown;
}

std::vector<Shown> ReadPlaylist(const std::string& list) {
    std::vector<Shown> shown;
    nlohmann::json playlist = nlohmann::json::parse(list);
    for (const auto& item : playlist["items"]) {
        shown.push_back({item.value("label", ""), item["path"]});
    }
    return shown;
}

// Pegasus: a game joins the collections named before it; a key goes to the last "game:" before it,
// whatever blank lines part them; "key: value" splits at the first colon.
std::vector<Shown> ReadMetafile(const std::string& list) {
    std::vector<Shown> shown;
    bool inCollection = false;
    std::istringstream lines(list);
    for (std::string line, other; std::getline(lines, line);) {
        std::string key = line.substr(0, line.find(':'));
        std::string value = line.substr(std::min(key.size() + 2, line.size()));
        if (key == "collection") {
            inCollection = !value.empty();
        } else if (key == "game" && inCollection) {
            shown.push_back({value});
        } else if (!shown.empty()) {
            Shown& game = shown.back();
            (key == "file"        ? game.path
             : key == "developer" ? game.developer
             : key == "genre"     ? game.genre
             : key == "players"   ? game.players
             : key == "release"   ? game.year
                                  : other) = value;
        }
    }
    return shown;
}

// MAME's UI: the sets of the folder after [ROOT_FOLDER], a line each; it hangs on a file holding a byte
// beyond ASCII without a byte order mark, and keeps its own two folder names.
std::vector<Shown> ReadFolderIni(const std::string& list) {
    EXPECT_EQ(std::any_of(list.begin(), list.end(), [](char c) { return c & 0x80; }), list.starts_with("\xEF\xBB\xBF"));
    std::istringstream lines(list.substr(list.find("\r\n[", list.find("[ROOT_FOLDER]")) + 2));
    std::vector<Shown> shown;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(line != "[ROOT_FOLDER]\r" && line != "[FOLDER_SETTINGS]\r");
        shown.push_back({line.substr(0, line.size() - 1)});
    }
    shown.erase(shown.begin());
    return shown;
}

struct EdgeCase {
    const char* what;
    std::string machines; // records of a merged file
    // Of each set the front-ends start, in file order: its name, the title, the genre and the year shown.
    std::vector<std::array<const char*, 4>> shown;
    void (*adjust)(ExportOptions&) = [](ExportOptions&) {};
    std::vector<ListType> refusedBy{};
};

const std::string NEXT = "<machine name=\"next\"><description>Next</description><year>1990</year></machine>\n";

const EdgeCase EDGES[] = {
    {"a description of one line end",
     "<machine name=\"blank\"><description>\n</description></machine>\n" + NEXT,
     {{"blank", "blank", "", ""}, {"next", "Next", "", "1990"}}},
    {"no players, an unknown maker",
     "<machine name=\"dev\"><description>Dev</description><manufacturer>&lt;unknown&gt;</manufacturer>"
     "<input players=\"0\"/></machine>\n",
     {{"dev", "Dev", "", ""}}},
    {"a clone before its parent, without a category of its own",
     "<machine name=\"pacu\" cloneof=\"pac\"><description>Pac (US)</description></machine>\n"
     "<machine name=\"pac\"><description>Pac</description><category>Maze</category></machine>\n",
     {{"pacu", "Pac (US)", "Maze", ""}, {"pac", "Pac", "Maze", ""}}},
    {"an extension without its dot, a folder named beyond ASCII",
     NEXT,
     {{"next", "Next", "", "1990"}},
     [](ExportOptions& o) {
         o.romExtension = "zip";
         o.folderTitle = "\xC3\x9Cn\xC3\xAF";
     }},
    {"a blank collection, a folder named as MAME's own",
     NEXT,
     {{"next", "Next", "", "1990"}},
     [](ExportOptions& o) {
         o.collection = " \t";
         o.folderTitle = "ROOT_FOLDER";
     },
     {ListType::PEGASUS, ListType::MAME_INI}},
};

class ExportEdgeTest : public test::WriterFixture, public ::testing::WithParamInterface<EdgeCase> {};

// Each edge through every front-end's list, read back as the front-end reads it: every set shows with a
// title, its year, a path with the extension's dot and its parent's category; ES-DE and Pegasus show no
// "0" players nor "<unknown>" maker; options their reader would lose the list over are refused.
TEST_P(ExportEdgeTest, FrontEndsShowEverySet) {
    const EdgeCase& edge = GetParam();
    OpenBytes("<?xml version=\"1.0\"?>\n<!-- This file generated by Pellaquin -->\n<mame build=\"0.251\">\n" +
              edge.machines + "</mame>\n");
    edge.adjust(m_request.exports);
    const std::pair<ListType, std::vector<Shown> (*)(const std::string&)> readers[] = {
        {ListType::ATTRACT, ReadRomlist},    {ListType::EMULATIONSTATION, ReadGamelist},
        {ListType::RETROARCH, ReadPlaylist}, {ListType::PEGASUS, ReadMetafile},
        {ListType::MAME_INI, ReadFolderIni},
    };
    for (const auto& [type, read] : readers) {
        std::string list = List(type, "=");
        if (std::find(edge.refusedBy.begin(), edge.refusedBy.end(), type) != edge.refusedBy.end()) {
            EXPECT_EQ(list, "");
            EXPECT_EQ(ListRunMessage(m_result.status, m_request, ""),
                      ExportOptionsProblemMessage(CheckExportOptions(type, m_request.exports)));
            continue;
        }
        std::vector<Shown> shown = read(list);
        ASSERT_EQ(shown.size(), edge.shown.size()) << list;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const auto& [name, title, genre, year] = edge.shown[i];
            bool folderIni = type == ListType::MAME_INI;
            EXPECT_EQ(shown[i].title, folderIni ? name : title) << list;
            EXPECT_EQ(shown[i].genre, folderIni || type == ListType::RETROARCH ? "" : genre) << list;
            EXPECT_EQ(shown[i].year, folderIni || type == ListType::RETROARCH ? "" : year) << list;
            bool namesOnly = folderIni || type == ListType::ATTRACT; // no paths: the emulator finds the sets
            EXPECT_TRUE(namesOnly ? shown[i].path.empty() : shown[i].path.ends_with("/" + std::string(name) + ".zip"))
                << list;
            // Attract-Mode's romlist keeps them, as its own import does.
            EXPECT_TRUE(type == ListType::ATTRACT || (shown[i].developer != "<unknown>" && shown[i].players != "0"))
                << list;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, ExportEdgeTest, ::testing::ValuesIn(EDGES), [](const auto& edge) {
    std::string name = edge.param.what;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

} // namespace
} // namespace pellaquin
