// the resize dispatch and its filters, against plain reference
// implementations written from the filters' definitions.

#include "xsdl_resize.h"

#include "xsdl_pixel.h"
#include "xsdl_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace xsdl_test;

namespace {

RGBA px(SDL_Surface* s, int x, int y) {
    RGBA c;
    _xSDL_get_pixel(s, Uint16(x), Uint16(y), &c.r, &c.g, &c.b, &c.a);
    return c;
}
int ch(const RGBA& c, int k) {
    return k == 0 ? c.r : k == 1 ? c.g : k == 2 ? c.b : c.a;
}
RGBA from(const int v[4]) {
    return RGBA{Uint8(v[0]), Uint8(v[1]), Uint8(v[2]), Uint8(v[3])};
}
int clampi(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// A reference result: a surface like the one the filter makes, filled by f(x, y).
template <class F>
Surf reference(SDL_Surface* like, int W, int H, F f) {
    Surf r = make(W, H, like->format->BitsPerPixel == 8 ? 32 : like->format->BitsPerPixel,
                  like->format->BitsPerPixel == 8 ? 0xFFu : like->format->Rmask,
                  like->format->BitsPerPixel == 8 ? 0xFF00u : like->format->Gmask,
                  like->format->BitsPerPixel == 8 ? 0xFF0000u : like->format->Bmask,
                  like->format->BitsPerPixel == 8 ? 0xFF000000u : like->format->Amask);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const RGBA c = f(x, y);
            _xSDL_put_pixel(r.get(), Uint16(x), Uint16(y), c.r, c.g, c.b, c.a);
        }
    return r;
}

// 25/32: output i of a 32-pixel block covers [32i, 32i + 32), source j covers
// [25j, 25j + 25); the weights are the overlaps, computed here from geometry.
struct Tap {
    int w, j;
};
std::vector<Tap> taps(int i) {
    std::vector<Tap> t;
    const int b = i / 25, k = i % 25;
    for (int j = 0; j < 32; ++j) {
        const int ov = std::min(32 * k + 32, 25 * j + 25) - std::max(32 * k, 25 * j);
        if (ov > 0) t.push_back(Tap{ov, j + 32 * b});
    }
    return t;
}

Surf ref_25x32(SDL_Surface* s) {
    const int W = (25 * s->w + 31) / 32, H = (25 * s->h + 31) / 32, Wi = std::max(W - 2, 0), Hi = std::max(H - 2, 0);
    return reference(s, W, H, [&](int c, int r) {
        int v[4] = {0, 0, 0, 0};
        const bool interior = r < Hi && c < Wi;
        long sum[4] = {0, 0, 0, 0}, den = 0;
        for (const Tap& tv : taps(r)) {
            int sy = tv.j;
            if (sy >= s->h) {
                if (!interior) break;
                sy = s->h - 1;
            }
            for (const Tap& th : taps(c)) {
                int sx = th.j;
                if (sx >= s->w) {
                    if (!interior) break;
                    sx = s->w - 1;
                }
                const RGBA p = px(s, sx, sy);
                for (int k = 0; k < 4; ++k) sum[k] += long(tv.w) * th.w * ch(p, k);
                den += long(tv.w) * th.w;
            }
        }
        for (int k = 0; k < 4; ++k) v[k] = int(interior ? sum[k] >> 10 : (den ? sum[k] / den : 0));
        return from(v);
    });
}

Surf ref_bilinear(SDL_Surface* s, double fx, double fy) {
    const int W = int(std::floor(s->w * fx)), H = int(std::floor(s->h * fy));
    const float ry = float(1 / fy), rx = float(1 / fx);
    return reference(s, W, H, [&](int x, int y) {
        const float sy = float(y) * ry, sx = float(x) * rx;
        const int iy = int(sy), ix = int(sx);
        const float ty = sy - float(iy), tx = sx - float(ix);
        const int r0 = clampi(iy, 0, s->h - 1), r1 = clampi(iy + 1, 0, s->h - 1);
        const int c0 = clampi(ix, 0, s->w - 1), c1 = clampi(ix + 1, 0, s->w - 1);
        int v[4];
        for (int k = 0; k < 4; ++k) {
            const int h0 =
                int(double(float(ch(px(s, c1, r0), k)) * tx) + ch(px(s, c0, r0), k) * (1.0 - tx) + 0.5);
            const int h1 =
                int(double(float(ch(px(s, c1, r1), k)) * tx) + ch(px(s, c0, r1), k) * (1.0 - tx) + 0.5);
            v[k] = clampi(int(double(float(h1) * ty) + h0 * (1.0 - ty) + 0.5), 0, 255);
        }
        return from(v);
    });
}

int cubic(int p0, int p1, int p2, int p3, float t) {
    const float n = float(p0 + 16 * p1 + p2) +
                    t * (float(9 * (p2 - p0)) + t * (float(15 * p0 - 36 * p1 + 27 * p2 - 6 * p3) +
                                                     t * float(7 * (p3 - p0) + 21 * (p1 - p2))));
    return int(n / 18.0);
}

Surf ref_bicubic(SDL_Surface* s, double fx, double fy) {
    const int W = int(std::floor(s->w * fx)), H = int(std::floor(s->h * fy));
    const float ry = float(1 / fy), rx = float(1 / fx);
    return reference(s, W, H, [&](int x, int y) {
        const float sy = float(y) * ry, sx = float(x) * rx;
        const int iy = int(sy), ix = int(sx);
        const float ty = sy - float(iy), tx = sx - float(ix);
        int v[4];
        for (int k = 0; k < 4; ++k) {
            int q[4];
            for (int j = 0; j < 4; ++j) {
                const int r = clampi(iy - 1 + j, 0, s->h - 1);
                int p[4];
                for (int i = 0; i < 4; ++i) p[i] = ch(px(s, clampi(ix - 1 + i, 0, s->w - 1), r), k);
                q[j] = cubic(p[0], p[1], p[2], p[3], tx);
            }
            v[k] = clampi(cubic(q[0], q[1], q[2], q[3], ty), 0, 255);
        }
        return from(v);
    });
}

Surf random_image(int w, int h, Uint32 seed, Surf s = Surf()) {
    if (!s) s = argb(w, h);
    Rng rng(seed);
    fill_random(s.get(), rng);
    return s;
}

void expect_uniform(SDL_Surface* s, RGBA c, const char* what) {
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) ASSERT_EQ(px(s, x, y), c) << what << " at " << x << "," << y;
}

