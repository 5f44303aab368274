// The row blend eight pixels at a time, for processors with AVX2: the same
// arithmetic as render/blendrow.h's four at a time, so the same pixels.
#include "render/blendrow.h"

#ifdef TETHER_WIDE_BLEND
#include <immintrin.h>

namespace tether {

// Asked while the program's constants are made, perhaps before the
// compiler's own detection has run: so it is run first.
const bool wideBlend = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();

__attribute__((target("avx2"))) int blendRowWide(uint32_t* to, const uint32_t* from, int count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi16(255);
    const __m256i one = _mm256_set1_epi16(1);
    const __m256i colourOnly = _mm256_set1_epi32(0x00ffffff);
    const __m256i alphaOnly = _mm256_set1_epi32(static_cast<int>(0xff000000u));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
        const __m256i alpha = _mm256_and_si256(s, alphaOnly);
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, zero)) == -1)
            continue;
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, alphaOnly)) == -1) {
            _mm256_storeu_si256(
                reinterpret_cast<__m256i*>(to + i), _mm256_and_si256(s, colourOnly));
            continue;
        }
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + i));
        // Unpacking and packing work within each 128-bit half alike, so the
        // pixels come back in their places.
        __m256i halves[2];
        for (int half = 0; half < 2; ++half) {
            const __m256i s16
                = half ? _mm256_unpackhi_epi8(s, zero) : _mm256_unpacklo_epi8(s, zero);
            const __m256i d16
                = half ? _mm256_unpackhi_epi8(d, zero) : _mm256_unpacklo_epi8(d, zero);
            __m256i a = _mm256_shufflelo_epi16(s16, _MM_SHUFFLE(3, 3, 3, 3));
            a = _mm256_shufflehi_epi16(a, _MM_SHUFFLE(3, 3, 3, 3));
            a = _mm256_add_epi16(a, _mm256_and_si256(_mm256_cmpeq_epi16(a, full), one));
            const __m256i sum = _mm256_add_epi16(
                _mm256_slli_epi16(d16, 8), _mm256_mullo_epi16(_mm256_sub_epi16(s16, d16), a));
            halves[half] = _mm256_srli_epi16(sum, 8);
        }
        const __m256i blended = _mm256_packus_epi16(halves[0], halves[1]);
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(to + i), _mm256_and_si256(blended, colourOnly));
    }
    return i;
}

} // namespace tether
#endif
