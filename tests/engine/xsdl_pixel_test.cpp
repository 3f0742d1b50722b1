// pixel formats, pixel access, scanlines, the scanline pool and
// surface creation.

#include "xsdl_pixel.h"

#include "xsdl_detail.h"
#include "xsdl_test_util.h"

#include <gtest/gtest.h>

#include <vector>

using namespace xsdl_test;

namespace {

RGBA get(_xSDL_get_pixel_t f, SDL_Surface* s, int x, int y) {
    RGBA c;
    f(s, Uint16(x), Uint16(y), &c.r, &c.g, &c.b, &c.a);
    return c;
}

RGBA entry(const std::vector<Uint8>& buf, int i) {
    return RGBA{buf[4 * i], buf[4 * i + 1], buf[4 * i + 2], buf[4 * i + 3]};
}

}  // namespace

// --- Formats and the choice of reader and writer ---------------------------------------------

TEST(XsdlFormat, NamedFormatsTestMasksAndLossesOnly) {
    EXPECT_TRUE(_is_pf_XRGB(*xrgb(1, 1)->format));
    EXPECT_TRUE(_is_pf_XRGB(*argb(1, 1)->format));  // the alpha mask is not tested
    EXPECT_FALSE(_is_pf_XRGB(*rgba(1, 1)->format));
    EXPECT_FALSE(_is_pf_XRGB(*rgb565(1, 1)->format));
    EXPECT_TRUE(_is_pf_XRGB(*rgb24(1, 1)->format));  // masks and losses only, not the depth
    EXPECT_TRUE(_is_pf_RGBX(*rgbx(1, 1)->format));
    EXPECT_TRUE(_is_pf_RGBX(*make(1, 1, 32, 0xFF000000u, 0xFF0000u, 0xFF00u, 0)->format));
    EXPECT_FALSE(_is_pf_RGBX(*xrgb(1, 1)->format));
    EXPECT_FALSE(_is_pf_RGBX(*bgra(1, 1)->format));
}

TEST(XsdlFormat, ReaderAndWriterChoice) {
    Surf x = xrgb(1, 1), a = argb(1, 1), r = rgbx(1, 1), m = rgba(1, 1), o = bgra(1, 1), t = rgb24(1, 1),
         s = rgb565(1, 1), p = pal8(1, 1);
    EXPECT_EQ(_xSDL_get_pixel_fun(x.get()), &_xSDL_get_pixel_XRGB);
    EXPECT_EQ(_xSDL_get_pixel_fun(a.get()), &_xSDL_get_pixel_XRGB);
    EXPECT_EQ(_xSDL_get_pixel_fun(r.get()), &_xSDL_get_pixel_RGBX);
    EXPECT_EQ(_xSDL_get_pixel_fun(m.get()), &_xSDL_get_pixel_32);
    EXPECT_EQ(_xSDL_get_pixel_fun(o.get()), &_xSDL_get_pixel_32);
    EXPECT_EQ(_xSDL_get_pixel_fun(s.get()), &_xSDL_get_pixel_16);
    EXPECT_EQ(_xSDL_get_pixel_fun(t.get()), &_xSDL_get_pixel);  // XRGB masks but 3 bytes
    EXPECT_EQ(_xSDL_get_pixel_fun(p.get()), &_xSDL_get_pixel);
    EXPECT_EQ(_xSDL_set_pixel_fun(x.get()), &_xSDL_put_pixel_XRGB);
    EXPECT_EQ(_xSDL_set_pixel_fun(r.get()), &_xSDL_put_pixel_RGBX);
    EXPECT_EQ(_xSDL_set_pixel_fun(m.get()), &_xSDL_put_pixel_32);
    EXPECT_EQ(_xSDL_set_pixel_fun(s.get()), &_xSDL_put_pixel_16);
    EXPECT_EQ(_xSDL_set_pixel_fun(t.get()), &_xSDL_put_pixel);
    EXPECT_EQ(_xSDL_set_pixel_fun(p.get()), &_xSDL_put_pixel);
    EXPECT_EQ(_xSDL_get_pixel_r_fun(x.get()), &_xSDL_get_pixel_r_32);
    EXPECT_EQ(_xSDL_get_pixel_r_fun(r.get()), &_xSDL_get_pixel_r_32);
    EXPECT_EQ(_xSDL_get_pixel_r_fun(s.get()), &_xSDL_get_pixel_r_16);
    EXPECT_EQ(_xSDL_get_pixel_r_fun(t.get()), &_xSDL_get_pixel_r);
    EXPECT_EQ(_xSDL_get_pixel_r_fun(p.get()), &_xSDL_get_pixel_r);
}

