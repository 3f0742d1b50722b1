#include "png_writer.h"

#include "pixels.h"

#include <png.h>

#include <csetjmp>

namespace assetgen {
namespace {

void append(png_structp png, png_bytep data, png_size_t n) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

void no_flush(png_structp) {}

// Runs libpng; every object with a destructor lives in the caller, since libpng
// reports errors by longjmp.
bool write_rows(std::vector<uint8_t>* out, png_bytep* rows, int w, int h) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, out, append, no_flush);
    png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<uint8_t> encode_png(cairo_surface_t* surface) {
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    std::vector<uint8_t> rgba = to_rgba(surface);
    std::vector<png_bytep> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows[size_t(y)] = rgba.data() + size_t(y) * size_t(w) * 4;
    std::vector<uint8_t> out;
    if (!write_rows(&out, rows.data(), w, h)) out.clear();
    return out;
}

}  // namespace assetgen
