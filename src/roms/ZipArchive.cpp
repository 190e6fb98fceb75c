#include "roms/ZipArchive.h"

#include <zip.h>

#include <memory>

namespace pellaquin {

namespace {

constexpr std::size_t CHUNK = 1 << 16;

struct ZipDiscard {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string ErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

enum class BytesRead { WHOLE, FAILED, STOPPED };

// Reads the entry's bytes into its digest. libzip checks the stored CRC32 once the last byte is read;
// the digest then holds every byte, and its own CRC32 tells the mismatch.
BytesRead ReadEntryBytes(zip_t* zip, zip_uint64_t index, ArchiveEntry& entry, const KeepGoing& keepGoing) {
    std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(zip, index, 0));
    if (!file) {
        return BytesRead::FAILED;
    }
    ContentHasher hasher(true);
    std::string buffer(CHUNK, '\0');
    while (true) {
        if (keepGoing && !keepGoing()) {
            return BytesRead::STOPPED;
        }
        zip_int64_t count = zip_fread(file.get(), buffer.data(), buffer.size());
        if (count == 0) {
            break;
        }
        if (count < 0) {
            bool wholeButCrc = zip_error_code_zip(zip_file_get_error(file.get())) == ZIP_ER_CRC;
            if (!wholeButCrc) {
                return BytesRead::FAILED;
            }
            break;
        }
        hasher.Add(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
    }
    ContentDigest digest = hasher.Finish();
    if (digest.size != entry.digest.size) {
        return BytesRead::FAILED;
    }
    entry.digest = digest;
    entry.bytesRead = true;
    return BytesRead::WHOLE;
}

} // namespace

ArchiveContents ReadZip(const std::string& path, ArchiveReading reading, const KeepGoing& keepGoing) {
    ArchiveContents contents;
    int error = 0;
    std::unique_ptr<zip_t, ZipDiscard> zip(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!zip) {
        bool damaged = error == ZIP_ER_NOZIP || error == ZIP_ER_INCONS || error == ZIP_ER_CRC;
        contents.status = damaged ? ArchiveStatus::DAMAGED : ArchiveStatus::UNREADABLE;
        contents.problem = ErrorText(error);
        return contents;
    }
    zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        auto index = static_cast<zip_uint64_t>(i);
        if (zip_stat_index(zip.get(), index, ZIP_FL_ENC_RAW, &stat) != 0 || (stat.valid & ZIP_STAT_NAME) == 0) {
            continue;
        }
        ArchiveEntry entry;
        entry.name = stat.name;
        if (entry.name.empty() || entry.name.back() == '/') {
            continue;
        }
        entry.digest.size = (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0;
        entry.digest.crc = (stat.valid & ZIP_STAT_CRC) != 0 ? stat.crc : 0;
        if (reading == ArchiveReading::BYTES) {
            BytesRead read = ReadEntryBytes(zip.get(), index, entry, keepGoing);
            if (read == BytesRead::STOPPED) {
                contents.status = ArchiveStatus::STOPPED;
                return contents;
            }
            entry.readFailed = read == BytesRead::FAILED;
        }
        contents.entries.push_back(std::move(entry));
    }
    return contents;
}

} // namespace pellaquin
