// rectangles, fills, 1:1 blits, the combining kernels and the
// locking rule.

#include "xsdl_blit.h"

#include "xsdl_kernels.h"
#include "xsdl_pixel.h"
#include "xsdl_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace xsdl_test;

namespace {

void fill_all(SDL_Surface* s, RGBA c) {
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) sdl_put(s, x, y, c);
}

Uint32 colour(Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    return (Uint32(r) << 24) | (Uint32(g) << 16) | (Uint32(b) << 8) | a;
}

unsigned sat(unsigned v) {
    return v > 255 ? 255 : v;
}

// Reference formulas, per channel.
unsigned ref_alpha_ai(unsigned d, unsigned s, unsigned a) {
    return ((d * (255 - a)) >> 8) + ((s * a) >> 8);
}
unsigned ref_dodge(unsigned d, unsigned s) {
    return s == 255 ? 255 : sat((d << 8) / (255 - s));
}

// Runs a 1:1 blit of random source over random destination pixels and checks
// each destination channel against f(d, s, sa) (R, G, B; A unchanged); f
// returns -1 where the pixel must be left alone.
void check_blit(const char* what, std::function<int(SDL_Surface*, SDL_Surface*)> blit,
                std::function<int(unsigned d, unsigned s, unsigned sa)> f, Surf src, Surf dst) {
    Rng rng(17);
    fill_random(src.get(), rng);
    fill_random(dst.get(), rng);
    // Make sure the edge values appear.
    sdl_put(src.get(), 0, 0, RGBA{255, 0, 128, 255});
    sdl_put(src.get(), 1, 0, RGBA{255, 255, 1, 0});
    sdl_put(src.get(), 2, 0, RGBA{254, 7, 255, 1});
    Surf before(SDL_ConvertSurface(dst.get(), dst->format, 0));
    ASSERT_EQ(blit(src.get(), dst.get()), 0) << what;
    for (int y = 0; y < src->h; ++y)
        for (int x = 0; x < src->w; ++x) {
            const RGBA s = sdl_get(src.get(), x, y), d0 = sdl_get(before.get(), x, y),
                       d1 = sdl_get(dst.get(), x, y);
            const unsigned sc[3] = {s.r, s.g, s.b}, dc[3] = {d0.r, d0.g, d0.b}, got[3] = {d1.r, d1.g, d1.b};
            for (int c = 0; c < 3; ++c) {
                const int want = f(dc[c], sc[c], s.a);
                ASSERT_EQ(int(got[c]), want < 0 ? int(dc[c]) : want)
                    << what << " at " << x << "," << y << " channel " << c << " d " << dc[c] << " s " << sc[c]
                    << " sa " << int(s.a);
            }
            ASSERT_EQ(d1.a, d0.a) << what << ": the destination alpha never changes";
        }
}

}  // namespace

// --- Rectangles ------------------------------------------------------------------------------

TEST(XsdlRect, IntersectCalcDestAndPoints) {
    SDL_Rect a = {0, 0, 10, 10}, b = {5, -3, 10, 6}, o;
    EXPECT_TRUE(_xSDL_IntersectRect(&a, &b, &o));
    EXPECT_EQ(o.x, 5);
    EXPECT_EQ(o.y, 0);
    EXPECT_EQ(o.w, 5);
    EXPECT_EQ(o.h, 3);
    SDL_Rect c = {20, 0, 5, 5};
    EXPECT_FALSE(_xSDL_IntersectRect(&a, &c, &o));
    EXPECT_EQ(o.w, 0);

    Surf s = xrgb(50, 40);
    SDL_Rect clip = {10, 10, 20, 20};
    SDL_SetClipRect(s.get(), &clip);
    SDL_Rect r;
    EXPECT_TRUE(_xSDL_calc_dest_rect(s.get(), nullptr, r));
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.w, 20);
    SDL_Rect q = {25, 0, 100, 15};
    EXPECT_TRUE(_xSDL_calc_dest_rect(s.get(), &q, r));
    EXPECT_EQ(r.x, 25);
    EXPECT_EQ(r.y, 10);
    EXPECT_EQ(r.w, 5);
    EXPECT_EQ(r.h, 5);
    SDL_Rect out = {0, 0, 5, 5};
    EXPECT_FALSE(_xSDL_calc_dest_rect(s.get(), &out, r));

    _XSDL_pts_to_rect(7, 9, 2, 20, &r);
    EXPECT_EQ(r.x, 2);
    EXPECT_EQ(r.y, 9);
    EXPECT_EQ(r.w, 5);
    EXPECT_EQ(r.h, 11);
}

