// scaled clipping, the quotient-and-remainder stepping of the
// scaled blits, their blend rules and the intensity-map blit.

#include "xsdl_blit.h"

#include "xsdl_pixel.h"
#include "xsdl_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace xsdl_test;

namespace {

// A source whose pixel (x, y) is (x, y, 7, 255).
Surf coordinates(int w, int h) {
    Surf s = argb(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) sdl_put(s.get(), x, y, RGBA{Uint8(x), Uint8(y), 7, 255});
    return s;
}

void clear(SDL_Surface* s) {
    std::memset(s->pixels, 0, std::size_t(s->pitch) * s->h);
}

// The scaler's stepping, from the rectangles as given: start at `first`, then
// for each pixel the remainder test and the quotient.
std::vector<int> steps(int first, int S, int D, int count) {
    const int q = S / D, r = 2 * (S % D);
    std::vector<int> v;
    for (int i = 0, x = first, e = 0; i < count; ++i) {
        v.push_back(x);
        if (e >= D) {
            e += r - 2 * D;
            x += 1;
        } else {
            e += r;
        }
        x += q;
    }
    return v;
}

Uint32 colour(Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
    return (Uint32(r) << 24) | (Uint32(g) << 16) | (Uint32(b) << 8) | a;
}

}  // namespace

// --- Stepping ------------------------------------------------------------------------------------

TEST(XsdlScaleStep, HalfDoubleAndThreeToTwo) {
    Surf src = coordinates(100, 100);
    Surf dst = xrgb(200, 200);
    clear(dst.get());
    SDL_Rect half = {0, 0, 50, 50};
    ASSERT_EQ(_xSDL_blit_scale_matte(src.get(), nullptr, dst.get(), &half), 0);
    for (int i = 0; i < 50; ++i) {  // every second source pixel (qx 2, rx 0)
        ASSERT_EQ(sdl_get(dst.get(), i, 0).r, 2 * i);
        ASSERT_EQ(sdl_get(dst.get(), 0, i).g, 2 * i);
    }
    EXPECT_EQ(sdl_get(dst.get(), 50, 0).b, 0);  // nothing beyond the rectangle

    SDL_Rect twice = {0, 0, 200, 200};
    ASSERT_EQ(_xSDL_blit_scale_matte(src.get(), nullptr, dst.get(), &twice), 0);
    for (int i = 0; i < 200; ++i) {  // each source pixel twice
        ASSERT_EQ(sdl_get(dst.get(), i, 5).r, i / 2);
        ASSERT_EQ(sdl_get(dst.get(), 5, i).g, i / 2);
    }

    Surf three = coordinates(3, 3);
    SDL_Rect two = {0, 0, 2, 2};
    ASSERT_EQ(_xSDL_blit_scale_matte(three.get(), nullptr, dst.get(), &two), 0);
    // qx 1, rx 2: after the first pixel ex = 0 is below 2, so columns 0 and 1.
    EXPECT_EQ(sdl_get(dst.get(), 0, 0).r, 0);
    EXPECT_EQ(sdl_get(dst.get(), 1, 0).r, 1);
    EXPECT_EQ(sdl_get(dst.get(), 0, 1).g, 1);
}

TEST(XsdlScaleStep, UpscalesOfFourAndMoreStayInsideTheSource) {
    // At 4x the stepping reaches column 10 of a 10-pixel source; the column
    // and row are clamped to the source (run under ASan: no read past it).
    for (int S : {10, 5, 3, 1}) {
        for (int factor : {4, 5, 8, 13}) {
            Surf src = coordinates(S, S);
            const int D = S * factor;
            Surf dst = xrgb(D, D);
            clear(dst.get());
            SDL_Rect r = {0, 0, Uint16(D), Uint16(D)};
            ASSERT_EQ(_xSDL_blit_scale_matte(src.get(), nullptr, dst.get(), &r), 0);
            const std::vector<int> want = steps(0, S, D, D);
            for (int i = 0; i < D; ++i) {
                ASSERT_EQ(sdl_get(dst.get(), i, 0).r, std::min(want[i], S - 1))
                    << S << "x" << factor << " col " << i;
                ASSERT_EQ(sdl_get(dst.get(), 0, i).g, std::min(want[i], S - 1))
                    << S << "x" << factor << " row " << i;
            }
            if (S == 10 && factor == 4) {
                EXPECT_EQ(want.back(), 10);  // the unclamped stepping would read past
            }
        }
    }
}