// A filter against its reference: random images of each w x h (seeded w * seed_w + h), each
// resized by every factor pair.
void expect_as_reference(SDL_Surface* (*resize)(const SDL_Surface*, double, double),
                         Surf (*ref)(SDL_Surface*, double, double), std::vector<std::pair<double, double>> const& factors,
                         std::vector<std::pair<int, int>> const& sizes, int seed_w) {
    for (auto wh : sizes) {
        Surf s = random_image(wh.first, wh.second, Uint32(wh.first * seed_w + wh.second));
        for (const auto& f : factors) {
            Surf r(resize(s.get(), f.first, f.second));
            ASSERT_TRUE(r);
            EXPECT_TRUE(same_pixels(r.get(), ref(s.get(), f.first, f.second).get()))
                << wh.first << "x" << wh.second << " by " << f.first << ", " << f.second;
        }
    }
}

Surf resized(const SDL_Surface* src, double fx, double fy, int type) {
    SDL_Surface* r = _xSDL_resize_by_fxy(src, fx, fy, type);
    EXPECT_NE(r, src);
    return Surf(r);
}

}  // namespace

// --- Dispatch ---------------------------------------------------------------------------------------

TEST(XsdlResizeDispatch, FactorOneWithinTolerance) {
    Surf s = random_image(40, 30, 1);
    EXPECT_EQ(_xSDL_resize_by_fxy(s.get(), 1.0005, 0.9995, 3), s.get());
    EXPECT_EQ(_xSDL_resize_by_fxy(s.get(), 1.0, 1.0, 1), s.get());
    EXPECT_EQ(_xSDL_resize_by_f(s.get(), 1.0, 5), s.get());
    EXPECT_EQ(_xSDL_resize_to(s.get(), 40, 30, 2), s.get());
    Surf r = resized(s.get(), 1.002, 1.0, 3);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->w, 40);  // floor(40 x 1.002)
    EXPECT_EQ(_xSDL_resize_by_fxy(nullptr, 0.5, 0.5, 1), nullptr);
    EXPECT_EQ(_xSDL_resize_to(nullptr, 1, 1, 1), nullptr);
    EXPECT_EQ(_xSDL_resize_bilinear(nullptr, 2, 2), nullptr);
    EXPECT_EQ(_xSDL_resize_bicubic(nullptr, 2, 2), nullptr);
    EXPECT_EQ(_xSDL_resize_25x32(nullptr), nullptr);
}

