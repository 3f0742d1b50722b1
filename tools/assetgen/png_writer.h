#pragma once
// PNG encoding: 8-bit RGBA, not interlaced, no time or text chunks, so equal pixels
// give equal bytes.

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace assetgen {

// Encodes a premultiplied ARGB32 surface with straight alpha. Empty on failure.
std::vector<uint8_t> encode_png(cairo_surface_t* surface);

}  // namespace assetgen
