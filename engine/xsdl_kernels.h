#pragma once
// Internal: the format-free combining loops of the blit library. Each kernel works on
// a destination row d of n scanline entries (bytes R, G, B, A) and, for blits,
// a source row s of n entries; it changes R, G and B of d only.
//
// Every kernel has a one-pixel form (`one`) holding the blend's formula, and a
// 16-pixel form (`chunk`) with loops of fixed length that the compiler
// vectorises at the project's -O2; both give the same result for every input.
// `run` takes the chunks first and the tail one pixel at a time.

#include "xsdl_detail.h"

#include <SDL/SDL.h>

#include <cstddef>
#include <cstring>

// SSE2 forms of the hottest chunks (every x86-64 has SSE2); other targets keep the plain loops.
#if defined(__SSE2__) && SDL_BYTEORDER == SDL_LIL_ENDIAN
#include <emmintrin.h>
#define XSDL_SSE2 1
#endif

namespace xsdl_detail {

constexpr unsigned kChunk = 16;  // pixels per chunk
constexpr unsigned kChunkBytes = 4 * kChunk;

// The tail of fewer than 16 pixels goes through a zero-padded chunk on the
// stack (each pixel is combined on its own, so padding changes nothing).
template <class K>
inline void run_blend(const K& k, Uint8* __restrict d, const Uint8* __restrict s, unsigned n) {
    unsigned i = 0;
    for (; i + kChunk <= n; i += kChunk) k.chunk(d + 4 * i, s + 4 * i);
    if (i < n) {
        const std::size_t bytes = 4u * (n - i);
        alignas(16) Uint8 dt[kChunkBytes] = {}, st[kChunkBytes] = {};
        std::memcpy(dt, d + 4 * i, bytes);
        std::memcpy(st, s + 4 * i, bytes);
        k.chunk(dt, st);
        std::memcpy(d + 4 * i, dt, bytes);
    }
}

template <class K>
inline void run_fill(const K& k, Uint8* __restrict d, unsigned n) {
    unsigned i = 0;
    for (; i + kChunk <= n; i += kChunk) k.chunk(d + 4 * i);
    if (i < n) {
        const std::size_t bytes = 4u * (n - i);
        alignas(16) Uint8 dt[kChunkBytes] = {};
        std::memcpy(dt, d + 4 * i, bytes);
        k.chunk(dt);
        std::memcpy(d + 4 * i, dt, bytes);
    }
}

// The reference forms, one pixel at a time (used by the tests to check that
// the chunks give the blends' formulas).
template <class K>
inline void run_blend_one(const K& k, Uint8* d, const Uint8* s, unsigned n) {
    for (unsigned i = 0; i < n; ++i) k.one(d + 4 * i, s + 4 * i);
}
template <class K>
inline void run_fill_one(const K& k, Uint8* d, unsigned n) {
    for (unsigned i = 0; i < n; ++i) k.one(d + 4 * i);
}

// Per pixel of a chunk: the weakened alpha a = sa x ai >> 8 placed on the R, G
// and B bytes of an entry, 0 on its A byte (so the A byte always keeps d).
// (sa x ai fits 16 bits for ai up to 256.)
inline void chunk_alpha_bytes(const Uint8* __restrict s, unsigned ai, Uint8* __restrict av) {
    Uint32 sv[kChunk], am[kChunk];
    Uint16 a16[kChunk];
    std::memcpy(sv, s, sizeof sv);
    const Uint16 k = Uint16(ai);
    for (unsigned p = 0; p < kChunk; ++p) a16[p] = Uint16(Uint16(Uint16((sv[p] >> kEntryA) & 255u) * k) >> 8);
    for (unsigned p = 0; p < kChunk; ++p) am[p] = Uint32(a16[p]) * kEntryRGBOnes;
    std::memcpy(av, am, sizeof am);
}

inline Uint8 sat255(unsigned v) {
    return Uint8(v > 255u ? 255u : v);
}

// Alpha: a = sa x ai >> 8 (ai 256 gives a = sa, the plain scaled form); skip
// a = 0; d = (d x (255 - a) >> 8) + (s x a >> 8).
struct AlphaK {
    unsigned ai;
    static Uint8 mix(unsigned d, unsigned s, unsigned a) {
        return Uint8(((d * (255u - a)) >> 8) + ((s * a) >> 8));
    }
    void one(Uint8* d, const Uint8* s) const {
        const unsigned a = (s[3] * ai) >> 8;
        if (!a) return;
        for (int c = 0; c < 3; ++c) d[c] = mix(d[c], s[c], a);
    }
#ifdef XSDL_SSE2
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const { row_sse2<false, false>(d, s, kChunk); }
    // A row four pixels at a time, the last one to three alone. Swap takes the source's R
    // and B the other way round; ClearTop writes the A byte 0 instead of keeping it (see
    // SwappedAlphaK).
    template <bool Swap, bool ClearTop>
    void row_sse2(Uint8* __restrict d, const Uint8* __restrict s, unsigned n) const {
        const __m128i k = _mm_set1_epi32(int(ai << 16));
        unsigned i = 0;
        for (; i + 4 <= n; i += 4) {
            const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * i));
            const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 4 * i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 4 * i), four<Swap, ClearTop>(dv, sv, k));
        }
        for (; i < n; ++i) {
            const Uint8* p = s + 4 * i;
            const Uint8 t[4] = {p[Swap ? 2 : 0], p[1], p[Swap ? 0 : 2], p[3]};
            one(d + 4 * i, t);
            if (ClearTop) d[4 * i + 3] = 0;
        }
    }
    // Four pixels, k = ai in the high 16 bits of each 32-bit lane. R and B, and G and A,
    // are taken apart into 16-bit lanes; mulhi by a weight shifted left by 8 gives
    // (v x m) >> 8 at once.
    template <bool Swap, bool ClearTop>
    static __m128i four(__m128i dv, __m128i sv, __m128i k) {
        const __m128i amask = _mm_set1_epi32(int(kEntryAMask));
        const __m128i low = _mm_set1_epi16(0xFF);
        // a = sa x ai >> 8 in the high 16 bits of each pixel, 0 in the low ones.
        const __m128i a = _mm_mulhi_epu16(_mm_and_si128(sv, amask), k);
        const __m128i clear = _mm_cmpeq_epi32(a, _mm_setzero_si128());
        const __m128i keep = ClearTop ? clear : _mm_or_si128(clear, amask);
        const __m128i a8 = _mm_slli_epi16(_mm_or_si128(a, _mm_srli_epi32(a, 16)), 8);
        const __m128i ia8 = _mm_sub_epi16(_mm_set1_epi16(short(0xFF00)), a8);
        __m128i srb = _mm_and_si128(sv, low);
        if (Swap) srb = _mm_shufflehi_epi16(_mm_shufflelo_epi16(srb, _MM_SHUFFLE(2, 3, 0, 1)), _MM_SHUFFLE(2, 3, 0, 1));
        const __m128i rb = _mm_add_epi16(_mm_mulhi_epu16(_mm_and_si128(dv, low), ia8), _mm_mulhi_epu16(srb, a8));
        const __m128i ga = _mm_add_epi16(_mm_mulhi_epu16(_mm_srli_epi16(dv, 8), ia8),
                                         _mm_mulhi_epu16(_mm_srli_epi16(sv, 8), a8));
        const __m128i r = _mm_or_si128(rb, _mm_slli_epi16(ga, 8));
        const __m128i out = _mm_or_si128(_mm_and_si128(keep, dv), _mm_andnot_si128(keep, r));
        return ClearTop ? _mm_andnot_si128(amask, out) : out;
    }
