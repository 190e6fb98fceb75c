#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// A ROM as the listing states it; optional is "yes" for a ROM a set may miss, bios names the BIOS
// choice that loads it, region the memory region it is loaded into ("maincpu", "qs1000:cpu").
struct RomEntry {
    // bios: the <biosset> a BIOS-choice ROM belongs to; region: the memory region it is loaded into.
    std::string_view name, size, crc, sha1, merge, status, optional, bios, region;
};

struct DiskEntry {
    std::string_view name, sha1, merge, status, optional;
};

// One control as the record states it: a listing's <control> (type, ways, player, buttons), an old
// listing's control attribute of <input> (type only), or a controls.xml constant (type and player).
struct ControlEntry {
    std::string_view type, ways, player, buttons;
};

// A child element that holds only text: description, year, manufacturer, and whatever a merge adds
// (category, nplayers, veradded, an ini file's section...).
struct TextElement {
    std::string_view name, text;
};

// What the list exports need of one game record, read by an XML parser: entities decoded, and text
// that is not UTF-8 (or holds control characters XML cannot carry) replaced by U+FFFD. The views
// point into the reader that filled the structure and stay valid until its next read.
struct RecordStructure {
    std::string_view name;        // name=, or romname= in controls.xml
    std::string_view description; // <description>, or gamename= in controls.xml
    std::string_view year, manufacturer, category;
    std::string_view cloneof, romof, sampleof, sourcefile;
    bool isBios = false;
    bool isDevice = false;
    bool isMechanical = false;
    bool runnable = true;
    std::string_view inputPlayers;    // players= of <input>
    std::string_view inputButtons;    // buttons= of <input>, in listings before controls had them
    std::string_view controlsPlayers; // numPlayers= of controls.xml data, its own or merged in
    std::string_view controlsButtons; // numButtons= of that data's first player
    // The listing's controls in order; controls.xml's constants when the listing names none.
    std::vector<ControlEntry> controls;
    int displayCount = 0;
    std::string_view rotate, displayType; // of the last display, as MAME front-ends take them
    std::string_view driverStatus;
    std::vector<RomEntry> roms;
    std::vector<DiskEntry> disks;
    std::vector<std::string_view> samples;
    std::vector<std::string_view> deviceRefs;
    std::vector<TextElement> elements;
    bool replacedText = false; // some text read was replaced by U+FFFD

    // The text of the first text-only child element named `name`; empty when there is none.
    std::string_view Element(std::string_view name) const;
};

// How much of a record a read takes in.
enum class RecordPart {
    // Only the start tag: name, parents, flags, and controls.xml's description and players.
    START_TAG,
    // What a ROM manager needs, which MAME writes first: the start tag, description, year,
    // manufacturer, a merge's elements, ROMs, disks, device_refs and samples. The parse stops at the
    // first element MAME writes after those (chip, display, sound, input, driver), which makes it
    // about three times faster on a listing.
    ROM_SET,
    WHOLE,
};

// Reads game records of any input: a listing with <game> or <machine> records, a merged file (its
// "<controls info>" lines, which are not XML, read as the attributes they hold), or controls.xml.
// Text before the record's start tag is passed over. A record cut short gives what it holds up to
// the cut. One reader serves one thread; it keeps its buffers from record to record.
class RecordStructureReader {
public:
    RecordStructureReader();
    ~RecordStructureReader();
    RecordStructureReader(const RecordStructureReader&) = delete;
    RecordStructureReader& operator=(const RecordStructureReader&) = delete;

    // The structure of `record`, as much as `part` asks for; the rest is left empty.
    const RecordStructure& Read(std::string_view record, RecordPart part = RecordPart::WHOLE);

private:
    struct Parsed;
    std::unique_ptr<Parsed> m_parsed;
};

// The build= value of the <mame> element in a listing's or merged file's header text, decoded;
// empty when there is none.
std::string ReadListingBuild(std::string_view header);

} // namespace pellaquin
