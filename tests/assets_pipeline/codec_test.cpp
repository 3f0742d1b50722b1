// The generator's encoders, decoded back through the media layer's image decoder.

#include "image_probe.h"
#include "jpeg_writer.h"
#include "png_writer.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

using assetgen::encode_jpeg;
using assetgen::encode_png;
using assetgen::Format;
using assetgen::ImageInfo;
using assetgen::probe_image;

namespace {

struct Rgba {
    int r, g, b, a;
};

// A w x h surface whose pixel (x, 0) is painted with colours[x] by cairo.
cairo_surface_t* strip(const std::vector<Rgba>& colours, int h = 1) {
    const int w = int(colours.size());
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    for (int x = 0; x < w; ++x) {
        const Rgba& c = colours[size_t(x)];
        cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, c.a / 255.0);
        cairo_rectangle(cr, x, 0, 1, h);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return s;
}

SDL_Surface* decode(const std::vector<uint8_t>& bytes) {
    return IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
}

Rgba pixel(SDL_Surface* s, int x, int y) {
    const Uint8* p =
        static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    std::memcpy(&v, p, s->format->BytesPerPixel);
    Uint8 r, g, b, a;
    SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
    return {r, g, b, a};
}

void expect_near(const Rgba& got, const Rgba& want, int tol, const std::string& what) {
    EXPECT_NEAR(got.r, want.r, tol) << what;
    EXPECT_NEAR(got.g, want.g, tol) << what;
    EXPECT_NEAR(got.b, want.b, tol) << what;
    EXPECT_NEAR(got.a, want.a, tol) << what;
}

}  // namespace

TEST(AssetCodec, PngStoresStraightAlpha) {
    const std::vector<Rgba> colours = {
        {255, 128, 0, 128}, {10, 200, 30, 255}, {0, 0, 0, 0}, {255, 255, 255, 1}, {40, 80, 160, 64}};
    cairo_surface_t* s = strip(colours, 3);
    const std::vector<uint8_t> png = encode_png(s);
    cairo_surface_destroy(s);
    SDL_Surface* d = decode(png);
    ASSERT_NE(d, nullptr) << IMG_GetError();
    ASSERT_EQ(d->format->BytesPerPixel, 4);
    EXPECT_EQ(d->w, 5);
    EXPECT_EQ(d->h, 3);
    // Premultiplied storage loses precision at low alpha; only the alpha of the
    // nearly transparent pixel is exact.
    expect_near(pixel(d, 0, 2), colours[0], 2, "half alpha");
    expect_near(pixel(d, 1, 0), colours[1], 0, "opaque");
    EXPECT_EQ(pixel(d, 2, 1).a, 0);
    EXPECT_EQ(pixel(d, 3, 0).a, 1);
    expect_near(pixel(d, 4, 0), colours[4], 4, "quarter alpha");
    SDL_FreeSurface(d);
}

TEST(AssetCodec, PngHeaderAndDeterminism) {
    cairo_surface_t* s = strip({{1, 2, 3, 255}, {9, 8, 7, 100}}, 1023);
    const std::vector<uint8_t> a = encode_png(s), b = encode_png(s);
    cairo_surface_destroy(s);
    EXPECT_EQ(a, b);
    ImageInfo info;
    ASSERT_TRUE(probe_image(a.data(), a.size(), Format::png, &info));
    EXPECT_EQ(info.w, 2);
    EXPECT_EQ(info.h, 1023);
    EXPECT_TRUE(info.expected_layout);
    const std::string text(a.begin(), a.end());
    EXPECT_EQ(text.find("tIME"), std::string::npos) << "a time chunk makes builds differ";
    EXPECT_FALSE(probe_image(a.data(), 20, Format::png, &info));
    EXPECT_FALSE(probe_image(a.data(), a.size(), Format::jpeg, &info));
}

TEST(AssetCodec, JpegIsBaselineOpaqueAndOverBlack) {
    std::vector<Rgba> colours(37, Rgba{200, 40, 90, 255});
    for (int x = 20; x < 37; ++x) colours[size_t(x)] = {255, 255, 255, 128};
    cairo_surface_t* s = strip(colours, 21);
    const std::vector<uint8_t> jpg = encode_jpeg(s);
    EXPECT_EQ(jpg, encode_jpeg(s));
    cairo_surface_destroy(s);

    ImageInfo info;
    ASSERT_TRUE(probe_image(jpg.data(), jpg.size(), Format::jpeg, &info));
    EXPECT_EQ(info.w, 37);
    EXPECT_EQ(info.h, 21);
    EXPECT_TRUE(info.expected_layout) << "not baseline with three components";

    SDL_Surface* d = decode(jpg);
    ASSERT_NE(d, nullptr) << IMG_GetError();
    EXPECT_EQ(d->w, 37);
    EXPECT_EQ(d->h, 21);
    EXPECT_EQ(d->format->BitsPerPixel, 24);
    expect_near(pixel(d, 5, 10), {200, 40, 90, 255}, 4, "opaque colour");
    expect_near(pixel(d, 30, 10), {128, 128, 128, 255}, 4, "half white over black");
    SDL_FreeSurface(d);
}

TEST(AssetCodec, ProbeRejectsOtherBytes) {
    const uint8_t junk[64] = {0xff, 0xd8, 0xff, 0xda, 0, 2};
    ImageInfo info;
    EXPECT_FALSE(probe_image(junk, sizeof junk, Format::jpeg, &info));
    EXPECT_FALSE(probe_image(junk, sizeof junk, Format::png, &info));
    EXPECT_FALSE(probe_image(junk, 0, Format::jpeg, &info));
}
