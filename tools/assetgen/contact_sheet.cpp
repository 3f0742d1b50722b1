#include "contact_sheet.h"

#include "png_writer.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace assetgen {
namespace {

const int cols = 6, rows = 10;
const int cell_w = 256, cell_h = 212;
const int box_w = 248, box_h = 170;  // thumbnail area at (4, 4) in a cell

// Fits an image into the box: shrinks large ones, enlarges small ones by a whole factor.
double thumb_scale(int w, int h) {
    double s = std::min(double(box_w) / w, double(box_h) / h);
    return s >= 1 ? std::min(4.0, std::floor(s)) : s;
}

void checkerboard(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    const int sq = 8;
    for (int j = 0; j * sq < h; ++j)
        for (int i = 0; i * sq < w; ++i) {
            double v = (i + j) % 2 ? 0.42 : 0.62;
            cairo_set_source_rgb(cr, v, v, v);
            cairo_rectangle(cr, x + i * sq, y + j * sq, sq, sq);
            cairo_fill(cr);
        }
    cairo_restore(cr);
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

}  // namespace

ContactSheets::~ContactSheets() {
    for (Thumb& t : thumbs_) cairo_surface_destroy(t.surface);
}

void ContactSheets::add(const std::string& name, cairo_surface_t* image) {
    const int w = cairo_image_surface_get_width(image);
    const int h = cairo_image_surface_get_height(image);
    const double s = thumb_scale(w, h);
    const int tw = std::max(1, int(std::lround(w * s)));
    const int th = std::max(1, int(std::lround(h * s)));
    cairo_surface_t* thumb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, tw, th);
    cairo_t* cr = cairo_create(thumb);
    cairo_scale(cr, s, s);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr),
                             s >= 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::lock_guard<std::mutex> lock(mutex_);
    thumbs_.push_back(Thumb{name, w, h, thumb});
}

int ContactSheets::write(const std::string& dir, std::string* error) {
    std::sort(thumbs_.begin(), thumbs_.end(),
              [](const Thumb& a, const Thumb& b) { return a.name < b.name; });
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const size_t per_sheet = size_t(cols * rows);
    int sheets = 0;
    for (size_t first = 0; first < thumbs_.size(); first += per_sheet) {
        const size_t n = std::min(per_sheet, thumbs_.size() - first);
        const int used_rows = int((n + cols - 1) / cols);
        cairo_surface_t* sheet =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cols * cell_w, used_rows * cell_h);
        cairo_t* cr = cairo_create(sheet);
        cairo_set_source_rgb(cr, 0.13, 0.13, 0.15);
        cairo_paint(cr);
        TextStyle label;
        label.size_px = 11;
        label.r = label.g = label.b = 0.9;
        for (size_t k = 0; k < n; ++k) {
            const Thumb& t = thumbs_[first + k];
            const double x = double(k % cols) * cell_w + 4, y = double(k / cols) * cell_h + 4;
            const int tw = cairo_image_surface_get_width(t.surface);
            const int th = cairo_image_surface_get_height(t.surface);
            const double tx = x + (box_w - tw) / 2, ty = y + (box_h - th) / 2;
            checkerboard(cr, tx, ty, tw, th);
            cairo_set_source_surface(cr, t.surface, tx, ty);
            cairo_paint(cr);
            // Drop the common "i/" prefix of every image name.
            draw_text(cr, t.name.substr(t.name.compare(0, 2, "i/") == 0 ? 2 : 0), label, x,
                      y + box_h + 4);
            char size[48];
            std::snprintf(size, sizeof size, "%d x %d", t.w, t.h);
            draw_text(cr, size, label, x, y + box_h + 20);
        }
        cairo_destroy(cr);
        ++sheets;
        char file[32];
        std::snprintf(file, sizeof file, "contact_%02d.png", sheets);
        const std::vector<uint8_t> png = encode_png(sheet);
        cairo_surface_destroy(sheet);
        const std::string path = (std::filesystem::path(dir) / file).string();
        if (png.empty() || !write_file(path, png)) {
            *error = "cannot write " + path;
            return -1;
        }
    }
    return sheets;
}

}  // namespace assetgen
