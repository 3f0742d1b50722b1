#pragma once
// Reads the size and layout of an encoded PNG or JPEG from its header bytes.

#include "members.h"

#include <cstddef>
#include <cstdint>

namespace assetgen {

struct ImageInfo {
    int w = 0, h = 0;
    // PNG: 8-bit RGBA, not interlaced. JPEG: baseline (SOF0), three components.
    bool expected_layout = false;
};

// False when the bytes are not a well-formed header of that format.
bool probe_image(const uint8_t* data, size_t n, Format format, ImageInfo* out);

}  // namespace assetgen
