// pixel formats, pixel access, scanlines and surfaces.

#include "xsdl_pixel.h"

#include "xsdl_detail.h"

#include <cstring>
#include <vector>

using namespace xsdl_detail;

namespace {

inline const SDL_PixelFormat* fmt(const SDL_Surface* s) {
    return s->format;
}

inline void mask_get4(const SDL_PixelFormat* f, Uint32 p, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    *r = mask_get(p, f->Rmask, f->Rshift, f->Rloss);
    *g = mask_get(p, f->Gmask, f->Gshift, f->Gloss);
    *b = mask_get(p, f->Bmask, f->Bshift, f->Bloss);
    *a = mask_get(p, f->Amask, f->Ashift, f->Aloss);
}

// The palette rule of 8-bit surfaces: colour of the index, A 0 at the colour
// key when the colour-key flag is set, else 255.
inline void palette_get(const SDL_Surface* s, Uint8 idx, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    const SDL_Palette* pal = s->format->palette;
    if (pal && idx < pal->ncolors) {
        *r = pal->colors[idx].r;
        *g = pal->colors[idx].g;
        *b = pal->colors[idx].b;
    } else {
        *r = *g = *b = 0;
    }
    *a = ((s->flags & SDL_SRCCOLORKEY) && idx == s->format->colorkey) ? 0 : 255;
}

// --- Row readers and writers ------------------------------------------------------------

void row_get_none(const SDL_Surface*, const Uint8*, unsigned, Uint8*) {}
void row_put_none(const SDL_Surface*, Uint8*, unsigned, const Uint8*) {}

void row_get_8(const SDL_Surface* s, const Uint8* px, unsigned n, Uint8* buf) {
    for (unsigned i = 0; i < n; ++i)
        palette_get(s, px[i], buf + 4 * i, buf + 4 * i + 1, buf + 4 * i + 2, buf + 4 * i + 3);
}

void row_get_16(const SDL_Surface* s, const Uint8* px, unsigned n, Uint8* buf) {
    const SDL_PixelFormat* f = fmt(s);
    for (unsigned i = 0; i < n; ++i)
        mask_get4(f, load16(px + 2 * i), buf + 4 * i, buf + 4 * i + 1, buf + 4 * i + 2, buf + 4 * i + 3);
}

void row_put_16(const SDL_Surface* s, Uint8* px, unsigned n, const Uint8* buf) {
    const SDL_PixelFormat* f = fmt(s);
    for (unsigned i = 0; i < n; ++i)
        store16(px + 2 * i, Uint16(mask_put(f, buf[4 * i], buf[4 * i + 1], buf[4 * i + 2], buf[4 * i + 3])));
}

void row_get_24(const SDL_Surface* s, const Uint8* px, unsigned n, Uint8* buf) {
    const SDL_PixelFormat* f = fmt(s);
    for (unsigned i = 0; i < n; ++i)
        mask_get4(f, load24(px + 3 * i), buf + 4 * i, buf + 4 * i + 1, buf + 4 * i + 2, buf + 4 * i + 3);
}

void row_put_24(const SDL_Surface* s, Uint8* px, unsigned n, const Uint8* buf) {
    const SDL_PixelFormat* f = fmt(s);
    for (unsigned i = 0; i < n; ++i)
        store24(px + 3 * i, mask_put(f, buf[4 * i], buf[4 * i + 1], buf[4 * i + 2], buf[4 * i + 3]));
}

void row_get_32_raw(const SDL_Surface*, const Uint8* px, unsigned n, Uint8* buf) {
    std::memcpy(buf, px, 4ul * n);
}
void row_put_32_raw(const SDL_Surface*, Uint8* px, unsigned n, const Uint8* buf) {
    std::memcpy(px, buf, 4ul * n);
}

// 4-byte rows as a map of 32-bit words, in fixed chunks of 16 that the
// compiler vectorises; the tail goes through a zero-padded chunk.
template <class F>
inline void map32_row(const Uint8* __restrict in, Uint8* __restrict out, unsigned n, const F& f) {
    unsigned i = 0;
    for (; i + 16 <= n; i += 16) {
        Uint32 a[16], b[16];
        std::memcpy(a, in + 4 * i, sizeof a);
        for (int k = 0; k < 16; ++k) b[k] = f(a[k]);
        std::memcpy(out + 4 * i, b, sizeof b);
    }
    if (i < n) {
        const std::size_t bytes = 4u * (n - i);
        Uint32 a[16] = {}, b[16];
        std::memcpy(a, in + 4 * i, bytes);
        for (int k = 0; k < 16; ++k) b[k] = f(a[k]);
        std::memcpy(out + 4 * i, b, bytes);
    }
}

struct ToEntry {
    Masks32 m;
    Uint32 operator()(Uint32 p) const { return m.to_entry(p); }
};
struct FromEntry {
    Masks32 m;
    Uint32 operator()(Uint32 e) const { return m.from_entry(e); }
};

void row_get_32_mask(const SDL_Surface* s, const Uint8* px, unsigned n, Uint8* buf) {
    map32_row(px, buf, n, ToEntry{Masks32(fmt(s))});
}

void row_put_32_mask(const SDL_Surface* s, Uint8* px, unsigned n, const Uint8* buf) {
    map32_row(buf, px, n, FromEntry{Masks32(fmt(s))});
}

#if SDL_BYTEORDER == SDL_LIL_ENDIAN
// XRGB and ARGB (alpha mask 0 or 0xFF000000): the mask forms come to swapping
// the R and B bytes and keeping the alpha byte where there is an alpha mask.
struct SwapRB {
    Uint32 am;
    Uint32 operator()(Uint32 p) const {
        return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16) | (p & am);
    }
};

