#pragma once
// Pixel conversion from cairo's premultiplied ARGB32 surfaces.

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace assetgen {

// Straight-alpha RGBA, 4 bytes per pixel, rows top to bottom without padding.
std::vector<uint8_t> to_rgba(cairo_surface_t* surface);

// RGB, 3 bytes per pixel, composited over black (what a premultiplied pixel holds).
std::vector<uint8_t> to_rgb_over_black(cairo_surface_t* surface);

// Number of pixels whose alpha is below 255.
long count_translucent(cairo_surface_t* surface);

}  // namespace assetgen
