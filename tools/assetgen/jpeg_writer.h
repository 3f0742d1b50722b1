#pragma once
// Baseline JPEG encoding, 24-bit, full-resolution chroma. Deterministic bytes.

#include <cairo.h>

#include <cstdint>
#include <vector>

namespace assetgen {

// Encodes a surface composited over black. Empty on failure.
std::vector<uint8_t> encode_jpeg(cairo_surface_t* surface, int quality = 92);

}  // namespace assetgen
