#include "roms/ContentHasher.h"

#include <nettle/sha1.h>
#include <zlib.h>

namespace pellaquin {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The bytes `hex` spells, two digits each, into `bytes`; false unless it spells exactly that many.
template <std::size_t N> bool ParseHexBytes(std::string_view hex, std::array<std::uint8_t, N>& bytes) {
    if (hex.size() != 2 * N) {
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        int high = HexValue(hex[2 * i]);
        int low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return true;
}

} // namespace

struct ContentHasher::Sha1State {
    sha1_ctx context;
};

ContentHasher::ContentHasher(bool withSha1) : m_crc(static_cast<std::uint32_t>(crc32_z(0, nullptr, 0))) {
    if (withSha1) {
        m_sha1 = std::make_unique<Sha1State>();
        sha1_init(&m_sha1->context);
    }
}

ContentHasher::~ContentHasher() = default;

void ContentHasher::Add(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    m_crc = static_cast<std::uint32_t>(crc32_z(m_crc, data, bytes.size()));
    if (m_sha1) {
        sha1_update(&m_sha1->context, bytes.size(), data);
    }
    m_size += bytes.size();
}

ContentDigest ContentHasher::Finish() {
    ContentDigest digest{m_size, m_crc, std::nullopt};
    if (m_sha1) {
        Sha1Digest sha1{};
        sha1_digest(&m_sha1->context, sha1.size(), sha1.data());
        digest.sha1 = sha1;
    }
    return digest;
}

std::optional<std::uint32_t> ParseCrc(std::string_view hex) {
    std::array<std::uint8_t, 4> bytes{};
    if (!ParseHexBytes(hex, bytes)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

std::optional<Sha1Digest> ParseSha1(std::string_view hex) {
    Sha1Digest sha1{};
    if (!ParseHexBytes(hex, sha1)) {
        return std::nullopt;
    }
    return sha1;
}

} // namespace pellaquin