bool is_xrgb_or_argb(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 4 && _is_pf_XRGB(*f) &&
           (f->Amask == 0 || (f->Amask == 0xFF000000u && f->Ashift == 24 && f->Aloss == 0));
}

void row_get_xrgb(const SDL_Surface* s, const Uint8* px, unsigned n, Uint8* buf) {
    map32_row(px, buf, n, SwapRB{fmt(s)->Amask});
}

void row_put_xrgb(const SDL_Surface* s, Uint8* px, unsigned n, const Uint8* buf) {
    map32_row(buf, px, n, SwapRB{fmt(s)->Amask});
}
#endif

// --- The scanline pool ------------------------------------------------------------------------

constexpr unsigned long kPoolMax = 4096;

std::vector<scoped_scanline::buf_type>& pool() {
    // Never destroyed: the buffers it holds stay reachable until exit.
    static std::vector<scoped_scanline::buf_type>* p = new std::vector<scoped_scanline::buf_type>();
    return *p;
}
// Built before the main function runs.
[[maybe_unused]] const bool g_pool_built = (pool(), true);

}  // namespace

// --- xsdl_detail ------------------------------------------------------------------------

namespace xsdl_detail {

bool is_bytes_rgba(const SDL_PixelFormat* f) {
    if (f->BytesPerPixel != 4 || f->Rloss || f->Gloss || f->Bloss || f->Aloss) return false;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    return f->Rmask == 0x000000FFu && f->Gmask == 0x0000FF00u && f->Bmask == 0x00FF0000u &&
           f->Amask == 0xFF000000u;
#else
    return f->Rmask == 0xFF000000u && f->Gmask == 0x00FF0000u && f->Bmask == 0x0000FF00u &&
           f->Amask == 0x000000FFu;
#endif
}

bool is_byte_aligned_32(const SDL_PixelFormat* f) {
    if (f->BytesPerPixel != 4) return false;
    auto whole_byte = [](Uint32 mask, unsigned shift, unsigned loss) {
        return loss == 0 && shift % 8 == 0 && mask == (0xFFu << shift);
    };
    if (!whole_byte(f->Rmask, f->Rshift, f->Rloss) || !whole_byte(f->Gmask, f->Gshift, f->Gloss) ||
        !whole_byte(f->Bmask, f->Bshift, f->Bloss))
        return false;
    return f->Amask == 0 || whole_byte(f->Amask, f->Ashift, f->Aloss);
}

row_get_fn row_getter(const SDL_Surface* s) {
    switch (s->format->BytesPerPixel) {
        case 1:
            return row_get_8;
        case 2:
            return row_get_16;
        case 3:
            return row_get_24;
        case 4:
            if (is_bytes_rgba(s->format)) return row_get_32_raw;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            if (is_xrgb_or_argb(s->format)) return row_get_xrgb;
#endif
            return row_get_32_mask;
        default:
            return row_get_none;
    }
}

row_put_fn row_putter(const SDL_Surface* s) {
    switch (s->format->BytesPerPixel) {
        case 2:
            return row_put_16;
        case 3:
            return row_put_24;
        case 4:
            if (is_bytes_rgba(s->format)) return row_put_32_raw;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            if (is_xrgb_or_argb(s->format)) return row_put_xrgb;
#endif
            return row_put_32_mask;
        default:
            return row_put_none;
    }
}

std::size_t scanline_pool_count() {
    return pool().size();
}

}  // namespace xsdl_detail

