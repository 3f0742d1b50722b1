#include "pieces_common.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {
namespace pieces {

Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(const Rgb& a, double k) {
    return Rgb{std::min(1.0, a.r * k), std::min(1.0, a.g * k), std::min(1.0, a.b * k)};
}

void set_rgb(cairo_t* cr, const Rgb& c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

void add_stop(cairo_pattern_t* p, double off, const Rgb& c, double a) {
    cairo_pattern_add_color_stop_rgba(p, off, c.r, c.g, c.b, a);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

namespace {

void add_disc(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_close_path(cr);
}

// Unit shapes: height 1 from y -0.5 to 0.5, centred on x 0.
void unit_heart(cairo_t* cr) {
    cairo_move_to(cr, 0, 0.5);
    cairo_curve_to(cr, -0.09, 0.37, -0.5, 0.12, -0.5, -0.17);
    cairo_curve_to(cr, -0.5, -0.39, -0.36, -0.5, -0.25, -0.5);
    cairo_curve_to(cr, -0.12, -0.5, -0.03, -0.42, 0, -0.3);
    cairo_curve_to(cr, 0.03, -0.42, 0.12, -0.5, 0.25, -0.5);
    cairo_curve_to(cr, 0.36, -0.5, 0.5, -0.39, 0.5, -0.17);
    cairo_curve_to(cr, 0.5, 0.12, 0.09, 0.37, 0, 0.5);
    cairo_close_path(cr);
}

void unit_diamond(cairo_t* cr) {
    cairo_move_to(cr, 0, -0.5);
    cairo_curve_to(cr, 0.12, -0.3, 0.25, -0.15, 0.39, 0);
    cairo_curve_to(cr, 0.25, 0.15, 0.12, 0.3, 0, 0.5);
    cairo_curve_to(cr, -0.12, 0.3, -0.25, 0.15, -0.39, 0);
    cairo_curve_to(cr, -0.25, -0.15, -0.12, -0.3, 0, -0.5);
    cairo_close_path(cr);
}

void unit_spade(cairo_t* cr) {
    cairo_move_to(cr, 0, -0.5);
    cairo_curve_to(cr, 0.1, -0.33, 0.5, -0.13, 0.5, 0.11);
    cairo_curve_to(cr, 0.5, 0.29, 0.37, 0.36, 0.26, 0.36);
    cairo_curve_to(cr, 0.16, 0.36, 0.08, 0.31, 0.045, 0.25);
    cairo_curve_to(cr, 0.06, 0.37, 0.12, 0.46, 0.21, 0.5);
    cairo_line_to(cr, -0.21, 0.5);
    cairo_curve_to(cr, -0.12, 0.46, -0.06, 0.37, -0.045, 0.25);
    cairo_curve_to(cr, -0.08, 0.31, -0.16, 0.36, -0.26, 0.36);
    cairo_curve_to(cr, -0.37, 0.36, -0.5, 0.29, -0.5, 0.11);
    cairo_curve_to(cr, -0.5, -0.13, -0.1, -0.33, 0, -0.5);
    cairo_close_path(cr);
}

void unit_club(cairo_t* cr) {
    const double r = 0.235;
    add_disc(cr, 0, -0.5 + r, r);
    add_disc(cr, -0.265, 0.09, r);
    add_disc(cr, 0.265, 0.09, r);
    add_disc(cr, 0, 0.02, 0.14);
    cairo_move_to(cr, -0.055, 0.05);
    cairo_curve_to(cr, -0.06, 0.33, -0.13, 0.45, -0.22, 0.5);
    cairo_line_to(cr, 0.22, 0.5);
    cairo_curve_to(cr, 0.13, 0.45, 0.06, 0.33, 0.055, 0.05);
    cairo_close_path(cr);
}

// The index club and spade are drawn on a 9 x 9 grid of cells (cell units from the top-left):
// at the index's size each cell is one pixel of the 800x600 window, which shows the cards at
// 25/32, so the notches and the point that tell them apart land on whole pixels there too.
void in_index_cells(cairo_t* cr) {
    cairo_scale(cr, 1.0 / 9, 1.0 / 9);
    cairo_translate(cr, -4.5, -4.5);
}

// Index club: three round lobes, the top one standing clear of the side ones, joined only by
// a one-cell stem that widens into a foot.
void unit_index_club(cairo_t* cr) {
    in_index_cells(cr);
    add_disc(cr, 4.5, 2.05, 2.05);
    add_disc(cr, 2.0, 5.9, 2.0);
    add_disc(cr, 7.0, 5.9, 2.0);
    cairo_rectangle(cr, 4.0, 2.0, 1.0, 6.0);
    cairo_move_to(cr, 5.0, 7.0);
    cairo_curve_to(cr, 5.1, 7.9, 5.6, 8.6, 6.1, 9);
    cairo_line_to(cr, 2.9, 9);
    cairo_curve_to(cr, 3.4, 8.6, 3.9, 7.9, 4.0, 7.0);
    cairo_close_path(cr);
}

// Index spade: one point widening in a single smooth body to the full width, two round lower
// lobes, a stem and a foot.
void unit_index_spade(cairo_t* cr) {
    in_index_cells(cr);
    cairo_move_to(cr, 4.5, 0);
    cairo_curve_to(cr, 5.5, 1.6, 9, 3.2, 9, 5.4);
    cairo_curve_to(cr, 9, 6.7, 8.1, 7.3, 7.0, 7.3);
    cairo_curve_to(cr, 6.1, 7.3, 5.4, 6.9, 5.0, 6.3);
    cairo_line_to(cr, 5.0, 7.5);
    cairo_curve_to(cr, 5.2, 8.3, 5.9, 8.8, 6.6, 9);
    cairo_line_to(cr, 2.4, 9);
    cairo_curve_to(cr, 3.1, 8.8, 3.8, 8.3, 4.0, 7.5);
    cairo_line_to(cr, 4.0, 6.3);
    cairo_curve_to(cr, 3.6, 6.9, 2.9, 7.3, 2.0, 7.3);
    cairo_curve_to(cr, 0.9, 7.3, 0, 6.7, 0, 5.4);
    cairo_curve_to(cr, 0, 3.2, 3.5, 1.6, 4.5, 0);
    cairo_close_path(cr);
}

using UnitPath = void (*)(cairo_t*);

void suit_path_with(cairo_t* cr, int suit, double cx, double cy, double size, UnitPath club,
                    UnitPath spade) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    UnitPath const paths[4] = {club, unit_diamond, unit_heart, spade};
    paths[suit >= 0 && suit < 3 ? suit : 3](cr);
    cairo_restore(cr);
}

}  // namespace

void index_suit_path(cairo_t* cr, int suit, double cx, double cy, double size) {
    suit_path_with(cr, suit, cx, cy, size, unit_index_club, unit_index_spade);
}

void suit_path(cairo_t* cr, int suit, double cx, double cy, double size) {
    suit_path_with(cr, suit, cx, cy, size, unit_club, unit_spade);
}

void star_path(cairo_t* cr, double cx, double cy, double r_out, double r_in, int points,
               double rot) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < 2 * points; ++i) {
        double a = rot + i * kPi / points;
        double r = (i % 2 == 0) ? r_out : r_in;
        double x = cx + r * std::sin(a), y = cy - r * std::cos(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void crescent_path(cairo_t* cr, double cx, double cy, double r, double dx, double dy, double r2) {
    // Outer arc of the first disc outside the second, then the second disc's arc back.
    double d = std::hypot(dx, dy);
    if (d < 1e-6 || d >= r + r2) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
        cairo_close_path(cr);
        return;
    }
    double base = std::atan2(dy, dx);
    // Intersection angles on both circles.
    double a1 = std::acos(std::clamp((r * r + d * d - r2 * r2) / (2 * r * d), -1.0, 1.0));
    double a2 = std::acos(std::clamp((r2 * r2 + d * d - r * r) / (2 * r2 * d), -1.0, 1.0));
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, base + a1, base - a1 + 2 * kPi);
    cairo_arc_negative(cr, cx + dx, cy + dy, r2, base + kPi + a2, base + kPi - a2);
    cairo_close_path(cr);
}

void sparkle_path(cairo_t* cr, double cx, double cy, double r, double waist) {
    double k = r * waist;
    cairo_move_to(cr, cx, cy - r);
    cairo_curve_to(cr, cx + k * 0.4, cy - k, cx + k, cy - k * 0.4, cx + r, cy);
    cairo_curve_to(cr, cx + k, cy + k * 0.4, cx + k * 0.4, cy + k, cx, cy + r);
    cairo_curve_to(cr, cx - k * 0.4, cy + k, cx - k, cy + k * 0.4, cx - r, cy);
    cairo_curve_to(cr, cx - k, cy - k * 0.4, cx - k * 0.4, cy - k, cx, cy - r);
    cairo_close_path(cr);
}

double hash01(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                 seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return (h >> 8) * (1.0 / 16777216.0);
}

double value_noise(double x, double y, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = hash01(ix, iy, seed), b = hash01(ix + 1, iy, seed);
    double c = hash01(ix, iy + 1, seed), d = hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, uint32_t seed, int octaves, double gain) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * value_noise(x, y, seed + 977u * i);
        norm += amp;
        amp *= gain;
        // Rotate a little between octaves to hide the lattice.
        double nx = 1.6 * x - 1.2 * y, ny = 1.2 * x + 1.6 * y;
        x = nx + 17.3;
        y = ny + 5.1;
    }
    return sum / norm;
}

