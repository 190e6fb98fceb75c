#include "search/RecordStructure.h"

#include "records/SubstringSearch.h"
#include "search/CleanText.h"

#include <cstring>
#include <deque>

#include <pugixml.hpp>

namespace pellaquin {

namespace {

constexpr std::size_t NOT_FOUND = std::string_view::npos;

// Escapes are all a record needs decoded; line ends are already those of text mode, and attribute
// white space is kept as it stands.
constexpr unsigned PARSE_OPTIONS = pugi::parse_minimal | pugi::parse_escapes | pugi::parse_cdata | pugi::parse_fragment;

// A merge writes controls.xml's attributes as "<controls info>numPlayers="2" ...</controls info>": an
// attribute without a value, which ends an XML parse. Made "<controls_info numPlayers="2" .../>", in
// place and at the same length, it reads as the element it means.
constexpr std::string_view CONTROLS_INFO_OPEN = "<controls info>";
constexpr std::string_view CONTROLS_INFO_ELEMENT = "<controls_info ";
constexpr std::string_view CONTROLS_INFO_CLOSE = "</controls info>";

bool EndsTagName(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '>' || c == '/';
}

// Where the first start tag named `tags` begins; NOT_FOUND without one.
std::size_t FindStartTag(std::string_view text, std::initializer_list<std::string_view> tags) {
    for (std::size_t at = text.find('<'); at != NOT_FOUND; at = text.find('<', at + 1)) {
        for (std::string_view tag : tags) {
            if (text.compare(at + 1, tag.size(), tag) == 0 && at + 1 + tag.size() < text.size() &&
                EndsTagName(text[at + 1 + tag.size()])) {
                return at;
            }
        }
    }
    return NOT_FOUND;
}

// Where the elements MAME writes after a set's ROMs, disks, device_refs and samples begin.
std::size_t RomSetEnd(std::string_view record) {
    for (std::size_t at = record.find('<', 1); at != NOT_FOUND; at = record.find('<', at + 1)) {
        std::string_view tag;
        switch (at + 1 < record.size() ? record[at + 1] : '\0') {
        case 'c':
            tag = "chip";
            break;
        case 'd':
            tag = record.compare(at + 1, 2, "di") == 0 ? "display" : "driver";
            break;
        case 's':
            tag = "sound";
            break;
        case 'i':
            tag = "input";
            break;
        default:
            continue;
        }
        if (record.compare(at + 1, tag.size(), tag) == 0 && at + 1 + tag.size() < record.size() &&
            EndsTagName(record[at + 1 + tag.size()])) {
            return at;
        }
    }
    return record.size();
}

void RewriteControlsInfo(std::string& text) {
    for (std::size_t open = FindSubstring(text, CONTROLS_INFO_OPEN); open != NOT_FOUND;
         open = FindSubstring(text, CONTROLS_INFO_OPEN, open)) {
        text.replace(open, CONTROLS_INFO_ELEMENT.size(), CONTROLS_INFO_ELEMENT);
        std::size_t lineEnd = std::min(text.find('\n', open), text.size());
        std::size_t close = text.find(CONTROLS_INFO_CLOSE, open);
        if (close != NOT_FOUND && close < lineEnd) {
            text.replace(close, CONTROLS_INFO_CLOSE.size(), "/>");
            text.insert(close + 2, CONTROLS_INFO_CLOSE.size() - 2, ' ');
        } else {
            // Without its end on the line it cannot be read; the rest of the record still can.
            text.replace(open, lineEnd - open, lineEnd - open, ' ');
        }
        open = lineEnd;
    }
}

bool IsYes(const pugi::xml_attribute& attribute) {
    return std::strcmp(attribute.value(), "yes") == 0;
}

bool IsTextOnly(const pugi::xml_node& element) {
    pugi::xml_node first = element.first_child();
    return first && (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata) && !first.next_sibling();
}

template <typename T> void Recycle(std::vector<T>& from, std::vector<T>& to) {
    to.swap(from);
    to.clear();
}

} // namespace

std::string_view RecordStructure::Element(std::string_view elementName) const {
    for (const TextElement& element : elements) {
        if (element.name == elementName) {
            return element.text;
        }
    }
    return {};
}

struct RecordStructureReader::Parsed {
    pugi::xml_document document;
    std::string buffer;
    // Cleaned copies of texts that were not clean, kept from record to record for their storage.
    std::deque<std::string> cleaned;
    std::size_t cleanedUsed = 0;
    std::vector<ControlEntry> playerControls;
    RecordStructure structure;

