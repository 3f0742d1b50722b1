#pragma once
// Internal helpers shared by the xsdl_*.cpp files of the pixel library. Not part of the library's public surface.

#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace xsdl_detail {

// --- Locking rule ----------------------------------------------------

// Offset non-zero or any of SDL_HWSURFACE, SDL_ASYNCBLIT, SDL_RLEACCEL (0x4005): the library's
// own test, which alone knows what the offset means.
inline bool must_lock(const SDL_Surface* s) { return SDL_MUSTLOCK(s); }

// Locks a surface for a scope when the rule asks for it; unlocks on every way out.
// A run-length encoded surface is decoded for good first: SDL would otherwise decode it
// at every lock and encode it again at every unlock, each frame an image pulses.
class SurfaceLock {
public:
    explicit SurfaceLock(const SDL_Surface* s) : m_s(const_cast<SDL_Surface*>(s)) {
        if (m_s && (m_s->flags & SDL_RLEACCELOK))
            SDL_SetAlpha(m_s, m_s->flags & SDL_SRCALPHA, m_s->format->alpha);
        if (m_s && must_lock(m_s)) {
            m_ok = SDL_LockSurface(m_s) == 0;
            m_locked = m_ok;
        }
    }
    ~SurfaceLock() { unlock(); }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;
    bool ok() const { return m_ok; }
    void unlock() {
        if (m_locked) {
            SDL_UnlockSurface(m_s);
            m_locked = false;
        }
    }

private:
    SDL_Surface* m_s;
    bool m_ok = true;
    bool m_locked = false;
};

// --- Pixels and scanline entries -----------------------------------------------------

inline Uint8* pixel_at(const SDL_Surface* s, int x, int y) {
    return static_cast<Uint8*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch +
           static_cast<std::ptrdiff_t>(x) * s->format->BytesPerPixel;
}

// Bit positions of the channels of a scanline entry (bytes R, G, B, A in
// memory) when the entry is loaded as a native 32-bit word.
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
constexpr unsigned kEntryR = 0, kEntryG = 8, kEntryB = 16, kEntryA = 24;
#else
constexpr unsigned kEntryR = 24, kEntryG = 16, kEntryB = 8, kEntryA = 0;
#endif
constexpr Uint32 kEntryAMask = 0xFFu << kEntryA;
// One byte value v placed on R, G and B of an entry: v * kEntryRGBOnes.
constexpr Uint32 kEntryRGBOnes = (1u << kEntryR) | (1u << kEntryG) | (1u << kEntryB);

inline Uint32 entry_pack(unsigned r, unsigned g, unsigned b, unsigned a) {
    return (Uint32(r & 255) << kEntryR) | (Uint32(g & 255) << kEntryG) | (Uint32(b & 255) << kEntryB) |
           (Uint32(a & 255) << kEntryA);
}

// The 8-bit 0xRRGGBBAA colour convention of the fills.
inline Uint8 colour_r(unsigned c) {
    return Uint8(c >> 24);
}
inline Uint8 colour_g(unsigned c) {
    return Uint8(c >> 16);
}
inline Uint8 colour_b(unsigned c) {
    return Uint8(c >> 8);
}
inline Uint8 colour_a(unsigned c) {
    return Uint8(c);
}

inline Uint32 load32(const Uint8* p) {
    Uint32 v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void store32(Uint8* p, Uint32 v) {
    std::memcpy(p, &v, 4);
}
inline Uint16 load16(const Uint8* p) {
    Uint16 v;
    std::memcpy(&v, p, 2);
    return v;
}
inline void store16(Uint8* p, Uint16 v) {
    std::memcpy(p, &v, 2);
}

// 24-bit pixels as the media layer lays them out.
inline Uint32 load24(const Uint8* p) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    return Uint32(p[0]) | (Uint32(p[1]) << 8) | (Uint32(p[2]) << 16);
#else
    return (Uint32(p[0]) << 16) | (Uint32(p[1]) << 8) | Uint32(p[2]);
#endif
}
inline void store24(Uint8* p, Uint32 v) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    p[0] = Uint8(v);
    p[1] = Uint8(v >> 8);
    p[2] = Uint8(v >> 16);
#else
    p[0] = Uint8(v >> 16);
    p[1] = Uint8(v >> 8);
    p[2] = Uint8(v);
#endif
}

// Channel by masks: ((p AND mask) >> shift) << loss, low 8 bits.
inline Uint8 mask_get(Uint32 p, Uint32 mask, unsigned shift, unsigned loss) {
    return Uint8(((p & mask) >> shift) << loss);
}
inline Uint32 mask_put(const SDL_PixelFormat* f, unsigned r, unsigned g, unsigned b, unsigned a) {
    return (((Uint32(r & 255) >> f->Rloss) << f->Rshift) & f->Rmask) |
           (((Uint32(g & 255) >> f->Gloss) << f->Gshift) & f->Gmask) |
           (((Uint32(b & 255) >> f->Bloss) << f->Bshift) & f->Bmask) |
           (((Uint32(a & 255) >> f->Aloss) << f->Ashift) & f->Amask);
}

// The mask form of a 4-byte format with its parameters loaded once, between a
// pixel value and a native scanline entry word.
struct Masks32 {
    Uint32 rm, gm, bm, am;
    unsigned rs, gs, bs, as, rl, gl, bl, al;
    explicit Masks32(const SDL_PixelFormat* f)
        : rm(f->Rmask),
          gm(f->Gmask),
          bm(f->Bmask),
          am(f->Amask),
          rs(f->Rshift),
          gs(f->Gshift),
          bs(f->Bshift),
          as(f->Ashift),
          rl(f->Rloss),
          gl(f->Gloss),
          bl(f->Bloss),
          al(f->Aloss) {}
    Uint32 to_entry(Uint32 p) const {
        return (Uint32((((p & rm) >> rs) << rl) & 255) << kEntryR) |
               (Uint32((((p & gm) >> gs) << gl) & 255) << kEntryG) |
               (Uint32((((p & bm) >> bs) << bl) & 255) << kEntryB) |
               (Uint32((((p & am) >> as) << al) & 255) << kEntryA);
    }
    Uint32 from_entry(Uint32 e) const {
        return (((((e >> kEntryR) & 255) >> rl) << rs) & rm) | (((((e >> kEntryG) & 255) >> gl) << gs) & gm) |
               (((((e >> kEntryB) & 255) >> bl) << bs) & bm) | (((((e >> kEntryA) & 255) >> al) << as) & am);
    }
};

// True for a 4-byte format whose bytes in memory are R, G, B, A in that order.
bool is_bytes_rgba(const SDL_PixelFormat* f);
// True for a 4-byte format whose R, G, B masks are whole bytes without loss
// and whose alpha mask is 0 or a whole byte without loss.
bool is_byte_aligned_32(const SDL_PixelFormat* f);

// --- Row access resolved once per operation ---------------------------------------------

// Reads n pixels starting at px (a pixel address of s) into n entries / writes them.
typedef void (*row_get_fn)(const SDL_Surface* s, const Uint8* px, unsigned n, Uint8* buf);
typedef void (*row_put_fn)(const SDL_Surface* s, Uint8* px, unsigned n, const Uint8* buf);

// The functions that _xSDL_get_pixel_scan and _xSDL_put_pixel_scan use for s.
row_get_fn row_getter(const SDL_Surface* s);
row_put_fn row_putter(const SDL_Surface* s);

// Number of pairs in the scanline pool (for tests).
std::size_t scanline_pool_count();

}  // namespace xsdl_detail
