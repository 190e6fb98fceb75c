#include "output/ByteSink.h"
#include "output/ExportText.h"
#include "output/GameScanner.h"
#include "records/ByteText.h"
#include "records/ScanCycle.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace pellaquin {

namespace {

constexpr std::string_view DAT_HEAD = "<?xml version=\"1.0\"?>\n"
                                      "<!DOCTYPE datafile PUBLIC \"-//Logiqx//DTD ROM Management Datafile//EN\" "
                                      "\"http://www.logiqx.com/Dats/datafile.dtd\">\n\n"
                                      "<datafile>\n";

// The values the DTD allows for a ROM's or disk's status besides the default "good".
bool IsDatStatus(std::string_view status) {
    return status == "baddump" || status == "nodump" || status == "verified";
}

// What the first pass learns of one set, in the text a batch carries to the index: a flags byte, the
// name, the romof, the number of device_refs and each of them, texts preceded by their length.
enum SetFlags : char { SELECTED = 1, HAS_ROMS = 2 };

void AppendNumber(std::string& out, std::uint32_t number) {
    out.append(reinterpret_cast<const char*>(&number), sizeof number);
}

void AppendSized(std::string& out, std::string_view text) {
    AppendNumber(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

std::uint32_t TakeNumber(std::string_view& text) {
    std::uint32_t number = 0;
    std::memcpy(&number, text.data(), sizeof number);
    text.remove_prefix(sizeof number);
    return number;
}

std::string_view TakeSized(std::string_view& text) {
    std::uint32_t size = TakeNumber(text);
    std::string_view taken = text.substr(0, size);
    text.remove_prefix(size);
    return taken;
}

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

// Every set of the listing by name, with what it needs: all a DAT's second pass has to know of the
// sets it does not write, and small beside the listing.
class SetIndex {
public:
    static constexpr std::uint32_t NONE = UINT32_MAX;

    void Add(std::string_view entries) {
        while (!entries.empty()) {
            char flags = entries.front();
            entries.remove_prefix(1);
            std::uint32_t id = Id(TakeSized(entries));
            std::string_view romof = TakeSized(entries);
            std::uint32_t romofId = romof.empty() ? NONE : Id(romof);
            std::uint32_t refs = TakeNumber(entries);
            Set& set = m_sets[id];
            set.defined = true;
            set.selected = (flags & SELECTED) != 0;
            set.hasRoms = (flags & HAS_ROMS) != 0;
            set.romof = romofId;
            set.firstRef = static_cast<std::uint32_t>(m_refs.size());
            set.refCount = refs;
            // Id may grow the sets: `set` is not used past here.
            for (std::uint32_t i = 0; i < refs; ++i) {
                std::uint32_t ref = Id(TakeSized(entries));
                m_refs.push_back(ref);
            }
        }
    }

    // Marks the selected sets and what they need to be whole: the sets their romof chain names, and
    // the devices they refer to that hold ROMs, following both from every set reached.
    void MarkWritten() {
        std::vector<std::uint32_t> pending;
        auto reach = [&](std::uint32_t id, bool write) {
            Set& set = m_sets[id];
            if (set.defined && !set.reached) {
                set.reached = true;
                pending.push_back(id);
            }
            set.written = set.written || (set.defined && write);
        };
        for (std::uint32_t id = 0; id < m_sets.size(); ++id) {
            if (m_sets[id].selected) {
                reach(id, true);
            }
        }
        while (!pending.empty()) {
            const Set set = m_sets[pending.back()];
            pending.pop_back();
            if (set.romof != NONE) {
                reach(set.romof, true);
            }
            for (std::uint32_t i = 0; i < set.refCount; ++i) {
                std::uint32_t ref = m_refs[set.firstRef + i];
                reach(ref, m_sets[ref].hasRoms);
            }
        }
    }

    bool Written(std::string_view name) const {
        auto found = m_ids.find(name);
        return found != m_ids.end() && m_sets[found->second].written;
    }

private:
    struct Set {
        std::uint32_t romof = NONE;
        std::uint32_t firstRef = 0;
        std::uint32_t refCount = 0;
        bool defined = false;
        bool selected = false;
        bool hasRoms = false;
        bool reached = false;
        bool written = false;
    };

    std::uint32_t Id(std::string_view name) {
        auto found = m_ids.find(name);
        if (found != m_ids.end()) {
            return found->second;
        }
        auto id = static_cast<std::uint32_t>(m_sets.size());
        m_ids.emplace(name, id);
        m_sets.emplace_back();
        return id;
    }

    std::unordered_map<std::string, std::uint32_t, NameHash, std::equal_to<>> m_ids;
    std::vector<Set> m_sets;
    std::vector<std::uint32_t> m_refs;
};

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
    if (!value.empty()) {
        out.append(" ").append(name).append("=\"");
        AppendXmlEscaped(out, value, XmlPlace::ATTRIBUTE);
        out.push_back('"');
    }
}

void AppendElement(std::string& out, std::string_view name, std::string_view text) {
    out.append("\t\t<").append(name).push_back('>');
    AppendXmlEscaped(out, text);
    out.append("</").append(name).append(">\n");
}

// A hash as Logiqx DATs write it, in lower case.
std::string_view LowerHash(std::string_view hash, std::string& scratch) {
    LowerAsciiCopy(hash, scratch);
    return scratch;
}

void AppendGame(std::string& out, const RecordStructure& game, std::string& scratch) {
    out.append("\t<game");
    AppendAttribute(out, "name", game.name);
    AppendAttribute(out, "cloneof", game.cloneof);
    AppendAttribute(out, "romof", game.romof);
    AppendAttribute(out, "sampleof", game.sampleof);
    AppendAttribute(out, "isbios", game.isBios ? "yes" : "");
    out.append(">\n");
    AppendElement(out, "description", game.description.empty() ? game.name : game.description);
    if (!game.year.empty()) {
        AppendElement(out, "year", game.year);
    }
    if (!game.manufacturer.empty()) {
        AppendElement(out, "manufacturer", game.manufacturer);
    }
    for (const RomEntry& rom : game.roms) {
        // A ROM without a name or size cannot be checked.
        if (rom.name.empty() || rom.size.empty()) {
            continue;
        }
        out.append("\t\t<rom");
        AppendAttribute(out, "name", rom.name);
        AppendAttribute(out, "size", rom.size);
        AppendAttribute(out, "crc", LowerHash(rom.crc, scratch));
        AppendAttribute(out, "sha1", LowerHash(rom.sha1, scratch));
        AppendAttribute(out, "merge", rom.merge);
        AppendAttribute(out, "status", IsDatStatus(rom.status) ? rom.status : "");
        out.append("/>\n");
    }
    for (const DiskEntry& disk : game.disks) {
        if (disk.name.empty()) {
            continue;
        }
        out.append("\t\t<disk");
        AppendAttribute(out, "name", disk.name);
        AppendAttribute(out, "sha1", LowerHash(disk.sha1, scratch));
        AppendAttribute(out, "merge", disk.merge);
        AppendAttribute(out, "status", IsDatStatus(disk.status) ? disk.status : "");
        out.append("/>\n");
    }
    for (std::string_view sample : game.samples) {
        if (!sample.empty()) {
            out.append("\t\t<sample");
            AppendAttribute(out, "name", sample);
            out.append("/>\n");
        }
    }
    out.append("\t</game>\n");
}

std::string DatHead(std::string_view datName, std::string_view build) {
    std::string_view version = build.substr(0, build.find(' '));
    std::string head(DAT_HEAD);
    head.append("\t<header>\n");
    AppendElement(head, "name", datName);
    std::string description(datName);
    if (!version.empty()) {
        description.append(" (MAME ").append(version).append(")");
    }
    AppendElement(head, "description", description);
    AppendElement(head, "version", version);
    AppendElement(head, "author", "Pellaquin");
    head.append("\t</header>\n");
    return head;
}

} // namespace

ListResult GameScanner::WriteDat(const ListRequest& request, ByteSink& sink) {
    // The first pass indexes every set, for the sets the selected ones need may come anywhere.
    SetIndex index;
    std::string build;
    {
        ScanCycle scan(m_input, m_reader);
        std::string header;
        scan.Start(header);
        if (m_input.Format() == FORMAT_CONTROLS) {
            return {ListStatus::INPUT_HOLDS_NO_ROMS};
        }
        build = ReadListingBuild(header);
        auto makeWork = [&]() -> GameWork {
            auto reader = std::make_shared<RecordStructureReader>();
            return [&request, reader](std::string_view record, std::string& out) {
                bool selected = Selects(record, request);
                const RecordStructure& set = reader->Read(record, RecordPart::ROM_SET);
                if (set.name.empty()) {
                    return false;
                }
                bool hasRoms = !set.roms.empty() || !set.disks.empty();
                out.push_back(static_cast<char>((selected ? SELECTED : 0) | (hasRoms ? HAS_ROMS : 0)));
                AppendSized(out, set.name);
                AppendSized(out, set.romof);
                AppendNumber(out, static_cast<std::uint32_t>(set.deviceRefs.size()));
                for (std::string_view ref : set.deviceRefs) {
                    AppendSized(out, ref);
                }
                return selected;
            };
        };
        ScanInBatches(scan, makeWork, [&](std::string_view entries) { index.Add(entries); });
    }
    index.MarkWritten();

    std::atomic<bool> replacedText = false;
    bool written = sink.Write(DatHead(request.exports.datName, build));
    ListResult result = WriteGames(sink, HeaderText::DROP, [&]() -> GameWork {
        auto reader = std::make_shared<RecordStructureReader>();
        return [&, reader, scratch = std::string()](std::string_view record, std::string& out) mutable {
            if (!index.Written(reader->Read(record, RecordPart::START_TAG).name)) {
                return false;
            }
            const RecordStructure& game = reader->Read(record, RecordPart::ROM_SET);
            if (game.replacedText) {
                replacedText = true;
            }
            AppendGame(out, game, scratch);
            return true;
        };
    });
    written = sink.Write("</datafile>\n") && written;
    if (!written) {
        result.status = ListStatus::WRITE_FAILED;
    }
    result.replacedText = replacedText;
    return result;
}

} // namespace pellaquin