TEST(XsdlClip, OneToOne) {
    Surf src = xrgb(30, 20), dst = xrgb(100, 80);
    SDL_Rect so, dr;
    // Null rectangles: the whole source at (0, 0).
    ASSERT_TRUE(_xSDL_calc_src_dest_rects(src.get(), nullptr, dst.get(), nullptr, &so, &dr));
    EXPECT_EQ(so.x, 0);
    EXPECT_EQ(so.w, 30);
    EXPECT_EQ(dr.x, 0);
    EXPECT_EQ(dr.h, 20);
    // A source rectangle starting at x = -10 moves the destination 10 right and shortens the width by 10.
    SDL_Rect s1 = {-10, 0, 30, 20}, d1 = {40, 5, 999, 999};
    ASSERT_TRUE(_xSDL_calc_src_dest_rects(src.get(), &s1, dst.get(), &d1, &so, &dr));
    EXPECT_EQ(so.x, 0);
    EXPECT_EQ(so.w, 20);
    EXPECT_EQ(dr.x, 50);
    EXPECT_EQ(dr.w, 20);
    EXPECT_EQ(dr.y, 5);
    // The same for y, and the width cut to the source.
    SDL_Rect s2 = {25, -4, 50, 10};
    ASSERT_TRUE(_xSDL_calc_src_dest_rects(src.get(), &s2, dst.get(), &d1, &so, &dr));
    EXPECT_EQ(so.w, 5);
    EXPECT_EQ(so.y, 0);
    EXPECT_EQ(so.h, 6);
    EXPECT_EQ(dr.y, 9);
    // Against the clip rectangle: left part taken from both, right part cut.
    SDL_Rect clip = {10, 10, 30, 30};
    SDL_SetClipRect(dst.get(), &clip);
    SDL_Rect d2 = {4, 30, 0, 0};
    ASSERT_TRUE(_xSDL_calc_src_dest_rects(src.get(), nullptr, dst.get(), &d2, &so, &dr));
    EXPECT_EQ(dr.x, 10);
    EXPECT_EQ(so.x, 6);
    EXPECT_EQ(so.w, 24);
    EXPECT_EQ(dr.y, 30);
    EXPECT_EQ(so.h, 10);  // cut at the clip's bottom (40)
    SDL_Rect d3 = {40, 10, 0, 0};
    EXPECT_FALSE(_xSDL_calc_src_dest_rects(src.get(), nullptr, dst.get(), &d3, &so, &dr));
    SDL_Rect s3 = {30, 0, 5, 5};  // starts at the source's right edge
    EXPECT_FALSE(_xSDL_calc_src_dest_rects(src.get(), &s3, dst.get(), nullptr, &so, &dr));
}

TEST(XsdlBlit, NegativeSourceXMovesTheDrawing) {
    Surf src = argb(20, 2), dst = xrgb(40, 2);
    fill_all(dst.get(), RGBA{0, 0, 0, 0});
    for (int x = 0; x < 20; ++x) {
        sdl_put(src.get(), x, 0, RGBA{Uint8(10 + x), 0, 0, 255});
        sdl_put(src.get(), x, 1, RGBA{Uint8(10 + x), 0, 0, 255});
    }
    SDL_Rect s = {-10, 0, 20, 2}, d = {5, 0, 0, 0};
    ASSERT_EQ(_xSDL_blit_matte(src.get(), &s, dst.get(), &d), 0);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(sdl_get(dst.get(), x, 0).r, (x >= 15 && x < 25) ? 10 + (x - 15) : 0) << x;
}

// --- Fills ---------------------------------------------------------------------------------------

TEST(XsdlFill, AlphaArithmetic) {
    // Black at 128 halves by x 127 >> 8: 200 becomes 99 (in-place XRGB path and row path alike).
    for (Surf& s : surfaces(xrgb(3, 3), argb(3, 3), rgb24(3, 3), rgba(3, 3), bgra(3, 3))) {
        fill_all(s.get(), RGBA{200, 200, 200, 255});
        ASSERT_EQ(_xSDL_fillrect_alpha(s.get(), nullptr, colour(0, 0, 0, 128)), 0);
        EXPECT_EQ(sdl_get(s.get(), 1, 1).r, 99) << int(s->format->BitsPerPixel);
        EXPECT_EQ(sdl_get(s.get(), 2, 2).b, 99);
    }
    // White at 254 over white stays below 255.
    Surf w = xrgb(2, 2);
    fill_all(w.get(), RGBA{255, 255, 255, 0});
    _xSDL_fillrect_alpha(w.get(), nullptr, colour(255, 255, 255, 254));
    EXPECT_EQ(sdl_get(w.get(), 0, 0), (RGBA{254, 254, 254, 255}));
    // The general blend: (d x (255 - a) + c x a) >> 8.
    Surf g = argb(1, 1);
    sdl_put(g.get(), 0, 0, RGBA{10, 100, 250, 33});
    _xSDL_fillrect_alpha(g.get(), nullptr, colour(200, 0, 5, 77));
    EXPECT_EQ(sdl_get(g.get(), 0, 0), (RGBA{Uint8((10 * 178 + 200 * 77) >> 8), Uint8((100 * 178) >> 8),
                                            Uint8((250 * 178 + 5 * 77) >> 8), 33}));
}

