// rectangles, fills and 1:1 blits (the scaled blits are in
// xsdl_blit_scale.cpp).

#include "xsdl_blit.h"

#include "xsdl_detail.h"
#include "xsdl_kernels.h"
#include "xsdl_pixel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <type_traits>
#include <vector>

using namespace xsdl_detail;

namespace xsdl_detail {

const Uint8* dodge_table() {
    static const Uint8* tab = [] {
        static Uint8 t[256 * 256];
        for (unsigned s = 0; s < 256; ++s)
            for (unsigned d = 0; d < 256; ++d)
                t[s * 256 + d] = s == 255 ? Uint8(255) : sat255((d << 8) / (255 - s));
        return t;
    }();
    return tab;
}

}  // namespace xsdl_detail

// --- Rectangles ----------------------------------------------------------------------------

bool _xSDL_IntersectRect(const SDL_Rect* a, const SDL_Rect* b, SDL_Rect* out) {
    const int x = std::max<int>(a->x, b->x);
    const int y = std::max<int>(a->y, b->y);
    const int r = std::min<int>(a->x + a->w, b->x + b->w);
    const int bt = std::min<int>(a->y + a->h, b->y + b->h);
    const int w = std::max(0, r - x), h = std::max(0, bt - y);
    out->x = Sint16(x);
    out->y = Sint16(y);
    out->w = Uint16(w);
    out->h = Uint16(h);
    return w != 0 && h != 0;
}

bool _xSDL_calc_dest_rect(const SDL_Surface* s, const SDL_Rect* rect, SDL_Rect& out) {
    SDL_Rect whole = {0, 0, Uint16(s->w), Uint16(s->h)};
    return _xSDL_IntersectRect(rect ? rect : &whole, &s->clip_rect, &out);
}

void _XSDL_pts_to_rect(int x0, int y0, int x1, int y1, SDL_Rect* out) {
    out->x = Sint16(std::min(x0, x1));
    out->y = Sint16(std::min(y0, y1));
    out->w = Uint16(std::abs(x1 - x0));
    out->h = Uint16(std::abs(y1 - y0));
}

bool _xSDL_calc_src_dest_rects(const SDL_Surface* src, const SDL_Rect* srcrect, const SDL_Surface* dst,
                               const SDL_Rect* dstrect, SDL_Rect* src_out, SDL_Rect* dst_out) {
    int sx = 0, sy = 0, w = src->w, h = src->h;
    if (srcrect) {
        sx = srcrect->x;
        sy = srcrect->y;
        w = srcrect->w;
        h = srcrect->h;
    }
    int dx = dstrect ? dstrect->x : 0;
    int dy = dstrect ? dstrect->y : 0;
    if (srcrect) {
        if (sx < 0) {
            dx -= sx;
            w += sx;
            sx = 0;
        }
        w = std::min(w, src->w - sx);
        if (sy < 0) {
            dy -= sy;
            h += sy;
            sy = 0;
        }
        h = std::min(h, src->h - sy);
    }
    const SDL_Rect& c = dst->clip_rect;
    if (c.x > dx) {
        const int k = c.x - dx;
        dx += k;
        sx += k;
        w -= k;
    }
    w -= std::max(0, dx + w - c.x - int(c.w));
    if (c.y > dy) {
        const int k = c.y - dy;
        dy += k;
        sy += k;
        h -= k;
    }
    h -= std::max(0, dy + h - c.y - int(c.h));
    if (w < 1 || h < 1) return false;
    *src_out = SDL_Rect{Sint16(sx), Sint16(sy), Uint16(w), Uint16(h)};
    *dst_out = SDL_Rect{Sint16(dx), Sint16(dy), Uint16(w), Uint16(h)};
    return true;
}

// --- Line ------------------------------------------------------------------------------------

