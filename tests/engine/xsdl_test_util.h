#pragma once
// Helpers of the pixel-library tests (xsdl_*_test.cpp): software surfaces in
// explicit formats, raw pixel access and a deterministic random source.

#include <SDL/SDL.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

namespace xsdl_test {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const {
        if (s) SDL_FreeSurface(s);
    }
};
typedef std::unique_ptr<SDL_Surface, SurfaceDeleter> Surf;

inline Surf make(int w, int h, int bpp, Uint32 r, Uint32 g, Uint32 b, Uint32 a, Uint32 flags = 0) {
    return Surf(SDL_CreateRGBSurface(flags, w, h, bpp, r, g, b, a));
}
// 32-bit XRGB without alpha mask (the screen), ARGB (display format with alpha).
inline Surf xrgb(int w, int h) {
    return make(w, h, 32, 0xFF0000u, 0xFF00u, 0xFFu, 0);
}
inline Surf argb(int w, int h) {
    return make(w, h, 32, 0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u, SDL_SRCALPHA);
}
// The library's default RGBA layout (R in the low byte).
inline Surf rgba(int w, int h) {
    return make(w, h, 32, 0xFFu, 0xFF00u, 0xFF0000u, 0xFF000000u, SDL_SRCALPHA);
}
// RGBX: R in the top byte, alpha in the low byte.
inline Surf rgbx(int w, int h) {
    return make(w, h, 32, 0xFF000000u, 0xFF0000u, 0xFF00u, 0xFFu);
}
// A 32-bit format that is none of the named ones (B G R A from the top).
inline Surf bgra(int w, int h) {
    return make(w, h, 32, 0xFF00u, 0xFF0000u, 0xFF000000u, 0xFFu);
}
inline Surf rgb24(int w, int h) {
    return make(w, h, 24, 0xFF0000u, 0xFF00u, 0xFFu, 0);
}
inline Surf rgb565(int w, int h) {
    return make(w, h, 16, 0xF800u, 0x07E0u, 0x001Fu, 0);
}
inline Surf argb4444(int w, int h) {
    return make(w, h, 16, 0x0F00u, 0x00F0u, 0x000Fu, 0xF000u);
}
// 8-bit palette surface with colour i = (i, 255 - i, i / 2).
inline Surf pal8(int w, int h) {
    Surf s = make(w, h, 8, 0, 0, 0, 0);
    SDL_Color c[256];
    for (int i = 0; i < 256; ++i) c[i] = SDL_Color{Uint8(i), Uint8(255 - i), Uint8(i / 2), 0};
    SDL_SetColors(s.get(), c, 0, 256);
    return s;
}

// Several surfaces to loop over: for (Surf& s : surfaces(xrgb(1, 1), argb(1, 1))).
template <class... T>
std::vector<Surf> surfaces(T&&... s) {
    std::vector<Surf> v;
    (v.push_back(std::forward<T>(s)), ...);
    return v;
}

inline Uint8* at(SDL_Surface* s, int x, int y) {
    return static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
}
inline Uint32 raw32(SDL_Surface* s, int x, int y) {
    Uint32 v;
    std::memcpy(&v, at(s, x, y), 4);
    return v;
}
inline void set_raw32(SDL_Surface* s, int x, int y, Uint32 v) {
    std::memcpy(at(s, x, y), &v, 4);
}
inline Uint16 raw16(SDL_Surface* s, int x, int y) {
    Uint16 v;
    std::memcpy(&v, at(s, x, y), 2);
    return v;
}

struct RGBA {
    Uint8 r, g, b, a;
    bool operator==(const RGBA& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};
inline std::ostream& operator<<(std::ostream& os, const RGBA& c) {
    return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}
// Channels of a pixel by the media layer's own reading (SDL_GetRGBA).
inline RGBA sdl_get(SDL_Surface* s, int x, int y) {
    Uint32 p = 0;
    const Uint8* q = at(s, x, y);
    switch (s->format->BytesPerPixel) {
        case 1:
            p = *q;
            break;
        case 2:
            p = raw16(s, x, y);
            break;
        case 3:
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            p = q[0] | (q[1] << 8) | (q[2] << 16);
#else
            p = (q[0] << 16) | (q[1] << 8) | q[2];
#endif
            break;
        default:
            p = raw32(s, x, y);
            break;
    }
    RGBA c;
    SDL_GetRGBA(p, s->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}
inline void sdl_put(SDL_Surface* s, int x, int y, RGBA c) {
    const Uint32 p = SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
    Uint8* q = at(s, x, y);
    switch (s->format->BytesPerPixel) {
        case 1:
            *q = Uint8(p);
            break;
        case 2: {
            const Uint16 v = Uint16(p);
            std::memcpy(q, &v, 2);
            break;
        }
        case 3:
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            q[0] = Uint8(p);
            q[1] = Uint8(p >> 8);
            q[2] = Uint8(p >> 16);
#else
            q[0] = Uint8(p >> 16);
            q[1] = Uint8(p >> 8);
            q[2] = Uint8(p);
#endif
            break;
        default:
            std::memcpy(q, &p, 4);
            break;
    }
}

// A small linear congruential generator: the same values on every run.
struct Rng {
    Uint32 s;
    explicit Rng(Uint32 seed = 1) : s(seed) {}
    Uint32 next() {
        s = s * 1664525u + 1013904223u;
        return s >> 8;
    }
    Uint8 byte() { return Uint8(next()); }
    int below(int n) { return int(next() % Uint32(n)); }
};

inline void fill_random(SDL_Surface* s, Rng& rng) {
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->pitch; ++x) static_cast<Uint8*>(s->pixels)[y * s->pitch + x] = rng.byte();
}

inline bool same_pixels(SDL_Surface* a, SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h || a->format->BytesPerPixel != b->format->BytesPerPixel) return false;
    if (a->w == 0 || a->h == 0) return true;
    for (int y = 0; y < a->h; ++y)
        if (std::memcmp(at(a, 0, y), at(b, 0, y), std::size_t(a->w) * a->format->BytesPerPixel)) return false;
    return true;
}

}  // namespace xsdl_test