TEST(XsdlResizeDispatch, Eligibility) {
    Surf s = xrgb(1024, 1024), wide = xrgb(1025, 10), tall = xrgb(10, 1025);
    EXPECT_TRUE(_is_eligible_for_xSDL_resize_25x32(s.get(), 0.78125, 0.78125));
    EXPECT_TRUE(_is_eligible_for_xSDL_resize_25x32(s.get(), 0.78125, 0.7815));  // difference under 0.001
    EXPECT_FALSE(_is_eligible_for_xSDL_resize_25x32(s.get(), 0.78125, 0.7825));
    EXPECT_TRUE(_is_eligible_for_xSDL_resize_25x32(s.get(), 0.7818, 0.7813));
    EXPECT_FALSE(_is_eligible_for_xSDL_resize_25x32(s.get(), 0.7830, 0.7830));
    EXPECT_FALSE(_is_eligible_for_xSDL_resize_25x32(wide.get(), 0.78125, 0.78125));
    EXPECT_FALSE(_is_eligible_for_xSDL_resize_25x32(tall.get(), 0.78125, 0.78125));
    EXPECT_FALSE(_is_eligible_for_xSDL_resize_25x32(nullptr, 0.78125, 0.78125));
}

TEST(XsdlResizeDispatch, FullFrameTakesThe25x32PathWhateverTheType) {
    Surf s = random_image(1024, 768, 2);
    Surf first = resized(s.get(), 0.78125, 0.78125, 3);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->w, 800);
    EXPECT_EQ(first->h, 600);
    for (int type : {0, 1, 2, 5, 9}) {
        Surf r = resized(s.get(), 0.78125, 0.78125, type);
        ASSERT_TRUE(r);
        EXPECT_TRUE(same_pixels(r.get(), first.get())) << "type " << type;
    }
    Surf ref = ref_25x32(s.get());
    EXPECT_TRUE(same_pixels(first.get(), ref.get()));
    // Within the tolerance on y too.
    Surf near = resized(s.get(), 0.78125, 0.7815, 1);
    EXPECT_TRUE(same_pixels(near.get(), first.get()));
    // Not within it: the requested filter (nearest, lround sizes: 768 x 0.7825 = 600.96).
    Surf other = resized(s.get(), 0.78125, 0.7825, 1);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->w, 800);
    EXPECT_EQ(other->h, 601);
}

TEST(XsdlResizeDispatch, WiderThan1024GoesToTheRequestedFilter) {
    Surf s = random_image(1025, 40, 3);
    Surf r = resized(s.get(), 0.78125, 0.78125, 3);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->w, 800);  // floor(1025 x 0.78125) = 800
    EXPECT_EQ(r->h, 31);   // floor(40 x 0.78125)
    Surf b(_xSDL_resize_bilinear(s.get(), 0.78125, 0.78125));
    EXPECT_TRUE(same_pixels(r.get(), b.get()));
}

TEST(XsdlResizeDispatch, SizesByLroundOrFloor) {
    Surf s = random_image(3, 3, 4);
    for (int type : {0, 1, 2, 7}) {  // nearest and box: lround(1.5) = 2
        Surf r = resized(s.get(), 0.5, 0.5, type);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->w, 2) << type;
        EXPECT_EQ(r->h, 2) << type;
    }
    for (int type : {3, 4, 5, 6}) {  // bilinear and bicubic: floor
        Surf r = resized(s.get(), 0.5, 0.5, type);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->w, 1) << type;
        EXPECT_EQ(r->h, 1) << type;
    }
}

TEST(XsdlResizeDispatch, ResultFormats) {
    Surf a = random_image(10, 10, 5);
    Surf n = resized(a.get(), 0.5, 0.5, 1), l = resized(a.get(), 0.5, 0.5, 3),
         q = resized(a.get(), 0.78125, 0.78125, 1);
    for (SDL_Surface* r : {n.get(), l.get(), q.get()}) {
        EXPECT_EQ(r->format->Rmask, 0xFF0000u);
        EXPECT_EQ(r->format->Amask, 0xFF000000u);
    }
    // (The media layer sets SDL_SRCALPHA itself exactly when there is an alpha
    // mask, whatever flags are asked for, so the flags say nothing more.)
    Surf x = xrgb(10, 10);
    Surf lx = resized(x.get(), 0.5, 0.5, 5);
    EXPECT_EQ(lx->format->Amask, 0u);
    // An 8-bit source gives 32-bit RGBA results, read through its palette.
    Surf p = pal8(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) at(p.get(), x, y)[0] = Uint8(x < 4 ? 10 : 20);
    SDL_SetColorKey(p.get(), SDL_SRCCOLORKEY, 20);
    for (int type : {1, 2, 3, 5}) {
        Surf r = resized(p.get(), 0.5, 0.5, type);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->format->BitsPerPixel, 32);
        EXPECT_EQ(r->format->Rmask, 0xFFu);
        EXPECT_EQ(r->format->Amask, 0xFF000000u);
        EXPECT_EQ(px(r.get(), 0, 0), (RGBA{10, 245, 5, 255})) << type;
        EXPECT_EQ(px(r.get(), 3, 3).a, 0) << type;  // the colour key
    }
    Surf r(_xSDL_resize_25x32(p.get()));
    EXPECT_EQ(r->format->BitsPerPixel, 32);
}

