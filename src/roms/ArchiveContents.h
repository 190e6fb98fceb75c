#pragma once

#include "roms/ContentHasher.h"

#include <functional>
#include <string>
#include <vector>

namespace pellaquin {

// One file inside a zip or 7z archive.
struct ArchiveEntry {
    std::string name; // as stored, "/" between folders
    // The size and CRC32 its archive's directory states, or, when its bytes were read, theirs with
    // their SHA1.
    ContentDigest digest;
    bool bytesRead = false;
    bool readFailed = false; // its bytes could not be read: the archive is damaged there
};

enum class ArchiveStatus {
    READ,
    UNREADABLE, // missing, a folder, no permission, a symbolic link loop
    DAMAGED,    // not an archive of its kind, or one cut short or broken
    STOPPED,    // the run was asked to stop while the bytes were read
};

// What reading an archive found; its problem says why one could not be read.
struct ArchiveContents {
    ArchiveStatus status = ArchiveStatus::READ;
    std::string problem;
    std::vector<ArchiveEntry> entries; // its files, folders left out
};

enum class ArchiveReading {
    DIRECTORY, // names, sizes and CRC32s, without decompressing what the format lets be
    BYTES,     // every file decompressed, its CRC32 and SHA1 computed
};

// Asked between pieces of a long read; false stops it.
using KeepGoing = std::function<bool()>;

} // namespace pellaquin