int _xSDL_blit_line(SDL_Surface* dst, int x0, int y0, int x1, int y1, unsigned colour) {
    if (!dst) return -1;
    if (colour_a(colour) == 0) return 0;
    SurfaceLock lock(dst);
    if (!lock.ok()) return -1;
    const Uint8 r = colour_r(colour), g = colour_g(colour), b = colour_b(colour), a = colour_a(colour);
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int stx = x0 < x1 ? 1 : -1, sty = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (x0 >= 0 && y0 >= 0 && x0 < dst->w && y0 < dst->h)
            _xSDL_put_pixel(dst, Uint16(x0), Uint16(y0), r, g, b, a);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += stx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sty;
        }
    }
    return 0;
}

// --- Fills ------------------------------------------------------------------------------------

namespace {

// Steps 2 to 5 of a fill: clip, buffer, skip test (already done by the caller
// passing skip), lock, rows through the kernel, unlock.
template <class K>
int fill_rows(SDL_Surface* dst, const SDL_Rect* rect, const K& k) {
    SDL_Rect r;
    if (!_xSDL_calc_dest_rect(dst, rect, r)) return 0;
    scoped_scanline buf(4ul * unsigned(dst->w));
    SurfaceLock lock(dst);
    if (!lock.ok()) return -1;
    const row_get_fn get = row_getter(dst);
    const row_put_fn put = row_putter(dst);
    Uint8* b = buf.get();
    for (int y = r.y; y < r.y + r.h; ++y) {
        Uint8* px = pixel_at(dst, r.x, y);
        get(dst, px, r.w, b);
        run_fill(k, b, r.w);
        put(dst, px, r.w, b);
    }
    return 0;
}

void colour_rgb(unsigned colour, unsigned c[3]) {
    c[0] = colour_r(colour);
    c[1] = colour_g(colour);
    c[2] = colour_b(colour);
}

}  // namespace

int _xSDL_fillrect_matte(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour) {
    if (!dst) return -1;
    unsigned c[3], k1[3] = {0, 0, 0}, k0[3];
    colour_rgb(colour, c);
    for (int i = 0; i < 3; ++i) k0[i] = c[i] << 8;
    return fill_rows(dst, rect, AffineFillK(k1, k0));
}

int _xSDL_fillrect_alpha(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour) {
    const unsigned a = colour_a(colour);
    if (a == 0) return 0;
    if (a == 255) return _xSDL_fillrect_matte(dst, rect, colour);
    if (!dst) return -1;
    unsigned c[3];
    colour_rgb(colour, c);
    if (c[0] == 0 && c[1] == 0 && c[2] == 0) {
        // Darkening: d = d x (255 - a) >> 8. On a 4-byte XRGB surface the
        // pixels are changed in place, keeping their top byte.
        if (dst->format->BytesPerPixel == 4 && _is_pf_XRGB(*dst->format)) {
            SDL_Rect r;
            if (!_xSDL_calc_dest_rect(dst, rect, r)) return 0;
            scoped_scanline buf(4ul * unsigned(dst->w));  // as the row path takes it
            SurfaceLock lock(dst);
            if (!lock.ok()) return -1;
            const Uint16 keep = 256, dark = Uint16(255 - a);
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            const Uint16 k1[4] = {dark, dark, dark, keep};
#else
            const Uint16 k1[4] = {keep, dark, dark, dark};
#endif
            const Uint16 k0[4] = {0, 0, 0, 0};
            const AffineFillK k(k1, k0, 0);
            for (int y = r.y; y < r.y + r.h; ++y) run_fill(k, pixel_at(dst, r.x, y), r.w);
            return 0;
        }
        const unsigned k1[3] = {255 - a, 255 - a, 255 - a}, k0[3] = {0, 0, 0};
        return fill_rows(dst, rect, AffineFillK(k1, k0));
    }
    const unsigned k1[3] = {255 - a, 255 - a, 255 - a}, k0[3] = {c[0] * a, c[1] * a, c[2] * a};
    return fill_rows(dst, rect, AffineFillK(k1, k0));
}

