#include "roms/RomFolderMaker.h"

#include "records/InputOpening.h"
#include "records/RecordReader.h"
#include "records/ScanCycle.h"
#include "search/RecordStructure.h"

#include <archive.h>
#include <archive_entry.h>
#include <zip.h>

#include <array>
#include <fstream>
#include <map>
#include <stdexcept>

namespace pellaquin::test {

namespace fs = std::filesystem;

namespace {

std::array<std::uint32_t, 256> CrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) != 0 ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        }
        table[i] = c;
    }
    return table;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

struct ListedMedia {
    std::string name, merge;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    std::string sha1;
    bool disk = false;
};

struct ListedSet {
    std::string cloneof, romof;
    bool isBios = false;
    std::vector<ListedMedia> media;
};

std::map<std::string, ListedSet> ReadListing(const std::string& listingPath) {
    InputFile input;
    std::string header;
    if (OpenRecognisedInput(listingPath, input, header) != InputOpening::OK) {
        throw std::runtime_error("cannot read " + listingPath);
    }
    RecordReader reader;
    ScanCycle scan(input, reader);
    scan.Start(header);
    RecordStructureReader structures;
    std::map<std::string, ListedSet> sets;
    std::string record;
    while (scan.Next(record)) {
        const RecordStructure& s = structures.Read(record, RecordPart::ROM_SET);
        ListedSet& set = sets[std::string(s.name)];
        set = {std::string(s.cloneof), std::string(s.romof), s.isBios, {}};
        for (const RomEntry& rom : s.roms) {
            set.media.push_back({std::string(rom.name), std::string(rom.merge), std::stoull(std::string(rom.size)),
                                 ParseCrc(rom.crc).value_or(0), std::string(rom.sha1), false});
        }
        for (const DiskEntry& disk : s.disks) {
            set.media.push_back({std::string(disk.name), std::string(disk.merge), 0, 0, std::string(disk.sha1), true});
        }
    }
    return sets;
}

// Whether a set's ROM merged from its romof chain comes from a BIOS set rather than a parent.
bool FromBios(const std::map<std::string, ListedSet>& sets, const ListedSet& set, const ListedMedia& media) {
    for (auto at = sets.find(set.romof); at != sets.end(); at = sets.find(at->second.romof)) {
        if (at->second.isBios) {
            for (const ListedMedia& own : at->second.media) {
                if (own.name == media.merge && own.crc == media.crc) {
                    return true;
                }
            }
        }
        if (at->second.romof.empty()) {
            break;
        }
    }
    return false;
}

} // namespace

std::string RomBytes(std::uint64_t size, std::uint32_t crc, char fill) {
    static const std::array<std::uint32_t, 256> TABLE = CrcTable();
    std::string bytes(size, fill);
    if (size < 4) {
        return bytes;
    }
    ContentHasher hasher(false);
    hasher.Add(std::string_view(bytes).substr(0, size - 4));
    // The CRC register is run back from the wanted end through four steps; each step's table entry is
    // the one whose top byte the register's top byte names.
    std::uint32_t state = crc ^ 0xFFFFFFFFu;
    for (int step = 0; step < 4; ++step) {
        std::uint32_t index = 0;
        while ((TABLE[index] >> 24) != (state >> 24)) {
            ++index;
        }
        state = ((state ^ TABLE[index]) << 8) | index;
    }
    std::uint32_t last = state ^ (hasher.Finish().crc ^ 0xFFFFFFFFu);
    for (int i = 0; i < 4; ++i) {
        bytes[size - 4 + static_cast<std::size_t>(i)] = static_cast<char>(last >> (8 * i));
    }
    return bytes;
}

void WriteZip(const fs::path& path, const NamedBytes& files) {
    fs::create_directories(path.parent_path());
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : files) {
        zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
        zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_RAW);
    }
    if (zip_close(zip) != 0) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

void WriteSevenZip(const fs::path& path, const NamedBytes& files) {
    fs::create_directories(path.parent_path());
    archive* writing = archive_write_new();
    archive_write_set_format_7zip(writing);
    archive_write_open_filename(writing, path.c_str());
    for (const auto& [name, bytes] : files) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.c_str());
        archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_write_header(writing, entry);
        archive_write_data(writing, bytes.data(), bytes.size());
        archive_entry_free(entry);
    }
    archive_write_close(writing);
    archive_write_free(writing);
}

std::string ChdBytes(int version, const Sha1Digest& sha1) {
    static constexpr std::size_t LENGTHS[] = {120, 108, 124};
    static constexpr std::size_t SHA1_AT[] = {80, 48, 84};
    auto index = static_cast<std::size_t>(version - 3);
    std::string bytes(LENGTHS[index] + 16, '\0');
    auto put = [&](std::size_t at, std::uint64_t value, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            bytes[at + i] = static_cast<char>(value >> (8 * (count - 1 - i)));
        }
    };
    bytes.replace(0, 8, "MComprHD");
    put(8, LENGTHS[index], 4);
    put(12, static_cast<std::uint64_t>(version), 4);
    if (version < 5) {
        put(24, 1, 4); // one hunk, whose 16-byte map entry follows the header
    } else {
        put(32, 4096, 8);           // logical bytes
        put(40, LENGTHS[index], 8); // the uncompressed map right after the header
        put(56, 4096, 4);           // hunk bytes
    }
    std::copy(sha1.begin(), sha1.end(), bytes.begin() + static_cast<std::ptrdiff_t>(SHA1_AT[index]));
    return bytes;
}

void MakeRomFolder(const std::string& listingPath, RomForm form, const fs::path& folder) {
    std::map<std::string, ListedSet> sets = ReadListing(listingPath);
    std::map<std::string, NamedBytes> files;
    std::map<std::string, NamedBytes> disks;
    for (const auto& [name, set] : sets) {
        bool merged = form == RomForm::MERGED && !set.cloneof.empty();
        std::string holder = merged ? set.cloneof : name;
        for (const ListedMedia& media : set.media) {
            bool inOwnSet = media.merge.empty() || (form == RomForm::NON_MERGED && !FromBios(sets, set, media));
            if (!inOwnSet) {
                continue;
            }
            NamedBytes& into = media.disk ? disks[holder] : files[holder];
            std::string inside = merged ? name + "/" + media.name : media.name;
            std::string bytes = media.disk ? ChdBytes(5, ParseSha1(media.sha1).value_or(Sha1Digest{}))
                                           : RomBytes(media.size, media.crc);
            into.emplace_back(media.disk ? inside + ".chd" : inside, std::move(bytes));
        }
        files.try_emplace(holder);
    }
    for (const auto& [name, contents] : files) {
        if (contents.empty() && disks.count(name) == 0) {
            continue;
        }
        if (name.starts_with("folder")) {
            for (const auto& [inside, bytes] : contents) {
                WriteFile(folder / name / inside, bytes);
            }
        } else if (!contents.empty()) {
            name.starts_with("seven") ? WriteSevenZip(folder / (name + ".7z"), contents)
                                      : WriteZip(folder / (name + ".zip"), contents);
        }
    }
    for (const auto& [name, contents] : disks) {
        for (const auto& [inside, bytes] : contents) {
            WriteFile(folder / name / inside, bytes);
        }
    }
}

} // namespace pellaquin::test
