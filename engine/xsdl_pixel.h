#pragma once
// pixel formats, pixel access, scanlines and surfaces.
//
// The lowest layer of the `_xSDL_` pixel library. A scanline entry is four
// bytes R, G, B, A; a scanline buffer holds n entries for n pixels of a row.
// Coordinates and counts are unsigned 16-bit. None of these functions locks a
// surface: callers lock by the media layer's rule (SDL_MUSTLOCK) around them
// and clip first; nothing here checks coordinates.

#include <SDL/SDL.h>

#include <utility>

// Per-pixel reader, writer and red reader, as chosen by the *_fun functions.
typedef void (*_xSDL_get_pixel_t)(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b,
                                  Uint8* a);
typedef void (*_xSDL_put_pixel_t)(SDL_Surface*, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
typedef void (*_xSDL_get_pixel_r_t)(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r);

// --- Surface creation -------------------------------------------------------

// A new w x h surface with uninitialised pixels, null on failure. `like` null or
// 8-bit: the default RGBA surface (32 bits, R 0xFF, G 0xFF00, B 0xFF0000,
// A 0xFF000000, SDL_SRCALPHA). Otherwise like's depth and masks, flag SDL_SRCALPHA.
SDL_Surface* _xSDL_copy_blank(const SDL_Surface* like, int w, int h);
// The default RGBA surface of w x h, null on failure.
SDL_Surface* _xSDL_create_rgba(int w, int h);
// A copy of src on a surface of max(w, src w) x max(h, src h): src centred, the
// margin filled with colour (0xRRGGBBAA). Null on failure.
SDL_Surface* _xSDL_copy(const SDL_Surface* src, int w, int h, unsigned colour);
SDL_Surface* _xSDL_copy(const SDL_Surface* src, int w, int h);
SDL_Surface* _xSDL_copy(const SDL_Surface* src);

// --- Format tests -------------------------------------------------------------

bool _is_pf_XRGB(const SDL_PixelFormat& f);  // R 0xFF0000, G 0xFF00, B 0xFF, losses 0
bool _is_pf_RGBX(const SDL_PixelFormat& f);  // R 0xFF000000, G 0xFF0000, B 0xFF00, losses 0

// --- Per-pixel access ------------------------------------------------------------

void _xSDL_get_pixel_XRGB(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a);
void _xSDL_put_pixel_XRGB(SDL_Surface*, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
void _xSDL_get_pixel_RGBX(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a);
void _xSDL_put_pixel_RGBX(SDL_Surface*, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
void _xSDL_get_pixel_32(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a);
void _xSDL_put_pixel_32(SDL_Surface*, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
void _xSDL_get_pixel_16(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a);
void _xSDL_put_pixel_16(SDL_Surface*, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
// General forms by BytesPerPixel (1: palette and colour key; 2, 3, 4: masks;
// other depths: reads 127 everywhere, writes nothing; 1-byte writes nothing).
void _xSDL_get_pixel(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r, Uint8* g, Uint8* b, Uint8* a);
void _xSDL_put_pixel(SDL_Surface*, Uint16 x, Uint16 y, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
// Red readers.
void _xSDL_get_pixel_r_16(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r);
void _xSDL_get_pixel_r_32(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r);
void _xSDL_get_pixel_r(const SDL_Surface*, Uint16 x, Uint16 y, Uint8* r);

// The reader, writer or red reader to use for a surface (fetch once per operation).
_xSDL_get_pixel_t _xSDL_get_pixel_fun(const SDL_Surface* s);
_xSDL_put_pixel_t _xSDL_set_pixel_fun(SDL_Surface* s);
_xSDL_get_pixel_r_t _xSDL_get_pixel_r_fun(const SDL_Surface* s);

// --- Scanlines -----------------------------------------------------------------------

// Pixels (x, y) .. (x + n - 1, y) into / from n entries of buf.
void _xSDL_get_pixel_scan(const SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf);
void _xSDL_put_pixel_scan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf);
// Pixels (x, y) .. (x, y + n - 1) through the chosen reader / writer.
void _xSDL_get_pixel_vscan(const SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf);
void _xSDL_put_pixel_vscan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, Uint8* buf);
// n pixels of one colour 0xRRGGBBAA along a row / down a column.
void _xSDL_fill_pixel_scan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, unsigned colour);
void _xSDL_fill_pixel_vscan(SDL_Surface* s, Uint16 x, Uint16 y, Uint16 n, unsigned colour);
// n pixels of the source row at (x, y) to the destination row at (dx, dy),
// alpha included: raw bytes when both formats have the same bytes per pixel and
// masks, else pixel by pixel through the chosen reader and writer.
void _xSDL_copy_pixel_scan(const SDL_Surface* src, Uint16 x, Uint16 y, Uint16 n, SDL_Surface* dst, Uint16 dx,
                           Uint16 dy);

// --- Scanline pool ---------------------------------------------------------------------

// One process-wide LIFO pool of row buffers of at most 4096 bytes. An object
// holds one buffer of at least n bytes for its scope.
class scoped_scanline {
public:
    typedef std::pair<unsigned long, unsigned char*> buf_type;

    explicit scoped_scanline(unsigned long n) : m_buf(acquire_buf(n)) {}
    ~scoped_scanline() { release_buf(m_buf); }
    scoped_scanline(const scoped_scanline&) = delete;
    scoped_scanline& operator=(const scoped_scanline&) = delete;

    unsigned char* get() const { return m_buf.second; }
    unsigned long size() const { return m_buf.first; }

    // A (size, buffer) pair of at least n bytes (n rounded up to 512).
    static buf_type acquire_buf(unsigned long n);
    // Gives a pair back: pooled when its size is at most 4096, else freed.
    static void release_buf(buf_type b);

private:
    buf_type m_buf;
};