namespace {

void box_pass(std::vector<float>& src, std::vector<float>& dst, int w, int h, int r,
              bool horizontal) {
    const int n = horizontal ? w : h, lines = horizontal ? h : w;
    const float inv = 1.0f / (2 * r + 1);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> size_t {
            i = std::clamp(i, 0, n - 1);
            return horizontal ? size_t(l) * w + i : size_t(i) * w + l;
        };
        for (int c = 0; c < 4; ++c) {
            float acc = 0;
            for (int i = -r - 1; i < r; ++i) {
                int k = i;
                acc += (k < 0 || k >= n) ? 0.f : src[at(k) * 4 + c];
            }
            for (int i = 0; i < n; ++i) {
                int add = i + r, sub = i - r - 1;
                if (add < n) acc += src[at(add) * 4 + c];
                if (sub >= 0) acc -= src[at(sub) * 4 + c];
                dst[at(i) * 4 + c] = acc * inv;
            }
        }
    }
}

}  // namespace

void blur_surface(cairo_surface_t* s, double radius) {
    if (radius < 0.5) return;
    cairo_surface_flush(s);
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    std::vector<float> a(size_t(w) * h * 4), b(a.size());
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            uint32_t p = row[x];
            float* q = &a[(size_t(y) * w + x) * 4];
            q[0] = float(p >> 24);
            q[1] = float((p >> 16) & 0xff);
            q[2] = float((p >> 8) & 0xff);
            q[3] = float(p & 0xff);
        }
    }
    const double wbox = std::sqrt(4 * radius * radius + 1);
    const int r = std::max(1, static_cast<int>(std::lround((wbox - 1) / 2)));
    for (int pass = 0; pass < 3; ++pass) {
        box_pass(a, b, w, h, r, true);
        box_pass(b, a, w, h, r, false);
    }
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            const float* q = &a[(size_t(y) * w + x) * 4];
            auto cl = [](float v) { return uint32_t(std::clamp(std::lround(v), 0l, 255l)); };
            uint32_t al = cl(q[0]);
            uint32_t rr = std::min(al, cl(q[1])), gg = std::min(al, cl(q[2])),
                     bb = std::min(al, cl(q[3]));
            row[x] = (al << 24) | (rr << 16) | (gg << 8) | bb;
        }
    }
    cairo_surface_mark_dirty(s);
}

