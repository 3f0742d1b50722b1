// Figures of the pixel library, all on the same
// surfaces: a 99 x 144 card onto a 1024 x 768 32-bit XRGB frame, a full-frame
// copy, the 1024 x 768 -> 800 x 600 resize, and the media layer's own alpha
// blit and a memcpy of one frame as anchors.

#include "bench.h"

#include "xsdl_blit.h"
#include "xsdl_pixel.h"
#include "xsdl_resize.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

Uint32 lcg(Uint32& s) {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
}

void fill_noise(SDL_Surface* s, Uint32 seed) {
    for (int y = 0; y < s->h; ++y) {
        Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < s->w * s->format->BytesPerPixel; ++x) row[x] = Uint8(lcg(seed));
    }
}

// A card: opaque face, transparent rounded corners (radius 6) and a
// half-transparent rim, colours from a gradient with noise.
void paint_card(SDL_Surface* s) {
    Uint32 seed = 7;
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const int cx = x < 6 ? 6 - x : (x >= s->w - 6 ? x - (s->w - 7) : 0);
            const int cy = y < 6 ? 6 - y : (y >= s->h - 6 ? y - (s->h - 7) : 0);
            const int d2 = cx * cx + cy * cy;
            Uint8 a = d2 > 36 ? 0 : (d2 > 25 ? 128 : 255);
            if (x == 0 || y == 0 || x == s->w - 1 || y == s->h - 1) a = a ? 128 : 0;
            const Uint8 r = Uint8(200 + (lcg(seed) & 31)), g = Uint8(x * 2 + (lcg(seed) & 15)),
                        b = Uint8(y + (lcg(seed) & 15));
            const Uint32 p = SDL_MapRGBA(s->format, r, g, b, a);
            std::memcpy(static_cast<Uint8*>(s->pixels) + y * s->pitch + 4 * x, &p, 4);
        }
}

SDL_Surface* xrgb(int w, int h) {
    return SDL_CreateRGBSurface(0, w, h, 32, 0xFF0000u, 0xFF00u, 0xFFu, 0);
}
SDL_Surface* argb(int w, int h) {
    return SDL_CreateRGBSurface(SDL_SRCALPHA, w, h, 32, 0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u);
}

}  // namespace

LUNERRA_BENCH_GROUP(10, pixel) {
    SDL_Surface* frame = xrgb(1024, 768);
    SDL_Surface* background = xrgb(1024, 768);
    SDL_Surface* card = _xSDL_create_rgba(99, 144);  // the default RGBA surface
    SDL_Surface* card_argb = argb(99, 144);          // display format with alpha
    SDL_Surface* image = argb(1024, 768);            // a full-screen image to resize
    if (!frame || !background || !card || !card_argb || !image) {
        std::fprintf(stderr, "pixel bench: cannot create surfaces\n");
        std::exit(1);
    }
    fill_noise(frame, 1);
    fill_noise(background, 2);
    fill_noise(image, 3);
    paint_card(card);
    paint_card(card_argb);
    SDL_SetAlpha(card_argb, SDL_SRCALPHA, 0);
    const SDL_Rect whole = {0, 0, 99, 144};
    const SDL_Rect at = {300, 200, 99, 144};
    const SDL_Rect small = {300, 200, 77, 112};

    // The two sides of each ratio are timed in alternating batches.
    auto blit_ai = [&] { _xSDL_blit_ai(card, &whole, frame, &at, 128); };
    auto sdl_blit = [&] {
        SDL_Rect d = at;
        SDL_BlitSurface(card, nullptr, frame, &d);
    };
    const std::vector<double> alpha = bench::time_ms_each({blit_ai, sdl_blit});
    r.figure("alpha_ai_card", alpha[0]);
    r.figure("additive_ai_card",
             bench::time_ms([&] { _xSDL_blit_additive_blend_ai(card, &whole, frame, &at, 128); }));
    r.figure("multiply_ai_card",
             bench::time_ms([&] { _xSDL_blit_multiply_blend_ai(card, &whole, frame, &at, 128); }));
    r.figure("dodge_ai_card",
             bench::time_ms([&] { _xSDL_blit_dodge_blend_ai(card, &whole, frame, &at, 128); }));
    r.figure("scale_alpha_ai_card_77x112",
             bench::time_ms([&] { _xSDL_blit_scale_ai(card, &whole, frame, &small, 128); }));
    std::vector<Uint8> a(std::size_t(frame->pitch) * frame->h), b(a.size());
    auto copy = [&] { _xSDL_blit_matte(background, nullptr, frame, nullptr); };
    auto mem = [&] {
        std::memcpy(b.data(), a.data(), a.size());
        a[0] = Uint8(a[0] ^ b[1]);  // keeps the copy from being optimised away
    };
    const std::vector<double> frame_copy = bench::time_ms_each({copy, mem});
    r.figure("frame_copy", frame_copy[0]);
    r.figure("resize_25x32_frame", bench::time_ms([&] {
                 SDL_Surface* s = _xSDL_resize_by_fxy(image, 0.78125, 0.78125, 3);
                 if (s != image) SDL_FreeSurface(s);
             }));
    r.figure("sdl_alpha_card", alpha[1]);
    r.figure("memcpy_frame", frame_copy[1]);

    // The same card in the display format with alpha (ARGB), for which the
    // media layer has its own vector blitter (it copies opaque pixels, where
    // ai 128 must blend every one).
    const std::vector<double> argb_pair =
        bench::time_ms_each({[&] { _xSDL_blit_ai(card_argb, &whole, frame, &at, 128); },
                             [&] {
                                 SDL_Rect d = at;
                                 SDL_BlitSurface(card_argb, nullptr, frame, &d);
                             }});
    r.figure("alpha_ai_card_argb", argb_pair[0]);
    r.figure("sdl_alpha_card_argb", argb_pair[1]);

    r.ratio("alpha_ai_card_vs_sdl", "alpha_ai_card", "sdl_alpha_card");
    r.ratio("frame_copy_vs_memcpy", "frame_copy", "memcpy_frame");
    r.ratio("alpha_ai_card_argb_vs_sdl", "alpha_ai_card_argb", "sdl_alpha_card_argb");

    SDL_FreeSurface(image);
    SDL_FreeSurface(card_argb);
    SDL_FreeSurface(card);
    SDL_FreeSurface(background);
    SDL_FreeSurface(frame);
}