TEST(XsdlFill, AlphaEdgesAndInPlaceDarkening) {
    // Alpha 255: exactly the colour, the destination alpha kept.
    Surf a = argb(2, 2);
    fill_all(a.get(), RGBA{1, 2, 3, 77});
    ASSERT_EQ(_xSDL_fillrect_alpha(a.get(), nullptr, colour(9, 8, 7, 255)), 0);
    EXPECT_EQ(sdl_get(a.get(), 1, 1), (RGBA{9, 8, 7, 77}));
    // Alpha 0: nothing, even without a surface.
    ASSERT_EQ(_xSDL_fillrect_alpha(a.get(), nullptr, colour(200, 200, 200, 0)), 0);
    EXPECT_EQ(sdl_get(a.get(), 0, 0), (RGBA{9, 8, 7, 77}));
    EXPECT_EQ(_xSDL_fillrect_alpha(nullptr, nullptr, colour(1, 1, 1, 0)), 0);
    EXPECT_EQ(_xSDL_fillrect_alpha(nullptr, nullptr, colour(1, 1, 1, 255)), -1);
    EXPECT_EQ(_xSDL_fillrect_alpha(nullptr, nullptr, colour(1, 1, 1, 9)), -1);
    // The in-place path keeps the top byte of each XRGB pixel and uses the
    // destination byte: d x (255 - a) >> 8.
    Surf x = xrgb(2, 1);
    set_raw32(x.get(), 0, 0, 0xAB64C8FFu);
    set_raw32(x.get(), 1, 0, 0x12000102u);
    _xSDL_fillrect_alpha(x.get(), nullptr, colour(0, 0, 0, 100));
    auto dark = [](Uint32 v) { return (v * 155) >> 8; };
    EXPECT_EQ(raw32(x.get(), 0, 0), 0xAB000000u | (dark(0x64) << 16) | (dark(0xC8) << 8) | dark(0xFF));
    EXPECT_EQ(raw32(x.get(), 1, 0), 0x12000000u | (dark(1) << 8) | dark(2));
    // A 24-bit surface with XRGB masks takes the row path.
    Surf t = rgb24(4, 1);
    fill_all(t.get(), RGBA{100, 150, 200, 255});
    _xSDL_fillrect_alpha(t.get(), nullptr, colour(0, 0, 0, 100));
    EXPECT_EQ(sdl_get(t.get(), 2, 0), (RGBA{Uint8(dark(100)), Uint8(dark(150)), Uint8(dark(200)), 255}));
}

TEST(XsdlFill, ClipAndRectangle) {
    Surf s = xrgb(10, 10);
    fill_all(s.get(), RGBA{0, 0, 0, 0});
    SDL_Rect clip = {2, 2, 5, 5};
    SDL_SetClipRect(s.get(), &clip);
    SDL_Rect r = {0, 4, 10, 10};
    ASSERT_EQ(_xSDL_fillrect_matte(s.get(), &r, colour(50, 60, 70, 0)), 0);  // matte ignores alpha
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool in = x >= 2 && x < 7 && y >= 4 && y < 7;
            ASSERT_EQ(sdl_get(s.get(), x, y).g, in ? 60 : 0) << x << "," << y;
        }
    SDL_Rect away = {8, 8, 2, 2};
    EXPECT_EQ(_xSDL_fillrect_matte(s.get(), &away, colour(1, 1, 1, 1)), 0);
    EXPECT_EQ(_xSDL_fillrect_matte(nullptr, nullptr, colour(1, 1, 1, 1)), -1);
}

TEST(XsdlFill, MultiplyDodgeAdditive) {
    Surf s = argb(4, 1);
    const RGBA start[4] = {{0, 10, 100, 5}, {128, 200, 255, 6}, {255, 1, 2, 7}, {64, 64, 64, 8}};
    auto reset = [&] {
        for (int x = 0; x < 4; ++x) sdl_put(s.get(), x, 0, start[x]);
    };
    // Multiply: d x c >> 8; a only gates; white or a = 0 return 0 and change nothing.
    reset();
    ASSERT_EQ(_xSDL_fillrect_multiply_blend(s.get(), nullptr, colour(128, 255, 3, 1)), 0);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(sdl_get(s.get(), x, 0), (RGBA{Uint8(start[x].r * 128 >> 8), Uint8(start[x].g * 255 >> 8),
                                                Uint8(start[x].b * 3 >> 8), start[x].a}));
    reset();
    EXPECT_EQ(_xSDL_fillrect_multiply_blend(s.get(), nullptr, colour(255, 255, 255, 200)), 0);
    EXPECT_EQ(_xSDL_fillrect_multiply_blend(s.get(), nullptr, colour(0, 0, 0, 0)), 0);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(sdl_get(s.get(), x, 0), start[x]);
    // Dodge: c = 255 gives 255; else min(255, (d << 8) / (255 - c)).
    ASSERT_EQ(_xSDL_fillrect_dodge_blend(s.get(), nullptr, colour(255, 100, 0, 9)), 0);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(sdl_get(s.get(), x, 0), (RGBA{255, Uint8(ref_dodge(start[x].g, 100)),
                                                Uint8(ref_dodge(start[x].b, 0)), start[x].a}));
    reset();
    EXPECT_EQ(_xSDL_fillrect_dodge_blend(s.get(), nullptr, colour(255, 255, 255, 0)), 0);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(sdl_get(s.get(), x, 0), start[x]);
    // Additive: min(255, d + c); black or a = 0 return 0.
    ASSERT_EQ(_xSDL_fillrect_additive_blend(s.get(), nullptr, colour(100, 0, 200, 1)), 0);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(sdl_get(s.get(), x, 0), (RGBA{Uint8(sat(start[x].r + 100u)), start[x].g,
                                                Uint8(sat(start[x].b + 200u)), start[x].a}));
    reset();
    EXPECT_EQ(_xSDL_fillrect_additive_blend(s.get(), nullptr, colour(0, 0, 0, 255)), 0);
    EXPECT_EQ(_xSDL_fillrect_additive_blend(s.get(), nullptr, colour(9, 9, 9, 0)), 0);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(sdl_get(s.get(), x, 0), start[x]);
    EXPECT_EQ(_xSDL_fillrect_dodge_blend(nullptr, nullptr, colour(1, 1, 1, 1)), -1);
    EXPECT_EQ(_xSDL_fillrect_additive_blend(nullptr, nullptr, colour(1, 1, 1, 1)), -1);
    EXPECT_EQ(_xSDL_fillrect_multiply_blend(nullptr, nullptr, colour(1, 1, 1, 1)), -1);
}