// --- 25/32 ---------------------------------------------------------------------------------------

TEST(XsdlResize25x32, BlockWeightsInteriorAndEdge) {
    // A 32 x 32 block whose columns carry v(x); rows alike with v(y).
    auto v = [](int i) { return (i * 37 + 11) & 255; };
    Surf cols = argb(32, 32), rows = argb(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            sdl_put(cols.get(), x, y, RGBA{Uint8(v(x)), 0, 0, 255});
            sdl_put(rows.get(), x, y, RGBA{Uint8(v(y)), 0, 0, 255});
        }
    Surf c(_xSDL_resize_25x32(cols.get())), r(_xSDL_resize_25x32(rows.get()));
    ASSERT_TRUE(c);
    ASSERT_EQ(c->w, 25);
    ASSERT_EQ(c->h, 25);
    // Result pixel 0: source 0 with weight 25 and source 1 with 7 (interior: the sum >> 10).
    EXPECT_EQ(px(c.get(), 0, 5).r, (32 * (25 * v(0) + 7 * v(1))) >> 10);
    // Result pixel 3: sources 3, 4, 5 with 4, 25, 3.
    EXPECT_EQ(px(c.get(), 3, 5).r, (32 * (4 * v(3) + 25 * v(4) + 3 * v(5))) >> 10);
    // The edge columns 23 and 24 (W - 2 and W - 1): divided by the weights used.
    EXPECT_EQ(px(c.get(), 23, 5).r, (32 * (14 * v(29) + 18 * v(30))) / (32 * 32));
    EXPECT_EQ(px(c.get(), 24, 5).r, (32 * (7 * v(30) + 25 * v(31))) / (32 * 32));
    EXPECT_EQ(px(c.get(), 24, 24).r, (32 * (7 * v(30) + 25 * v(31))) / (32 * 32));  // bottom edge
    EXPECT_EQ(px(r.get(), 5, 0).r, (32 * (25 * v(0) + 7 * v(1))) >> 10);
    EXPECT_EQ(px(r.get(), 5, 3).r, (32 * (4 * v(3) + 25 * v(4) + 3 * v(5))) >> 10);
    EXPECT_EQ(px(r.get(), 5, 24).r, (32 * (7 * v(30) + 25 * v(31))) / (32 * 32));
    EXPECT_EQ(px(c.get(), 7, 7).a, 255);
}

TEST(XsdlResize25x32, TablesFromGeometry) {
    // Per output 2 or 3 entries summing to 32; per source pixel weights summing to 25.
    int total = 0, per_source[32] = {};
    for (int i = 0; i < 25; ++i) {
        int sum = 0;
        const std::vector<Tap> t = taps(i);
        EXPECT_TRUE(t.size() == 2 || t.size() == 3);
        for (const Tap& e : t) {
            sum += e.w;
            per_source[e.j] += e.w;
        }
        EXPECT_EQ(sum, 32);
        total += int(t.size());
    }
    EXPECT_EQ(total, 56);
    for (int j = 0; j < 32; ++j) EXPECT_EQ(per_source[j], 25);
}

TEST(XsdlResize25x32, UniformStaysUniformInteriorAndEdges) {
    const RGBA c{90, 160, 230, 128};
    for (auto wh :
         std::vector<std::pair<int, int>>{{1024, 768}, {100, 70}, {33, 31}, {64, 5}, {5, 3}, {2, 2}, {1, 1}}) {
        Surf s = argb(wh.first, wh.second);
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) sdl_put(s.get(), x, y, c);
        Surf r(_xSDL_resize_25x32(s.get()));
        ASSERT_TRUE(r);
        EXPECT_EQ(r->w, (25 * wh.first + 31) / 32);
        EXPECT_EQ(r->h, (25 * wh.second + 31) / 32);
        expect_uniform(r.get(), c, "25/32");
    }
}

