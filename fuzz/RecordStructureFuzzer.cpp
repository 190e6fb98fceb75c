// Random records through the record-structure reader: every text it gives must be clean, whatever the
// bytes, and a read must not depend on the records read before it.

#include "FuzzSupport.h"

#include "search/CleanText.h"
#include "search/RecordStructure.h"

#include <cstdint>
#include <string>

namespace pellaquin {

namespace {

// Every text of the structure, each followed by a NUL (which no clean text holds), and its flags.
std::string Texts(const RecordStructure& s) {
    std::string all;
    auto add = [&](std::string_view text) {
        if (!IsCleanText(text)) {
            fuzz::Fail("a text of the structure is not clean");
        }
        all.append(text).push_back('\0');
    };
    for (std::string_view text : {s.name, s.description, s.year, s.manufacturer, s.category, s.cloneof, s.romof,
                                  s.sampleof, s.sourcefile, s.inputPlayers, s.inputButtons, s.controlsPlayers,
                                  s.controlsButtons, s.rotate, s.displayType, s.driverStatus}) {
        add(text);
    }
    for (const ControlEntry& c : s.controls) {
        for (std::string_view text : {c.type, c.ways, c.player, c.buttons}) {
            add(text);
        }
    }
    for (const RomEntry& r : s.roms) {
        for (std::string_view text : {r.name, r.size, r.crc, r.sha1, r.merge, r.status}) {
            add(text);
        }
    }
    for (const DiskEntry& d : s.disks) {
        for (std::string_view text : {d.name, d.sha1, d.merge, d.status}) {
            add(text);
        }
    }
    for (std::string_view text : s.samples) {
        add(text);
    }
    for (std::string_view text : s.deviceRefs) {
        add(text);
    }
    for (const TextElement& e : s.elements) {
        add(e.name);
        add(e.text);
    }
    all.append({static_cast<char>('0' + s.isBios), static_cast<char>('0' + s.isDevice),
                static_cast<char>('0' + s.isMechanical), static_cast<char>('0' + s.runnable),
                static_cast<char>('0' + s.replacedText)});
    all.append(std::to_string(s.displayCount));
    return all;
}

} // namespace

} // namespace pellaquin

// The input is the record; a fixed record of every kind of content is read between two reads of it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pellaquin;
    static RecordStructureReader reader;
    static const std::string other =
        "<machine name=\"o\" cloneof=\"p\"><description>\xff</description><rom name=\"r\" size=\"1\"/>"
        "<controls info>numPlayers=\"2\"</controls info><player number=\"1\"><controls><constant name=\"dial\"/>"
        "</controls></player><display rotate=\"90\"/><input players=\"2\"><control type=\"joy\"/></input>"
        "<nplayers>2P sim</nplayers></machine>";
    std::string_view record = fuzz::AsText(data, size);
    for (RecordPart part : {RecordPart::START_TAG, RecordPart::ROM_SET, RecordPart::WHOLE}) {
        std::string first = Texts(reader.Read(record, part));
        Texts(reader.Read(other));
        if (Texts(reader.Read(record, part)) != first) {
            fuzz::Fail("a read depends on the record read before it");
        }
    }
    return 0;
}