TEST(XsdlFill, MoveReplacesEveryChannel) {
    Surf s = argb(3, 2);
    fill_all(s.get(), RGBA{1, 1, 1, 1});
    SDL_Rect r = {1, 0, 5, 1};
    ASSERT_EQ(_xSDL_fillrect_move(s.get(), &r, colour(10, 20, 30, 40)), 0);
    EXPECT_EQ(sdl_get(s.get(), 0, 0), (RGBA{1, 1, 1, 1}));
    EXPECT_EQ(sdl_get(s.get(), 2, 0), (RGBA{10, 20, 30, 40}));
    EXPECT_EQ(sdl_get(s.get(), 2, 1), (RGBA{1, 1, 1, 1}));
    ASSERT_EQ(_xSDL_fill(s.get(), colour(5, 6, 7, 8)), 0);
    EXPECT_EQ(sdl_get(s.get(), 0, 1), (RGBA{5, 6, 7, 8}));
}

// --- 1:1 blits: per-pixel rules, by mode ------------------------------------------------------------

TEST(XsdlBlit, AlphaAiFormula) {
    for (unsigned ai : {1u, 77u, 128u, 254u}) {
        check_blit(
            "blit_ai",
            [ai](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_ai(s, nullptr, d, nullptr, Uint8(ai)); },
            [ai](unsigned d, unsigned s, unsigned sa) {
                const unsigned a = (sa * ai) >> 8;
                return a == 0 ? -1 : int(ref_alpha_ai(d, s, a));
            },
            rgba(37, 5), argb(40, 6));
    }
}

TEST(XsdlBlit, AlphaAiEdges) {
    Surf src = rgba(4, 4), dst = xrgb(4, 4);
    Rng rng(2);
    fill_random(src.get(), rng);
    fill_all(dst.get(), RGBA{10, 20, 30, 0});
    Surf keep(SDL_ConvertSurface(dst.get(), dst->format, 0));
    EXPECT_EQ(_xSDL_blit_ai(src.get(), nullptr, dst.get(), nullptr, 0), 0);
    EXPECT_TRUE(same_pixels(dst.get(), keep.get()));
    // ai 255 gives whatever the media layer's blit gives.
    Surf mine(SDL_ConvertSurface(dst.get(), dst->format, 0)),
        theirs(SDL_ConvertSurface(dst.get(), dst->format, 0));
    SDL_Rect d1 = {1, 1, 0, 0}, d2 = d1;
    EXPECT_EQ(_xSDL_blit_ai(src.get(), nullptr, mine.get(), &d1, 255), 0);
    SDL_UpperBlit(src.get(), nullptr, theirs.get(), &d2);
    EXPECT_TRUE(same_pixels(mine.get(), theirs.get()));
    EXPECT_EQ(d1.x, 1);  // the caller's rectangle is not changed
    // So does an unencoded display-format image over the screen's layout, which this
    // library may blend itself (every pixel bit for bit, the top byte too), clipped.
    Surf img = argb(37, 5), screen = xrgb(40, 6);
    fill_random(img.get(), rng);
    fill_random(screen.get(), rng);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 37; ++x) {  // runs of opaque and clear pixels among translucent ones
            const Uint32 p = raw32(img.get(), x, y);
            const int k = x % 7;
            set_raw32(img.get(), x, y, k == 1 || k == 2 ? p | 0xFF000000u : k == 3 ? p & 0xFFFFFFu : p);
        }
    SDL_SetAlpha(img.get(), SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
    for (SDL_Rect at : {SDL_Rect{0, 0, 0, 0}, SDL_Rect{-3, 2, 0, 0}, SDL_Rect{6, -1, 0, 0}}) {
        Surf a(SDL_ConvertSurface(screen.get(), screen->format, 0)), b(SDL_ConvertSurface(screen.get(), screen->format, 0));
        SDL_Rect r1 = at, r2 = at;
        EXPECT_EQ(_xSDL_blit_ai(img.get(), nullptr, a.get(), &r1, 255), 0);
        SDL_UpperBlit(img.get(), nullptr, b.get(), &r2);
        EXPECT_TRUE(same_pixels(a.get(), b.get())) << "at " << at.x << "," << at.y;
    }
}

TEST(XsdlBlit, AdditiveMultiplyDodgeFormulas) {
    check_blit(
        "additive",
        [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_additive_blend(s, nullptr, d, nullptr); },
        [](unsigned d, unsigned s, unsigned sa) { return sa == 0 ? -1 : int(sat(d + ((s * sa) >> 8))); },
        rgba(21, 3), xrgb(21, 3));
    check_blit(
        "multiply",
        [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_multiply_blend(s, nullptr, d, nullptr); },
        [](unsigned d, unsigned s, unsigned sa) { return sa == 0 ? -1 : int((d * s) >> 8); }, rgba(21, 3),
        argb(21, 3));
    check_blit(
        "dodge",
        [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_dodge_blend(s, nullptr, d, nullptr); },
        [](unsigned d, unsigned s, unsigned sa) { return sa == 0 ? -1 : int(ref_dodge(d, s)); }, rgba(21, 3),
        argb(21, 3));
    // With an image alpha ai: each formula takes the source alpha scaled to a = sa * ai / 256.
    struct Blend {
        const char* name;
        int (*blit)(const SDL_Surface*, const SDL_Rect*, SDL_Surface*, const SDL_Rect*, Uint8);
        int (*f)(unsigned d, unsigned s, unsigned a);
        Surf (*src)(int, int);
        Surf (*dst)(int, int);
    };
    const Blend blends[] = {
        {"additive_ai", _xSDL_blit_additive_blend_ai,
         [](unsigned d, unsigned s, unsigned a) { return int(sat(d + ((s * a) >> 8))); }, argb, xrgb},
        {"multiply_ai", _xSDL_blit_multiply_blend_ai,
         [](unsigned d, unsigned s, unsigned a) { return int((d * ((s * a) >> 8)) >> 8); }, rgba, rgb24},
        {"dodge_ai", _xSDL_blit_dodge_blend_ai,
         [](unsigned d, unsigned s, unsigned a) { return s == 255 ? 255 : int(sat((d << 8) / (255 - ((s * a) >> 8)))); },
         rgba, argb},
    };
    for (unsigned ai : {1u, 100u, 200u})
        for (const Blend& b : blends)
            check_blit(
                b.name, [&](SDL_Surface* s, SDL_Surface* d) { return b.blit(s, nullptr, d, nullptr, Uint8(ai)); },
                [&](unsigned d, unsigned s, unsigned sa) {
                    const unsigned a = (sa * ai) >> 8;
                    return a == 0 ? -1 : b.f(d, s, a);
                },
                b.src(19, 3), b.dst(19, 3));
}

