#include "search/RecordStructure.h"
#include "search/CleanText.h"

#include <gtest/gtest.h>

namespace pellaquin {
namespace {

using namespace std::literals;

// The structure as one line: each value that is set, in a fixed order.
std::string Summary(const RecordStructure& s) {
    std::string out;
    auto add = [&](std::string_view key, std::string_view value) {
        if (!value.empty()) {
            out.append(out.empty() ? "" : " ").append(key).append("=").append(value);
        }
    };
    add("name", s.name);
    add("desc", s.description);
    add("year", s.year);
    add("maker", s.manufacturer);
    add("category", s.category);
    add("cloneof", s.cloneof);
    add("romof", s.romof);
    add("sampleof", s.sampleof);
    add("flags", std::string(s.isBios ? "b" : "") + (s.isDevice ? "d" : "") + (s.isMechanical ? "m" : "") +
                     (s.runnable ? "" : "u"));
    auto pair = [](std::string_view first, std::string_view second) {
        return first.empty() && second.empty() ? std::string() : std::string(first) + "/" + std::string(second);
    };
    add("players", pair(s.inputPlayers, s.controlsPlayers));
    add("buttons", pair(s.inputButtons, s.controlsButtons));
    for (const ControlEntry& c : s.controls) {
        add("control", std::string(c.type) + "/" + std::string(c.ways) + "/" + std::string(c.player) + "/" +
                           std::string(c.buttons));
    }
    add("display", s.displayCount > 0
                       ? std::to_string(s.displayCount) + "/" + std::string(s.rotate) + "/" + std::string(s.displayType)
                       : "");
    add("status", s.driverStatus);
    for (const RomEntry& r : s.roms) {
        add("rom", std::string(r.name) + ":" + std::string(r.size) + ":" + std::string(r.crc) + ":" +
                       std::string(r.sha1) + ":" + std::string(r.merge) + ":" + std::string(r.status) + ":" +
                       std::string(r.optional) + ":" + std::string(r.bios) + ":" + std::string(r.region));
    }
    for (const DiskEntry& d : s.disks) {
        add("disk", std::string(d.name) + ":" + std::string(d.sha1) + ":" + std::string(d.merge) + ":" +
                        std::string(d.status) + ":" + std::string(d.optional));
    }
    for (std::string_view sample : s.samples) {
        add("sample", sample);
    }
    for (std::string_view ref : s.deviceRefs) {
        add("ref", ref);
    }
    for (const TextElement& e : s.elements) {
        add("<" + std::string(e.name) + ">", e.text);
    }
    add("replaced", s.replacedText ? "yes" : "");
    return out;
}

struct StructureCase {
    std::string_view record;
    std::string_view expected;
};

class RecordStructureTest : public ::testing::TestWithParam<StructureCase> {};

// Every input form reads into the same structure: entities decoded, the last display's rotation, a
// merge's elements and controls info, controls.xml's players, and what a damaged record still holds.
TEST_P(RecordStructureTest, ReadsTheRecord) {
    RecordStructureReader reader;
    EXPECT_EQ(Summary(reader.Read(GetParam().record)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RecordStructureTest,
    ::testing::Values(
        // Today's listing, with text before the start tag on its line.
        StructureCase{
            "x</machine>\t<machine name=\"q&amp;a\" romof=\"bios\" isdevice=\"no\" ismechanical=\"yes\">\n"
            "\t\t<description>&quot;Hi; there&quot; &#39;Go&#39;</description>\n"
            "\t\t<rom name=\"a\" size=\"1\" crc=\"0A\" sha1=\"ff\" merge=\"m\"/>\n"
            "\t\t<rom name=\"b\" size=\"2\" status=\"nodump\" optional=\"yes\" bios=\"eu\" region=\"a:cpu\"/>\n"
            "\t\t<disk name=\"hd\" sha1=\"11\" optional=\"yes\"/>\n"
            "\t\t<device_ref name=\"z80\"/>\n\t\t<sample name=\"hit\"/>\n"
            "\t\t<display type=\"raster\" rotate=\"0\"/>\n\t\t<display type=\"lcd\" rotate=\"270\"/>\n"
            "\t\t<input players=\"2\">\n\t\t\t<control type=\"joy\" player=\"1\" buttons=\"3\" ways=\"8\"/>\n"
            "\t\t\t<control type=\"dial\" player=\"2\"/>\n\t\t</input>\n"
            "\t\t<driver status=\"imperfect\"/>\n\t</machine>\n",
            "name=q&a desc=\"Hi; there\" 'Go' romof=bios flags=m players=2/ control=joy/8/1/3 "
            "control=dial//2/ display=2/270/lcd status=imperfect rom=a:1:0A:ff:m:::: "
            "rom=b:2::::nodump:yes:eu:a:cpu disk=hd:11:::yes sample=hit ref=z80 <description>=\"Hi; there\" 'Go'"},
        // An old listing: buttons and the control on <input>.
        StructureCase{"<game name=\"old\" cloneof=\"p\" runnable=\"no\" isbios=\"yes\"><year>198?</year>"
                      "<input players=\"1\" buttons=\"2\" control=\"joy4way\"/></game>",
                      "name=old year=198? cloneof=p flags=bu players=1/ buttons=2/ control=joy4way/// "
                      "<year>=198?"},
        // A merged record: a raw "&" in its category, the controls info line, and controls.xml's
        // controls only where the listing names none.
        StructureCase{"\t<game name=\"m\">\n\t\t<category>Ball & Paddle</category>\n\t\t<nplayers>2P sim</nplayers>\n"
                      "\t\t<controls info>numPlayers=\"3\" alternating=\"1\"</controls info>\n"
                      "\t\t<player number=\"1\" numButtons=\"5\"><controls name=\"x\"><constant name=\"joy2way\"/>"
                      "</controls></player>\n\t\t<input players=\"2\"><control type=\"joy\" ways=\"2\"/></input>\n"
                      "\t</game>\n",
                      "name=m category=Ball & Paddle players=2/3 buttons=/5 control=joy/2// <category>=Ball & Paddle "
                      "<nplayers>=2P sim"},
        // A controls info line without its end is passed over; the rest of the record still counts.
        StructureCase{"<game name=\"m\"><controls info>numPlayers=\"3\"\n<player number=\"2\" numButtons=\"1\">"
                      "<controls><constant name=\"dial\"/></controls></player><year>1990</year></game>",
                      "name=m year=1990 buttons=/1 control=dial//2/ <year>=1990"},
        // controls.xml.
        StructureCase{"  <game romname=\"sf2\" gamename=\"Street Fighter II\" numPlayers=\"2\">\n"
                      "    <player number=\"1\" numButtons=\"6\"><controls name=\"8-way Joystick\">"
                      "<constant name=\"joy8way\"/></controls></player>\n  </game>\n",
                      "name=sf2 desc=Street Fighter II players=/2 buttons=/6 control=joy8way//1/"},
        // Cut off by the end of the file, inside a ROM's attribute: what came before it counts.
        StructureCase{"<machine name=\"cut\">\n<description>Cut</description>\n<rom name=\"a\" size=\"1\"/>\n"
                      "<rom name=\"b\" si",
                      "name=cut desc=Cut rom=a:1::::::: rom=b:::::::: <description>=Cut"},
        // Bytes that are not UTF-8, control characters and a NUL become U+FFFD; UTF-8 stays.
        StructureCase{"<game name=\"nu\0l\"><description>caf\xe9 \xc3\xa9\x01</description></game>"sv,
                      "name=nu\xEF\xBF\xBDl desc=caf\xEF\xBF\xBD \xc3\xa9\xEF\xBF\xBD "
                      "<description>=caf\xEF\xBF\xBD \xc3\xa9\xEF\xBF\xBD replaced=yes"},
        StructureCase{"no record here", ""}));

// A reader keeps its storage from record to record, yet each read starts afresh; reading part of a
// record gives that part and nothing of the rest.
TEST(RecordStructureReaderTest, ReadsAfreshAndStartTagsOnly) {
    const std::string first = "<machine name=\"a\" cloneof=\"p\"><rom name=\"r\" size=\"1\"/>"
                              "<description>\xff</description><input players=\"2\"/></machine>";
    const std::string second = "<game romname=\"b\" gamename=\"B &gt; A\" numPlayers=\"1\"><year>1</year></game>";
    RecordStructureReader reader;
    std::string once = Summary(reader.Read(first));
    EXPECT_EQ(Summary(reader.Read(second)), "name=b desc=B > A year=1 players=/1 <year>=1");
    EXPECT_EQ(Summary(reader.Read(first)), once);
    EXPECT_EQ(Summary(reader.Read(first, RecordPart::START_TAG)), "name=a cloneof=p");
    EXPECT_EQ(Summary(reader.Read(second, RecordPart::START_TAG)), "name=b desc=B > A players=/1");
    EXPECT_EQ(Summary(reader.Read("<game name=\"cut", RecordPart::START_TAG)), "name=cut");
    // A tag whose name only begins like the record's is no start tag.
    EXPECT_EQ(Summary(reader.Read("<gameplay x=\"1\"/><game name=\"g\"/>", RecordPart::START_TAG)), "name=g");
    // A ROM set's part ends where MAME's chips, screens and inputs begin.
    EXPECT_EQ(Summary(reader.Read("<machine name=\"s\"><year>1</year><rom name=\"r\" size=\"1\"/>"
                                  "<device_ref name=\"d\"/><chipset/><chip name=\"z\"/><rom name=\"late\"/>"
                                  "<input players=\"2\"/></machine>",
                                  RecordPart::ROM_SET)),
              "name=s year=1 rom=r:1::::::: ref=d <year>=1");
}

// The build of a listing's or merged file's header, decoded; none without a <mame> element.
TEST(RecordStructureReaderTest, ListingBuild) {
    EXPECT_EQ(ReadListingBuild("<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n]>\n\n"
                               "<mame build=\"0.251 (unknown)\" debug=\"no\">\n"),
              "0.251 (unknown)");
    EXPECT_EQ(ReadListingBuild("<!-- generated by Pellaquin -->\n<mame build=\"0.104 &amp; more\">"), "0.104 & more");
    EXPECT_EQ(ReadListingBuild("<?xml version=\"1.0\"?>\n<dat>\n"), "");
}

struct CleanCase {
    std::string_view text;
    std::string_view clean;
};

class CleanTextTest : public ::testing::TestWithParam<CleanCase> {};

// Only well-formed UTF-8 without the control characters XML cannot carry stays; every other byte is
// one U+FFFD.
TEST_P(CleanTextTest, ReplacesWhatIsNotText) {
    std::string out = ">";
    bool replaced = AppendCleanText(out, GetParam().text);
    EXPECT_EQ(out, ">" + std::string(GetParam().clean));
    EXPECT_EQ(replaced, GetParam().text != GetParam().clean);
    EXPECT_EQ(IsCleanText(GetParam().text), !replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CleanTextTest,
    ::testing::Values(CleanCase{"plain\t\r\n", "plain\t\r\n"},
                      CleanCase{"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"},
                      CleanCase{"\xf1\x80\x80\x80", "\xf1\x80\x80\x80"},                         // U+40000
                      CleanCase{"\xc0\xaf", "\xEF\xBF\xBD\xEF\xBF\xBD"},                         // overlong
                      CleanCase{"\xed\xa0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},         // surrogate
                      CleanCase{"a\xe2\x82", "a\xEF\xBF\xBD\xEF\xBF\xBD"},                       // cut short
                      CleanCase{"\xf0\x9f\x41\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\x41\xEF\xBF\xBD"}, // broken at byte 3
                      CleanCase{"\xf4\x90\x80\x80",
                                "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // past U+10FFFF
                      CleanCase{"\x01\x1f\x7f"sv, "\xEF\xBF\xBD\xEF\xBF\xBD\x7f"},
                      CleanCase{"\xef\xbf\xbe", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"})); // U+FFFE

} // namespace
} // namespace pellaquin
