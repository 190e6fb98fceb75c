#include "records/SubstringSearch.h"

#include <cstring>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace pellaquin {

namespace {

constexpr auto NOT_FOUND = std::string_view::npos;

std::size_t FindWithMemmem(std::string_view text, std::string_view needle, std::size_t from) {
    const void* hit = ::memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return hit == nullptr ? NOT_FOUND : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

} // namespace

std::size_t FindSubstring(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size() || needle.size() > text.size() - from) {
        return NOT_FOUND;
    }
    if (needle.empty()) {
        return from;
    }
#if defined(__x86_64__)
    if (needle.size() >= 2) {
        // Sixteen candidate starts at a time: those whose first and last bytes both fit are checked
        // whole. Keys and terms rarely share both ends with the text around them.
        const std::size_t last = needle.size() - 1;
        const __m128i first = _mm_set1_epi8(needle.front());
        const __m128i final = _mm_set1_epi8(needle.back());
        const char* base = text.data();
        std::size_t at = from;
        for (; at + last + 16 <= text.size(); at += 16) {
            __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at));
            __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at + last));
            auto candidates = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, final))));
            while (candidates != 0) {
                auto offset = static_cast<std::size_t>(__builtin_ctz(candidates));
                if (std::memcmp(base + at + offset + 1, needle.data() + 1, last - 1) == 0) {
                    return at + offset;
                }
                candidates &= candidates - 1;
            }
        }
        // The few places left after the last whole round: memmem's set-up would cost more than they do.
        for (; at + needle.size() <= text.size(); ++at) {
            if (base[at] == needle.front() && std::memcmp(base + at + 1, needle.data() + 1, last) == 0) {
                return at;
            }
        }
        return NOT_FOUND;
    }
#endif
    return FindWithMemmem(text, needle, from);
}

} // namespace pellaquin