TEST(XsdlBlit, MatteForms) {
    check_blit(
        "matte", [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_matte(s, nullptr, d, nullptr); },
        [](unsigned, unsigned s, unsigned) { return int(s); }, rgba(23, 3), argb(23, 3));
    check_blit(
        "matte same format",
        [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_matte(s, nullptr, d, nullptr); },
        [](unsigned, unsigned s, unsigned) { return int(s); }, argb(23, 3), argb(23, 3));
    check_blit(
        "matte_ai 128",
        [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_matte_ai(s, nullptr, d, nullptr, 128); },
        [](unsigned, unsigned s, unsigned) { return int((s * 128) >> 8); }, rgba(23, 3), argb(23, 3));
    // The same-format fast path writes like the row path: an XRGB pixel's top byte becomes 0.
    Surf s = xrgb(20, 1), d = xrgb(20, 1);
    for (int x = 0; x < 20; ++x) {
        set_raw32(s.get(), x, 0, 0x80000000u | Uint32(x));
        set_raw32(d.get(), x, 0, 0xFF000000u);
    }
    ASSERT_EQ(_xSDL_blit_matte(s.get(), nullptr, d.get(), nullptr), 0);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(raw32(d.get(), x, 0), Uint32(x));
    // matte_ai 128: half brightness whatever the destination held; its alpha unchanged.
    Surf src = argb(1, 1), dst = argb(1, 1);
    sdl_put(src.get(), 0, 0, RGBA{200, 100, 51, 0});
    sdl_put(dst.get(), 0, 0, RGBA{255, 255, 255, 33});
    _xSDL_blit_matte_ai(src.get(), nullptr, dst.get(), nullptr, 128);
    EXPECT_EQ(sdl_get(dst.get(), 0, 0), (RGBA{100, 50, 25, 33}));
}

TEST(XsdlBlit, AiEdgeCases) {
    // ai 0 touches nothing, in every mode.
    Surf src = rgba(3, 3), dst = argb(3, 3);
    Rng rng(8);
    fill_random(src.get(), rng);
    fill_random(dst.get(), rng);
    Surf keep(SDL_ConvertSurface(dst.get(), dst->format, 0));
    EXPECT_EQ(_xSDL_blit_matte_ai(src.get(), nullptr, dst.get(), nullptr, 0), 0);
    EXPECT_EQ(_xSDL_blit_additive_blend_ai(src.get(), nullptr, dst.get(), nullptr, 0), 0);
    EXPECT_EQ(_xSDL_blit_multiply_blend_ai(src.get(), nullptr, dst.get(), nullptr, 0), 0);
    EXPECT_EQ(_xSDL_blit_dodge_blend_ai(src.get(), nullptr, dst.get(), nullptr, 0), 0);
    EXPECT_EQ(_xSDL_blit_gray_ai(src.get(), nullptr, dst.get(), nullptr, 0), 0);
    EXPECT_TRUE(same_pixels(dst.get(), keep.get()));
    // Multiply with a small ai darkens towards black.
    Surf w = rgba(1, 1), g = xrgb(1, 1);
    sdl_put(w.get(), 0, 0, RGBA{255, 255, 255, 255});
    sdl_put(g.get(), 0, 0, RGBA{200, 200, 200, 0});
    _xSDL_blit_multiply_blend_ai(w.get(), nullptr, g.get(), nullptr, 20);  // a = 19, s x a >> 8 = 18
    EXPECT_EQ(sdl_get(g.get(), 0, 0).r, (200 * 18) >> 8);
    // Dodge with a source channel of 255 writes 255 whatever ai, wherever sa x ai >> 8 is not 0.
    Surf p = rgba(2, 1), q = xrgb(2, 1);
    sdl_put(p.get(), 0, 0, RGBA{255, 0, 0, 255});
    sdl_put(p.get(), 1, 0, RGBA{255, 0, 0, 1});  // 1 x 2 >> 8 = 0: skipped
    sdl_put(q.get(), 0, 0, RGBA{3, 3, 3, 0});
    sdl_put(q.get(), 1, 0, RGBA{3, 3, 3, 0});
    _xSDL_blit_dodge_blend_ai(p.get(), nullptr, q.get(), nullptr, 2);
    EXPECT_EQ(sdl_get(q.get(), 0, 0), (RGBA{255, 3, 3, 255}));
    EXPECT_EQ(sdl_get(q.get(), 1, 0), (RGBA{3, 3, 3, 255}));
    // ai 255 is the plain form.
    Surf a1(SDL_ConvertSurface(keep.get(), keep->format, 0)),
        a2(SDL_ConvertSurface(keep.get(), keep->format, 0));
    _xSDL_blit_dodge_blend_ai(src.get(), nullptr, a1.get(), nullptr, 255);
    _xSDL_blit_dodge_blend(src.get(), nullptr, a2.get(), nullptr);
    EXPECT_TRUE(same_pixels(a1.get(), a2.get()));
}