int _xSDL_fillrect_multiply_blend(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour) {
    if (!dst) return -1;
    unsigned c[3];
    colour_rgb(colour, c);
    if (colour_a(colour) == 0 || (c[0] == 255 && c[1] == 255 && c[2] == 255)) return 0;
    const unsigned k0[3] = {0, 0, 0};
    return fill_rows(dst, rect, AffineFillK(c, k0));
}

int _xSDL_fillrect_dodge_blend(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour) {
    if (!dst) return -1;
    if (colour_a(colour) == 0) return 0;
    unsigned c[3];
    colour_rgb(colour, c);
    const Uint8* tab = dodge_table();
    const DodgeFillK k = {{tab + 256 * c[0], tab + 256 * c[1], tab + 256 * c[2]}};
    return fill_rows(dst, rect, k);
}

int _xSDL_fillrect_additive_blend(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour) {
    if (!dst) return -1;
    unsigned c[3];
    colour_rgb(colour, c);
    if (colour_a(colour) == 0 || (c[0] == 0 && c[1] == 0 && c[2] == 0)) return 0;
    return fill_rows(dst, rect, AddFillK(c));
}

int _xSDL_fillrect_move(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour) {
    if (!dst) return -1;
    SDL_Rect r;
    if (!_xSDL_calc_dest_rect(dst, rect, r)) return 0;
    for (int y = r.y; y < r.y + r.h; ++y) _xSDL_fill_pixel_scan(dst, Uint16(r.x), Uint16(y), r.w, colour);
    return 0;
}

int _xSDL_fill(SDL_Surface* dst, unsigned colour) {
    return _xSDL_fillrect_move(dst, nullptr, colour);
}

// --- 1:1 blits -------------------------------------------------------------------------------