// --- Format tests ---------------------------------------------------------------------------

bool _is_pf_XRGB(const SDL_PixelFormat& f) {
    return f.Rmask == 0xFF0000u && f.Gmask == 0xFF00u && f.Bmask == 0xFFu && f.Rloss == 0 && f.Gloss == 0 &&
           f.Bloss == 0;
}

bool _is_pf_RGBX(const SDL_PixelFormat& f) {
    return f.Rmask == 0xFF000000u && f.Gmask == 0xFF0000u && f.Bmask == 0xFF00u && f.Rloss == 0 &&
           f.Gloss == 0 && f.Bloss == 0;
}

// --- Per-pixel access --------------------------------------------------------------------------

void _xSDL_get_pixel_XRGB(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    const Uint32 p = load32(pixel_at(s, x, y));
    *b = Uint8(p);
    *g = Uint8(p >> 8);
    *r = Uint8(p >> 16);
    *a = Uint8(p >> 24);
}

void _xSDL_put_pixel_XRGB(SDL_Surface* s, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    store32(pixel_at(s, x, y), (Uint32(a) << 24) | (Uint32(r) << 16) | (Uint32(g) << 8) | Uint32(b));
}

void _xSDL_get_pixel_RGBX(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    const Uint32 p = load32(pixel_at(s, x, y));
    *r = Uint8(p >> 24);
    *g = Uint8(p >> 16);
    *b = Uint8(p >> 8);
    *a = Uint8(p);
}

void _xSDL_put_pixel_RGBX(SDL_Surface* s, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    store32(pixel_at(s, x, y), (Uint32(r) << 24) | (Uint32(g) << 16) | (Uint32(b) << 8) | Uint32(a));
}

void _xSDL_get_pixel_32(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    mask_get4(fmt(s), load32(pixel_at(s, x, y)), r, g, b, a);
}

void _xSDL_put_pixel_32(SDL_Surface* s, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    store32(pixel_at(s, x, y), mask_put(fmt(s), r, g, b, a));
}

void _xSDL_get_pixel_16(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    mask_get4(fmt(s), load16(pixel_at(s, x, y)), r, g, b, a);
}

void _xSDL_put_pixel_16(SDL_Surface* s, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    store16(pixel_at(s, x, y), Uint16(mask_put(fmt(s), r, g, b, a)));
}

void _xSDL_get_pixel(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
    const Uint8* p = pixel_at(s, x, y);
    switch (s->format->BytesPerPixel) {
        case 1:
            palette_get(s, *p, r, g, b, a);
            break;
        case 2:
            mask_get4(fmt(s), load16(p), r, g, b, a);
            break;
        case 3:
            mask_get4(fmt(s), load24(p), r, g, b, a);
            break;
        case 4:
            mask_get4(fmt(s), load32(p), r, g, b, a);
            break;
        default:
            *r = *g = *b = *a = 127;
            break;
    }
}

void _xSDL_put_pixel(SDL_Surface* s, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    Uint8* p = pixel_at(s, x, y);
    switch (s->format->BytesPerPixel) {
        case 2:
            store16(p, Uint16(mask_put(fmt(s), r, g, b, a)));
            break;
        case 3:
            store24(p, mask_put(fmt(s), r, g, b, a));
            break;
        case 4:
            store32(p, mask_put(fmt(s), r, g, b, a));
            break;
        default:
            break;  // palette surfaces and other depths: nothing is written
    }
}

void _xSDL_get_pixel_r_16(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r) {
    const SDL_PixelFormat* f = fmt(s);
    *r = mask_get(load16(pixel_at(s, x, y)), f->Rmask, f->Rshift, f->Rloss);
}

void _xSDL_get_pixel_r_32(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r) {
    const SDL_PixelFormat* f = fmt(s);
    *r = mask_get(load32(pixel_at(s, x, y)), f->Rmask, f->Rshift, f->Rloss);
}