    // Parses `part` of `record` from its start tag on; returns the record's element, null when the
    // record holds no start tag.
    pugi::xml_node Parse(std::string_view record, RecordPart part) {
        Reset();
        std::size_t start = FindStartTag(record, {"game", "machine"});
        if (start == NOT_FOUND) {
            document.reset();
            return {};
        }
        record.remove_prefix(start);
        if (std::size_t tagEnd = record.find('>'); part == RecordPart::START_TAG && tagEnd != NOT_FOUND) {
            record = record.substr(0, tagEnd + 1);
        } else if (part == RecordPart::ROM_SET) {
            record = record.substr(0, RomSetEnd(record));
        }
        buffer.assign(record);
        // A NUL would end the parse; as a control character it reads as U+FFFD like any other.
        char* end = buffer.data() + buffer.size();
        for (auto* nul = static_cast<char*>(std::memchr(buffer.data(), 0, buffer.size())); nul != nullptr;
             nul = static_cast<char*>(std::memchr(nul, 0, static_cast<std::size_t>(end - nul)))) {
            *nul = '\x01';
        }
        if (part != RecordPart::START_TAG) {
            RewriteControlsInfo(buffer);
        }
        // The parser takes the last byte for its end mark; this one is spare.
        buffer.push_back('\0');
        document.load_buffer_inplace(buffer.data(), buffer.size(), PARSE_OPTIONS, pugi::encoding_utf8);
        return document.first_child().type() == pugi::node_element ? document.first_child() : pugi::xml_node();
    }

    void Reset() {
        RecordStructure fresh;
        Recycle(structure.controls, fresh.controls);
        Recycle(structure.roms, fresh.roms);
        Recycle(structure.disks, fresh.disks);
        Recycle(structure.samples, fresh.samples);
        Recycle(structure.deviceRefs, fresh.deviceRefs);
        Recycle(structure.elements, fresh.elements);
        structure = std::move(fresh);
        playerControls.clear();
        cleanedUsed = 0;
    }

    std::string_view Text(const char* text) {
        // Nearly every text is printable ASCII, which is clean: that is checked while its end is found.
        const char* end = text;
        while (static_cast<unsigned char>(*end) >= 0x20 && static_cast<unsigned char>(*end) < 0x80) {
            ++end;
        }
        if (*end == '\0') {
            return std::string_view(text, static_cast<std::size_t>(end - text));
        }
        std::string_view view(text);
        if (IsCleanText(view)) {
            return view;
        }
        if (cleanedUsed == cleaned.size()) {
            cleaned.emplace_back();
        }
        std::string& copy = cleaned[cleanedUsed++];
        copy.clear();
        AppendCleanText(copy, view);
        structure.replacedText = true;
        return copy;
    }
    std::string_view Text(const pugi::xml_node& node, const char* attribute) {
        return Text(node.attribute(attribute).value());
    }

    void ReadStartTag(const pugi::xml_node& record) {
        RecordStructure& s = structure;
        for (pugi::xml_attribute attribute : record.attributes()) {
            std::string_view name = attribute.name();
            if (name == "name" || name == "romname") {
                s.name = Text(attribute.value());
            } else if (name == "gamename") {
                s.description = Text(attribute.value());
            } else if (name == "numPlayers") {
                s.controlsPlayers = Text(attribute.value());
            } else if (name == "cloneof") {
                s.cloneof = Text(attribute.value());
            } else if (name == "romof") {
                s.romof = Text(attribute.value());
            } else if (name == "sampleof") {
                s.sampleof = Text(attribute.value());
            } else if (name == "sourcefile") {
                s.sourcefile = Text(attribute.value());
            } else if (name == "isbios") {
                s.isBios = IsYes(attribute);
            } else if (name == "isdevice") {
                s.isDevice = IsYes(attribute);
            } else if (name == "ismechanical") {
                s.isMechanical = IsYes(attribute);
            } else if (name == "runnable") {
                s.runnable = std::strcmp(attribute.value(), "no") != 0;
            }
        }
    }

