#include "roms/SetAuditor.h"

#include "roms/MediaLocator.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <optional>
#include <thread>

namespace pellaquin {

namespace {

// What the audit makes of one ROM or disk, MAME's substatus.
enum class Finding {
    GOOD,
    NEEDS_REDUMP,
    FOUND_NODUMP,
    BAD_CHECKSUM,
    WRONG_LENGTH,
    NOT_FOUND,
    NOT_FOUND_NODUMP,
    NOT_FOUND_OPTIONAL,
};

bool FoundRight(Finding finding) {
    return finding == Finding::GOOD || finding == Finding::NEEDS_REDUMP || finding == Finding::FOUND_NODUMP;
}

bool FoundWrong(Finding finding) {
    return finding == Finding::BAD_CHECKSUM || finding == Finding::WRONG_LENGTH;
}

struct Hashes {
    std::optional<std::uint32_t> crc;
    std::optional<Sha1Digest> sha1;
};

Hashes HashesOf(const MediaNeed& need) {
    return {need.crc, need.sha1};
}

Hashes HashesOf(const FoundMedia& found) {
    return {found.crc, found.sha1};
}

// MAME's comparison: alike when every kind of hash both hold agrees and they hold one kind at least.
bool SameHashes(const Hashes& a, const Hashes& b) {
    int compared = 0;
    if (a.crc && b.crc) {
        if (*a.crc != *b.crc) {
            return false;
        }
        ++compared;
    }
    if (a.sha1 && b.sha1) {
        if (*a.sha1 != *b.sha1) {
            return false;
        }
        ++compared;
    }
    return compared > 0;
}

bool Dumped(const MediaNeed& need) {
    return need.status != DumpStatus::NO_DUMP;
}

Finding Judge(const MediaNeed& need, const FoundMedia& found) {
    if (!found.found) {
        return !Dumped(need)   ? Finding::NOT_FOUND_NODUMP
               : need.optional ? Finding::NOT_FOUND_OPTIONAL
                               : Finding::NOT_FOUND;
    }
    if (need.size != found.size) {
        return Finding::WRONG_LENGTH;
    }
    if (!Dumped(need)) {
        return Finding::FOUND_NODUMP;
    }
    if (!SameHashes(HashesOf(need), HashesOf(found))) {
        return Finding::BAD_CHECKSUM;
    }
    return need.status == DumpStatus::BAD_DUMP ? Finding::NEEDS_REDUMP : Finding::GOOD;
}

// Who else holds a ROM: a parent by its generation (1 the nearest), or the device whose ROM it is.
constexpr std::size_t DEVICE = std::numeric_limits<std::size_t>::max();

struct ParentMedium {
    std::size_t generation;
    const MediaNeed* need;
};

// The ROMs and disks of a set's romof chain, as MAME weighs them against the set's own.
class ParentMedia {
public:
    ParentMedia(const RomCatalog& catalog, const std::vector<std::string>& searchPath) {
        for (std::size_t generation = 1; generation < searchPath.size(); ++generation) {
            for (const MediaNeed& need : catalog.Find(searchPath[generation])->media) {
                m_media.push_back({generation, &need});
            }
        }
        RemoveRedundantParents();
    }

    // The parent whose listing holds this ROM of the set itself: the furthest one of the same size and
    // hashes, or for a ROM without a good dump one of the same size and name; none when no parent does.
    std::optional<std::size_t> SharedWith(const MediaNeed& need) const {
        std::optional<std::size_t> best;
        for (auto it = m_media.rbegin(); it != m_media.rend(); ++it) {
            if (it->need->size != need.size) {
                continue;
            }
            if (Dumped(need)) {
                if (SameHashes(HashesOf(*it->need), HashesOf(need))) {
                    return it->generation;
                }
            } else if (it->need->name == need.name) {
                if (!Dumped(*it->need)) {
                    return it->generation;
                }
                best = best ? best : it->generation;
            }
        }
        return best;
    }

