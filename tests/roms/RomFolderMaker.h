#pragma once

#include "roms/ContentHasher.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace pellaquin::test {

using NamedBytes = std::vector<std::pair<std::string, std::string>>;

// How a ROM collection arranges parents and clones: merged puts each clone's own ROMs in its parent's
// container, split keeps them in the clone's, non-merged gives each set every ROM but its BIOS set's.
enum class RomForm { MERGED, SPLIT, NON_MERGED };

// `size` bytes whose CRC32 is `crc`: `fill` bytes, then the four bytes that make it.
std::string RomBytes(std::uint64_t size, std::uint32_t crc, char fill = '\0');

void WriteZip(const std::filesystem::path& path, const NamedBytes& files);
void WriteSevenZip(const std::filesystem::path& path, const NamedBytes& files);
// A CHD of `version` (3, 4 or 5) whose header holds `sha1`, with its hunk map, and no hunks.
std::string ChdBytes(int version, const Sha1Digest& sha1);

// Writes into `folder` every set of the listing at `listingPath` in `form`, each ROM of the bytes its
// size and CRC32 call for (a ROM without a dump gets zeros), each disk a CHD of the listing's SHA1. A set
// whose name begins with "folder" is a folder, one beginning with "seven" a 7z, any other a zip.
void MakeRomFolder(const std::string& listingPath, RomForm form, const std::filesystem::path& folder);

} // namespace pellaquin::test