TEST(XsdlBlit, GreyAndMoveAndLine) {
    Surf s = rgba(1, 1), d = xrgb(1, 1);
    sdl_put(s.get(), 0, 0, RGBA{100, 200, 50, 128});
    sdl_put(d.get(), 0, 0, RGBA{0, 0, 0, 0});
    _xSDL_blit_gray(s.get(), nullptr, d.get(), nullptr);
    const unsigned grey = (77 * 100 + 150 * 200 + 29 * 50) >> 8;
    EXPECT_EQ(sdl_get(d.get(), 0, 0).g, ref_alpha_ai(0, grey, 128));

    Surf m = argb(3, 1), n = rgba(5, 1);
    sdl_put(m.get(), 0, 0, RGBA{1, 2, 3, 4});
    sdl_put(m.get(), 1, 0, RGBA{5, 6, 7, 8});
    SDL_Rect at2 = {2, 0, 0, 0};
    ASSERT_EQ(_xSDL_blit_move(m.get(), nullptr, n.get(), &at2), 0);
    EXPECT_EQ(sdl_get(n.get(), 2, 0), (RGBA{1, 2, 3, 4}));  // alpha included
    EXPECT_EQ(sdl_get(n.get(), 3, 0), (RGBA{5, 6, 7, 8}));

    Surf l = argb(5, 5);
    fill_all(l.get(), RGBA{0, 0, 0, 0});
    EXPECT_EQ(_xSDL_blit_line(l.get(), -2, -2, 7, 7, colour(9, 9, 9, 9)), 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(sdl_get(l.get(), i, i), (RGBA{9, 9, 9, 9}));
    EXPECT_EQ(sdl_get(l.get(), 1, 0), (RGBA{0, 0, 0, 0}));
    _xSDL_blit_line(l.get(), 0, 4, 4, 4, colour(1, 1, 1, 0));  // alpha 0: nothing
    EXPECT_EQ(sdl_get(l.get(), 0, 4), (RGBA{0, 0, 0, 0}));
}

TEST(XsdlBlit, OntoOtherDepths) {
    // The row path serves 24- and 16-bit destinations and palette sources.
    Surf src = rgba(2, 1);
    sdl_put(src.get(), 0, 0, RGBA{200, 100, 0, 255});
    sdl_put(src.get(), 1, 0, RGBA{0, 0, 0, 0});
    Surf t = rgb24(2, 1), s = rgb565(2, 1);
    fill_all(t.get(), RGBA{10, 10, 10, 255});
    fill_all(s.get(), RGBA{8, 8, 8, 255});
    _xSDL_blit_ai(src.get(), nullptr, t.get(), nullptr, 128);
    _xSDL_blit_additive_blend(src.get(), nullptr, s.get(), nullptr);
    EXPECT_EQ(sdl_get(t.get(), 0, 0),
              (RGBA{Uint8(ref_alpha_ai(10, 200, 127)), Uint8(ref_alpha_ai(10, 100, 127)),
                    Uint8(ref_alpha_ai(10, 0, 127)), 255}));
    EXPECT_EQ(sdl_get(t.get(), 1, 0), (RGBA{10, 10, 10, 255}));
    // 8 + (200 x 255 >> 8) = 207 and 8 + 99 = 107, kept to 5 and 6 bits.
    RGBA got;
    _xSDL_get_pixel(s.get(), 0, 0, &got.r, &got.g, &got.b, &got.a);
    EXPECT_EQ(got, (RGBA{(207 >> 3) << 3, (107 >> 2) << 2, 8, 0}));
    Surf p = pal8(2, 1), d = xrgb(2, 1);
    at(p.get(), 0, 0)[0] = 40;
    at(p.get(), 1, 0)[0] = 41;
    SDL_SetColorKey(p.get(), SDL_SRCCOLORKEY, 41);
    fill_all(d.get(), RGBA{0, 0, 0, 0});
    _xSDL_blit_additive_blend(p.get(), nullptr, d.get(), nullptr);
    EXPECT_EQ(sdl_get(d.get(), 0, 0), (RGBA{(40 * 255) >> 8, (215 * 255) >> 8, (20 * 255) >> 8, 255}));
    EXPECT_EQ(sdl_get(d.get(), 1, 0), (RGBA{0, 0, 0, 255}));  // the key's alpha 0: skipped
}

TEST(XsdlBlit, WhollyClippedDrawsNothingAndReturnsZero) {
    Surf src = rgba(5, 5), dst = xrgb(10, 10);
    fill_all(src.get(), RGBA{255, 255, 255, 255});
    fill_all(dst.get(), RGBA{0, 0, 0, 0});
    SDL_Rect clip = {0, 0, 4, 4};
    SDL_SetClipRect(dst.get(), &clip);
    SDL_Rect d = {5, 5, 0, 0};
    EXPECT_EQ(_xSDL_blit_ai(src.get(), nullptr, dst.get(), &d, 100), 0);
    EXPECT_EQ(_xSDL_blit_matte(src.get(), nullptr, dst.get(), &d), 0);
    EXPECT_EQ(sdl_get(dst.get(), 3, 3), (RGBA{0, 0, 0, 255}));
}

// --- Kernels: the vectorised chunks give the one-pixel formulas -----------------------------------

namespace {

template <class K>
void check_kernel(const char* what, const K& k) {
    using namespace xsdl_detail;
    Rng rng(99);
    for (unsigned n : {1u, 15u, 16u, 17u, 33u, 99u, 256u}) {
        std::vector<Uint8> d(4 * n), s(4 * n);
        for (auto& v : d) v = rng.byte();
        for (auto& v : s) v = rng.byte();
        // Force the alpha edge values and channels of 0 and 255.
        for (unsigned i = 0; i < n; i += 3) s[4 * i + 3] = Uint8(i % 2 ? 0 : 255);
        for (unsigned i = 1; i < n; i += 5) s[4 * i] = 255, d[4 * i + 1] = 0;
        std::vector<Uint8> a = d, b = d;
        run_blend(k, a.data(), s.data(), n);
        run_blend_one(k, b.data(), s.data(), n);
        ASSERT_EQ(a, b) << what << " n " << n;
    }
}

template <class K>
void check_fill_kernel(const char* what, const K& k) {
    using namespace xsdl_detail;
    for (unsigned n : {1u, 16u, 31u, 200u}) {
        std::vector<Uint8> d(4 * n);
        for (unsigned i = 0; i < d.size(); ++i) d[i] = Uint8(i * 37 + 11);
        std::vector<Uint8> a = d, b = d;
        run_fill(k, a.data(), n);
        run_fill_one(k, b.data(), n);
        ASSERT_EQ(a, b) << what << " n " << n;
    }
}

}  // namespace

TEST(XsdlKernel, ChunksEqualTheFormulas) {
    using namespace xsdl_detail;
    for (unsigned ai : {1u, 2u, 127u, 128u, 254u, 256u}) {
        check_kernel("alpha", AlphaK{ai});
        check_kernel("additive", AdditiveK{ai});
        check_kernel("multiply_ai", MultiplyAiK{ai});
        check_kernel("matte_ai", MatteAiK{ai});
        check_kernel("dodge_ai", DodgeAiK{dodge_table(), ai});
        check_kernel("grey", GreyK{ai});
    }
    check_kernel("multiply", MultiplyK());
    check_kernel("matte", MatteK());
    check_kernel("dodge", DodgeK{dodge_table()});
#ifdef XSDL_SSE2
    for (bool clear_top : {false, true})
        for (unsigned ai : {1u, 128u, 254u}) check_kernel("alpha, R and B swapped", SwappedAlphaK{AlphaK{ai}, clear_top});
#endif
    Rng rng(3);
    for (unsigned n : {1u, 7u, 16u, 99u}) {
        std::vector<Uint8> d(4 * n), s(4 * n);
        for (auto& v : d) v = rng.byte();
        // Alpha bytes 255 and 0 among random ones.
        for (unsigned i = 0; i < s.size(); ++i) s[i] = i % 4 == 3 && i % 3 ? Uint8(i % 5 ? 255 : 0) : rng.byte();
        std::vector<Uint8> a = d, b = d;
        OverK().row(a.data(), s.data(), n);
        run_blend_one(OverK(), b.data(), s.data(), n);
        ASSERT_EQ(a, b) << "over n " << n;
    }
    for (unsigned a : {1u, 100u, 254u}) {
        const unsigned c[3] = {0, 77, 255}, k1[3] = {255 - a, 255 - a, 255 - a}, k0[3] = {0, 77 * a, 255 * a};
        check_fill_kernel("alpha fill", AffineFillK(k1, k0));
        check_fill_kernel("multiply fill", AffineFillK(c, k0));
    }
    const unsigned c[3] = {1, 128, 255};
    check_fill_kernel("additive fill", AddFillK(c));
    // The dodge table is the formula.
    const Uint8* t = dodge_table();
    for (unsigned s = 0; s < 256; ++s)
        for (unsigned d = 0; d < 256; ++d) ASSERT_EQ(t[s * 256 + d], ref_dodge(d, s));
}

// --- The locking rule -------------------------------------------------------------------------------

TEST(XsdlLock, SurfacesWithAnOffsetAreLockedAroundDrawing) {
    // An offset surface: its pixels start `offset` bytes into the memory, and
    // only a locked surface's pixel pointer includes the offset.
    const int w = 4, h = 3, pitch = 16, offset = 2 * pitch;
    std::vector<Uint8> mem(std::size_t(pitch) * (h + 2), 0);
    SDL_Surface* s = SDL_CreateRGBSurfaceFrom(mem.data(), w, h, 32, pitch, 0xFF0000u, 0xFF00u, 0xFFu, 0);
    ASSERT_TRUE(s);
    s->offset = offset;
    ASSERT_EQ(SDL_LockSurface(s), 0);
    bool applied = s->pixels == mem.data() + offset;
    SDL_UnlockSurface(s);
    if (!applied) {
        s->offset = 0;
        SDL_FreeSurface(s);
        GTEST_SKIP() << "this SDL 1.2 ignores a surface's pixel offset at lock and never makes a "
                        "surface with one (sdl12-compat): there is no offset surface to draw on";
    }
    EXPECT_EQ(_xSDL_fillrect_alpha(s, nullptr, colour(0, 0, 0, 255)), 0);  // matte fill of black
    EXPECT_EQ(_xSDL_fillrect_matte(s, nullptr, colour(1, 2, 3, 0)), 0);
    EXPECT_EQ(s->locked, 0);
    Surf src = rgba(2, 2);
    fill_all(src.get(), RGBA{9, 9, 9, 255});
    SDL_Rect d = {1, 1, 0, 0};
    EXPECT_EQ(_xSDL_blit_additive_blend(src.get(), nullptr, s, &d), 0);
    EXPECT_EQ(s->locked, 0);
    s->offset = 0;
    SDL_FreeSurface(s);
    // Rows 0 and 1 of the memory (before the offset) are untouched.
    for (int i = 0; i < offset; ++i) ASSERT_EQ(mem[i], 0) << i;
    Uint32 p;
    std::memcpy(&p, &mem[offset], 4);
    EXPECT_EQ(p, 0x00010203u);
    std::memcpy(&p, &mem[offset + pitch + 4], 4);
    EXPECT_EQ(p, 0x00090A0Bu);  // + 9 x 255 >> 8 = 8 on each channel
}

TEST(XsdlBlit, SameLayoutPairsMatchTheRowPath) {
    // Display-format pairs blend straight on the pixels; a destination of another
    // layout goes through scanline rows. Both must give the same colours.
    using Blit = std::function<int(SDL_Surface*, SDL_Surface*)>;
    const std::vector<std::pair<const char*, Blit>> blits = {
        {"alpha", [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_ai(s, nullptr, d, nullptr, 77); }},
        {"additive", [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_additive_blend(s, nullptr, d, nullptr); }},
        {"multiply",
         [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_multiply_blend_ai(s, nullptr, d, nullptr, 200); }},
        {"dodge", [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_dodge_blend(s, nullptr, d, nullptr); }},
        {"matte", [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_matte_ai(s, nullptr, d, nullptr, 99); }},
        {"grey", [](SDL_Surface* s, SDL_Surface* d) { return _xSDL_blit_gray_ai(s, nullptr, d, nullptr, 180); }},
    };
    for (auto& [name, blit] : blits) {
        for (int k = 0; k < 4; ++k) {
            // Sources of the destination's R and B order and of the other.
            Surf fast = k % 2 ? argb(21, 3) : xrgb(21, 3);
            Rng rng(5);
            Surf src = k < 2 ? argb(21, 3) : rgba(21, 3), slow = bgra(21, 3);
            fill_random(src.get(), rng);
            fill_random(fast.get(), rng);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 21; ++x) sdl_put(slow.get(), x, y, sdl_get(fast.get(), x, y));
            ASSERT_EQ(blit(src.get(), fast.get()), 0) << name;
            ASSERT_EQ(blit(src.get(), slow.get()), 0) << name;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 21; ++x) {
                    RGBA f = sdl_get(fast.get(), x, y), s = sdl_get(slow.get(), x, y);
                    ASSERT_EQ((RGBA{f.r, f.g, f.b, 0}), (RGBA{s.r, s.g, s.b, 0}))
                        << name << " at " << x << "," << y << " onto alpha mask " << fast->format->Amask;
                    if (fast->format->Amask) {
                        ASSERT_EQ(f.a, s.a) << name << ": the destination alpha is kept";
                    } else if (k == 2) {
                        ASSERT_EQ(raw32(fast.get(), x, y) >> 24, 0u) << name << ": rows write a zero top byte";
                    }
                }
        }
    }
}