TEST(XsdlScaleStep, ClampIsToTheSourceRectangle) {
    Surf src = coordinates(20, 20);
    Surf dst = xrgb(40, 40);
    clear(dst.get());
    SDL_Rect s = {5, 5, 10, 10}, d = {0, 0, 40, 40};
    ASSERT_EQ(_xSDL_blit_scale_matte(src.get(), &s, dst.get(), &d), 0);
    for (int i = 0; i < 40; ++i) {
        ASSERT_LE(sdl_get(dst.get(), i, 0).r, 14);
        ASSERT_GE(sdl_get(dst.get(), i, 0).r, 5);
        ASSERT_LE(sdl_get(dst.get(), 0, i).g, 14);
    }
    EXPECT_EQ(sdl_get(dst.get(), 39, 39).r, 14);
    // Blend forms and the intensity map step the same way.
    ASSERT_EQ(_xSDL_blit_scale_ai(src.get(), &s, dst.get(), &d, 100), 0);
    ASSERT_EQ(_xSDL_blit_scale_additive_blend_im_ai(src.get(), &s, dst.get(), &d, 0xFFFFFFFFu, 200), 0);
}

TEST(XsdlScaleStep, ClippedStartsAtTheClippedOrigin) {
    Surf src = coordinates(100, 10);
    Surf dst = xrgb(60, 10);
    clear(dst.get());
    SDL_Rect clip = {10, 0, 40, 10};
    SDL_SetClipRect(dst.get(), &clip);
    SDL_Rect d = {0, 0, 50, 10};  // fx 0.5: 10 clipped pixels skip trunc(10 / 0.5) = 20 source columns
    ASSERT_EQ(_xSDL_blit_scale_matte(src.get(), nullptr, dst.get(), &d), 0);
    const std::vector<int> want = steps(20, 100, 50, 40);
    for (int i = 0; i < 40; ++i) ASSERT_EQ(sdl_get(dst.get(), 10 + i, 0).r, want[i]);
    EXPECT_EQ(sdl_get(dst.get(), 9, 0).b, 0);
    EXPECT_EQ(sdl_get(dst.get(), 50, 0).b, 0);
}

// --- Scaled clipping --------------------------------------------------------------------------------

TEST(XsdlScaleClip, Rectangles) {
    Surf src = xrgb(100, 50), dst = xrgb(400, 300);
    SDL_Rect so, dr;
    SDL_Rect d = {10, 20, 200, 100};  // fx = fy = 2
    ASSERT_TRUE(_xSDL_calc_src_dest_rects_with_scale(src.get(), nullptr, dst.get(), &d, &so, &dr));
    EXPECT_EQ(so.w, 100);
    EXPECT_EQ(dr.x, 10);
    EXPECT_EQ(dr.w, 200);
    // A negative source x: k = trunc(-5 x 2) = -10; the destination moves 10 right.
    SDL_Rect s1 = {-5, 0, 100, 50};
    ASSERT_TRUE(_xSDL_calc_src_dest_rects_with_scale(src.get(), &s1, dst.get(), &d, &so, &dr));
    EXPECT_EQ(so.x, 0);
    EXPECT_EQ(so.w, 95);
    EXPECT_EQ(dr.x, 20);
    EXPECT_EQ(dr.w, 190);
    // Past the source's right edge: dw = trunc((100 - 60) x 2).
    SDL_Rect s2 = {60, 0, 100, 50};
    ASSERT_TRUE(_xSDL_calc_src_dest_rects_with_scale(src.get(), &s2, dst.get(), &d, &so, &dr));
    EXPECT_EQ(so.w, 40);
    EXPECT_EQ(dr.w, 80);
    // Against the clip rectangle: 25 pixels cut on the left take trunc(25 / 2) = 12 source columns.
    SDL_Rect clip = {35, 0, 100, 300};
    SDL_SetClipRect(dst.get(), &clip);
    ASSERT_TRUE(_xSDL_calc_src_dest_rects_with_scale(src.get(), nullptr, dst.get(), &d, &so, &dr));
    EXPECT_EQ(dr.x, 35);
    EXPECT_EQ(so.x, 12);
    // Right side: dx + dw - (cx + cw) = 35 + 175 - 135 = 75 over; dw 100, sw 88 - trunc(75 / 2) = 51.
    EXPECT_EQ(dr.w, 100);
    EXPECT_EQ(so.w, 51);
    // Wholly outside.
    SDL_Rect far = {200, 0, 10, 10};
    EXPECT_FALSE(_xSDL_calc_src_dest_rects_with_scale(src.get(), nullptr, dst.get(), &far, &so, &dr));
}