// --- Per-pixel access, format by format ---------------------------------------------------------

TEST(XsdlPixelAccess, Xrgb32TopByteIsAlphaAsStored) {
    Surf s = xrgb(2, 1);
    set_raw32(s.get(), 0, 0, 0x7F112233u);
    EXPECT_EQ(get(_xSDL_get_pixel_XRGB, s.get(), 0, 0), (RGBA{0x11, 0x22, 0x33, 0x7F}));
    _xSDL_put_pixel_XRGB(s.get(), 1, 0, 0xAA, 0xBB, 0xCC, 0x44);
    EXPECT_EQ(raw32(s.get(), 1, 0), 0x44AABBCCu);
    // The mask form on the same surface has no alpha mask: A reads 0.
    EXPECT_EQ(get(_xSDL_get_pixel, s.get(), 0, 0), (RGBA{0x11, 0x22, 0x33, 0}));
    EXPECT_EQ(get(_xSDL_get_pixel_32, s.get(), 0, 0), (RGBA{0x11, 0x22, 0x33, 0}));
}

TEST(XsdlPixelAccess, Rgbx32) {
    Surf s = rgbx(2, 1);
    set_raw32(s.get(), 0, 0, 0x11223344u);
    EXPECT_EQ(get(_xSDL_get_pixel_RGBX, s.get(), 0, 0), (RGBA{0x11, 0x22, 0x33, 0x44}));
    _xSDL_put_pixel_RGBX(s.get(), 1, 0, 0xAA, 0xBB, 0xCC, 0xDD);
    EXPECT_EQ(raw32(s.get(), 1, 0), 0xAABBCCDDu);
}

TEST(XsdlPixelAccess, Rgba32AndOther32ByMasks) {
    for (Surf& s : surfaces(rgba(2, 1), bgra(2, 1), argb(2, 1))) {
        sdl_put(s.get(), 0, 0, RGBA{10, 20, 30, 40});
        EXPECT_EQ(get(_xSDL_get_pixel_32, s.get(), 0, 0), (RGBA{10, 20, 30, 40}));
        EXPECT_EQ(get(_xSDL_get_pixel, s.get(), 0, 0), (RGBA{10, 20, 30, 40}));
        _xSDL_put_pixel_32(s.get(), 1, 0, 50, 60, 70, 80);
        EXPECT_EQ(sdl_get(s.get(), 1, 0), (RGBA{50, 60, 70, 80}));
        _xSDL_put_pixel(s.get(), 1, 0, 51, 61, 71, 81);
        EXPECT_EQ(sdl_get(s.get(), 1, 0), (RGBA{51, 61, 71, 81}));
        Uint8 r = 0;
        _xSDL_get_pixel_r_32(s.get(), 0, 0, &r);
        EXPECT_EQ(r, 10);
    }
}

TEST(XsdlPixelAccess, Rgb24MatchesTheMediaLayersLayout) {
    Surf s = rgb24(3, 1);
    sdl_put(s.get(), 0, 0, RGBA{1, 2, 3, 255});
    EXPECT_EQ(get(_xSDL_get_pixel, s.get(), 0, 0), (RGBA{1, 2, 3, 0}));  // no alpha mask: A 0
    _xSDL_put_pixel(s.get(), 1, 0, 200, 100, 50, 9);
    EXPECT_EQ(sdl_get(s.get(), 1, 0), (RGBA{200, 100, 50, 255}));
    Uint8 r = 0;
    _xSDL_get_pixel_r(s.get(), 1, 0, &r);
    EXPECT_EQ(r, 200);
    // Writing one pixel leaves its neighbours' bytes alone.
    EXPECT_EQ(sdl_get(s.get(), 0, 0), (RGBA{1, 2, 3, 255}));
    EXPECT_EQ(*at(s.get(), 2, 0), 0);
}

TEST(XsdlPixelAccess, Rgb565KeepsLossesByMasks) {
    Surf s = rgb565(2, 1);
    const Uint16 p = 0xFFFF;
    std::memcpy(at(s.get(), 0, 0), &p, 2);
    // ((p AND mask) >> shift) << loss: 31 << 3 = 248, 63 << 2 = 252.
    EXPECT_EQ(get(_xSDL_get_pixel_16, s.get(), 0, 0), (RGBA{248, 252, 248, 0}));
    _xSDL_put_pixel_16(s.get(), 1, 0, 0x87, 0x43, 0x21, 0xFF);
    EXPECT_EQ(raw16(s.get(), 1, 0), Uint16(((0x87 >> 3) << 11) | ((0x43 >> 2) << 5) | (0x21 >> 3)));
    Uint8 r = 0;
    _xSDL_get_pixel_r_16(s.get(), 1, 0, &r);
    EXPECT_EQ(r, 0x80);
}

