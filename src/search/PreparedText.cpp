#include "search/PreparedText.h"

#include "records/ByteText.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace pellaquin {

namespace {

// Appends the prepared form of `text` at `out`; returns the end of what was written.
char* PrepareBytes(const char* in, const char* end, char* out) {
    for (; in < end; ++in) {
        *out = LowerAsciiByte(*in);
        out += *in != '"' ? 1 : 0;
    }
    return out;
}

#if defined(__x86_64__)

// For each pattern of quotes among eight bytes, the positions of the bytes to keep, packed to the front.
struct KeepPatterns {
    std::array<std::uint64_t, 256> shuffle{};
    std::array<std::uint8_t, 256> kept{};

    KeepPatterns() {
        for (unsigned quotes = 0; quotes < 256; ++quotes) {
            std::uint64_t pattern = 0;
            unsigned count = 0;
            for (unsigned byte = 0; byte < 8; ++byte) {
                if ((quotes & (1u << byte)) == 0) {
                    pattern |= static_cast<std::uint64_t>(byte) << (8 * count++);
                }
            }
            shuffle[quotes] = pattern;
            kept[quotes] = static_cast<std::uint8_t>(count);
        }
    }
};

const KeepPatterns& Patterns() {
    static const KeepPatterns patterns;
    return patterns;
}

// Sixteen bytes a round without a branch on the data: whether a stretch holds a quote is too random
// for the processor to predict, and XML has a quote every few bytes.
__attribute__((target("ssse3"))) char* PrepareBytesSsse3(const char* in, const char* end, char* out) {
    const KeepPatterns& patterns = Patterns();
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i secondHalf = _mm_set1_epi8(8);
    while (end - in >= 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        // Signed compares leave bytes from 0x80 up alone: they count as below "A".
        __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(bytes, beforeA), _mm_cmplt_epi8(bytes, afterZ));
        bytes = _mm_or_si128(bytes, _mm_and_si128(upper, caseBit));
        auto quotes = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quote)));
        unsigned low = quotes & 0xff;
        unsigned high = quotes >> 8;
        __m128i lowPattern = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&patterns.shuffle[low]));
        __m128i highPattern =
            _mm_add_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&patterns.shuffle[high])), secondHalf);
        __m128i packed = _mm_shuffle_epi8(bytes, _mm_unpacklo_epi64(lowPattern, highPattern));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), packed);
        out += patterns.kept[low];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_unpackhi_epi64(packed, packed));
        out += patterns.kept[high];
        in += 16;
    }
    return PrepareBytes(in, end, out);
}

bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

#endif

} // namespace

void PrepareText(std::string_view text, std::string& prepared) {
    // Whole eight-byte stores may run up to seven bytes past the last kept byte.
    prepared.resize(text.size() + 8);
    const char* in = text.data();
    const char* end = in + text.size();
    char* out = prepared.data();
#if defined(__x86_64__)
    out = HasSsse3() ? PrepareBytesSsse3(in, end, out) : PrepareBytes(in, end, out);
#else
    out = PrepareBytes(in, end, out);
#endif
    prepared.resize(static_cast<std::size_t>(out - prepared.data()));
}

void PrepareTextByteByByte(std::string_view text, std::string& prepared) {
    prepared.resize(text.size());
    char* out = PrepareBytes(text.data(), text.data() + text.size(), prepared.data());
    prepared.resize(static_cast<std::size_t>(out - prepared.data()));
}

} // namespace pellaquin