// Sizes round up, so an image placed at round(x x 25/32) reaches the screen position of
// its world right edge: images that touch in the world (the play screen's 48-pixel top
// bar over the table, its buttons side by side) leave no undrawn line between them.
TEST(XsdlResize25x32, SizesRoundUpSoTouchingImagesLeaveNoGap) {
    const auto at = [](int v) { return int(std::lround(v * 0.78125)); };
    const int xs[] = {0, 152, 242, 392, 566, 766, 859, 1024};
    for (int i = 0; i + 1 < 8; ++i) {
        Surf s = argb(xs[i + 1] - xs[i], 48);
        Surf r(_xSDL_resize_25x32(s.get()));
        ASSERT_TRUE(r);
        EXPECT_GE(at(xs[i]) + r->w, at(xs[i + 1])) << xs[i];
        EXPECT_LE(at(xs[i]) + r->w, at(xs[i + 1]) + 1) << xs[i];
        EXPECT_EQ(r->h, at(48)) << xs[i];  // 37.5: 38 rows, down to where the table starts
    }
}

TEST(XsdlResize25x32, MatchesTheReferenceOnRandomImages) {
    for (auto wh :
         std::vector<std::pair<int, int>>{{64, 64}, {100, 37}, {33, 31}, {35, 70}, {3, 40}, {1, 1}}) {
        Surf s = random_image(wh.first, wh.second, Uint32(wh.first * 131 + wh.second));
        Surf r(_xSDL_resize_25x32(s.get()));
        Surf ref = ref_25x32(s.get());
        ASSERT_TRUE(r);
        EXPECT_TRUE(same_pixels(r.get(), ref.get())) << wh.first << "x" << wh.second;
    }
    // Other source formats: 24-bit, 16-bit, RGBA.
    Surf t = random_image(45, 45, 9, rgb24(45, 45)), u = random_image(45, 45, 10, rgb565(45, 45)),
         v = random_image(45, 45, 11, rgba(45, 45));
    for (SDL_Surface* s : {t.get(), u.get(), v.get()}) {
        Surf r(_xSDL_resize_25x32(s));
        Surf ref = ref_25x32(s);
        EXPECT_TRUE(same_pixels(r.get(), ref.get())) << int(s->format->BitsPerPixel);
    }
    // Calls reuse their kept buffers: a smaller image after a larger one.
    Surf big = random_image(200, 150, 12), small = random_image(40, 30, 13);
    Surf rb(_xSDL_resize_25x32(big.get())), rs(_xSDL_resize_25x32(small.get()));
    Surf refs = ref_25x32(small.get());
    EXPECT_TRUE(same_pixels(rs.get(), refs.get()));
}

// --- Bilinear and bicubic -----------------------------------------------------------------------------

TEST(XsdlResizeBilinear, FactorTwoSamplesHalfPositions) {
    Surf s = argb(3, 1);
    sdl_put(s.get(), 0, 0, RGBA{10, 0, 0, 255});
    sdl_put(s.get(), 1, 0, RGBA{21, 0, 0, 255});
    sdl_put(s.get(), 2, 0, RGBA{40, 0, 0, 255});
    Surf r(_xSDL_resize_bilinear(s.get(), 2.0, 1.0));
    ASSERT_TRUE(r);
    ASSERT_EQ(r->w, 6);
    ASSERT_EQ(r->h, 1);
    EXPECT_EQ(px(r.get(), 0, 0).r, 10);
    EXPECT_EQ(px(r.get(), 1, 0).r, 16);  // mean of 10 and 21, the half going up
    EXPECT_EQ(px(r.get(), 2, 0).r, 21);
    EXPECT_EQ(px(r.get(), 3, 0).r, 31);  // 30.5 up
    EXPECT_EQ(px(r.get(), 4, 0).r, 40);
    EXPECT_EQ(px(r.get(), 5, 0).r, 40);  // the last column repeats (right neighbour clamped)
}

TEST(XsdlResizeBilinear, MatchesTheReference) {
    expect_as_reference(_xSDL_resize_bilinear, ref_bilinear,
                        {{2, 2}, {0.5, 0.5}, {1.7, 0.6}, {0.31, 2.9}, {3.3, 3.3}, {0.78125, 0.9}},
                        {{17, 13}, {5, 2}, {40, 1}, {1, 9}}, 7);
}

