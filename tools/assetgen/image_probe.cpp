#include "image_probe.h"

#include <cstring>

namespace assetgen {
namespace {

uint32_t be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
int be16(const uint8_t* p) { return p[0] << 8 | p[1]; }

bool probe_png(const uint8_t* d, size_t n, ImageInfo* out) {
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (n < 33 || std::memcmp(d, sig, 8) != 0 || std::memcmp(d + 12, "IHDR", 4) != 0)
        return false;
    out->w = int(be32(d + 16));
    out->h = int(be32(d + 20));
    const int depth = d[24], colour = d[25], interlace = d[28];
    out->expected_layout = depth == 8 && colour == 6 && interlace == 0;
    return true;
}

// Walks the marker segments up to the first frame header.
bool probe_jpeg(const uint8_t* d, size_t n, ImageInfo* out) {
    if (n < 4 || d[0] != 0xff || d[1] != 0xd8) return false;
    size_t i = 2;
    while (i + 4 <= n) {
        if (d[i] != 0xff) return false;
        const int marker = d[i + 1];
        if (marker == 0xff) {  // fill byte
            ++i;
            continue;
        }
        const size_t len = size_t(be16(d + i + 2));
        if (len < 2 || i + 2 + len > n) return false;
        const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 &&
                           marker != 0xc8 && marker != 0xcc;
        if (frame) {
            if (len < 8) return false;
            const uint8_t* s = d + i + 4;
            out->h = be16(s + 1);
            out->w = be16(s + 3);
            out->expected_layout = marker == 0xc0 && s[0] == 8 && s[5] == 3;
            return true;
        }
        if (marker == 0xda || marker == 0xd9) return false;  // scan before any frame
        i += 2 + len;
    }
    return false;
}

}  // namespace

bool probe_image(const uint8_t* data, size_t n, Format format, ImageInfo* out) {
    *out = ImageInfo{};
    switch (format) {
        case Format::png: return probe_png(data, n, out);
        case Format::jpeg: return probe_jpeg(data, n, out);
        default: return false;
    }
}

}  // namespace assetgen