void _xSDL_get_pixel_r(const SDL_Surface* s, Uint16 x, Uint16 y, Uint8* r) {
    const SDL_PixelFormat* f = fmt(s);
    const Uint8* p = pixel_at(s, x, y);
    switch (f->BytesPerPixel) {
        case 1: {
            Uint8 g, b, a;
            palette_get(s, *p, r, &g, &b, &a);
            if (a == 0) *r = 0;
            break;
        }
        case 2:
            *r = mask_get(load16(p), f->Rmask, f->Rshift, f->Rloss);
            break;
        case 3:
            *r = mask_get(load24(p), f->Rmask, f->Rshift, f->Rloss);
            break;
        case 4:
            *r = mask_get(load32(p), f->Rmask, f->Rshift, f->Rloss);
            break;
        default:
            *r = 127;
            break;
    }
}

_xSDL_get_pixel_t _xSDL_get_pixel_fun(const SDL_Surface* s) {
    const SDL_PixelFormat& f = *s->format;
    switch (f.BytesPerPixel) {
        case 4:
            if (_is_pf_XRGB(f)) return _xSDL_get_pixel_XRGB;
            if (_is_pf_RGBX(f)) return _xSDL_get_pixel_RGBX;
            return _xSDL_get_pixel_32;
        case 2:
            return _xSDL_get_pixel_16;
        default:
            return _xSDL_get_pixel;
    }
}

_xSDL_put_pixel_t _xSDL_set_pixel_fun(SDL_Surface* s) {
    const SDL_PixelFormat& f = *s->format;
    switch (f.BytesPerPixel) {
        case 4:
            if (_is_pf_XRGB(f)) return _xSDL_put_pixel_XRGB;
            if (_is_pf_RGBX(f)) return _xSDL_put_pixel_RGBX;
            return _xSDL_put_pixel_32;
        case 2:
            return _xSDL_put_pixel_16;
        default:
            return _xSDL_put_pixel;
    }
}

_xSDL_get_pixel_r_t _xSDL_get_pixel_r_fun(const SDL_Surface* s) {
    switch (s->format->BytesPerPixel) {
        case 2:
            return _xSDL_get_pixel_r_16;
        case 4:
            return _xSDL_get_pixel_r_32;
        default:
            return _xSDL_get_pixel_r;
    }
}

// --- Scanlines ------------------------------------------------------------------------------------

void _xSDL_get_pixel_scan(const SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf) {
    row_getter(s)(s, pixel_at(s, x, y), n, buf);
}

void _xSDL_put_pixel_scan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf) {
    row_putter(s)(s, pixel_at(s, x, y), n, buf);
}

void _xSDL_get_pixel_vscan(const SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf) {
    const _xSDL_get_pixel_t get = _xSDL_get_pixel_fun(s);
    for (unsigned i = 0; i < n; ++i)
        get(s, x, Uint16(y + i), buf + 4 * i, buf + 4 * i + 1, buf + 4 * i + 2, buf + 4 * i + 3);
}

void _xSDL_put_pixel_vscan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf) {
    const _xSDL_put_pixel_t put = _xSDL_set_pixel_fun(s);
    for (unsigned i = 0; i < n; ++i)
        put(s, x, Uint16(y + i), buf[4 * i], buf[4 * i + 1], buf[4 * i + 2], buf[4 * i + 3]);
}

void _xSDL_fill_pixel_scan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, unsigned colour) {
    const _xSDL_put_pixel_t put = _xSDL_set_pixel_fun(s);
    const Uint8 r = colour_r(colour), g = colour_g(colour), b = colour_b(colour), a = colour_a(colour);
    for (unsigned i = 0; i < n; ++i) put(s, Uint16(x + i), y, r, g, b, a);
}

void _xSDL_fill_pixel_vscan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, unsigned colour) {
    const _xSDL_put_pixel_t put = _xSDL_set_pixel_fun(s);
    const Uint8 r = colour_r(colour), g = colour_g(colour), b = colour_b(colour), a = colour_a(colour);
    for (unsigned i = 0; i < n; ++i) put(s, x, Uint16(y + i), r, g, b, a);
}

