#pragma once

#include "records/InputFile.h"
#include "roms/ContentHasher.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellaquin {

enum class DumpStatus { GOOD, BAD_DUMP, NO_DUMP };

// A ROM or disk a set names, with what the listing knows of its bytes. A disk has no size; a ROM with
// no good dump has no hashes.
struct MediaNeed {
    std::string name;
    std::string region; // the memory region a ROM is loaded into
    std::uint64_t size = 0;
    std::optional<std::uint32_t> crc;
    std::optional<Sha1Digest> sha1;
    DumpStatus status = DumpStatus::GOOD;
    bool optional = false;
    bool disk = false;
};

// What one set of the listing needs.
struct SetNeeds {
    std::string name;
    std::string cloneof;
    std::string romof; // its parent, or its BIOS set: where MAME looks after the set itself
    bool isBios = false;
    bool isDevice = false;
    std::vector<MediaNeed> media; // its ROMs, then its disks, as listed
    // The devices it names that have ROMs or disks, each once, in the listing's order.
    std::vector<std::string> devices;
};

// What the listing says a few sets need, and the sets they need in turn, read in one pass over it.
class RomCatalog {
public:
    // Reads from `input` (open, its format settled) the sets named in `wanted` and every set MAME opens
    // with them: their romof chains, the devices they name, and those devices' romof sets. A set the
    // listing lacks is left out.
    static RomCatalog Read(InputFile& input, const std::vector<std::string>& wanted);

    // The set read under `name`; null for one that was not.
    const SetNeeds* Find(std::string_view name) const;
    // Where MAME looks for a set's files: the set, then its romof chain, each set once.
    std::vector<std::string> SearchPath(std::string_view name) const;
    // The sets MAME opens to run `names`: each set's search path, then its devices' own sets and their
    // romof sets; each set once, in that order.
    std::vector<std::string> SetsToRun(const std::vector<std::string>& names) const;
    // True when the input failed to read part-way, so sets may be missing.
    bool ReadFailed() const { return m_readFailed; }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    std::unordered_map<std::string, SetNeeds, NameHash, std::equal_to<>> m_sets;
    bool m_readFailed = false;
};

} // namespace pellaquin
