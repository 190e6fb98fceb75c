#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace pellaquin {

using Sha1Digest = std::array<std::uint8_t, 20>;

// What a file's bytes come to: their count, CRC32 and, when asked for, SHA1.
struct ContentDigest {
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    std::optional<Sha1Digest> sha1;
};

// Hashes bytes given piece by piece: the CRC32 with zlib's, the SHA1 with nettle's.
class ContentHasher {
public:
    explicit ContentHasher(bool withSha1);
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    void Add(std::string_view bytes);
    // The digest of every byte added; the hasher is spent.
    ContentDigest Finish();

private:
    struct Sha1State;
    std::unique_ptr<Sha1State> m_sha1;
    std::uint64_t m_size = 0;
    std::uint32_t m_crc = 0;
};

// A CRC32 written as MAME's listing writes it, 8 hexadecimal digits; nothing for any other text.
std::optional<std::uint32_t> ParseCrc(std::string_view hex);
// A SHA1 of 40 hexadecimal digits; nothing for any other text.
std::optional<Sha1Digest> ParseSha1(std::string_view hex);

} // namespace pellaquin
