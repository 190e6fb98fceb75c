#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellaquin {

// Finds the occurrences of a fixed set of keys in a text. Keys that share their last byte with many
// others are found together in one pass over the text (a MaLa entry asks for sixteen keys ending
// in "="); the others are searched one by one, which is faster for a few keys.
class KeyOccurrences {
public:
    static constexpr std::size_t NONE = static_cast<std::size_t>(-1);

    // Registers `key` (not empty) and returns its number; a key added twice keeps its first number.
    std::size_t Add(std::string_view key);

    // Makes `text` the one searched, finding the keys searched together; it must outlive the searches.
    void Scan(std::string_view text);

    // The first occurrence of key number `key` at or after `from`, or NONE.
    std::size_t FirstFrom(std::size_t key, std::size_t from) const;

private:
    struct Key {
        std::string text;
        bool foundTogether = false;
        std::vector<std::size_t> positions; // when found together: every occurrence, overlapping ones too
    };
    // The keys that end in one byte, sorted by the byte before it, so a hit of the last byte is
    // checked only against the keys whose last two bytes fit.
    struct LastByteGroup {
        unsigned char last = 0;
        std::vector<std::size_t> singleByteKeys;
        std::vector<std::size_t> keysByPrevious;
        // Beside each of keysByPrevious: its last (up to) four bytes as they load from the text, and
        // which of those bytes count, so one compare settles most hits.
        std::vector<std::uint32_t> tails;
        std::vector<std::uint32_t> tailMasks;
        std::array<std::uint16_t, 257> previousStart{};
    };

    void Group();

    std::vector<Key> m_keys;
    std::string_view m_text;
    std::vector<LastByteGroup> m_groups;
    bool m_grouped = false;
};

} // namespace pellaquin