    // A listing has many ROMs of many attributes, so each attribute is looked at once.
    void ReadRom(const pugi::xml_node& element) {
        RomEntry& rom = structure.roms.emplace_back();
        for (pugi::xml_attribute attribute : element.attributes()) {
            std::string_view name = attribute.name();
            std::string_view* value = name == "name"     ? &rom.name
                                      : name == "bios"   ? &rom.bios
                                      : name == "size"   ? &rom.size
                                      : name == "crc"    ? &rom.crc
                                      : name == "sha1"   ? &rom.sha1
                                      : name == "merge"  ? &rom.merge
                                      : name == "status" ? &rom.status
                                                         : nullptr;
            if (value != nullptr) {
                *value = Text(attribute.value());
            }
        }
    }

    void ReadInput(const pugi::xml_node& input) {
        RecordStructure& s = structure;
        s.inputPlayers = Text(input, "players");
        s.inputButtons = Text(input, "buttons");
        if (pugi::xml_attribute control = input.attribute("control")) {
            s.controls.push_back({Text(control.value()), {}, {}, {}});
        }
        for (pugi::xml_node control : input.children("control")) {
            s.controls.push_back(
                {Text(control, "type"), Text(control, "ways"), Text(control, "player"), Text(control, "buttons")});
        }
    }

    void ReadPlayer(const pugi::xml_node& player) {
        std::string_view number = Text(player, "number");
        if (structure.controlsButtons.empty()) {
            structure.controlsButtons = Text(player, "numButtons");
        }
        for (pugi::xml_node controls : player.children("controls")) {
            for (pugi::xml_node constant : controls.children("constant")) {
                playerControls.push_back({Text(constant, "name"), {}, number, {}});
            }
        }
    }

    void ReadChild(const pugi::xml_node& child) {
        RecordStructure& s = structure;
        std::string_view name = child.name();
        if (name == "rom") {
            ReadRom(child);
        } else if (name == "disk") {
            s.disks.push_back({Text(child, "name"), Text(child, "sha1"), Text(child, "merge"), Text(child, "status")});
        } else if (name == "sample") {
            s.samples.push_back(Text(child, "name"));
        } else if (name == "device_ref") {
            s.deviceRefs.push_back(Text(child, "name"));
        } else if (name == "display") {
            ++s.displayCount;
            s.rotate = Text(child, "rotate");
            s.displayType = Text(child, "type");
        } else if (name == "input") {
            ReadInput(child);
        } else if (name == "driver") {
            s.driverStatus = Text(child, "status");
        } else if (name == "controls_info") {
            if (s.controlsPlayers.empty()) {
                s.controlsPlayers = Text(child, "numPlayers");
            }
        } else if (name == "player") {
            ReadPlayer(child);
        } else if (IsTextOnly(child)) {
            std::string_view text = Text(child.first_child().value());
            s.elements.push_back({Text(child.name()), text});
            if (name == "description") {
                s.description = text;
            } else if (name == "year") {
                s.year = text;
            } else if (name == "manufacturer") {
                s.manufacturer = text;
            } else if (name == "category") {
                s.category = text;
            }
        }
    }
};

RecordStructureReader::RecordStructureReader() : m_parsed(std::make_unique<Parsed>()) {}

RecordStructureReader::~RecordStructureReader() = default;

const RecordStructure& RecordStructureReader::Read(std::string_view record, RecordPart part) {
    Parsed& parsed = *m_parsed;
    pugi::xml_node element = parsed.Parse(record, part);
    if (element) {
        parsed.ReadStartTag(element);
        for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element) {
                parsed.ReadChild(child);
            }
        }
        if (parsed.structure.controls.empty()) {
            parsed.structure.controls.swap(parsed.playerControls);
        }
    }
    return parsed.structure;
}

std::string ReadListingBuild(std::string_view header) {
    std::size_t start = FindStartTag(header, {"mame"});
    if (start == NOT_FOUND) {
        return {};
    }
    std::string tag(header.substr(start, header.find('>', start) - start));
    tag.append("/>");
    pugi::xml_document document;
    document.load_buffer(tag.data(), tag.size(), PARSE_OPTIONS, pugi::encoding_utf8);
    std::string build;
    AppendCleanText(build, document.child("mame").attribute("build").value());
    return build;
}

} // namespace pellaquin