TEST(XsdlPixelAccess, Palette8WithColourKey) {
    Surf s = pal8(3, 1);
    at(s.get(), 0, 0)[0] = 7;
    at(s.get(), 1, 0)[0] = 9;
    at(s.get(), 2, 0)[0] = 200;
    // Without the colour-key flag every pixel reads A 255.
    for (int x = 0; x < 3; ++x) EXPECT_EQ(get(_xSDL_get_pixel, s.get(), x, 0).a, 255);
    EXPECT_EQ(get(_xSDL_get_pixel, s.get(), 2, 0), (RGBA{200, 55, 100, 255}));
    SDL_SetColorKey(s.get(), SDL_SRCCOLORKEY, 9);
    EXPECT_EQ(get(_xSDL_get_pixel, s.get(), 0, 0), (RGBA{7, 248, 3, 255}));
    EXPECT_EQ(get(_xSDL_get_pixel, s.get(), 1, 0), (RGBA{9, 246, 4, 0}));  // exactly at the key
    Uint8 r = 1;
    _xSDL_get_pixel_r(s.get(), 1, 0, &r);
    EXPECT_EQ(r, 0);
    _xSDL_get_pixel_r(s.get(), 0, 0, &r);
    EXPECT_EQ(r, 7);
    // Writing to a palette surface changes nothing.
    _xSDL_put_pixel(s.get(), 0, 0, 1, 2, 3, 4);
    EXPECT_EQ(at(s.get(), 0, 0)[0], 7);
    std::vector<Uint8> buf(12, 0x55);
    _xSDL_put_pixel_scan(s.get(), 0, 0, 3, buf.data());
    EXPECT_EQ(at(s.get(), 0, 0)[0], 7);
    EXPECT_EQ(at(s.get(), 1, 0)[0], 9);
    EXPECT_EQ(at(s.get(), 2, 0)[0], 200);
}

TEST(XsdlPixelAccess, OtherDepthsRead127AndWriteNothing) {
    Surf s = xrgb(1, 1);
    set_raw32(s.get(), 0, 0, 0x01020304u);
    s->format->BytesPerPixel = 5;  // a depth that the library does not draw
    const RGBA c = get(_xSDL_get_pixel, s.get(), 0, 0);
    Uint8 r = 0;
    _xSDL_get_pixel_r(s.get(), 0, 0, &r);
    _xSDL_put_pixel(s.get(), 0, 0, 9, 9, 9, 9);
    std::vector<Uint8> buf(4, 0xEE);
    _xSDL_get_pixel_scan(s.get(), 0, 0, 1, buf.data());
    s->format->BytesPerPixel = 4;
    EXPECT_EQ(c, (RGBA{127, 127, 127, 127}));
    EXPECT_EQ(r, 127);
    EXPECT_EQ(raw32(s.get(), 0, 0), 0x01020304u);
    EXPECT_EQ(buf, std::vector<Uint8>(4, 0xEE));  // nothing written to the buffer
}

// --- Scanlines ------------------------------------------------------------------------------------

TEST(XsdlScanline, FormatsReadAndWriteRowsByTheirRules) {
    Rng rng(3);
    for (Surf& s : surfaces(xrgb(37, 2), argb(37, 2), rgba(37, 2), rgbx(37, 2), bgra(37, 2), rgb24(37, 2),
                            rgb565(37, 2), argb4444(37, 2))) {
        fill_random(s.get(), rng);
        std::vector<Uint8> buf(4 * 37, 0xAA);
        _xSDL_get_pixel_scan(s.get(), 0, 1, 37, buf.data());
        for (int x = 0; x < 37; ++x) {
            // Every format reads by masks in a scanline (A 0 without an alpha mask).
            RGBA want;
            _xSDL_get_pixel(s.get(), Uint16(x), 1, &want.r, &want.g, &want.b, &want.a);
            ASSERT_EQ(entry(buf, x), want) << "bpp " << int(s->format->BitsPerPixel) << " x " << x;
        }
        // Writing the row back to row 0 gives what the per-pixel writer gives.
        Surf t(SDL_ConvertSurface(s.get(), s->format, 0));
        _xSDL_put_pixel_scan(s.get(), 0, 0, 37, buf.data());
        for (int x = 0; x < 37; ++x) {
            const RGBA e = entry(buf, x);
            _xSDL_put_pixel(t.get(), Uint16(x), 0, e.r, e.g, e.b, e.a);
        }
        ASSERT_TRUE(same_pixels(s.get(), t.get())) << "bpp " << int(s->format->BitsPerPixel);
    }
}

