#include "jpeg_writer.h"

#include "pixels.h"

#include <cstdio>
#include <cstdlib>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <csetjmp>

namespace assetgen {
namespace {

struct ErrorJump {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void on_error(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorJump*>(cinfo->err)->jump, 1);
}

void quiet(j_common_ptr, int) {}

// Runs libjpeg; objects with destructors live in the caller (errors longjmp here).
bool compress(const uint8_t* rgb, int w, int h, int quality, unsigned char** buf,
              unsigned long* len) {
    jpeg_compress_struct cinfo;
    ErrorJump err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = on_error;
    err.mgr.emit_message = quiet;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buf, len);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    for (int c = 0; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(cinfo.next_scanline) * size_t(w) * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<uint8_t> encode_jpeg(cairo_surface_t* surface, int quality) {
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const std::vector<uint8_t> rgb = to_rgb_over_black(surface);
    unsigned char* buf = nullptr;
    unsigned long len = 0;
    std::vector<uint8_t> out;
    if (compress(rgb.data(), w, h, quality, &buf, &len)) out.assign(buf, buf + len);
    std::free(buf);
    return out;
}

}  // namespace assetgen
