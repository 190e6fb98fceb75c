#include "roms/RomCatalog.h"

#include "records/RecordReader.h"
#include "records/ScanCycle.h"
#include "search/RecordStructure.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <unordered_set>

namespace pellaquin {

namespace {

MediaNeed RomNeed(const RomEntry& rom) {
    MediaNeed need;
    need.name = rom.name;
    need.region = rom.region;
    std::from_chars(rom.size.data(), rom.size.data() + rom.size.size(), need.size);
    need.status = rom.status == "nodump"    ? DumpStatus::NO_DUMP
                  : rom.status == "baddump" ? DumpStatus::BAD_DUMP
                                            : DumpStatus::GOOD;
    // MAME keeps no hash of a ROM without a good dump, whatever a listing states.
    if (need.status != DumpStatus::NO_DUMP) {
        need.crc = ParseCrc(rom.crc);
        need.sha1 = ParseSha1(rom.sha1);
    }
    need.optional = rom.optional == "yes";
    return need;
}

MediaNeed DiskNeed(const DiskEntry& disk) {
    MediaNeed need;
    need.name = disk.name;
    need.status = disk.status == "nodump"    ? DumpStatus::NO_DUMP
                  : disk.status == "baddump" ? DumpStatus::BAD_DUMP
                                             : DumpStatus::GOOD;
    if (need.status != DumpStatus::NO_DUMP) {
        need.sha1 = ParseSha1(disk.sha1);
    }
    need.optional = disk.optional == "yes";
    need.disk = true;
    return need;
}

SetNeeds TakeSet(const RecordStructure& structure) {
    SetNeeds set;
    set.name = structure.name;
    set.cloneof = structure.cloneof;
    set.romof = structure.romof;
    set.isBios = structure.isBios;
    set.isDevice = structure.isDevice;
    for (const RomEntry& rom : structure.roms) {
        set.media.push_back(RomNeed(rom));
    }
    for (const DiskEntry& disk : structure.disks) {
        set.media.push_back(DiskNeed(disk));
    }
    // A device's own device_refs are its parts, which MAME audits with the machine that holds it.
    if (!structure.isDevice) {
        for (std::string_view device : structure.deviceRefs) {
            if (std::find(set.devices.begin(), set.devices.end(), device) == set.devices.end()) {
                set.devices.emplace_back(device);
            }
        }
    }
    return set;
}

} // namespace

RomCatalog RomCatalog::Read(InputFile& input, const std::vector<std::string>& wanted) {
    RomCatalog catalog;
    RecordReader reader;
    ScanCycle scan(input, reader);
    std::string header;
    if (!scan.Start(header)) {
        return catalog;
    }
    std::vector<std::int64_t> starts;
    scan.KeepRecordStarts(&starts);
    RecordStructureReader structures;
    std::unordered_set<std::string, NameHash, std::equal_to<>> needed(wanted.begin(), wanted.end());
    // Where the records passed over start, to read one again once a set read later turns out to need it.
    std::unordered_map<std::string, std::int64_t, NameHash, std::equal_to<>> passedOver;
    std::deque<std::string> neededEarlier;

    auto need = [&](std::string_view name) {
        if (name.empty() || catalog.m_sets.contains(name) || !needed.emplace(name).second) {
            return;
        }
        if (passedOver.contains(name)) {
            neededEarlier.emplace_back(name);
        }
    };
    auto take = [&](std::string_view record) {
        SetNeeds set = TakeSet(structures.Read(record, RecordPart::ROM_SET));
        std::string name = set.name;
        need(set.romof);
        for (const std::string& device : set.devices) {
            need(device);
        }
        catalog.m_sets.emplace(std::move(name), std::move(set));
    };

    std::string record;
    while (scan.Next(record)) {
        std::string name(structures.Read(record, RecordPart::START_TAG).name);
        if (needed.contains(name) && !catalog.m_sets.contains(name)) {
            take(record);
        } else {
            passedOver.emplace(std::move(name), starts.back());
        }
        starts.clear();
    }
    catalog.m_readFailed = input.HadReadError();
    while (!neededEarlier.empty() && !catalog.m_readFailed) {
        std::string name = std::move(neededEarlier.front());
        neededEarlier.pop_front();
        if (catalog.m_sets.contains(name) || !input.Seek(passedOver[name])) {
            continue;
        }
        reader.ReadGameRecord(input, record, input.GameStartTag());
        catalog.m_readFailed = input.HadReadError();
        if (!record.empty()) {
            take(record);
        }
    }
    // Only the devices with something to find matter to an audit or a copy.
    for (auto& [name, set] : catalog.m_sets) {
        std::erase_if(set.devices, [&](const std::string& device) {
            const SetNeeds* found = catalog.Find(device);
            return found == nullptr || found->media.empty();
        });
    }
    return catalog;
}

const SetNeeds* RomCatalog::Find(std::string_view name) const {
    auto found = m_sets.find(name);
    return found != m_sets.end() ? &found->second : nullptr;
}

std::vector<std::string> RomCatalog::SearchPath(std::string_view name) const {
    std::vector<std::string> path;
    for (const SetNeeds* set = Find(name); set != nullptr; set = Find(set->romof)) {
        // A listing whose romof values form a loop would otherwise never end.
        if (std::find(path.begin(), path.end(), set->name) != path.end()) {
            break;
        }
        path.push_back(set->name);
    }
    if (path.empty()) {
        path.emplace_back(name);
    }
    return path;
}

std::vector<std::string> RomCatalog::SetsToRun(const std::vector<std::string>& names) const {
    std::vector<std::string> sets;
    std::unordered_set<std::string, NameHash, std::equal_to<>> listed;
    auto add = [&](const std::vector<std::string>& path) {
        for (const std::string& set : path) {
            if (listed.insert(set).second) {
                sets.push_back(set);
            }
        }
    };
    for (const std::string& name : names) {
        add(SearchPath(name));
        if (const SetNeeds* set = Find(name)) {
            for (const std::string& device : set->devices) {
                add(SearchPath(device));
            }
        }
    }
    return sets;
}

} // namespace pellaquin