#else
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const {
        Uint8 av[kChunkBytes];
        chunk_alpha_bytes(s, ai, av);
        for (unsigned i = 0; i < kChunkBytes; ++i) {
            const Uint16 a = av[i], dv = d[i], sv = s[i];
            const Uint16 r = Uint16(Uint16(dv * Uint16(255 - a)) >> 8) + Uint16(Uint16(sv * a) >> 8);
            d[i] = a ? Uint8(r) : Uint8(dv);
        }
    }
#endif
};

// The media layer's own alpha blit over a destination without alpha, as SDL 2's
// blitter for display-format pairs computes it (a = sa): skip a = 0; a = 255 copies
// the whole pixel; else d = (s x a >> 8) + (d x (255 - a) >> 8) per channel, and the
// destination's top byte (255 x a >> 8) + (top x (255 - a) >> 8). Unlike the other
// kernels it works on the pixels themselves, a row at a time, and writes their top
// byte; it stands in for the library's blit only where that gives the same pixels
// (_xSDL_blit_ai checks).
struct OverK {
    void one(Uint8* d, const Uint8* s) const {
        const unsigned a = s[3];
        if (a == 0) return;
        if (a == 255) {
            std::memcpy(d, s, 4);
            return;
        }
        for (int c = 0; c < 3; ++c) d[c] = Uint8(((s[c] * a) >> 8) + ((d[c] * (255u - a)) >> 8));
        d[3] = Uint8(((255u * a) >> 8) + ((d[3] * (255u - a)) >> 8));
    }
    void row(Uint8* __restrict d, const Uint8* __restrict s, unsigned n) const {
        unsigned i = 0;
#ifdef XSDL_SSE2
        // Four pixels a register: wholly opaque ones are copied, wholly clear ones left.
        const __m128i amask = _mm_set1_epi32(int(kEntryAMask));
        for (; i + 4 <= n; i += 4) {
            const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 4 * i));
            const __m128i sa = _mm_and_si128(sv, amask);
            Uint8* dp = d + 4 * i;
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(sa, amask)) == 0xFFFF) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dp), sv);
            } else if (_mm_movemask_epi8(_mm_cmpeq_epi32(sa, _mm_setzero_si128())) != 0xFFFF) {
                const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dp));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(dp), four(dv, sv));
            }
        }