TEST(XsdlScanline, SixteenBitFillsAllFourBytes) {
    Surf s = rgb565(2, 1);
    std::memset(s->pixels, 0xFF, 4);
    std::vector<Uint8> buf(8, 0xAA);
    _xSDL_get_pixel_scan(s.get(), 0, 0, 2, buf.data());
    EXPECT_EQ(entry(buf, 1), (RGBA{248, 252, 248, 0}));
}

TEST(XsdlScanline, XrgbAlphaPerPixelVersusScanline) {
    Surf s = xrgb(1, 1);
    set_raw32(s.get(), 0, 0, 0x80102030u);
    std::vector<Uint8> buf(4);
    _xSDL_get_pixel_scan(s.get(), 0, 0, 1, buf.data());
    EXPECT_EQ(entry(buf, 0), (RGBA{0x10, 0x20, 0x30, 0}));  // no alpha mask: A 0
    EXPECT_EQ(get(_xSDL_get_pixel_fun(s.get()), s.get(), 0, 0).a, 0x80);
    // Written back by masks, the top byte of a format without alpha is 0.
    _xSDL_put_pixel_scan(s.get(), 0, 0, 1, buf.data());
    EXPECT_EQ(raw32(s.get(), 0, 0), 0x00102030u);
    // ARGB keeps it.
    Surf a = argb(1, 1);
    set_raw32(a.get(), 0, 0, 0x80102030u);
    _xSDL_get_pixel_scan(a.get(), 0, 0, 1, buf.data());
    EXPECT_EQ(entry(buf, 0), (RGBA{0x10, 0x20, 0x30, 0x80}));
    _xSDL_put_pixel_scan(a.get(), 0, 0, 1, buf.data());
    EXPECT_EQ(raw32(a.get(), 0, 0), 0x80102030u);
}

TEST(XsdlScanline, RgbaByteOrderIsARawCopy) {
    Surf s = rgba(20, 1);
    Rng rng(5);
    fill_random(s.get(), rng);
    std::vector<Uint8> buf(80);
    _xSDL_get_pixel_scan(s.get(), 0, 0, 20, buf.data());
    EXPECT_EQ(std::memcmp(buf.data(), s->pixels, 80), 0);
    for (auto& b : buf) b = Uint8(b ^ 0x5A);
    _xSDL_put_pixel_scan(s.get(), 0, 0, 20, buf.data());
    EXPECT_EQ(std::memcmp(buf.data(), s->pixels, 80), 0);
}