namespace {

// dst = src AND 0x00FFFFFF for n 32-bit pixels, in chunks the compiler vectorises.
void mask_row(const Uint8* __restrict sp, Uint8* __restrict dp, unsigned n) {
    unsigned j = 0;
    for (; j + kChunk <= n; j += kChunk) {
        const Uint8* s = sp + 4 * j;
        Uint8* d = dp + 4 * j;
        // One straight body a chunk: a loop of four 16-byte steps ran at a speed that
        // moved with where the linker put it.
#pragma GCC unroll 16
        for (unsigned p = 0; p < kChunk; ++p) store32(d + 4 * p, load32(s + 4 * p) & 0x00FFFFFFu);
    }
    for (; j < n; ++j) store32(dp + 4 * j, load32(sp + 4 * j) & 0x00FFFFFFu);
}

// Two distinct 32-bit surfaces whose G and A bytes (the destination may lack A) sit where a
// scanline entry keeps them, R and B in either order.
bool entry_like_pair(const SDL_Surface* src, const SDL_Surface* dst) {
    const SDL_PixelFormat* s = src->format;
    const SDL_PixelFormat* d = dst->format;
    return src != dst && is_byte_aligned_32(s) && is_byte_aligned_32(d) && s->Rmask == d->Rmask &&
           s->Gmask == d->Gmask && s->Bmask == d->Bmask && s->Gmask == 0xFFu << kEntryG &&
           s->Amask == kEntryAMask && (d->Amask == 0 || d->Amask == kEntryAMask);
}

#ifdef XSDL_SSE2
// Two distinct 32-bit surfaces laid out as entries (G and A bytes, the destination may
// lack A) with R and B the other way round from each other (an RGBA image on the screen):
// the alpha blend works on the destination's pixels with the source's R and B exchanged.
bool swapped_entry_pair(const SDL_Surface* src, const SDL_Surface* dst) {
    const SDL_PixelFormat* s = src->format;
    const SDL_PixelFormat* d = dst->format;
    const Uint32 r = 0xFFu << kEntryR, b = 0xFFu << kEntryB;
    return src != dst && is_byte_aligned_32(s) && is_byte_aligned_32(d) && s->Gmask == 0xFFu << kEntryG &&
           d->Gmask == s->Gmask && ((s->Rmask == r && s->Bmask == b) || (s->Rmask == b && s->Bmask == r)) &&
           d->Rmask == s->Bmask && d->Bmask == s->Rmask && s->Amask == kEntryAMask &&
           (d->Amask == 0 || d->Amask == kEntryAMask);
}
#endif

// Locks both surfaces, clips, and calls row(dst pixels, src pixels, width) for each row.
template <class F>
int for_each_row(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect,
                 const F& row) {
    SurfaceLock ls(src);
    if (!ls.ok()) return -1;
    SurfaceLock ld(dst);
    if (!ld.ok()) return -1;
    SDL_Rect so, dr;
    if (!_xSDL_calc_src_dest_rects(src, srcrect, dst, dstrect, &so, &dr)) return 0;
    for (int i = 0; i < so.h; ++i) row(pixel_at(dst, dr.x, dr.y + i), pixel_at(src, so.x, so.y + i), unsigned(so.w));
    return 0;
    // ld unlocks the destination, then ls the source.
}

template <class K>
int blit_rows(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect,
              const K& k) {
    if (!src || !dst) return -1;
    if (rgb_symmetric_v<K> && entry_like_pair(src, dst)) {
        // The blend straight on the pixels, with no row copies.
        return for_each_row(src, srcrect, dst, dstrect,
                            [&](Uint8* dp, const Uint8* sp, unsigned w) { run_blend(k, dp, sp, w); });
    }
#ifdef XSDL_SSE2
    if constexpr (std::is_same_v<K, AlphaK>) {
        if (swapped_entry_pair(src, dst)) {
            // Straight on the pixels too, the source's R and B exchanged on the way.
            const SwappedAlphaK sk = {k, dst->format->Amask == 0};
            return for_each_row(src, srcrect, dst, dstrect,
                                [&](Uint8* dp, const Uint8* sp, unsigned w) { run_blend(sk, dp, sp, w); });
        }
    }
#endif
    scoped_scanline sbuf(4ul * unsigned(src->w));
    scoped_scanline dbuf(4ul * unsigned(dst->w));
    const row_get_fn sget = row_getter(src);
    const row_get_fn dget = row_getter(dst);
    const row_put_fn dput = row_putter(dst);
    Uint8* sb = sbuf.get();
    Uint8* db = dbuf.get();
    return for_each_row(src, srcrect, dst, dstrect, [&](Uint8* dp, const Uint8* sp, unsigned w) {
        sget(src, sp, w, sb);
        dget(dst, dp, w, db);
        run_blend(k, db, sb, w);
        dput(dst, dp, w, db);
    });
}

}  // namespace

int _xSDL_blit_matte(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                     const SDL_Rect* dstrect) {
    if (src && dst && src != dst && src->format->BytesPerPixel == 4 && dst->format->BytesPerPixel == 4 &&
        src->format->Rmask == dst->format->Rmask && src->format->Gmask == dst->format->Gmask &&
        src->format->Bmask == dst->format->Bmask && src->format->Amask == dst->format->Amask &&
        is_byte_aligned_32(dst->format)) {
        // Same byte-aligned format: reading both rows, copying R, G, B and
        // writing back by masks comes to (s AND RGB masks) OR (d AND A mask).
        const Uint32 am = dst->format->Amask;
        const Uint32 rgbm = dst->format->Rmask | dst->format->Gmask | dst->format->Bmask;
        return for_each_row(src, srcrect, dst, dstrect, [&](Uint8* dp, const Uint8* sp, unsigned w) {
            if (am == 0 && rgbm == 0x00FFFFFFu) {
                // No alpha byte: the row is the source's colour bytes with a zero top byte.
                mask_row(sp, dp, w);
            } else {
                for (unsigned j = 0; j < w; ++j)
                    store32(dp + 4 * j, (load32(sp + 4 * j) & rgbm) | (load32(dp + 4 * j) & am));
            }
        });
    }
    return blit_rows(src, srcrect, dst, dstrect, MatteK());
}