#endif
        for (; i < n; ++i) one(d + 4 * i, s + 4 * i);
    }
#ifdef XSDL_SSE2
    // R and B, and G and A, are taken apart into the high bytes of 16-bit lanes, so that
    // mulhi by a weight gives (v x m) >> 8 at once. The weights become 256 and 0 at
    // a = 255 (a copy) and 0 and 256 at a = 0 (d kept), so every pixel takes the same
    // steps; the source's top byte is weighed by 255 (256 at a = 255).
    static __m128i four(__m128i dv, __m128i sv) {
        const __m128i c255 = _mm_set1_epi16(255);
        const __m128i high = _mm_set1_epi16(short(0xFF00));
        const __m128i a = _mm_srli_epi32(sv, 24);
        const __m128i aw = _mm_or_si128(a, _mm_slli_epi32(a, 16));
        const __m128i ws = _mm_sub_epi16(aw, _mm_cmpeq_epi16(aw, c255));
        const __m128i wd = _mm_sub_epi16(_mm_sub_epi16(c255, aw), _mm_cmpeq_epi16(aw, _mm_setzero_si128()));
        const __m128i ws_ga = _mm_max_epi16(ws, _mm_set1_epi32(255 << 16));
        const __m128i rb = _mm_add_epi16(_mm_mulhi_epu16(_mm_slli_epi16(sv, 8), ws),
                                         _mm_mulhi_epu16(_mm_slli_epi16(dv, 8), wd));
        const __m128i ga = _mm_add_epi16(_mm_mulhi_epu16(_mm_and_si128(sv, high), ws_ga),
                                         _mm_mulhi_epu16(_mm_and_si128(dv, high), wd));
        return _mm_or_si128(rb, _mm_slli_epi16(ga, 8));
    }
#endif
};

// Additive: a = sa x ai >> 8 (ai 256: a = sa); skip a = 0;
// d = min(255, d + (s x a >> 8)).
struct AdditiveK {
    unsigned ai;
    void one(Uint8* d, const Uint8* s) const {
        const unsigned a = (s[3] * ai) >> 8;
        if (!a) return;
        for (int c = 0; c < 3; ++c) d[c] = sat255(d[c] + ((s[c] * a) >> 8));
    }
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const {
        Uint8 av[kChunkBytes];
        chunk_alpha_bytes(s, ai, av);
        for (unsigned i = 0; i < kChunkBytes; ++i) {
            const Uint16 r = Uint16(d[i] + (Uint16(Uint16(s[i]) * av[i]) >> 8));
            d[i] = r > 255 ? Uint8(255) : Uint8(r);  // a = 0 adds 0
        }
    }
};

// Multiply, plain: skip sa = 0; d = d x s >> 8.
struct MultiplyK {
    void one(Uint8* d, const Uint8* s) const {
        if (!s[3]) return;
        for (int c = 0; c < 3; ++c) d[c] = Uint8((d[c] * s[c]) >> 8);
    }
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const {
        Uint8 av[kChunkBytes];
        chunk_alpha_bytes(s, 256, av);
        for (unsigned i = 0; i < kChunkBytes; ++i) {
            const Uint16 r = Uint16(Uint16(d[i]) * s[i]) >> 8;
            d[i] = av[i] ? Uint8(r) : d[i];
        }
    }
};

