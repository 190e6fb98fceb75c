#include "roms/MediaLocator.h"

#include "records/ByteText.h"
#include "roms/ChdHeader.h"
#include "roms/SevenZipArchive.h"
#include "roms/ZipArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace pellaquin {

namespace {

constexpr std::size_t CHUNK = 1 << 16;

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAsciiByte(x) == LowerAsciiByte(y); });
}

// An archive's file named `name` under a folder of its own, as MAME's partial path match takes it.
bool EndsWithNameIgnoringCase(std::string_view stored, std::string_view name) {
    return stored.size() > name.size() && stored[stored.size() - name.size() - 1] == '/' &&
           SameNameIgnoringCase(stored.substr(stored.size() - name.size()), name);
}

// The file MAME takes for `rom` in an archive, in its order of tries; null for none.
const ArchiveEntry* MatchInArchive(const ArchiveContents& archive, const MediaNeed& rom, bool crcsKnown) {
    auto first = [&](auto&& matches) -> const ArchiveEntry* {
        auto found = std::find_if(archive.entries.begin(), archive.entries.end(), matches);
        return found != archive.entries.end() ? &*found : nullptr;
    };
    auto crcMatches = [&](const ArchiveEntry& entry) {
        return rom.crc && (crcsKnown || entry.bytesRead) && entry.digest.crc == *rom.crc;
    };
    auto nameMatches = [&](const ArchiveEntry& entry) { return SameNameIgnoringCase(entry.name, rom.name); };
    auto pathMatches = [&](const ArchiveEntry& entry) { return EndsWithNameIgnoringCase(entry.name, rom.name); };
    const ArchiveEntry* match = first([&](const ArchiveEntry& e) { return crcMatches(e) && nameMatches(e); });
    match = match ? match : first([&](const ArchiveEntry& e) { return crcMatches(e) && pathMatches(e); });
    match = match ? match : first(crcMatches);
    match = match ? match : first(nameMatches);
    return match ? match : first(pathMatches);
}

std::string_view StatusWord(ArchiveStatus status) {
    return status == ArchiveStatus::DAMAGED ? "damaged" : "unreadable";
}

} // namespace

MediaLocator::MediaLocator(const RomFolders& folders, bool verify, KeepGoing keepGoing)
    : m_folders(folders), m_verify(verify), m_keepGoing(std::move(keepGoing)) {}

const ArchiveContents& MediaLocator::Archive(const Container& container) {
    auto cached = m_archives.find(container.path);
    if (cached != m_archives.end()) {
        return cached->second;
    }
    ArchiveReading reading = m_verify ? ArchiveReading::BYTES : ArchiveReading::DIRECTORY;
    ArchiveContents contents = container.kind == ContainerKind::ZIP
                                   ? ReadZip(container.path, reading, m_keepGoing)
                                   : ReadSevenZip(container.path, reading, m_keepGoing);
    if (contents.status == ArchiveStatus::STOPPED) {
        // Not kept: a stopped read holds only part of the archive.
        m_stopped = true;
        static const ArchiveContents NOTHING;
        return NOTHING;
    }
    return m_archives.emplace(container.path, std::move(contents)).first->second;
}

const MediaLocator::LooseFile& MediaLocator::Loose(const std::string& path) {
    auto cached = m_looseFiles.find(path);
    if (cached != m_looseFiles.end()) {
        return cached->second;
    }
    LooseFile file;
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0) {
        file.exists = errno != ENOENT && errno != ENOTDIR;
        file.problem = std::strerror(errno);
    } else if (fstat(descriptor, &status) == 0 && !S_ISDIR(status.st_mode)) {
        file.exists = true;
        ContentHasher hasher(m_verify);
        std::string buffer(CHUNK, '\0');
        ssize_t count = 0;
        while ((count = read(descriptor, buffer.data(), buffer.size())) > 0) {
            hasher.Add(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
            if (m_keepGoing && !m_keepGoing()) {
                m_stopped = true;
                close(descriptor);
                static const LooseFile NOTHING;
                return NOTHING;
            }
        }
        if (count < 0) {
            file.problem = std::strerror(errno);
        }
        file.digest = hasher.Finish();
    }
    if (descriptor >= 0) {
        close(descriptor);
    }
    return m_looseFiles.emplace(path, std::move(file)).first->second;
}