TEST(XsdlScaleClip, ZeroSizesAndHugeFactorsDrawNothingSafely) {
    Surf src = coordinates(4, 4), dst = xrgb(64, 64);
    clear(dst.get());
    SDL_Rect so, dr;
    SDL_Rect zero_w = {0, 0, 0, 10}, zero_h = {0, 0, 10, 0}, d = {0, 0, 32, 32};
    EXPECT_FALSE(_xSDL_calc_src_dest_rects_with_scale(src.get(), &zero_w, dst.get(), &d, &so, &dr));
    EXPECT_FALSE(_xSDL_calc_src_dest_rects_with_scale(src.get(), &zero_h, dst.get(), &d, &so, &dr));
    EXPECT_FALSE(_xSDL_calc_src_dest_rects_with_scale(src.get(), nullptr, dst.get(), &zero_w, &so, &dr));
    EXPECT_FALSE(_xSDL_calc_src_dest_rects_with_scale(src.get(), nullptr, dst.get(), &zero_h, &so, &dr));
    EXPECT_FALSE(_xSDL_calc_src_dest_rects_with_scale(src.get(), nullptr, dst.get(), nullptr, &so, &dr));
    EXPECT_EQ(_xSDL_blit_scale(src.get(), &zero_w, dst.get(), &d), -1);
    EXPECT_EQ(_xSDL_blit_scale_matte(src.get(), nullptr, dst.get(), &zero_h), -1);
    EXPECT_EQ(_xSDL_blit_scale_additive_blend_im_ai(src.get(), &zero_w, dst.get(), &d, 0xFFFFFFFFu, 9), 0);
    EXPECT_EQ(sdl_get(dst.get(), 0, 0).b, 0);
    // Extreme factors and offsets stay in range (UBSan checks the conversions).
    SDL_Rect one = {-32768, -32768, 1, 1}, huge = {-32768, -32768, 65535, 65535};
    EXPECT_FALSE(_xSDL_calc_src_dest_rects_with_scale(src.get(), &one, dst.get(), &huge, &so, &dr));
    SDL_Rect tiny_src = {0, 0, 1, 1}, huge_dst = {-30000, -30000, 65535, 65535};
    ASSERT_TRUE(_xSDL_calc_src_dest_rects_with_scale(src.get(), &tiny_src, dst.get(), &huge_dst, &so, &dr));
    EXPECT_EQ(dr.x, 0);
    EXPECT_EQ(dr.w, 64);
    EXPECT_EQ(_xSDL_blit_scale_matte(src.get(), &tiny_src, dst.get(), &huge_dst), 0);
    EXPECT_EQ(sdl_get(dst.get(), 63, 63).b, 7);
    SDL_Rect wide_src = {-20000, 0, 30000, 4}, d2 = {0, 0, 60000, 8};
    // The visible source columns land at x 40000 and beyond: nothing is left.
    EXPECT_EQ(_xSDL_blit_scale_ai(src.get(), &wide_src, dst.get(), &d2, 100), -1);
}

