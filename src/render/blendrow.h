// Blending a row of an image's pixels onto the screen's: the inner loop of
// our canvas's blits and of the desktop canvas's translucent ones, eight or
// four pixels at a time where the processor can. Every path gives the very same
// pixels: d + (s - d) a / 256 per channel rounded down (SDL 1.2's own blend,
// to the bit), a pixel of full alpha copied as it is, one of none left
// alone, the alpha byte of what is written 0.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tether {

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__EMSCRIPTEN__)
#define TETHER_WIDE_BLEND 1
// Whether the processor blends eight pixels at a time (AVX2), asked once.
extern const bool wideBlend;
// blendRow's first pixels, eight at a time; returns how many it did (a
// multiple of eight). render/blendrow.cpp, built for AVX2 alone.
int blendRowWide(uint32_t* to, const uint32_t* from, int count);
#endif

// (s a + d (256 - a)) / 256 per channel: red and blue side by side, then green.
inline uint32_t blendPixel(uint32_t d, uint32_t s, uint32_t a)
{
    const uint32_t rb = (((s & 0xff00ff) * a + (d & 0xff00ff) * (256 - a)) >> 8) & 0xff00ff;
    const uint32_t g = (((s & 0xff00) * a + (d & 0xff00) * (256 - a)) >> 8) & 0xff00;
    return rb | g;
}

// to[i] = from[i] blended by its own alpha, for i in [0, count).
inline void blendRow(uint32_t* to, const uint32_t* from, int count)
{
    int i = 0;
#ifdef TETHER_WIDE_BLEND
    if (count >= 8 && wideBlend)
        i = blendRowWide(to, from, count);
#endif
#if defined(__SSE2__)
    // In 16-bit lanes, a pixel of full alpha weighs 256 instead of 255, which
    // gives s exactly. s a + d (256 - a) is worked out as d 256 + (s - d) a,
    // whose lanes may wrap on the way but whose sum lies within 255 * 256.
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i one = _mm_set1_epi16(1);
    const __m128i colourOnly = _mm_set1_epi32(0x00ffffff);
    const __m128i alphaOnly = _mm_set1_epi32(static_cast<int>(0xff000000u));
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        // Sprites are mostly wholly clear or wholly solid four pixels at a
        // time: those are skipped or copied without the arithmetic.
        const __m128i alpha = _mm_and_si128(s, alphaOnly);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xffff)
            continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaOnly)) == 0xffff) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_and_si128(s, colourOnly));
            continue;
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
        __m128i halves[2];
        for (int half = 0; half < 2; ++half) {
            const __m128i s16 = half ? _mm_unpackhi_epi8(s, zero) : _mm_unpacklo_epi8(s, zero);
            const __m128i d16 = half ? _mm_unpackhi_epi8(d, zero) : _mm_unpacklo_epi8(d, zero);
            // Each pixel's alpha (its lane 3) into all four of its lanes.
            __m128i a = _mm_shufflelo_epi16(s16, _MM_SHUFFLE(3, 3, 3, 3));
            a = _mm_shufflehi_epi16(a, _MM_SHUFFLE(3, 3, 3, 3));
            a = _mm_add_epi16(a, _mm_and_si128(_mm_cmpeq_epi16(a, full), one));
            const __m128i sum = _mm_add_epi16(
                _mm_slli_epi16(d16, 8), _mm_mullo_epi16(_mm_sub_epi16(s16, d16), a));
            halves[half] = _mm_srli_epi16(sum, 8);
        }
        const __m128i blended = _mm_packus_epi16(halves[0], halves[1]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_and_si128(blended, colourOnly));
    }
#endif
    for (; i < count; ++i) {
        const uint32_t s = from[i];
        const uint32_t a = s >> 24;
        if (a != 0)
            to[i] = a == 255 ? s & 0xffffff : blendPixel(to[i], s, a);
    }
}

// to[i] = from[i] without its alpha, for i in [0, count).
inline void copyRow(uint32_t* to, const uint32_t* from, int count)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i colourOnly = _mm_set1_epi32(0x00ffffff);
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_and_si128(s, colourOnly));
    }
#endif
    for (; i < count; ++i)
        to[i] = from[i] & 0xffffff;
}

} // namespace tether