TEST(XsdlAccelerate, OpaqueImagesCopyAndTranslucentOnesStayExactAfterPartialBlits) {
    // Opaque: no per-pixel blend left, the picture unchanged.
    Surf opaque = argb(8, 8);
    fill_all(opaque.get(), RGBA{10, 200, 30, 255});
    _xSDL_accelerate(opaque.get());
    EXPECT_EQ(opaque->flags & SDL_SRCALPHA, 0u);
    Surf screen = xrgb(8, 8);
    fill_all(screen.get(), RGBA{0, 0, 0, 0});
    EXPECT_EQ(_xSDL_blit_ai(opaque.get(), nullptr, screen.get(), nullptr, 255), 0);
    EXPECT_EQ(sdl_get(screen.get(), 3, 3), (RGBA{10, 200, 30, 255}));

    // Translucent: run-length encoded by SDL's blit; a partial-intensity blit decodes
    // it for good and sees the same pixels as a twin that was never encoded.
    Rng rng(9);
    Surf img = argb(16, 9), twin = argb(16, 9);
    fill_random(img.get(), rng);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 16; ++x) {
            RGBA c = sdl_get(img.get(), x, y);
            if (x < 4) c.a = 0;
            if (x > 11) c.a = 255;
            sdl_put(img.get(), x, y, c);
            sdl_put(twin.get(), x, y, c);
        }
    _xSDL_accelerate(img.get());
    EXPECT_NE(img->flags & SDL_SRCALPHA, 0u);
    Surf a = xrgb(16, 9), b = xrgb(16, 9);
    fill_all(a.get(), RGBA{50, 60, 70, 0});
    fill_all(b.get(), RGBA{50, 60, 70, 0});
    for (unsigned ai : {255u, 128u, 255u, 64u}) {
        ASSERT_EQ(_xSDL_blit_ai(img.get(), nullptr, a.get(), nullptr, Uint8(ai)), 0);
        ASSERT_EQ(_xSDL_blit_ai(twin.get(), nullptr, b.get(), nullptr, Uint8(ai)), 0);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(sdl_get(a.get(), x, y), sdl_get(b.get(), x, y)) << "ai " << ai << " at " << x << "," << y;
    }
    EXPECT_EQ(img->flags & (SDL_RLEACCEL | SDL_RLEACCELOK), 0u) << "decoded once, not at every lock";
}
