#include "roms/SevenZipArchive.h"

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <memory>

namespace pellaquin {

namespace {

constexpr std::size_t BLOCK = 1 << 16;

struct ArchiveFree {
    void operator()(archive* reading) const { archive_read_free(reading); }
};

std::string ProblemOf(archive* reading) {
    const char* text = archive_error_string(reading);
    return text != nullptr ? text : "unreadable";
}

// Adds the entry's bytes to `hasher`, zeros standing for the holes a sparse entry leaves.
int HashEntry(archive* reading, ContentHasher& hasher, const KeepGoing& keepGoing) {
    static const std::string ZEROS(BLOCK, '\0');
    std::int64_t position = 0;
    while (true) {
        if (keepGoing && !keepGoing()) {
            return ARCHIVE_RETRY;
        }
        const void* block = nullptr;
        std::size_t size = 0;
        la_int64_t offset = 0;
        int result = archive_read_data_block(reading, &block, &size, &offset);
        if (result == ARCHIVE_EOF) {
            return ARCHIVE_OK;
        }
        if (result < ARCHIVE_WARN) {
            return result;
        }
        for (; position < offset; position += static_cast<std::int64_t>(BLOCK)) {
            hasher.Add(std::string_view(ZEROS).substr(
                0, static_cast<std::size_t>(std::min<std::int64_t>(offset - position, BLOCK))));
        }
        hasher.Add(std::string_view(static_cast<const char*>(block), size));
        position = offset + static_cast<std::int64_t>(size);
    }
}

} // namespace

ArchiveContents ReadSevenZip(const std::string& path, ArchiveReading reading, const KeepGoing& keepGoing) {
    ArchiveContents contents;
    std::unique_ptr<archive, ArchiveFree> sevenZip(archive_read_new());
    archive_read_support_format_7zip(sevenZip.get());
    if (archive_read_open_filename(sevenZip.get(), path.c_str(), BLOCK) != ARCHIVE_OK) {
        int error = archive_errno(sevenZip.get());
        bool unreadable = error == ENOENT || error == EACCES || error == EISDIR || error == ELOOP;
        contents.status = unreadable ? ArchiveStatus::UNREADABLE : ArchiveStatus::DAMAGED;
        contents.problem = ProblemOf(sevenZip.get());
        return contents;
    }
    archive_entry* header = nullptr;
    int result = ARCHIVE_OK;
    while ((result = archive_read_next_header(sevenZip.get(), &header)) >= ARCHIVE_WARN) {
        if (archive_entry_filetype(header) != AE_IFREG) {
            continue;
        }
        const char* name = archive_entry_pathname_utf8(header);
        if (name == nullptr) {
            name = archive_entry_pathname(header);
        }
        ArchiveEntry entry;
        entry.name = name != nullptr ? name : "";
        ContentHasher hasher(reading == ArchiveReading::BYTES);
        int read = HashEntry(sevenZip.get(), hasher, keepGoing);
        if (read == ARCHIVE_RETRY) {
            contents.status = ArchiveStatus::STOPPED;
            return contents;
        }
        entry.digest = hasher.Finish();
        entry.bytesRead = read == ARCHIVE_OK;
        entry.readFailed = read != ARCHIVE_OK;
        contents.entries.push_back(std::move(entry));
        if (read == ARCHIVE_FATAL) {
            result = read;
            break;
        }
    }
    if (result == ARCHIVE_FATAL) {
        contents.status = ArchiveStatus::DAMAGED;
        contents.problem = ProblemOf(sevenZip.get());
    }
    return contents;
}

} // namespace pellaquin
