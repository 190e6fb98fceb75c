#include "output/ByteSink.h"
#include "output/ExportText.h"
#include "output/GameScanner.h"
#include "records/ByteText.h"
#include "records/ScanCycle.h"

#include <algorithm>
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

// MAME's own header, its document type, is some 10 kB; the records begin well before this.
constexpr std::size_t MAX_HEADER_BYTES = 1 << 20;

// The values the DTD allows for a ROM's or disk's status besides the default "good".
bool IsDatStatus(std::string_view status) {
    return status == "baddump" || status == "nodump" || status == "verified";
}

// What the first pass learns of one set, in the text a batch carries to the index: a flags byte, the
// name, the romof, its device_refs, and the set's DAT text when it is selected; texts, and the
// device_refs together, are preceded by their length.
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

    // Indexes the sets of `entries`, one for each record of the listing in order, the k-th read from
    // `starts[k]`; appends the DAT text they carry to `games`.
    void Add(std::string_view entries, const std::vector<std::int64_t>& starts, std::string& games) {
        while (!entries.empty()) {
            char flags = entries.front();
            entries.remove_prefix(1);
            std::int64_t start = starts[m_records++];
            std::string_view name = TakeSized(entries);
            if (name.empty()) {
                continue;
            }
            std::uint32_t id = Id(name);
            std::string_view romof = TakeSized(entries);
            std::uint32_t romofId = romof.empty() ? NONE : Id(romof);
            std::string_view refs = TakeSized(entries);
            Set& set = m_sets[id];
            set.defined = true;
            set.start = start;
            set.selected = (flags & SELECTED) != 0;
            set.hasRoms = (flags & HAS_ROMS) != 0;
            set.romof = romofId;
            // Most sets are never reached, so their device_refs are looked up only when they are.
            set.refsAt = m_refs.size();
            set.refsSize = refs.size();
            m_refs.append(refs);
            games.append(TakeSized(entries));
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
            for (std::string_view refs = std::string_view(m_refs).substr(set.refsAt, set.refsSize); !refs.empty();) {
                auto ref = m_ids.find(TakeSized(refs));
                if (ref != m_ids.end()) {
                    reach(ref->second, m_sets[ref->second].hasRoms);
                }
            }
        }
    }

    // Where the sets the selected ones need, and that are not selected themselves, are read from, in
    // the listing's order.
    std::vector<std::int64_t> NeededStarts() const {
        std::vector<std::int64_t> starts;
        for (const Set& set : m_sets) {
            if (set.written && !set.selected) {
                starts.push_back(set.start);
            }
        }
        std::sort(starts.begin(), starts.end());
        return starts;
    }

private:
    struct Set {
        std::int64_t start = 0;
        std::uint32_t romof = NONE;
        std::size_t refsAt = 0;
        std::size_t refsSize = 0;
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
    // The device_refs of every set, each name preceded by its length.
    std::string m_refs;
    std::size_t m_records = 0;
};

void AppendEntry(std::string& out, const RecordStructure& set, bool selected, std::string_view game) {
    if (set.name.empty()) {
        // A set without a name is no set, but its record keeps its place in the order of records.
        out.push_back('\0');
        AppendSized(out, {});
        return;
    }
    bool hasRoms = !set.roms.empty() || !set.disks.empty();
    out.push_back(static_cast<char>((selected ? SELECTED : 0) | (hasRoms ? HAS_ROMS : 0)));
    AppendSized(out, set.name);
    AppendSized(out, set.romof);
    std::size_t refsAt = out.size();
    AppendNumber(out, 0);
    for (std::string_view ref : set.deviceRefs) {
        AppendSized(out, ref);
    }
    auto refsSize = static_cast<std::uint32_t>(out.size() - refsAt - sizeof(std::uint32_t));
    std::memcpy(out.data() + refsAt, &refsSize, sizeof refsSize);
    AppendSized(out, game);
}

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