TEST(XsdlScanline, ColumnFillAndCopyForms) {
    Surf s = argb(4, 5);
    std::memset(s->pixels, 0, std::size_t(s->pitch) * s->h);
    _xSDL_fill_pixel_vscan(s.get(), 2, 1, 3, 0x11223344u);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(sdl_get(s.get(), 2, y),
                  (y >= 1 && y <= 3 ? RGBA{0x11, 0x22, 0x33, 0x44} : RGBA{0, 0, 0, 0}));
    _xSDL_fill_pixel_scan(s.get(), 1, 4, 3, 0xA0B0C0D0u);
    EXPECT_EQ(sdl_get(s.get(), 0, 4), (RGBA{0, 0, 0, 0}));
    for (int x = 1; x < 4; ++x) EXPECT_EQ(sdl_get(s.get(), x, 4), (RGBA{0xA0, 0xB0, 0xC0, 0xD0}));
    std::vector<Uint8> col(4 * 5);
    _xSDL_get_pixel_vscan(s.get(), 2, 0, 5, col.data());
    EXPECT_EQ(entry(col, 2), (RGBA{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(entry(col, 4), (RGBA{0xA0, 0xB0, 0xC0, 0xD0}));
    col[0] = 9;
    _xSDL_put_pixel_vscan(s.get(), 0, 0, 1, col.data());
    EXPECT_EQ(sdl_get(s.get(), 0, 0), (RGBA{9, 0, 0, 0}));

    // Copy: raw bytes between equal formats, pixel by pixel (alpha included) between others.
    Surf d = rgba(4, 1), e = argb(4, 1);
    _xSDL_copy_pixel_scan(s.get(), 1, 4, 3, d.get(), 0, 0);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(sdl_get(d.get(), x, 0), (RGBA{0xA0, 0xB0, 0xC0, 0xD0}));
    set_raw32(e.get(), 3, 0, 0xDEADBEEFu);
    _xSDL_copy_pixel_scan(s.get(), 0, 4, 3, e.get(), 0, 0);
    EXPECT_EQ(std::memcmp(at(e.get(), 0, 0), at(s.get(), 0, 4), 12), 0);
    EXPECT_EQ(raw32(e.get(), 3, 0), 0xDEADBEEFu);
}

// --- The scanline pool --------------------------------------------------------------------------

namespace {

// Takes every pooled pair out (keeping them to give back later, last first).
struct DrainedPool {
    std::vector<scoped_scanline::buf_type> held;
    DrainedPool() {
        while (xsdl_detail::scanline_pool_count() > 0) held.push_back(scoped_scanline::acquire_buf(4096));
    }
    ~DrainedPool() {
        for (auto it = held.rbegin(); it != held.rend(); ++it) scoped_scanline::release_buf(*it);
    }
};

}  // namespace

TEST(XsdlPool, RoundsToMultiplesOf512) {
    DrainedPool drained;
    auto a = scoped_scanline::acquire_buf(1);
    EXPECT_EQ(a.first, 512u);
    auto b = scoped_scanline::acquire_buf(513);
    EXPECT_EQ(b.first, 1024u);
    scoped_scanline::release_buf(b);
    scoped_scanline::release_buf(a);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 2u);
    // Last in, first out: a comes back first, with its own size.
    auto c = scoped_scanline::acquire_buf(100);
    EXPECT_EQ(c.second, a.second);
    EXPECT_EQ(c.first, 512u);
    scoped_scanline::release_buf(c);
}

TEST(XsdlPool, ZeroBytes) {
    DrainedPool drained;
    auto z = scoped_scanline::acquire_buf(0);  // empty pool: a new 0-byte buffer
    EXPECT_EQ(z.first, 0u);
    EXPECT_NE(z.second, nullptr);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 0u);
    scoped_scanline::release_buf(z);
    auto big = scoped_scanline::acquire_buf(2048);  // the 0-byte pair is too small: freed
    EXPECT_EQ(big.first, 2048u);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 0u);
    scoped_scanline::release_buf(big);
    auto again = scoped_scanline::acquire_buf(0);  // non-empty pool: the last pooled pair
    EXPECT_EQ(again.second, big.second);
    EXPECT_EQ(again.first, 2048u);
    scoped_scanline::release_buf(again);
}

TEST(XsdlPool, LargestPooledSizeAndBeyond) {
    DrainedPool drained;
    auto p = scoped_scanline::acquire_buf(4096);
    EXPECT_EQ(p.first, 4096u);
    scoped_scanline::release_buf(p);
    auto q = scoped_scanline::acquire_buf(4096);  // reused
    EXPECT_EQ(q.second, p.second);
    scoped_scanline::release_buf(q);
    const std::size_t before = xsdl_detail::scanline_pool_count();
    auto big = scoped_scanline::acquire_buf(4097);  // never from the pool
    EXPECT_EQ(big.first, 4608u);
    EXPECT_NE(big.second, q.second);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), before);
    scoped_scanline::release_buf(big);  // freed, not pooled
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), before);
}

TEST(XsdlPool, SmallerPooledBufferIsFreedAndReplaced) {
    DrainedPool drained;
    auto small = scoped_scanline::acquire_buf(512);
    scoped_scanline::release_buf(small);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 1u);
    auto larger = scoped_scanline::acquire_buf(1000);
    EXPECT_EQ(larger.first, 1024u);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 0u);  // the 512-byte pair is gone
    scoped_scanline::release_buf(larger);
}

TEST(XsdlPool, ScopedScanlineReleasesOnEveryWayOut) {
    DrainedPool drained;
    unsigned char* seen = nullptr;
    auto f = [&](bool early) {
        scoped_scanline s(300);
        seen = s.get();
        EXPECT_EQ(s.size(), 512u);
        if (early) return 1;
        return 0;
    };
    f(true);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 1u);
    f(false);
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 1u);
    {
        scoped_scanline a(10), b(10);
        EXPECT_EQ(a.get(), seen);  // the pooled one
        EXPECT_NE(b.get(), seen);
    }  // b goes back first, then a
    EXPECT_EQ(xsdl_detail::scanline_pool_count(), 2u);
    auto last = scoped_scanline::acquire_buf(10);
    EXPECT_EQ(last.second, seen);
    scoped_scanline::release_buf(last);
}