int _xSDL_blit_matte_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                        const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_matte(src, srcrect, dst, dstrect);
    return blit_rows(src, srcrect, dst, dstrect, MatteAiK{ai});
}

namespace {

bool is_opaque(const SDL_Surface* s) {
    SurfaceLock lock(s);
    if (!lock.ok()) return false;
    std::vector<Uint8> row(4u * unsigned(s->w));
    for (int y = 0; y < s->h; ++y) {
        _xSDL_get_pixel_scan(s, 0, Uint16(y), Uint16(s->w), row.data());
        for (int x = 0; x < s->w; ++x)
            if (row[4u * unsigned(x) + 3] != 255) return false;
    }
    return true;
}

// An opaque image without per-pixel blending onto a surface of its colour layout: the
// rows are copied as they stand (a destination without alpha ignores the top byte).
bool is_plain_copy(const SDL_Surface* src, const SDL_Surface* dst) {
    const SDL_PixelFormat* s = src->format;
    const SDL_PixelFormat* d = dst->format;
    return src != dst && !(src->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY)) && s->BytesPerPixel == 4 &&
           d->BytesPerPixel == 4 && s->Rmask == d->Rmask && s->Gmask == d->Gmask && s->Bmask == d->Bmask &&
           (d->Amask == 0 || d->Amask == s->Amask);
}

int copy_rows(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect) {
    return for_each_row(src, srcrect, dst, dstrect,
                        [](Uint8* dp, const Uint8* sp, unsigned w) { std::memcpy(dp, sp, 4u * w); });
}

// An image with per-pixel alpha at full intensity, neither keyed nor run-length encoded,
// over a destination of its colour layout without alpha (the screen).
bool is_over_pair(const SDL_Surface* src, const SDL_Surface* dst) {
    const SDL_PixelFormat* s = src->format;
    const SDL_PixelFormat* d = dst->format;
    const Uint32 flags = SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCELOK | SDL_RLEACCEL;
    return src != dst && (src->flags & flags) == SDL_SRCALPHA && s->alpha == SDL_ALPHA_OPAQUE &&
           is_byte_aligned_32(s) && is_byte_aligned_32(d) && s->Amask == kEntryAMask && d->Amask == 0 &&
           s->Gmask == 0xFFu << kEntryG && (s->Rmask | s->Bmask) == ((0xFFu << kEntryR) | (0xFFu << kEntryB)) &&
           s->Rmask == d->Rmask && s->Gmask == d->Gmask && s->Bmask == d->Bmask;
}

// Whether the library's own blit of such a pair (source format f) gives OverK's pixels,
// bit for bit, on every alpha over a spread of colours. SDL 2's blitter does (sdl12-compat
// leaves such images unencoded, and blends even their opaque pixels one at a time); a
// library that rounds otherwise (classic SDL 1.2 does) keeps its own blit.
bool probe_over(const SDL_PixelFormat* f) {
    const int w = 259, h = 256;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    SDL_Surface* theirs = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, f->Rmask, f->Gmask, f->Bmask, 0);
    SDL_Surface* mine = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, f->Rmask, f->Gmask, f->Bmask, 0);
    bool same = false;
    if (s && theirs && mine && !must_lock(s) && !must_lock(theirs) && !must_lock(mine) &&
        SDL_SetAlpha(s, SDL_SRCALPHA, SDL_ALPHA_OPAQUE) == 0) {
        Uint32 seed = 1;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return Uint8(seed >> 24);
        };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Uint8* p = pixel_at(s, x, y);
                p[0] = Uint8(x);
                p[1] = next();
                p[2] = Uint8(255 - x);
                p[3] = Uint8(y);  // the alpha byte: row y has alpha y
                Uint8* q = pixel_at(theirs, x, y);
                for (int c = 0; c < 4; ++c) q[c] = next();
                std::memcpy(pixel_at(mine, x, y), q, 4);
            }
        SDL_Rect at = {0, 0, 0, 0};
        same = SDL_BlitSurface(s, nullptr, theirs, &at) == 0;
        for (int y = 0; same && y < h; ++y) {
            OverK().row(pixel_at(mine, 0, y), pixel_at(s, 0, y), unsigned(w));
            same = std::memcmp(pixel_at(mine, 0, y), pixel_at(theirs, 0, y), 4u * w) == 0;
        }
    }
    for (SDL_Surface* p : {s, theirs, mine})
        if (p) SDL_FreeSurface(p);
    return same;
}

