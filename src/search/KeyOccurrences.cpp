#include "search/KeyOccurrences.h"

#include "records/SubstringSearch.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace pellaquin {

namespace {

static_assert(std::endian::native == std::endian::little);

// From this many keys with one last byte on, a shared pass beats searching each key.
constexpr std::size_t KEYS_FOUND_TOGETHER = 5;

} // namespace

std::size_t KeyOccurrences::Add(std::string_view key) {
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i].text == key) {
            return i;
        }
    }
    m_keys.push_back({std::string(key), false, {}});
    m_grouped = false;
    return m_keys.size() - 1;
}

void KeyOccurrences::Group() {
    m_groups.clear();
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        auto last = static_cast<unsigned char>(m_keys[i].text.back());
        auto group =
            std::find_if(m_groups.begin(), m_groups.end(), [&](const LastByteGroup& g) { return g.last == last; });
        if (group == m_groups.end()) {
            m_groups.push_back({});
            group = m_groups.end() - 1;
            group->last = last;
        }
        (m_keys[i].text.size() == 1 ? group->singleByteKeys : group->keysByPrevious).push_back(i);
    }
    std::erase_if(m_groups, [](const LastByteGroup& group) {
        return group.singleByteKeys.size() + group.keysByPrevious.size() < KEYS_FOUND_TOGETHER;
    });
    for (LastByteGroup& group : m_groups) {
        for (std::size_t key : group.singleByteKeys) {
            m_keys[key].foundTogether = true;
        }
        for (std::size_t key : group.keysByPrevious) {
            m_keys[key].foundTogether = true;
        }
        auto previous = [&](std::size_t key) {
            const std::string& text = m_keys[key].text;
            return static_cast<unsigned char>(text[text.size() - 2]);
        };
        std::sort(group.keysByPrevious.begin(), group.keysByPrevious.end(),
                  [&](std::size_t a, std::size_t b) { return previous(a) < previous(b); });
        for (std::size_t key : group.keysByPrevious) {
            const std::string& text = m_keys[key].text;
            std::size_t tailLength = std::min<std::size_t>(text.size(), 4);
            std::uint32_t tail = 0;
            std::uint32_t mask = 0;
            for (std::size_t i = 0; i < tailLength; ++i) {
                unsigned shift = static_cast<unsigned>(8 * (3 - i));
                tail |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[text.size() - 1 - i])) << shift;
                mask |= 0xffu << shift;
            }
            group.tails.push_back(tail);
            group.tailMasks.push_back(mask);
        }
        std::size_t at = 0;
        for (unsigned byte = 0; byte <= 256; ++byte) {
            while (at < group.keysByPrevious.size() && previous(group.keysByPrevious[at]) < byte) {
                ++at;
            }
            group.previousStart[byte] = static_cast<std::uint16_t>(at);
        }
    }
    m_grouped = true;
}

void KeyOccurrences::Scan(std::string_view text) {
    if (!m_grouped) {
        Group();
    }
    m_text = text;
    for (Key& key : m_keys) {
        key.positions.clear();
    }
    const char* base = text.data();
    for (const LastByteGroup& group : m_groups) {
        auto onHit = [&](std::size_t end) {
            for (std::size_t key : group.singleByteKeys) {
                m_keys[key].positions.push_back(end);
            }
            if (end == 0) {
                return;
            }
            auto previous = static_cast<unsigned char>(base[end - 1]);
            std::size_t first = group.previousStart[previous];
            std::size_t last = group.previousStart[previous + 1];
            if (first == last) {
                return;
            }
            // The four bytes that end here, the last one highest, as the tails were packed: a plain
            // load on a processor that keeps the lowest byte first.
            std::uint32_t window = 0;
            if (end >= 3) {
                std::memcpy(&window, base + end - 3, sizeof window);
            } else {
                for (std::size_t i = 0; i <= end; ++i) {
                    window |= static_cast<std::uint32_t>(static_cast<unsigned char>(base[end - i])) << (8 * (3 - i));
                }
            }
            for (std::size_t i = first; i < last; ++i) {
                if ((window & group.tailMasks[i]) != group.tails[i]) {
                    continue;
                }
                Key& key = m_keys[group.keysByPrevious[i]];
                std::size_t length = key.text.size();
                if (end + 1 >= length &&
                    (length <= 4 || std::memcmp(base + end + 1 - length, key.text.data(), length - 4) == 0)) {
                    key.positions.push_back(end + 1 - length);
                }
            }
        };
        std::size_t at = 0;
#if defined(__x86_64__)
        const __m128i last = _mm_set1_epi8(static_cast<char>(group.last));
        for (; at + 16 <= text.size(); at += 16) {
            auto hits = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at)), last)));
            while (hits != 0) {
                onHit(at + static_cast<std::size_t>(__builtin_ctz(hits)));
                hits &= hits - 1;
            }
        }
#endif
        for (; at < text.size(); ++at) {
            if (static_cast<unsigned char>(base[at]) == group.last) {
                onHit(at);
            }
        }
    }
}

std::size_t KeyOccurrences::FirstFrom(std::size_t key, std::size_t from) const {
    if (!m_keys[key].foundTogether) {
        std::size_t found = FindSubstring(m_text, m_keys[key].text, from);
        return found == std::string_view::npos ? NONE : found;
    }
    const std::vector<std::size_t>& positions = m_keys[key].positions;
    auto found = std::lower_bound(positions.begin(), positions.end(), from);
    return found == positions.end() ? NONE : *found;
}

} // namespace pellaquin
