#pragma once

#include "roms/ArchiveContents.h"
#include "roms/RomCatalog.h"
#include "roms/RomFolders.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace pellaquin {

// Where a ROM or disk was found and what its bytes come to; when it was not, what was searched.
struct FoundMedia {
    bool found = false;
    std::uint64_t size = 0;
    std::optional<std::uint32_t> crc;
    std::optional<Sha1Digest> sha1;
    std::string where; // the file found, or the sets and containers searched and what was wrong with them
};

// Finds ROMs and disks in the ROM folders the way MAME does, reading each container once for a run.
class MediaLocator {
public:
    // With `verify`, every file found is decompressed and its CRC32 and SHA1 computed; without, a zip's
    // directory is taken at its word. `keepGoing` is asked during long reads.
    MediaLocator(const RomFolders& folders, bool verify, KeepGoing keepGoing);

    // Looks for `rom` set after set along `searchPath`, trying each set's containers in order: in a
    // folder the file of its name; in an archive a file of its CRC32 and name, then of its CRC32, then
    // of its name, a name matching whole or after a "/", case ignored. The first file met is the one
    // found, right or wrong; an empty one counts as none.
    FoundMedia FindRom(const std::vector<std::string>& searchPath, const MediaNeed& rom);
    // Looks for NAME.chd in the set folders along `searchPath`, for each of `names` in turn (the disk's
    // own, then its parents' of the same SHA1); a file met that does not open as a CHD, or one inside an
    // archive, ends the search under that name. The SHA1 found is the header's.
    FoundMedia FindDisk(const std::vector<std::string>& searchPath, const std::vector<std::string>& names);
    // True once a read was stopped by `keepGoing`.
    bool Stopped() const { return m_stopped; }

private:
    struct LooseFile {
        bool exists = false;
        std::string problem; // why a file that is there could not be read
        ContentDigest digest;
    };

    const ArchiveContents& Archive(const Container& container);
    const LooseFile& Loose(const std::string& path);
    void Note(std::string note);
    std::string Searched(const std::vector<std::string>& searchPath);

    const RomFolders& m_folders;
    bool m_verify;
    KeepGoing m_keepGoing;
    bool m_stopped = false;
    std::unordered_map<std::string, ArchiveContents> m_archives;
    std::unordered_map<std::string, LooseFile> m_looseFiles;
    std::vector<std::string> m_notes; // what went wrong during the search under way
};

} // namespace pellaquin