TEST(XsdlResizeBicubic, ConstantStaysConstant) {
    const RGBA c{77, 150, 3, 200};
    Surf s = argb(23, 17);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) sdl_put(s.get(), x, y, c);
    for (const auto& f :
         std::vector<std::pair<double, double>>{{1.7, 0.6}, {2, 2}, {0.3, 0.45}, {4.1, 1.3}}) {
        Surf r(_xSDL_resize_bicubic(s.get(), f.first, f.second));
        ASSERT_TRUE(r);
        expect_uniform(r.get(), c, "bicubic");
    }
    // A constant row: the horizontal weights sum to 18 at every t.
    Surf row = argb(9, 1);
    for (int x = 0; x < 9; ++x) sdl_put(row.get(), x, 0, RGBA{45, 1, 254, 255});
    Surf r(_xSDL_resize_bicubic(row.get(), 1.9, 3.0));
    ASSERT_TRUE(r);
    expect_uniform(r.get(), RGBA{45, 1, 254, 255}, "bicubic row");
}

TEST(XsdlResizeBicubic, MatchesTheReference) {
    expect_as_reference(_xSDL_resize_bicubic, ref_bicubic, {{2, 2}, {0.5, 0.7}, {1.7, 0.6}, {0.31, 2.9}, {3.3, 3.3}},
                        {{17, 13}, {6, 3}, {30, 1}, {2, 9}}, 5);
}

// --- Nearest and box -------------------------------------------------------------------------------------

TEST(XsdlResizeNearest, TypesZeroOneAndNineAgree) {
    Surf s = random_image(37, 23, 21);
    Surf a = resized(s.get(), 1.37, 0.61, 0), b = resized(s.get(), 1.37, 0.61, 1),
         c = resized(s.get(), 1.37, 0.61, 9);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->w, int(std::lround(37 * 1.37)));
    EXPECT_EQ(a->h, int(std::lround(23 * 0.61)));
    EXPECT_TRUE(same_pixels(a.get(), b.get()));
    EXPECT_TRUE(same_pixels(a.get(), c.get()));
    // Each result pixel is source entry (trunc(x / fx), trunc(y / fy)) in float steps.
    const float rx = float(1 / 1.37), ry = float(1 / 0.61);
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            ASSERT_EQ(px(a.get(), x, y), px(s.get(), int(float(x) * rx), int(float(y) * ry)))
                << x << "," << y;
    // Four to two picks columns 0 and 2.
    Surf f = argb(4, 1);
    for (int x = 0; x < 4; ++x) sdl_put(f.get(), x, 0, RGBA{Uint8(x), 0, 0, 255});
    Surf h = resized(f.get(), 0.5, 1.0, 1);
    EXPECT_EQ(px(h.get(), 0, 0).r, 0);
    EXPECT_EQ(px(h.get(), 1, 0).r, 2);
}

TEST(XsdlResizeBox, AveragesAreas) {
    Surf s = argb(2, 2);
    sdl_put(s.get(), 0, 0, RGBA{10, 0, 0, 255});
    sdl_put(s.get(), 1, 0, RGBA{20, 0, 0, 255});
    sdl_put(s.get(), 0, 1, RGBA{30, 0, 0, 255});
    sdl_put(s.get(), 1, 1, RGBA{41, 0, 0, 255});
    Surf r = resized(s.get(), 0.5, 0.5, 2);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->w, 1);
    EXPECT_EQ(px(r.get(), 0, 0), (RGBA{25, 0, 0, 255}));  // trunc(101 / 4)
    const RGBA c{12, 200, 99, 160};
    Surf u = argb(37, 23);
    for (int y = 0; y < u->h; ++y)
        for (int x = 0; x < u->w; ++x) sdl_put(u.get(), x, y, c);
    for (const auto& f : std::vector<std::pair<double, double>>{{0.61, 0.43}, {1.5, 1.5}, {0.25, 0.9}}) {
        Surf b = resized(u.get(), f.first, f.second, 2);
        ASSERT_TRUE(b);
        for (int y = 0; y < b->h; ++y)
            for (int x = 0; x < b->w; ++x) {
                const RGBA p = px(b.get(), x, y);
                // Float weights: each channel within one of the constant.
                for (int k = 0; k < 4; ++k) ASSERT_NEAR(ch(p, k), ch(c, k), 1) << x << "," << y;
            }
    }
}
