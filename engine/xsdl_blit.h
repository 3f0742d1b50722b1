#pragma once
// rectangle fills and blits with blend modes, plain and scaled.
//
// Every function works on rows of 4-byte R, G, B, A scanline entries
// (xsdl_pixel.h), changes only R, G and B of the destination, locks the
// surfaces it needs by the media layer's rule and returns 0 when done
// (including when nothing is left to draw), -1 when a surface that must be
// locked cannot be. Colours are 0xRRGGBBAA. `ai` is an extra alpha intensity
// (0 to 255) that weakens the source: a = source alpha x ai >> 8.

#include <SDL/SDL.h>

// --- Rectangles ------------------------------------------------------------------

// Clipping of the 1:1 blits; true when something is left.
bool _xSDL_calc_src_dest_rects(const SDL_Surface* src, const SDL_Rect* srcrect, const SDL_Surface* dst,
                               const SDL_Rect* dstrect, SDL_Rect* src_out, SDL_Rect* dst_out);
// Clipping of the scaled blits (dstrect required); true when something is left.
// A zero-size source or destination rectangle leaves nothing.
bool _xSDL_calc_src_dest_rects_with_scale(const SDL_Surface* src, const SDL_Rect* srcrect,
                                          const SDL_Surface* dst, const SDL_Rect* dstrect, SDL_Rect* src_out,
                                          SDL_Rect* dst_out);
// Intersection; true when both sizes are non-zero.
bool _xSDL_IntersectRect(const SDL_Rect* a, const SDL_Rect* b, SDL_Rect* out);
// The rectangle (null: the whole surface) intersected with the surface's clip
// rectangle; true when not empty.
bool _xSDL_calc_dest_rect(const SDL_Surface* s, const SDL_Rect* rect, SDL_Rect& out);
// The rectangle spanned by two corner points (x = min, w = difference).
void _XSDL_pts_to_rect(int x0, int y0, int x1, int y1, SDL_Rect* out);

// A line from (x0, y0) to (x1, y1) in colour through _xSDL_put_pixel; points
// outside the surface are skipped; nothing for alpha 0.
int _xSDL_blit_line(SDL_Surface* dst, int x0, int y0, int x1, int y1, unsigned colour);

// --- Fills (null rect: the whole surface; clipped to the clip rectangle) ---------------

int _xSDL_fillrect_matte(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour);
int _xSDL_fillrect_alpha(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour);
int _xSDL_fillrect_multiply_blend(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour);
int _xSDL_fillrect_dodge_blend(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour);
int _xSDL_fillrect_additive_blend(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour);
// R, G, B and A replaced by the colour; the surface is not locked.
int _xSDL_fillrect_move(SDL_Surface* dst, const SDL_Rect* rect, unsigned colour);
int _xSDL_fill(SDL_Surface* dst, unsigned colour);

// --- 1:1 blits (null srcrect: the whole source; null dstrect: position 0, 0) ------------

int _xSDL_blit_matte(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                     const SDL_Rect* dstrect);
int _xSDL_blit_matte_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                        const SDL_Rect* dstrect, unsigned char ai);
// Chooses SDL's fastest blit for an image drawn often: an opaque one loses
// SDL_SRCALPHA (a plain copy), one with translucent pixels is run-length encoded
// (decoded for good by the first lock of this library). Surfaces without an alpha
// mask are left alone.
void _xSDL_accelerate(SDL_Surface* s);
// Alpha; ai 255 gives the media layer's SDL_UpperBlit pixels: an opaque image is copied,
// and an unencoded one with alpha over the screen's layout is blended here where the
// library's own blit was found (once, at the first such blit) to give the same pixels.
int _xSDL_blit_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect,
                  unsigned char ai);
int _xSDL_blit_additive_blend(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect);
int _xSDL_blit_additive_blend_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                 const SDL_Rect* dstrect, unsigned char ai);
int _xSDL_blit_multiply_blend(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect);
int _xSDL_blit_multiply_blend_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                 const SDL_Rect* dstrect, unsigned char ai);
int _xSDL_blit_dodge_blend(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                           const SDL_Rect* dstrect);
int _xSDL_blit_dodge_blend_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect, unsigned char ai);
// Grey: the source's grey level (77 R + 150 G + 29 B) >> 8 alpha-blended like
// the alpha blit (a = source alpha, or source alpha x ai >> 8; skipped at 0).
int _xSDL_blit_gray(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                    const SDL_Rect* dstrect);
int _xSDL_blit_gray_ai(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                       const SDL_Rect* dstrect, unsigned char ai);
// Raw copy of every channel, alpha included (_xSDL_copy_pixel_scan).
int _xSDL_blit_move(const SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                    const SDL_Rect* dstrect);

// --- Scaled blits (dstrect required: its size sets the scale) ----------------------------
// A rectangle clipped to nothing returns -1.

int _xSDL_blit_scale(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect);
int _xSDL_blit_scale_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect,
                        unsigned char ai);
int _xSDL_blit_scale_matte(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                           const SDL_Rect* dstrect);
int _xSDL_blit_scale_matte_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect, unsigned char ai);
int _xSDL_blit_scale_additive_blend(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                    const SDL_Rect* dstrect);
int _xSDL_blit_scale_additive_blend_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                       const SDL_Rect* dstrect, unsigned char ai);
int _xSDL_blit_scale_multiply_blend(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                    const SDL_Rect* dstrect);
int _xSDL_blit_scale_multiply_blend_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                       const SDL_Rect* dstrect, unsigned char ai);
int _xSDL_blit_scale_dodge_blend(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                 const SDL_Rect* dstrect);
int _xSDL_blit_scale_dodge_blend_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                    const SDL_Rect* dstrect, unsigned char ai);
int _xSDL_blit_scale_gray(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                          const SDL_Rect* dstrect);
int _xSDL_blit_scale_gray_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                             const SDL_Rect* dstrect, unsigned char ai);

// Adds colour x ai x (source red) >> 16 to R, G, B of the destination, scaled
// like the scaled blits; a rectangle clipped to nothing returns 0.
int _xSDL_blit_scale_additive_blend_im_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                          const SDL_Rect* dstrect, unsigned colour, unsigned char ai);