// Multiply with intensity: a = sa x ai >> 8; skip a = 0; d = d x (s x a >> 8) >> 8.
struct MultiplyAiK {
    unsigned ai;
    void one(Uint8* d, const Uint8* s) const {
        const unsigned a = (s[3] * ai) >> 8;
        if (!a) return;
        for (int c = 0; c < 3; ++c) d[c] = Uint8((d[c] * ((s[c] * a) >> 8)) >> 8);
    }
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const {
        Uint8 av[kChunkBytes];
        chunk_alpha_bytes(s, ai, av);
        for (unsigned i = 0; i < kChunkBytes; ++i) {
            const Uint16 a = av[i];
            const Uint16 t = Uint16(Uint16(s[i]) * a) >> 8;
            const Uint16 r = Uint16(Uint16(d[i]) * t) >> 8;
            d[i] = a ? Uint8(r) : d[i];
        }
    }
};

// Matte: d = s (no skip, sa not used).
struct MatteK {
    void one(Uint8* d, const Uint8* s) const {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    }
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const {
        Uint32 dv[kChunk], sv[kChunk];
        std::memcpy(dv, d, sizeof dv);
        std::memcpy(sv, s, sizeof sv);
        for (unsigned p = 0; p < kChunk; ++p) dv[p] = (sv[p] & ~kEntryAMask) | (dv[p] & kEntryAMask);
        std::memcpy(d, dv, sizeof dv);
    }
};

// Matte with intensity: d = s x ai >> 8 (sa and the old d not used).
struct MatteAiK {
    unsigned ai;
    void one(Uint8* d, const Uint8* s) const {
        for (int c = 0; c < 3; ++c) d[c] = Uint8((s[c] * ai) >> 8);
    }
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const {
        Uint8 t[kChunkBytes];
        const Uint16 k = Uint16(ai);
        for (unsigned i = 0; i < kChunkBytes; ++i) t[i] = Uint8(Uint16(Uint16(s[i]) * k) >> 8);
        Uint32 dv[kChunk], tv[kChunk];
        std::memcpy(dv, d, sizeof dv);
        std::memcpy(tv, t, sizeof tv);
        for (unsigned p = 0; p < kChunk; ++p) dv[p] = (tv[p] & ~kEntryAMask) | (dv[p] & kEntryAMask);
        std::memcpy(d, dv, sizeof dv);
    }
};

// Colour dodge through a 256 x 256 table: dodge_table()[t * 256 + d] is 255 for
// t = 255, else min(255, (d << 8) / (255 - t)).
const Uint8* dodge_table();

// Dodge, plain: skip sa = 0; s = 255: 255; else min(255, (d << 8) / (255 - s)).
struct DodgeK {
    const Uint8* tab;
    void one(Uint8* d, const Uint8* s) const {
        if (!s[3]) return;
        for (int c = 0; c < 3; ++c) d[c] = tab[s[c] * 256u + d[c]];
    }
    void chunk(Uint8* d, const Uint8* s) const {
        for (unsigned p = 0; p < kChunk; ++p) one(d + 4 * p, s + 4 * p);
    }
};

// Dodge with intensity: a = sa x ai >> 8; skip a = 0; s = 255: 255; else
// min(255, (d << 8) / (255 - (s x a >> 8))).
struct DodgeAiK {
    const Uint8* tab;
    unsigned ai;
    void one(Uint8* d, const Uint8* s) const {
        const unsigned a = (s[3] * ai) >> 8;
        if (!a) return;
        for (int c = 0; c < 3; ++c) {
            const unsigned t = s[c] == 255 ? 255u : (s[c] * a) >> 8;
            d[c] = tab[t * 256u + d[c]];
        }
    }
    void chunk(Uint8* d, const Uint8* s) const {
        for (unsigned p = 0; p < kChunk; ++p) one(d + 4 * p, s + 4 * p);
    }
};

// Grey: the alpha blend (a = sa x ai >> 8, ai 256 plain; skip a = 0) of the
// source's grey level (77 R + 150 G + 29 B) >> 8.
struct GreyK {
    unsigned ai;
    void one(Uint8* d, const Uint8* s) const {
        const unsigned a = (s[3] * ai) >> 8;
        if (!a) return;
        const unsigned g = (77u * s[0] + 150u * s[1] + 29u * s[2]) >> 8;
        for (int c = 0; c < 3; ++c) d[c] = AlphaK::mix(d[c], g, a);
    }
    void chunk(Uint8* d, const Uint8* s) const {
        for (unsigned p = 0; p < kChunk; ++p) one(d + 4 * p, s + 4 * p);
    }
};