void MediaLocator::Note(std::string note) {
    if (std::find(m_notes.begin(), m_notes.end(), note) == m_notes.end()) {
        m_notes.push_back(std::move(note));
    }
}

std::string MediaLocator::Searched(const std::vector<std::string>& searchPath) {
    std::string where;
    for (const std::string& set : searchPath) {
        where.append(where.empty() ? "" : "; ").append(set).append(": ");
        const std::vector<Container>& containers = m_folders.ContainersOf(set);
        if (containers.empty()) {
            where.append("no container");
        }
        for (std::size_t i = 0; i < containers.size(); ++i) {
            where.append(i > 0 ? ", " : "").append(containers[i].path);
        }
    }
    for (const std::string& note : m_notes) {
        where.append("; ").append(note);
    }
    m_notes.clear();
    return where;
}

FoundMedia MediaLocator::FindRom(const std::vector<std::string>& searchPath, const MediaNeed& rom) {
    m_notes.clear();
    FoundMedia result;
    for (const std::string& set : searchPath) {
        for (const Container& container : m_folders.ContainersOf(set)) {
            if (container.kind == ContainerKind::FOLDER) {
                std::string path = container.path + "/" + rom.name;
                const LooseFile& file = Loose(path);
                if (!file.exists) {
                    continue;
                }
                if (!file.problem.empty()) {
                    Note(path + ": " + file.problem);
                    continue;
                }
                result = {true, file.digest.size, file.digest.crc, file.digest.sha1, path};
            } else {
                const ArchiveContents& archive = Archive(container);
                if (archive.status != ArchiveStatus::READ && archive.entries.empty()) {
                    if (!m_stopped) {
                        Note(container.path + ": " + std::string(StatusWord(archive.status)) + " (" + archive.problem +
                             ")");
                    }
                    continue;
                }
                const ArchiveEntry* entry = MatchInArchive(archive, rom, container.kind == ContainerKind::ZIP);
                if (entry == nullptr) {
                    continue;
                }
                std::string where = container.path + ": " + entry->name;
                if (entry->readFailed) {
                    Note(where + ": damaged");
                    result.where = Searched(searchPath);
                    return result;
                }
                result = {true, entry->digest.size, entry->digest.crc, entry->digest.sha1, where};
            }
            // MAME takes the first file it opens; an empty one is as good as none.
            if (result.size == 0) {
                Note(result.where + ": empty");
                result = {};
                result.where = Searched(searchPath);
            }
            return result;
        }
    }
    result.where = Searched(searchPath);
    return result;
}

FoundMedia MediaLocator::FindDisk(const std::vector<std::string>& searchPath, const std::vector<std::string>& names) {
    m_notes.clear();
    for (const std::string& name : names) {
        std::string file = name + ".chd";
        MediaNeed asRom;
        asRom.name = file;
        bool met = false;
        for (auto set = searchPath.begin(); set != searchPath.end() && !met; ++set) {
            for (const Container& container : m_folders.ContainersOf(*set)) {
                std::string path = container.path + "/" + file;
                if (container.kind != ContainerKind::FOLDER) {
                    if (MatchInArchive(Archive(container), asRom, true) != nullptr) {
                        Note(container.path + ": " + file + ": a CHD inside an archive, which MAME cannot open");
                        met = true;
                        break;
                    }
                    continue;
                }
                ChdIdentity identity = ReadChdIdentity(path);
                if (identity.status == ChdStatus::OPENED) {
                    m_notes.clear();
                    return {true, 0, std::nullopt, identity.sha1, path};
                }
                if (identity.status != ChdStatus::MISSING) {
                    Note(path + ": " + identity.problem);
                    met = true;
                    break;
                }
            }
        }
    }
    FoundMedia result;
    result.where = Searched(searchPath);
    return result;
}

} // namespace pellaquin