bool library_blit_is_over(const SDL_PixelFormat* f) {
    static int verdict[2] = {-1, -1};  // per order of R and B
    int& v = verdict[f->Rmask == 0xFFu << kEntryR];
    if (v < 0) v = probe_over(f) ? 1 : 0;
    return v == 1;
}

}  // namespace

void _xSDL_accelerate(SDL_Surface* s) {
    if (!s || !s->format->Amask) return;
    if (is_opaque(s))
        SDL_SetAlpha(s, 0, SDL_ALPHA_OPAQUE);
    else
        SDL_SetAlpha(s, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
}

int _xSDL_blit_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect,
                  unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) {
        if (is_plain_copy(src, dst)) return copy_rows(src, srcrect, dst, dstrect);
        if (is_over_pair(src, dst) && library_blit_is_over(src->format))
            return for_each_row(src, srcrect, dst, dstrect,
                                [](Uint8* dp, const Uint8* sp, unsigned w) { OverK().row(dp, sp, w); });
        SDL_Rect s, d;
        if (srcrect) s = *srcrect;
        if (dstrect) d = *dstrect;
        return SDL_UpperBlit(const_cast<SDL_Surface*>(src), srcrect ? &s : nullptr, dst,
                             dstrect ? &d : nullptr);
    }
    return blit_rows(src, srcrect, dst, dstrect, AlphaK{ai});
}

int _xSDL_blit_additive_blend(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect) {
    return blit_rows(src, srcrect, dst, dstrect, AdditiveK{256});
}

int _xSDL_blit_additive_blend_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                 const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_additive_blend(src, srcrect, dst, dstrect);
    return blit_rows(src, srcrect, dst, dstrect, AdditiveK{ai});
}

int _xSDL_blit_multiply_blend(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect) {
    return blit_rows(src, srcrect, dst, dstrect, MultiplyK());
}

int _xSDL_blit_multiply_blend_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                 const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_multiply_blend(src, srcrect, dst, dstrect);
    return blit_rows(src, srcrect, dst, dstrect, MultiplyAiK{ai});
}

int _xSDL_blit_dodge_blend(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                           const SDL_Rect* dstrect) {
    return blit_rows(src, srcrect, dst, dstrect, DodgeK{dodge_table()});
}

int _xSDL_blit_dodge_blend_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_dodge_blend(src, srcrect, dst, dstrect);
    return blit_rows(src, srcrect, dst, dstrect, DodgeAiK{dodge_table(), ai});
}

int _xSDL_blit_gray(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                    const SDL_Rect* dstrect) {
    return blit_rows(src, srcrect, dst, dstrect, GreyK{256});
}

int _xSDL_blit_gray_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                       const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_gray(src, srcrect, dst, dstrect);
    return blit_rows(src, srcrect, dst, dstrect, GreyK{ai});
}

int _xSDL_blit_move(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                    const SDL_Rect* dstrect) {
    if (!src || !dst) return -1;
    SurfaceLock ls(src);
    if (!ls.ok()) return -1;
    SurfaceLock ld(dst);
    if (!ld.ok()) return -1;
    SDL_Rect so, dr;
    if (!_xSDL_calc_src_dest_rects(src, srcrect, dst, dstrect, &so, &dr)) return 0;
    for (int i = 0; i < so.h; ++i)
        _xSDL_copy_pixel_scan(src, Uint16(so.x), Uint16(so.y + i), so.w, dst, Uint16(dr.x), Uint16(dr.y + i));
    return 0;
}