    // Whether the file found belongs to a parent's listing (or, for a device, to the device's own), and
    // whether that is the nearest parent MAME counts.
    std::pair<bool, bool> FoundBelongsToParent(const SetNeeds* device, const MediaNeed& need,
                                               const FoundMedia& found) const {
        if (!found.found) {
            return {false, false};
        }
        bool deviceUndumped = false;
        if (device != nullptr) {
            for (const MediaNeed& own : device->media) {
                if (own.size != found.size) {
                    continue;
                }
                if (SameHashes(HashesOf(own), HashesOf(found))) {
                    return {true, m_media.empty()};
                }
                deviceUndumped = deviceUndumped || (!Dumped(own) && own.name == need.name);
            }
        }
        std::optional<std::size_t> closestBad;
        for (auto it = m_media.rbegin(); it != m_media.rend(); ++it) {
            if (it->need->size != found.size) {
                continue;
            }
            if (SameHashes(HashesOf(*it->need), HashesOf(found))) {
                return {true, it->generation == m_media.front().generation};
            }
            if (!Dumped(*it->need) && it->need->name == need.name) {
                closestBad = it->generation;
            }
        }
        if (closestBad) {
            return {true, m_media.front().generation == *closestBad};
        }
        return {deviceUndumped, deviceUndumped && m_media.empty()};
    }

private:
    // A nearer parent all of whose dumped ROMs a further one holds too is passed over, as MAME does.
    void RemoveRedundantParents() {
        while (!m_media.empty()) {
            auto next = std::find_if(m_media.begin(), m_media.end(), [&](const ParentMedium& medium) {
                return medium.generation != m_media.front().generation;
            });
            for (auto it = m_media.begin(); it != next; ++it) {
                if (Dumped(*it->need) && std::none_of(next, m_media.end(), [&](const ParentMedium& later) {
                        return later.need->size == it->need->size &&
                               SameHashes(HashesOf(*later.need), HashesOf(*it->need));
                    })) {
                    return;
                }
            }
            m_media.erase(m_media.begin(), next);
        }
    }

    std::vector<ParentMedium> m_media;
};

// The names a disk may be found under: its own, then those of its parents' disks of the same SHA1.
std::vector<std::string> DiskNames(const RomCatalog& catalog, const MediaNeed& disk,
                                   const std::vector<std::string>& searchPath) {
    std::vector<std::string> names = {disk.name};
    for (std::size_t generation = 1; generation < searchPath.size(); ++generation) {
        for (const MediaNeed& other : catalog.Find(searchPath[generation])->media) {
            if (other.disk && other.name != disk.name && SameHashes(HashesOf(other), HashesOf(disk)) &&
                std::find(names.begin(), names.end(), other.name) == names.end()) {
                names.push_back(other.name);
            }
        }
    }
    return names;
}

// Whether the set loads a ROM of its own into the region a device's ROM would fill (the device's tag,
// taken to be its name, then its region): the device then has no such region in the set, as MAME
// allows no two regions of one name. The listing cannot say it otherwise (MAME 0.251's QS1000 sound
// device, given its program by the games that use it).
bool ReplacedBySet(const SetNeeds& set, const SetNeeds& device, const MediaNeed& need) {
    if (need.region.empty()) {
        return false;
    }
    std::string region = device.name + ":" + need.region;
    return std::any_of(set.media.begin(), set.media.end(), [&](const MediaNeed& own) { return own.region == region; });
}

// A device's own set, then the set it borrows ROMs from.
std::vector<std::string> DevicePath(const SetNeeds& device) {
    std::vector<std::string> path = {device.name};
    if (!device.romof.empty() && device.romof != device.name) {
        path.push_back(device.romof);
    }
    return path;
}

struct Record {
    const MediaNeed* need;
    Finding finding;
    FoundMedia found;
};

// The verdict of the records MAME keeps, and a line for each ROM or disk missing or wrong.
SetAudit Summarize(std::string name, const std::vector<Record>& records, bool notFound) {
    SetAudit audit{std::move(name), SetVerdict::GOOD, {}};
    if (records.empty()) {
        audit.verdict = SetVerdict::NONE_NEEDED;
    }
    for (const Record& record : records) {
        Finding finding = record.finding;
        if (finding == Finding::GOOD) {
            continue;
        }
        bool bestThereIs = finding == Finding::NEEDS_REDUMP || finding == Finding::FOUND_NODUMP ||
                           finding == Finding::NOT_FOUND_NODUMP || finding == Finding::NOT_FOUND_OPTIONAL;
        audit.verdict = std::max(audit.verdict, bestThereIs ? SetVerdict::BEST_AVAILABLE : SetVerdict::BAD);
        if (FoundRight(finding)) {
            continue;
        }
        ProblemReason reason = ProblemReason::NOT_FOUND;
        std::string where = record.found.where;
        if (finding == Finding::WRONG_LENGTH) {
            reason = ProblemReason::WRONG_SIZE;
        } else if (finding == Finding::BAD_CHECKSUM) {
            bool crcDiffers = record.need->crc && record.found.crc && *record.need->crc != *record.found.crc;
            reason = crcDiffers ? ProblemReason::WRONG_CRC : ProblemReason::WRONG_SHA1;
        } else if (finding != Finding::NOT_FOUND) {
            where.insert(0, finding == Finding::NOT_FOUND_NODUMP ? "no good dump known; " : "optional; ");
        }
        audit.problems.push_back({record.need->name, reason, std::move(where)});
    }
    if (notFound) {
        audit.verdict = SetVerdict::NOT_FOUND;
    }
    return audit;
}

class SetAuditor {
public:
    SetAuditor(const RomCatalog& catalog, MediaLocator& locator) : m_catalog(catalog), m_locator(locator) {}