// Kernels that treat R, G and B alike can work on pixels whose R and B bytes sit
// the other way round; the grey level weighs them apart.
template <class K>
constexpr bool rgb_symmetric_v = true;
template <>
constexpr bool rgb_symmetric_v<GreyK> = false;

#ifdef XSDL_SSE2
// AlphaK over a source whose R and B bytes lie the other way round from the
// destination's, in one pass over the pixels. clear_top writes the destination's A
// byte 0, as the scanline rows of a destination without alpha do.
struct SwappedAlphaK {
    AlphaK k;
    bool clear_top;
    void one(Uint8* d, const Uint8* s) const {
        const Uint8 t[4] = {s[2], s[1], s[0], s[3]};
        k.one(d, t);
        if (clear_top) d[3] = 0;
    }
    void chunk(Uint8* __restrict d, const Uint8* __restrict s) const { row(d, s, kChunk); }
    void row(Uint8* __restrict d, const Uint8* __restrict s, unsigned n) const {
        if (clear_top)
            k.row_sse2<true, true>(d, s, n);
        else
            k.row_sse2<true, false>(d, s, n);
    }
};

// The alpha blends take their rows whole: no padded chunk for the tail.
inline void run_blend(const AlphaK& k, Uint8* __restrict d, const Uint8* __restrict s, unsigned n) {
    k.row_sse2<false, false>(d, s, n);
}
inline void run_blend(const SwappedAlphaK& k, Uint8* __restrict d, const Uint8* __restrict s, unsigned n) {
    k.row(d, s, n);
}
#endif

// Fills. Affine: per channel d = (d x k1 + k0) >> 8 in 16 bits, which covers
// the alpha fill (k1 = 255 - a, k0 = c x a), its darkening (k0 = 0), multiply
// (k1 = c) and matte (k1 = 0, k0 = c << 8); the A byte has k1 = 256, k0 = 0.
struct AffineFillK {
    Uint16 k1[kChunkBytes], k0[kChunkBytes];
    // k1c / k0c for R, G, B in entry byte order; byte 3 (A) keeps d.
    AffineFillK(const unsigned k1c[3], const unsigned k0c[3]) {
        for (unsigned i = 0; i < kChunkBytes; ++i) {
            const unsigned c = i & 3;
            k1[i] = Uint16(c == 3 ? 256u : k1c[c]);
            k0[i] = Uint16(c == 3 ? 0u : k0c[c]);
        }
    }
    // From a pattern of four per-byte values (used on raw pixel memory).
    AffineFillK(const Uint16 k1b[4], const Uint16 k0b[4], int) {
        for (unsigned i = 0; i < kChunkBytes; ++i) {
            k1[i] = k1b[i & 3];
            k0[i] = k0b[i & 3];
        }
    }
    void one(Uint8* d) const {
        for (int c = 0; c < 4; ++c) d[c] = Uint8(Uint16(Uint16(d[c] * k1[c]) + k0[c]) >> 8);
    }
    void chunk(Uint8* __restrict d) const {
        for (unsigned i = 0; i < kChunkBytes; ++i) d[i] = Uint8(Uint16(Uint16(d[i] * k1[i]) + k0[i]) >> 8);
    }
};

// Additive fill: d = min(255, d + c).
struct AddFillK {
    Uint8 k[kChunkBytes];
    explicit AddFillK(const unsigned c[3]) {
        for (unsigned i = 0; i < kChunkBytes; ++i) k[i] = Uint8((i & 3) == 3 ? 0u : c[i & 3]);
    }
    void one(Uint8* d) const {
        for (int c = 0; c < 3; ++c) d[c] = sat255(unsigned(d[c]) + k[c]);
    }
    void chunk(Uint8* __restrict d) const {
        for (unsigned i = 0; i < kChunkBytes; ++i) {
            const Uint16 r = Uint16(d[i] + k[i]);
            d[i] = r > 255 ? Uint8(255) : Uint8(r);
        }
    }
};

// Dodge fill: d = table row of the channel's colour value.
struct DodgeFillK {
    const Uint8* row[3];
    void one(Uint8* d) const {
        for (int c = 0; c < 3; ++c) d[c] = row[c][d[c]];
    }
    void chunk(Uint8* d) const {
        for (unsigned p = 0; p < kChunk; ++p) one(d + 4 * p);
    }
};

}  // namespace xsdl_detail