// --- Surface creation -----------------------------------------------------------------------------

TEST(XsdlSurface, CopyBlankFollowsTheModel) {
    Surf p = pal8(3, 2);
    Surf a(_xSDL_copy_blank(p.get(), 5, 4));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->w, 5);
    EXPECT_EQ(a->h, 4);
    EXPECT_EQ(a->format->BitsPerPixel, 32);
    EXPECT_EQ(a->format->Rmask, 0xFFu);
    EXPECT_EQ(a->format->Gmask, 0xFF00u);
    EXPECT_EQ(a->format->Bmask, 0xFF0000u);
    EXPECT_EQ(a->format->Amask, 0xFF000000u);
    EXPECT_TRUE(a->flags & SDL_SRCALPHA);
    Surf n(_xSDL_copy_blank(nullptr, 2, 2));
    ASSERT_TRUE(n);
    EXPECT_EQ(n->format->Amask, 0xFF000000u);
    Surf s = rgb565(3, 3);
    Surf b(_xSDL_copy_blank(s.get(), 7, 1));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->format->BitsPerPixel, 16);
    EXPECT_EQ(b->format->Rmask, 0xF800u);
    EXPECT_EQ(b->format->Gmask, 0x07E0u);
    EXPECT_EQ(b->format->Bmask, 0x001Fu);
    Surf c(_xSDL_create_rgba(9, 8));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->format->Rmask, 0xFFu);
    EXPECT_TRUE(c->flags & SDL_SRCALPHA);
}

TEST(XsdlSurface, CopySameSizeIsByteForByte) {
    Surf s = argb(13, 7);
    Rng rng(11);
    fill_random(s.get(), rng);
    Surf c(_xSDL_copy(s.get()));
    ASSERT_TRUE(c);
    EXPECT_NE(c.get(), s.get());
    EXPECT_TRUE(same_pixels(c.get(), s.get()));
    EXPECT_EQ(c->format->Amask, s->format->Amask);
}

TEST(XsdlSurface, CopyLargerCentresAndFillsTheMargin) {
    Surf s = argb(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) sdl_put(s.get(), x, y, RGBA{Uint8(x), Uint8(y), 7, 200});
    Surf c(_xSDL_copy(s.get(), 8, 5, 0x10203040u));
    ASSERT_TRUE(c);
    ASSERT_EQ(c->w, 8);
    ASSERT_EQ(c->h, 5);
    const int ox = (8 - 3) / 2, oy = (5 - 2) / 2;  // 2, 1
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= ox && x < ox + 3 && y >= oy && y < oy + 2;
            const RGBA want =
                inside ? RGBA{Uint8(x - ox), Uint8(y - oy), 7, 200} : RGBA{0x10, 0x20, 0x30, 0x40};
            ASSERT_EQ(sdl_get(c.get(), x, y), want) << x << "," << y;
        }
    // A smaller request keeps the source's size; the colour defaults to 0.
    Surf d(_xSDL_copy(s.get(), 1, 4));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->w, 3);
    EXPECT_EQ(d->h, 4);
    EXPECT_EQ(sdl_get(d.get(), 0, 0), (RGBA{0, 0, 0, 0}));
    EXPECT_EQ(sdl_get(d.get(), 2, 2), (RGBA{2, 1, 7, 200}));
    EXPECT_EQ(_xSDL_copy(nullptr), nullptr);
}

TEST(XsdlSurface, CopyOfPaletteSurfaceGivesRgbaWithKeyAlpha) {
    Surf p = pal8(2, 1);
    at(p.get(), 0, 0)[0] = 5;
    at(p.get(), 1, 0)[0] = 6;
    SDL_SetColorKey(p.get(), SDL_SRCCOLORKEY, 6);
    Surf c(_xSDL_copy(p.get()));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->format->BitsPerPixel, 32);
    EXPECT_EQ(sdl_get(c.get(), 0, 0), (RGBA{5, 250, 2, 255}));
    EXPECT_EQ(sdl_get(c.get(), 1, 0), (RGBA{6, 249, 3, 0}));
}