void _xSDL_copy_pixel_scan(const SDL_Surface* src, Uint16 x, Uint16 y, Uint16 n, SDL_Surface* dst, Uint16 dx,
                           Uint16 dy) {
    const SDL_PixelFormat* sf = src->format;
    const SDL_PixelFormat* df = dst->format;
    if (sf->BytesPerPixel == df->BytesPerPixel && sf->Rmask == df->Rmask && sf->Gmask == df->Gmask &&
        sf->Bmask == df->Bmask && sf->Amask == df->Amask) {
        std::memmove(pixel_at(dst, dx, dy), pixel_at(src, x, y), std::size_t(n) * sf->BytesPerPixel);
        return;
    }
    const _xSDL_get_pixel_t get = _xSDL_get_pixel_fun(src);
    const _xSDL_put_pixel_t put = _xSDL_set_pixel_fun(dst);
    for (unsigned i = 0; i < n; ++i) {
        Uint8 r, g, b, a;
        get(src, Uint16(x + i), y, &r, &g, &b, &a);
        put(dst, Uint16(dx + i), dy, r, g, b, a);
    }
}

// --- Pool --------------------------------------------------------------------------------------------

scoped_scanline::buf_type scoped_scanline::acquire_buf(unsigned long n) {
    const unsigned long size = (n + 511ul) & ~511ul;
    std::vector<buf_type>& p = pool();
    if (size <= kPoolMax && !p.empty()) {
        buf_type last = p.back();
        p.pop_back();
        if (last.first >= size) return last;
        delete[] last.second;
    }
    return buf_type(size, new unsigned char[size]);
}

void scoped_scanline::release_buf(buf_type b) {
    if (b.first <= kPoolMax)
        pool().push_back(b);
    else
        delete[] b.second;
}

// --- Surface creation ----------------------------------------------------------------------------------

SDL_Surface* _xSDL_create_rgba(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SRCALPHA, w, h, 32, 0xFFu, 0xFF00u, 0xFF0000u, 0xFF000000u);
    if (s) SDL_SetAlpha(s, SDL_SRCALPHA, 0);
    return s;
}

SDL_Surface* _xSDL_copy_blank(const SDL_Surface* like, int w, int h) {
    if (!like || like->format->BitsPerPixel == 8) return _xSDL_create_rgba(w, h);
    const SDL_PixelFormat* f = like->format;
    return SDL_CreateRGBSurface(SDL_SRCALPHA, w, h, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
}

SDL_Surface* _xSDL_copy(const SDL_Surface* src, int w, int h, unsigned colour) {
    if (!src) return nullptr;
    const int W = w > src->w ? w : src->w;
    const int H = h > src->h ? h : src->h;
    SDL_Surface* dst = _xSDL_copy_blank(src, W, H);
    if (!dst) return nullptr;
    {
        SurfaceLock ls(src);
        if (!ls.ok()) {
            SDL_FreeSurface(dst);
            return nullptr;
        }
        SurfaceLock ld(dst);
        if (!ld.ok()) {
            ls.unlock();
            SDL_FreeSurface(dst);
            return nullptr;
        }
        const SDL_PixelFormat* sf = src->format;
        const SDL_PixelFormat* df = dst->format;
        if (src->w == dst->w && src->h == dst->h && src->pitch == dst->pitch &&
            sf->BytesPerPixel == df->BytesPerPixel && sf->Rmask == df->Rmask && sf->Gmask == df->Gmask &&
            sf->Bmask == df->Bmask && sf->Amask == df->Amask) {
            if (src->pitch > 0 && src->h > 0)
                std::memcpy(dst->pixels, src->pixels, std::size_t(src->pitch) * src->h);
        } else {
            const int ox = (W - src->w) / 2, oy = (H - src->h) / 2;
            for (int y = 0; y < src->h; ++y)
                _xSDL_copy_pixel_scan(src, 0, Uint16(y), Uint16(src->w), dst, Uint16(ox), Uint16(oy + y));
            for (int y = 0; y < oy; ++y) _xSDL_fill_pixel_scan(dst, 0, Uint16(y), Uint16(W), colour);
            for (int y = oy + src->h; y < H; ++y) _xSDL_fill_pixel_scan(dst, 0, Uint16(y), Uint16(W), colour);
            for (int x = 0; x < ox; ++x) _xSDL_fill_pixel_vscan(dst, Uint16(x), 0, Uint16(H), colour);
            for (int x = ox + src->w; x < W; ++x)
                _xSDL_fill_pixel_vscan(dst, Uint16(x), 0, Uint16(H), colour);
        }
    }
    return dst;
}

SDL_Surface* _xSDL_copy(const SDL_Surface* src, int w, int h) {
    return _xSDL_copy(src, w, h, 0);
}

SDL_Surface* _xSDL_copy(const SDL_Surface* src) {
    if (!src) return nullptr;
    return _xSDL_copy(src, src->w, src->h, 0);
}