TEST(XsdlScaleClip, WhollyClippedReturnsMinusOneButTheIntensityMapZero) {
    Surf src = coordinates(8, 8), dst = xrgb(20, 20);
    clear(dst.get());
    SDL_Rect clip = {0, 0, 5, 5};
    SDL_SetClipRect(dst.get(), &clip);
    SDL_Rect d = {10, 10, 16, 16};
    EXPECT_EQ(_xSDL_blit_scale(src.get(), nullptr, dst.get(), &d), -1);
    EXPECT_EQ(_xSDL_blit_scale_ai(src.get(), nullptr, dst.get(), &d, 9), -1);
    EXPECT_EQ(_xSDL_blit_scale_matte_ai(src.get(), nullptr, dst.get(), &d, 9), -1);
    EXPECT_EQ(_xSDL_blit_scale_additive_blend_ai(src.get(), nullptr, dst.get(), &d, 9), -1);
    EXPECT_EQ(_xSDL_blit_scale_multiply_blend_ai(src.get(), nullptr, dst.get(), &d, 9), -1);
    EXPECT_EQ(_xSDL_blit_scale_dodge_blend_ai(src.get(), nullptr, dst.get(), &d, 9), -1);
    EXPECT_EQ(_xSDL_blit_scale_gray_ai(src.get(), nullptr, dst.get(), &d, 9), -1);
    EXPECT_EQ(_xSDL_blit_scale_additive_blend_im_ai(src.get(), nullptr, dst.get(), &d, 0xFFFFFFFFu, 9), 0);
    EXPECT_EQ(dst->locked, 0);
    // ai 0 returns 0 at once.
    EXPECT_EQ(_xSDL_blit_scale_ai(src.get(), nullptr, dst.get(), &d, 0), 0);
    EXPECT_EQ(_xSDL_blit_scale_additive_blend_im_ai(src.get(), nullptr, dst.get(), &d, 0xFFFFFFFFu, 0), 0);
}

// --- Blend rules of the scaled forms ----------------------------------------------------------------