namespace {

void blurred_shape(cairo_t* cr, int w, int h, const std::function<void(cairo_t*)>& path,
                   double radius, double dx, double dy, const Rgb& c, double a, bool stroke,
                   double line_width) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* g = cairo_create(s);
    path(g);
    set_rgb(g, c, a);
    if (stroke) {
        cairo_set_line_width(g, line_width);
        cairo_stroke(g);
    } else {
        cairo_fill(g);
    }
    cairo_destroy(g);
    blur_surface(s, radius);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_source_surface(cr, s, dx, dy);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

}  // namespace

void soft_shadow(cairo_t* cr, int w, int h, const std::function<void(cairo_t*)>& path,
                 double radius, double dx, double dy, const Rgb& c, double a) {
    blurred_shape(cr, w, h, path, radius, dx, dy, c, a, false, 1);
}

void soft_glow(cairo_t* cr, int w, int h, const std::function<void(cairo_t*)>& path, double radius,
               const Rgb& c, double a, bool stroke, double line_width) {
    blurred_shape(cr, w, h, path, radius, 0, 0, c, a, stroke, line_width);
}

namespace {

void ink_box(cairo_t* cr, const std::string& text, const TextStyle& st, double* x1, double* y1,
             double* x2, double* y2) {
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    text_path(cr, text, st, 0, 0);
    cairo_fill_extents(cr, x1, y1, x2, y2);
    cairo_new_path(cr);
    cairo_restore(cr);
}

}  // namespace

double fitted_text_path(cairo_t* cr, const std::string& text, const TextStyle& st, double x,
                        double y, double height, double max_w, Align align,
                        const std::string& ref) {
    cairo_path_t* prev = cairo_copy_path(cr);
    double rx1, ry1, rx2, ry2;
    ink_box(cr, ref.empty() ? text : ref, st, &rx1, &ry1, &rx2, &ry2);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    text_path(cr, text, st, 0, 0);
    double x1, y1, x2, y2;
    cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    cairo_restore(cr);
    cairo_append_path(cr, prev);
    cairo_path_destroy(prev);
    if (ry2 - ry1 <= 0 || x2 - x1 <= 0) {
        cairo_path_destroy(path);
        return 0;
    }
    double k = height / (ry2 - ry1);
    double kx = k;
    if (max_w > 0 && (x2 - x1) * kx > max_w) kx = max_w / (x2 - x1);
    double iw = (x2 - x1) * kx;
    double left = align == Align::center ? x - iw / 2 : align == Align::right ? x - iw : x;
    cairo_save(cr);
    cairo_translate(cr, left, y);
    cairo_scale(cr, kx, k);
    cairo_translate(cr, -x1, -ry1);
    cairo_append_path(cr, path);
    cairo_restore(cr);
    cairo_path_destroy(path);
    return iw;
}

}  // namespace pieces
}  // namespace assetgen
