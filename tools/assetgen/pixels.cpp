#include "pixels.h"

#include <cstddef>

namespace assetgen {
namespace {

// Calls f(argb) for every pixel, row by row.
template <class F>
void each_pixel(cairo_surface_t* surface, F f) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) f(row[x]);
    }
}

size_t pixel_count(cairo_surface_t* surface) {
    return size_t(cairo_image_surface_get_width(surface)) *
           size_t(cairo_image_surface_get_height(surface));
}

uint8_t unpremultiply(uint32_t c, uint32_t a) {
    uint32_t v = (c * 255 + a / 2) / a;
    return uint8_t(v > 255 ? 255 : v);
}

}  // namespace

std::vector<uint8_t> to_rgba(cairo_surface_t* surface) {
    std::vector<uint8_t> out;
    out.reserve(pixel_count(surface) * 4);
    each_pixel(surface, [&](uint32_t p) {
        const uint32_t a = p >> 24;
        if (a == 0) {
            out.insert(out.end(), {0, 0, 0, 0});
            return;
        }
        out.push_back(unpremultiply((p >> 16) & 0xff, a));
        out.push_back(unpremultiply((p >> 8) & 0xff, a));
        out.push_back(unpremultiply(p & 0xff, a));
        out.push_back(uint8_t(a));
    });
    return out;
}

std::vector<uint8_t> to_rgb_over_black(cairo_surface_t* surface) {
    std::vector<uint8_t> out;
    out.reserve(pixel_count(surface) * 3);
    each_pixel(surface, [&](uint32_t p) {
        out.push_back(uint8_t(p >> 16));
        out.push_back(uint8_t(p >> 8));
        out.push_back(uint8_t(p));
    });
    return out;
}

long count_translucent(cairo_surface_t* surface) {
    long n = 0;
    each_pixel(surface, [&](uint32_t p) { n += (p >> 24) != 0xff; });
    return n;
}

}  // namespace assetgen