TEST(XsdlScaleBlend, RulesAtOneToOneScale) {
    Surf src = rgba(17, 3);
    Rng rng(4);
    fill_random(src.get(), rng);
    sdl_put(src.get(), 0, 0, RGBA{255, 1, 2, 0});
    sdl_put(src.get(), 1, 0, RGBA{255, 1, 2, 255});
    Surf base = argb(17, 3);
    fill_random(base.get(), rng);
    SDL_Rect d = {0, 0, 17, 3};
    struct Case {
        const char* name;
        int (*blit)(SDL_Surface*, SDL_Surface*, const SDL_Rect*);
        int (*rule)(unsigned d, unsigned s, unsigned sa);  // -1: unchanged
    };
    const Case cases[] = {
        {"scale",
         [](SDL_Surface* s, SDL_Surface* t, const SDL_Rect* r) { return _xSDL_blit_scale(s, nullptr, t, r); },
         [](unsigned d, unsigned s, unsigned sa) {
             return sa ? int(((d * (255 - sa)) >> 8) + ((s * sa) >> 8)) : -1;
         }},
        {"scale_ai 100",
         [](SDL_Surface* s, SDL_Surface* t, const SDL_Rect* r) {
             return _xSDL_blit_scale_ai(s, nullptr, t, r, 100);
         },
         [](unsigned d, unsigned s, unsigned sa) {
             const unsigned a = (sa * 100) >> 8;
             return a ? int(((d * (255 - a)) >> 8) + ((s * a) >> 8)) : -1;
         }},
        {"matte",
         [](SDL_Surface* s, SDL_Surface* t, const SDL_Rect* r) {
             return _xSDL_blit_scale_matte(s, nullptr, t, r);
         },
         [](unsigned, unsigned s, unsigned) { return int(s); }},
        {"matte_ai 128",
         [](SDL_Surface* s, SDL_Surface* t, const SDL_Rect* r) {
             return _xSDL_blit_scale_matte_ai(s, nullptr, t, r, 128);
         },
         [](unsigned, unsigned s, unsigned) { return int((s * 128) >> 8); }},
        {"additive",
         [](SDL_Surface* s, SDL_Surface* t, const SDL_Rect* r) {
             return _xSDL_blit_scale_additive_blend(s, nullptr, t, r);
         },
         [](unsigned d, unsigned s, unsigned sa) {
             const unsigned v = d + ((s * sa) >> 8);
             return sa ? int(v > 255 ? 255 : v) : -1;
         }},
        {"multiply_ai 60",
         [](SDL_Surface* s, SDL_Surface* t, const SDL_Rect* r) {
             return _xSDL_blit_scale_multiply_blend_ai(s, nullptr, t, r, 60);
         },
         [](unsigned d, unsigned s, unsigned sa) {
             const unsigned a = (sa * 60) >> 8;
             return a ? int((d * ((s * a) >> 8)) >> 8) : -1;
         }},
        {"dodge",
         [](SDL_Surface* s, SDL_Surface* t, const SDL_Rect* r) {
             return _xSDL_blit_scale_dodge_blend(s, nullptr, t, r);
         },
         [](unsigned d, unsigned s, unsigned sa) {
             if (!sa) return -1;
             if (s == 255) return 255;
             const unsigned v = (d << 8) / (255 - s);
             return int(v > 255 ? 255 : v);
         }},
    };
    for (const Case& c : cases) {
        Surf dst(SDL_ConvertSurface(base.get(), base->format, 0));
        ASSERT_EQ(c.blit(src.get(), dst.get(), &d), 0) << c.name;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 17; ++x) {
                const RGBA s = sdl_get(src.get(), x, y), d0 = sdl_get(base.get(), x, y),
                           d1 = sdl_get(dst.get(), x, y);
                const unsigned sc[3] = {s.r, s.g, s.b}, dc[3] = {d0.r, d0.g, d0.b},
                               got[3] = {d1.r, d1.g, d1.b};
                for (int k = 0; k < 3; ++k) {
                    const int want = c.rule(dc[k], sc[k], s.a);
                    ASSERT_EQ(int(got[k]), want < 0 ? int(dc[k]) : want) << c.name << " " << x << "," << y;
                }
                ASSERT_EQ(d1.a, d0.a) << c.name;
            }
    }
    // ai 255 is the plain form; ai 0 touches nothing.
    Surf a(SDL_ConvertSurface(base.get(), base->format, 0)),
        b(SDL_ConvertSurface(base.get(), base->format, 0));
    _xSDL_blit_scale_multiply_blend_ai(src.get(), nullptr, a.get(), &d, 255);
    _xSDL_blit_scale_multiply_blend(src.get(), nullptr, b.get(), &d);
    EXPECT_TRUE(same_pixels(a.get(), b.get()));
    EXPECT_EQ(_xSDL_blit_scale_dodge_blend_ai(src.get(), nullptr, a.get(), &d, 0), 0);
    EXPECT_TRUE(same_pixels(a.get(), b.get()));
}

TEST(XsdlScaleBlend, SourceReadThroughItsPerPixelReader) {
    // An XRGB source without alpha mask: the scaled blits read its top byte as
    // alpha (per-pixel reader), where the 1:1 blits read A 0 (scanline).
    Surf src = xrgb(2, 1), dst = xrgb(2, 1), dst2 = xrgb(2, 1);
    set_raw32(src.get(), 0, 0, 0xFF102030u);
    set_raw32(src.get(), 1, 0, 0x00405060u);
    clear(dst.get());
    clear(dst2.get());
    SDL_Rect d = {0, 0, 2, 1};
    ASSERT_EQ(_xSDL_blit_scale(src.get(), nullptr, dst.get(), &d), 0);
    EXPECT_EQ(sdl_get(dst.get(), 0, 0), (RGBA{0x10 * 255 >> 8, 0x20 * 255 >> 8, 0x30 * 255 >> 8, 255}));
    EXPECT_EQ(sdl_get(dst.get(), 1, 0), (RGBA{0, 0, 0, 255}));  // top byte 0: skipped
    ASSERT_EQ(_xSDL_blit_additive_blend(src.get(), nullptr, dst2.get(), nullptr), 0);
    EXPECT_EQ(sdl_get(dst2.get(), 0, 0), (RGBA{0, 0, 0, 255}));  // A 0 in a scanline: skipped
}