    SetAudit Audit(const std::string& name) {
        const SetNeeds* set = m_catalog.Find(name);
        if (set == nullptr) {
            return {name, SetVerdict::NOT_FOUND, {}};
        }
        return set->isDevice ? AuditDevice(*set) : AuditMachine(*set);
    }

private:
    Record Look(const MediaNeed& need, const std::vector<std::string>& path,
                const std::vector<std::string>& diskNames) {
        FoundMedia found = need.disk ? m_locator.FindDisk(path, diskNames) : m_locator.FindRom(path, need);
        Finding finding = Judge(need, found);
        return {&need, finding, std::move(found)};
    }

    // A machine: its own ROMs and disks along its search path, then each device's along the device's
    // set and the machine's path. What decides "not found" is whether anything found is its own.
    SetAudit AuditMachine(const SetNeeds& set) {
        std::vector<std::string> path = m_catalog.SearchPath(set.name);
        ParentMedia parents(m_catalog, path);
        std::size_t found = 0, required = 0, sharedFound = 0, sharedRequired = 0, parentFound = 0;
        std::vector<Record> records;
        auto count = [&](const Record& record, std::optional<std::size_t> sharedWith,
                         std::pair<bool, bool> belongsToParent) {
            if (Dumped(*record.need) && !record.need->optional) {
                ++required;
                sharedRequired += sharedWith ? 1 : 0;
            }
            if (FoundRight(record.finding) || (FoundWrong(record.finding) && !belongsToParent.first)) {
                ++found;
                sharedFound += sharedWith ? 1 : 0;
                parentFound += belongsToParent.second ? 1 : 0;
            }
        };
        for (const MediaNeed& need : set.media) {
            Record record = Look(need, path, need.disk ? DiskNames(m_catalog, need, path) : std::vector<std::string>{});
            count(record, parents.SharedWith(need), parents.FoundBelongsToParent(nullptr, need, record.found));
            records.push_back(std::move(record));
        }
        for (const std::string& deviceName : set.devices) {
            const SetNeeds& device = *m_catalog.Find(deviceName);
            std::vector<std::string> devicePath = DevicePath(device);
            devicePath.insert(devicePath.end(), path.begin(), path.end());
            for (const MediaNeed& need : device.media) {
                if (ReplacedBySet(set, device, need)) {
                    continue;
                }
                Record record = Look(need, devicePath, {need.name});
                count(record, DEVICE, parents.FoundBelongsToParent(&device, need, record.found));
                records.push_back(std::move(record));
            }
        }
        bool notFound = found == sharedFound && required > 0 && (required != sharedRequired || parentFound == 0);
        return Summarize(set.name, records, notFound);
    }

    // A device asked for by itself: its ROMs along its own set; not found when none of them is there.
    SetAudit AuditDevice(const SetNeeds& device) {
        std::vector<std::string> path = DevicePath(device);
        std::size_t found = 0, required = 0;
        std::vector<Record> records;
        for (const MediaNeed& need : device.media) {
            Record record = Look(need, path, {need.name});
            required += Dumped(need) && !need.optional ? 1 : 0;
            found += FoundRight(record.finding) || FoundWrong(record.finding) ? 1 : 0;
            records.push_back(std::move(record));
        }
        return Summarize(device.name, records, found == 0 && required > 0);
    }

    const RomCatalog& m_catalog;
    MediaLocator& m_locator;
};

} // namespace

AuditReport AuditSets(const RomCatalog& catalog, const RomFolders& folders, const std::vector<std::string>& names,
                      const AuditOptions& options, const WorkProgress& progress) {
    // Two threads take the sets in turn, each reading the containers on its own: opening archives is most
    // of an audit's time, and it goes on both cores. Only this thread tells the progress.
    std::vector<std::optional<SetAudit>> audits(names.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::uint64_t> done{0};
    std::atomic<bool> stop{false};
    auto keepGoing = [&](bool tells) {
        if (tells && progress && !progress(done, names.size())) {
            stop = true;
        }
        return !stop;
    };
    auto work = [&](bool tells) {
        MediaLocator locator(folders, options.verify, [&, tells] { return keepGoing(tells); });
        SetAuditor auditor(catalog, locator);
        for (std::size_t i = next++; i < names.size() && keepGoing(tells); i = next++) {
            SetAudit audit = auditor.Audit(names[i]);
            if (locator.Stopped()) {
                return;
            }
            audits[i] = std::move(audit);
            ++done;
        }
    };
    if (keepGoing(true)) {
        std::thread helper(work, false);
        work(true);
        helper.join();
    }

    AuditReport report;
    for (std::optional<SetAudit>& audit : audits) {
        if (!audit) {
            report.stopped = true;
            break;
        }
        report.sets.push_back(std::move(*audit));
    }
    if (!report.stopped) {
        keepGoing(true);
    }
    return report;
}

} // namespace pellaquin