// A set as a ROM manager reads it: a <game>. The strict form holds what the Logiqx DTD allows; the other
// adds, as MAME's listing has them, the isdevice, device_refs and ROMs' bios managers read to build whole
// sets.
void AppendGame(std::string& out, const RecordStructure& game, bool strict, std::string& scratch) {
    out.append("\t<game");
    AppendAttribute(out, "name", game.name);
    AppendAttribute(out, "cloneof", game.cloneof);
    AppendAttribute(out, "romof", game.romof);
    AppendAttribute(out, "sampleof", game.sampleof);
    AppendAttribute(out, "isbios", game.isBios ? "yes" : "");
    AppendAttribute(out, "isdevice", game.isDevice && !strict ? "yes" : "");
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
        AppendAttribute(out, "bios", strict ? "" : rom.bios);
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
    for (std::string_view ref : game.deviceRefs) {
        if (!strict && !ref.empty()) {
            out.append("\t\t<device_ref");
            AppendAttribute(out, "name", ref);
            out.append("/>\n");
        }
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

// The build of MAME the input was listed by: its <mame> element's, which a merged file holds after the
// banner its detection stops at. Leaves the input anywhere.
std::string ListedBuild(InputFile& input) {
    input.Seek(0);
    std::string text;
    std::string_view piece;
    while (input.ReadPiece(piece) && text.size() < MAX_HEADER_BYTES) {
        text.append(piece);
        std::size_t element = text.find("<mame");
        if ((element != std::string::npos && text.find('>', element) != std::string::npos) ||
            text.find("<game") != std::string::npos || text.find("<machine") != std::string::npos) {
            break;
        }
    }
    return ReadListingBuild(text);
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
    // The first pass writes the selected sets and indexes every set with where it starts; then the
    // sets the selected ones need, which may come anywhere in the listing, are read again from there.
    SetIndex index;
    std::atomic<bool> replacedText = false;
    bool written = true;
    ListResult result;
    {
        std::string build = ListedBuild(m_input);
        ScanCycle scan(m_input, m_reader);
        std::string header;
        scan.Start(header);
        if (m_input.Format() == FORMAT_CONTROLS) {
            return {ListStatus::INPUT_HOLDS_NO_ROMS};
        }
        written = sink.Write(DatHead(request.exports.datName, build));
        std::vector<std::int64_t> starts;
        scan.KeepRecordStarts(&starts);
        auto makeWork = [&]() -> GameWork {
            auto reader = std::make_shared<RecordStructureReader>();
            return [&, reader, game = std::string(), scratch = std::string()](std::string_view record,
                                                                              std::string& out) mutable {
                bool selected = Selects(record, request);
                const RecordStructure& set = reader->Read(record, RecordPart::ROM_SET);
                game.clear();
                selected = selected && !set.name.empty();
                if (selected) {
                    AppendGame(game, set, request.exports.datStrict, scratch);
                    replacedText = replacedText || set.replacedText;
                }
                AppendEntry(out, set, selected, game);
                return selected;
            };
        };
        std::string games;
        result.matchCount = ScanInBatches(scan, makeWork, [&](std::string_view entries) {
            games.clear();
            index.Add(entries, starts, games);
            written = sink.Write(games) && written;
        });
        result.gameCount = scan.Records();
    }
    index.MarkWritten();

    RecordStructureReader reader;
    std::string record;
    std::string game;
    std::string scratch;
    // A seek forgets a read error, which must stand for the run to fail.
    std::vector<std::int64_t> needed = m_input.HadReadError() ? std::vector<std::int64_t>() : index.NeededStarts();
    for (std::int64_t start : needed) {
        m_input.Seek(start);
        m_reader.ReadGameRecord(m_input, record, m_input.GameStartTag());
        if (m_input.HadReadError()) {
            break;
        }
        const RecordStructure& set = reader.Read(record, RecordPart::ROM_SET);
        replacedText = replacedText || set.replacedText;
        game.clear();
        AppendGame(game, set, request.exports.datStrict, scratch);
        written = sink.Write(game) && written;
        ++result.matchCount;
    }
    written = sink.Write("</datafile>\n") && written;
    result.status = written ? ListStatus::DONE : ListStatus::WRITE_FAILED;
    result.replacedText = replacedText;
    return result;
}

} // namespace pellaquin