TEST(XsdlScaleBlend, IntensityMap) {
    Surf src = argb(3, 1), dst = argb(3, 1);
    sdl_put(src.get(), 0, 0, RGBA{0, 99, 99, 99});
    sdl_put(src.get(), 1, 0, RGBA{128, 0, 0, 0});
    sdl_put(src.get(), 2, 0, RGBA{255, 0, 0, 0});
    for (int x = 0; x < 3; ++x) sdl_put(dst.get(), x, 0, RGBA{10, 250, 0, 44});
    SDL_Rect d = {0, 0, 3, 1};
    ASSERT_EQ(_xSDL_blit_scale_additive_blend_im_ai(src.get(), nullptr, dst.get(), &d,
                                                    colour(200, 100, 50, 0), 128),
              0);
    auto add = [](unsigned d, unsigned c, unsigned i) {
        const unsigned v = d + ((c * 128 * i) >> 16);
        return Uint8(v > 255 ? 255 : v);
    };
    EXPECT_EQ(sdl_get(dst.get(), 0, 0), (RGBA{10, 250, 0, 44}));  // red 0 adds nothing
    EXPECT_EQ(sdl_get(dst.get(), 1, 0), (RGBA{add(10, 200, 128), add(250, 100, 128), add(0, 50, 128), 44}));
    EXPECT_EQ(sdl_get(dst.get(), 2, 0), (RGBA{add(10, 200, 255), add(250, 100, 255), add(0, 50, 255), 44}));
    // Scaled like the others: a 1-pixel source over 3 pixels.
    SDL_Rect one = {2, 0, 1, 1};
    Surf dst3 = xrgb(3, 1);
    clear(dst3.get());
    ASSERT_EQ(
        _xSDL_blit_scale_additive_blend_im_ai(src.get(), &one, dst3.get(), &d, colour(255, 0, 0, 0), 255), 0);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(sdl_get(dst3.get(), x, 0).r, (255 * 255 * 255) >> 16);
}

TEST(XsdlScaleBlend, EverySourceFormatThroughItsReader) {
    Rng rng(31);
    Surf p = pal8(9, 4);
    SDL_SetColorKey(p.get(), SDL_SRCCOLORKEY, 3);
    for (Surf& src : surfaces(xrgb(9, 4), argb(9, 4), rgba(9, 4), rgbx(9, 4), bgra(9, 4), rgb24(9, 4),
                              rgb565(9, 4), argb4444(9, 4), std::move(p))) {
        fill_random(src.get(), rng);
        if (src->format->BitsPerPixel == 8) at(src.get(), 1, 1)[0] = 3;  // one colour-key pixel
        const _xSDL_get_pixel_t reader = _xSDL_get_pixel_fun(src.get());
        Surf m = argb(9, 4), a = argb(9, 4);
        clear(m.get());
        clear(a.get());
        SDL_Rect d = {0, 0, 9, 4};
        ASSERT_EQ(_xSDL_blit_scale_matte(src.get(), nullptr, m.get(), &d), 0);
        ASSERT_EQ(_xSDL_blit_scale(src.get(), nullptr, a.get(), &d), 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 9; ++x) {
                RGBA s;
                reader(src.get(), Uint16(x), Uint16(y), &s.r, &s.g, &s.b, &s.a);
                ASSERT_EQ(sdl_get(m.get(), x, y), (RGBA{s.r, s.g, s.b, 0})) << int(src->format->BitsPerPixel);
                const RGBA want =
                    RGBA{Uint8((s.r * s.a) >> 8), Uint8((s.g * s.a) >> 8), Uint8((s.b * s.a) >> 8), 0};
                ASSERT_EQ(sdl_get(a.get(), x, y), want)
                    << int(src->format->BitsPerPixel) << " " << x << "," << y;
            }
    }
}
