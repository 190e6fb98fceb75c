#include "roms/ChdHeader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace pellaquin {

namespace {

constexpr std::string_view TAG = "MComprHD";
constexpr std::size_t LONGEST_HEADER = 124;

// Where each version keeps what is read here, from MAME's chd.h.
struct HeaderLayout {
    std::uint32_t version;
    std::uint32_t length;
    std::size_t sha1;
    std::size_t parentSha1;
};
constexpr HeaderLayout LAYOUTS[] = {
    {3, 120, 80, 100},
    {4, 108, 48, 68},
    {5, 124, 84, 104},
};

std::uint64_t BigEndian(const std::uint8_t* bytes, std::size_t count) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

bool AllZero(const std::uint8_t* bytes, std::size_t count) {
    return std::all_of(bytes, bytes + count, [](std::uint8_t byte) { return byte == 0; });
}

// Where the hunk map ends: a version 3 or 4 map of 16 bytes a hunk follows the header; a version 5
// map lies at its offset, 4 bytes a hunk when uncompressed, else a 16-byte header and its length.
std::uint64_t MapEnd(const std::uint8_t* header, const HeaderLayout& layout, int descriptor) {
    if (layout.version < 5) {
        return layout.length + 16 * BigEndian(header + 24, 4);
    }
    std::uint64_t logicalBytes = BigEndian(header + 32, 8);
    std::uint64_t mapOffset = BigEndian(header + 40, 8);
    std::uint64_t hunkBytes = BigEndian(header + 56, 4);
    if (hunkBytes == 0) {
        return UINT64_MAX;
    }
    if (BigEndian(header + 16, 4) == 0) {
        return mapOffset + 4 * ((logicalBytes + hunkBytes - 1) / hunkBytes);
    }
    std::array<std::uint8_t, 4> mapLength{};
    if (pread(descriptor, mapLength.data(), mapLength.size(), static_cast<off_t>(mapOffset)) !=
        static_cast<ssize_t>(mapLength.size())) {
        return UINT64_MAX;
    }
    return mapOffset + 16 + BigEndian(mapLength.data(), mapLength.size());
}

} // namespace

ChdIdentity ReadChdIdentity(const std::string& path) {
    ChdIdentity identity;
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 || fstat(descriptor, &status) != 0 || S_ISDIR(status.st_mode)) {
        bool missing = descriptor < 0 ? errno == ENOENT || errno == ENOTDIR : S_ISDIR(status.st_mode);
        identity.status = missing ? ChdStatus::MISSING : ChdStatus::UNREADABLE;
        identity.problem = missing ? "missing" : std::strerror(errno);
        if (descriptor >= 0) {
            close(descriptor);
        }
        return identity;
    }
    std::array<std::uint8_t, LONGEST_HEADER> header{};
    ssize_t count = pread(descriptor, header.data(), header.size(), 0);
    const HeaderLayout* layout = nullptr;
    if (count >= 16 && std::memcmp(header.data(), TAG.data(), TAG.size()) == 0) {
        std::uint64_t version = BigEndian(header.data() + 12, 4);
        auto found = std::find_if(std::begin(LAYOUTS), std::end(LAYOUTS),
                                  [&](const HeaderLayout& known) { return known.version == version; });
        layout = found != std::end(LAYOUTS) ? found : nullptr;
        if (layout == nullptr) {
            identity.status = ChdStatus::UNSUPPORTED;
            identity.problem = "CHD version " + std::to_string(version);
        }
    } else {
        identity.status = ChdStatus::NOT_CHD;
        identity.problem = "not a CHD";
    }
    if (layout != nullptr) {
        if (BigEndian(header.data() + 8, 4) != layout->length || count < static_cast<ssize_t>(layout->length)) {
            identity.status = ChdStatus::NOT_CHD;
            identity.problem = "a CHD header of the wrong length";
        } else if (!AllZero(header.data() + layout->parentSha1, 20)) {
            identity.status = ChdStatus::NEEDS_PARENT;
            identity.problem = "a difference CHD that needs its parent";
        } else if (MapEnd(header.data(), *layout, descriptor) > static_cast<std::uint64_t>(status.st_size)) {
            identity.status = ChdStatus::CUT_SHORT;
            identity.problem = "a CHD cut short";
        } else if (!AllZero(header.data() + layout->sha1, 20)) {
            Sha1Digest sha1{};
            std::copy_n(header.data() + layout->sha1, sha1.size(), sha1.begin());
            identity.sha1 = sha1;
        }
    }
    close(descriptor);
    return identity;
}

} // namespace pellaquin
