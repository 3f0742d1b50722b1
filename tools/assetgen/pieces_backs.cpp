// The sixteen card backs: night-sky designs inside a rounded silver margin.

#include <algorithm>
#include <cmath>
#include <vector>

#include "pieces.h"
#include "pieces_common.h"

namespace assetgen {
namespace pieces {
namespace {

// The design panel inside the margin.
constexpr double kPx = 4.5, kPy = 4.5, kPw = kCardW - 9, kPh = kCardH - 9, kPr = 4;
constexpr double kMx = kCardW / 2.0, kMy = kCardH / 2.0;

void panel_path(cairo_t* cr) { rounded_rect(cr, kPx, kPy, kPw, kPh, kPr); }

void gradient_fill(cairo_t* cr, const Rgb& top, const Rgb& bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, kPy, 0, kPy + kPh);
    add_stop(g, 0, top);
    add_stop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

void radial_fill(cairo_t* cr, const Rgb& centre, const Rgb& edge, double cx = kMx,
                 double cy = kMy) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 86);
    add_stop(g, 0, centre);
    add_stop(g, 1, edge);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

void glow_disc(cairo_t* cr, double x, double y, double r, const Rgb& c, double a) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    add_stop(g, 0, c, a);
    add_stop(g, 0.4, c, a * 0.4);
    add_stop(g, 1, c, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void stars(cairo_t* cr, uint64_t seed, int n, const Rgb& c, double max_r = 0.9, double y0 = kPy,
           double y1 = kPy + kPh) {
    Rng rng(seed);
    for (int i = 0; i < n; ++i) {
        double x = rng.range(kPx, kPx + kPw), y = rng.range(y0, y1);
        double t = rng.uni();
        double r = 0.3 + (max_r - 0.3) * t * t;
        cairo_arc(cr, x, y, r, 0, 2 * kPi);
        set_rgb(cr, c, 0.4 + 0.6 * rng.uni());
        cairo_fill(cr);
        if (t > 0.93) {
            cairo_new_path(cr);
            sparkle_path(cr, x, y, r * 4, 0.15);
            set_rgb(cr, c, 0.85);
            cairo_fill(cr);
        }
    }
}

// Per-pixel painting of the panel through a colour function.
template <typename F>
void pixel_fill(cairo_t* cr, F f) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kCardW, kCardH);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < kCardH; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < kCardW; ++x) {
            Rgb c = f(x + 0.5, y + 0.5);
            auto b8 = [](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
            row[x] = (b8(c.r) << 16) | (b8(c.g) << 8) | b8(c.b);
        }
    }
    cairo_surface_mark_dirty(s);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
}

// 0: midnight starfield with a golden crescent.
void back_starfield(cairo_t* cr) {
    radial_fill(cr, hex(0x24367a), hex(0x0b1030));
    stars(cr, 11, 150, kSilver, 1.0);
    glow_disc(cr, kMx, kMy, 34, kGold, 0.35);
    cairo_new_path(cr);
    crescent_path(cr, kMx - 2, kMy, 18, 8, -5, 16);
    cairo_pattern_t* g = cairo_pattern_create_linear(kMx - 20, kMy - 18, kMx + 10, kMy + 18);
    add_stop(g, 0, hex(0xfff3c8));
    add_stop(g, 1, hex(0xd7a84a));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_new_path(cr);
    star_path(cr, kMx + 12, kMy - 9, 4.2, 1.7, 5);
    set_rgb(cr, hex(0xfff3c8));
    cairo_fill(cr);
}

// 1: violet sky with constellations.
void back_constellations(cairo_t* cr) {
    gradient_fill(cr, hex(0x2d1b66), hex(0x120a30));
    stars(cr, 21, 90, kSilver, 0.7);
    const double pts[][2] = {{18, 22},  {30, 30},  {44, 26}, {56, 36},  {70, 30},  {82, 20},  // 0-5
                             {22, 62},  {34, 74},  {30, 92}, {46, 86},                        // 6-9
                             {64, 66},  {78, 78},  {72, 98}, {84, 110}, {60, 104},  // 10-14
                             {20, 118}, {36, 126}, {50, 116}};                      // 15-17
    const int links[][2] = {{0, 1},   {1, 2},   {2, 3},   {3, 4},   {4, 5},   {6, 7},
                            {7, 8},   {7, 9},   {8, 9},   {10, 11}, {11, 12}, {12, 13},
                            {12, 14}, {14, 10}, {15, 16}, {16, 17}};
    cairo_set_line_width(cr, 0.7);
    set_rgb(cr, kLavender, 0.7);
    for (auto& l : links) line(cr, pts[l[0]][0], pts[l[0]][1], pts[l[1]][0], pts[l[1]][1]);
    cairo_stroke(cr);
    int i = 0;
    for (auto& p : pts) {
        double r = (i * 7 % 5 == 0) ? 2.2 : 1.5;
        glow_disc(cr, p[0], p[1], r * 3.5, kLavender, 0.55);
        cairo_new_path(cr);
        sparkle_path(cr, p[0], p[1], r * 1.8, 0.2);
        set_rgb(cr, hex(0xffffff));
        cairo_fill(cr);
        ++i;
    }
}

// 2: teal sea of overlapping wave scales under a small moon.
void back_waves(cairo_t* cr) {
    gradient_fill(cr, hex(0x0e4a5a), hex(0x06222e));
    const double r = 9;
    for (int row = 0; row < 27; ++row) {
        double y = kPy - 4 + row * r * 0.62;
        double off = (row % 2) ? r : 0;
        for (double x = kPx - 2 * r + off; x < kPx + kPw + 2 * r; x += 2 * r) {
            for (int k = 0; k < 4; ++k) {
                double rr = r - k * 2.2;
                cairo_new_path(cr);
                cairo_arc(cr, x, y + r, rr, kPi, 2 * kPi);
                if (k == 0) {
                    cairo_line_to(cr, x + rr, y + r + 1);
                    cairo_line_to(cr, x - rr, y + r + 1);
                    cairo_close_path(cr);
                    set_rgb(cr, mix(hex(0x0e4a5a), hex(0x06222e), row / 27.0));
                    cairo_fill_preserve(cr);
                    cairo_new_path(cr);
                    cairo_arc(cr, x, y + r, rr, kPi, 2 * kPi);
                }
                set_rgb(cr, mix(hex(0x7fd6d8), kSilver, k / 4.0), 0.75 - k * 0.12);
                cairo_set_line_width(cr, 0.8);
                cairo_stroke(cr);
            }
        }
    }
    // Moon medallion.
    cairo_arc(cr, kMx, kMy, 15, 0, 2 * kPi);
    set_rgb(cr, hex(0x06222e));
    cairo_fill_preserve(cr);
    set_rgb(cr, kSilver);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_new_path(cr);
    crescent_path(cr, kMx - 1.5, kMy, 10, 4.5, -2.5, 8.8);
    set_rgb(cr, kSilver);
    cairo_fill(cr);
}

// 3: crimson with a gold diamond lattice.
void back_lattice(cairo_t* cr) {
    radial_fill(cr, hex(0xc22a44), hex(0x5e0a1c));
    const double s = 11;
    cairo_set_line_width(cr, 0.8);
    set_rgb(cr, kGold, 0.8);
    for (double k = -200; k < 300; k += s) {
        line(cr, k, 0, k + kCardH * 0.68, kCardH);
        line(cr, k, 0, k - kCardH * 0.68, kCardH);
    }
    cairo_stroke(cr);
    // Dots where the lines cross.
    for (int i = -20; i < 40; ++i)
        for (int j = -20; j < 40; ++j) {
            double u = i * s, v = j * s;
            double x = (u + v) / 2, y = (u - v) / 2 / 0.68 + kMy;
            if (x < 0 || x > kCardW || y < 0 || y > kCardH) continue;
            cairo_arc(cr, x, y, 1.1, 0, 2 * kPi);
            set_rgb(cr, hex(0xfff0c0));
            cairo_fill(cr);
        }
    // Central medallion.
    cairo_move_to(cr, kMx, kMy - 24);
    cairo_line_to(cr, kMx + 17, kMy);
    cairo_line_to(cr, kMx, kMy + 24);
    cairo_line_to(cr, kMx - 17, kMy);
    cairo_close_path(cr);
    set_rgb(cr, hex(0x5e0a1c));
    cairo_fill_preserve(cr);
    set_rgb(cr, kGold);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_new_path(cr);
    star_path(cr, kMx, kMy, 10, 4, 8);
    set_rgb(cr, kGold);
    cairo_fill(cr);
    cairo_arc(cr, kMx, kMy, 2.4, 0, 2 * kPi);
    set_rgb(cr, hex(0x5e0a1c));
    cairo_fill(cr);
}

void pine(cairo_t* cr, double x, double base, double h, double w) {
    cairo_move_to(cr, x, base - h);
    for (int k = 1; k <= 4; ++k) {
        double y = base - h + h * k / 4.4, hw = w * (0.3 + 0.7 * k / 4.0) / 2;
        cairo_line_to(cr, x + hw, y);
        cairo_line_to(cr, x + hw * 0.45, y - h * 0.04);
    }
    cairo_line_to(cr, x + w * 0.08, base);
    cairo_line_to(cr, x - w * 0.08, base);
    for (int k = 4; k >= 1; --k) {
        double y = base - h + h * k / 4.4, hw = w * (0.3 + 0.7 * k / 4.0) / 2;
        cairo_line_to(cr, x - hw * 0.45, y - h * 0.04);
        cairo_line_to(cr, x - hw, y);
    }
    cairo_close_path(cr);
}

// 4: forest of pines under a full moon.
void back_forest(cairo_t* cr) {
    gradient_fill(cr, hex(0x0c2a3a), hex(0x1c5a44));
    stars(cr, 41, 70, kSilver, 0.8, kPy, 90);
    glow_disc(cr, 64, 40, 30, hex(0xf4f0d8), 0.45);
    cairo_arc(cr, 64, 40, 11, 0, 2 * kPi);
    set_rgb(cr, hex(0xf6f2df));
    cairo_fill(cr);
    cairo_arc(cr, 60, 37, 2, 0, 2 * kPi);
    cairo_arc(cr, 68, 44, 2.6, 0, 2 * kPi);
    set_rgb(cr, hex(0xd9d4bd), 0.8);
    cairo_fill(cr);
    // Two rows of pines.
    Rng rng(44);
    for (int row = 0; row < 2; ++row) {
        const Rgb c = row == 0 ? hex(0x123a30) : hex(0x06160f);
        double base = row == 0 ? 124 : 142;
        for (double x = kPx - 4 + row * 6; x < kPx + kPw + 8; x += 11 + rng.uni() * 4) {
            double h = (row == 0 ? 34 : 44) + rng.uni() * 14;
            cairo_new_path(cr);
            pine(cr, x, base, h, h * 0.42);
            set_rgb(cr, c);
            cairo_fill(cr);
        }
    }
}

// 5: gold sunburst on black, art-deco style.
void back_deco(cairo_t* cr) {
    radial_fill(cr, hex(0x1a1a24), hex(0x050508));
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 48; ++i) {
        double a = i * kPi / 24;
        double r0 = 22, r1 = 120;
        line(cr, kMx + r0 * std::cos(a), kMy + r0 * std::sin(a), kMx + r1 * std::cos(a),
             kMy + r1 * std::sin(a));
        set_rgb(cr, kGold, i % 2 ? 0.35 : 0.75);
        cairo_stroke(cr);
    }
    for (double r : {26.0, 30.0, 48.0, 52.0}) {
        cairo_arc(cr, kMx, kMy, r, 0, 2 * kPi);
        set_rgb(cr, hex(0x050508));
        cairo_set_line_width(cr, 3);
        cairo_stroke_preserve(cr);
        set_rgb(cr, kGold);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    cairo_arc(cr, kMx, kMy, 24, 0, 2 * kPi);
    set_rgb(cr, hex(0x0a0a10));
    cairo_fill(cr);
    // Moon phases round the medallion.
    for (int i = 0; i < 8; ++i) {
        double a = i * kPi / 4 - kPi / 2;
        double x = kMx + 39 * std::cos(a), y = kMy + 39 * std::sin(a);
        cairo_arc(cr, x, y, 5.2, 0, 2 * kPi);
        set_rgb(cr, hex(0x050508));
        cairo_fill(cr);
        cairo_new_path(cr);
        crescent_path(cr, x, y, 4, 4 * std::cos(i * kPi / 4) * 0.9 + 0.01, 0, 4);
        set_rgb(cr, kGold);
        cairo_fill(cr);
        cairo_arc(cr, x, y, 4, 0, 2 * kPi);
        set_rgb(cr, kGold);
        cairo_set_line_width(cr, 0.5);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    crescent_path(cr, kMx - 2, kMy, 14, 6, -4, 12.5);
    set_rgb(cr, kGold);
    cairo_fill(cr);
}

// 6: silver with a column of moon phases in navy.
void back_phases(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_linear(kPx, kPy, kPx + kPw, kPy + kPh);
    add_stop(g, 0, hex(0xeef1fa));
    add_stop(g, 0.5, hex(0xc3cadf));
    add_stop(g, 1, hex(0x959fbe));
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // Fine pinstripes.
    cairo_set_line_width(cr, 0.5);
    set_rgb(cr, hex(0xffffff), 0.45);
    for (double x = -150; x < 150; x += 4) line(cr, x, 0, x + kCardH, kCardH);
    cairo_stroke(cr);
    cairo_rectangle(cr, kMx - 14, kPy - 1, 28, kPh + 2);
    set_rgb(cr, kNight);
    cairo_fill(cr);
    cairo_rectangle(cr, kMx - 11.5, kPy - 1, 23, kPh + 2);
    set_rgb(cr, kSilver, 0.8);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
        double y = kPy + 16 + i * 26;
        cairo_arc(cr, kMx, y, 8, 0, 2 * kPi);
        set_rgb(cr, hex(0x2c3a6e));
        cairo_fill(cr);
        cairo_new_path(cr);
        // Waxing crescent, quarter, full, quarter, waning crescent.
        static const double shift[5] = {4, 8, 0, -8, -4};
        if (i == 2) {
            cairo_arc(cr, kMx, y, 8, 0, 2 * kPi);
        } else {
            crescent_path(cr, kMx, y, 8, shift[i], 0, 8);
        }
        set_rgb(cr, kSilver);
        cairo_fill(cr);
    }
    for (int i = 0; i < 6; ++i)
        for (int s = -1; s <= 1; s += 2) {
            cairo_new_path(cr);
            sparkle_path(cr, kMx + s * 28, kPy + 16 + i * 21.5 + (s > 0 ? 10 : 0), 3.4, 0.2);
            set_rgb(cr, kNight, 0.8);
            cairo_fill(cr);
        }
}

// 7: big full moon among drifting clouds.
void back_moon_clouds(cairo_t* cr) {
    gradient_fill(cr, hex(0x1c2a5a), hex(0x0b1030));
    stars(cr, 71, 80, kSilver, 0.8);
    glow_disc(cr, kMx, 60, 48, hex(0xdfe6f5), 0.5);
    cairo_arc(cr, kMx, 60, 24, 0, 2 * kPi);
    cairo_pattern_t* g = cairo_pattern_create_radial(kMx - 8, 52, 2, kMx, 60, 24);
    add_stop(g, 0, hex(0xffffff));
    add_stop(g, 1, hex(0xc4cce6));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    const double cr_[][3] = {{-9, -8, 4}, {8, 4, 5.5}, {-5, 10, 3}, {10, -11, 2.5}, {-14, 3, 2}};
    for (auto& k : cr_) {
        cairo_arc(cr, kMx + k[0], 60 + k[1], k[2], 0, 2 * kPi);
        set_rgb(cr, hex(0xa9b2d6), 0.45);
        cairo_fill(cr);
    }
    // Cloud bands: rows of overlapping discs.
    Rng rng(77);
    const double rows[] = {84, 100, 118, 134};
    int ri = 0;
    for (double y : rows) {
        const Rgb c = mix(hex(0x8c96d8), hex(0x3a4a8a), ri / 3.0);
        double x = kPx - 10 + rng.uni() * 10;
        while (x < kPx + kPw + 10) {
            double r = 6 + rng.uni() * 7;
            cairo_arc(cr, x, y - r * 0.3, r, 0, 2 * kPi);
            set_rgb(cr, c, 0.92);
            cairo_fill(cr);
            x += r * 1.2;
        }
        cairo_rectangle(cr, 0, y - 1, kCardW, 40);
        set_rgb(cr, c, 0.92);
        cairo_fill(cr);
        ++ri;
    }
}

// 8: purple nebula.
void back_nebula(cairo_t* cr) {
    pixel_fill(cr, [](double x, double y) {
        double n = fbm(x / 28, y / 28, 808, 5);
        double m = fbm(x / 16 + 9, y / 16, 809, 4);
        double band = std::exp(-std::pow((x - y * 0.5 - 12) / 40, 2));
        Rgb c = mix(hex(0x14082e), hex(0x4a1a7a), std::clamp(n * 1.4 - 0.2, 0.0, 1.0));
        c = mix(c, hex(0xd05aa8), std::clamp((m - 0.45) * 2.2, 0.0, 1.0) * band * 0.8);
        c = mix(c, hex(0x7a8cff), std::clamp((n - 0.55) * 3, 0.0, 1.0) * 0.6);
        return c;
    });
    stars(cr, 81, 130, hex(0xffffff), 1.0);
}

// 9: orbits round a golden sun.
void back_orbits(cairo_t* cr) {
    radial_fill(cr, hex(0x1e3c8a), hex(0x08102a));
    stars(cr, 91, 60, kSilver, 0.6);
    glow_disc(cr, kMx, kMy, 22, kGold, 0.7);
    cairo_arc(cr, kMx, kMy, 7, 0, 2 * kPi);
    set_rgb(cr, hex(0xfff0c0));
    cairo_fill(cr);
    const double radii[] = {14, 22, 31, 41, 52};
    const double ang[] = {0.6, 2.4, 4.1, 1.3, 5.2};
    for (int i = 0; i < 5; ++i) {
        cairo_save(cr);
        cairo_translate(cr, kMx, kMy);
        cairo_scale(cr, 0.82, 1.25);
        cairo_arc(cr, 0, 0, radii[i], 0, 2 * kPi);
        cairo_restore(cr);
        set_rgb(cr, kLavender, 0.6);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
        double px = kMx + 0.82 * radii[i] * std::cos(ang[i]);
        double py = kMy + 1.25 * radii[i] * std::sin(ang[i]);
        double pr = 1.6 + i * 0.45;
        glow_disc(cr, px, py, pr * 2.5, kSilver, 0.5);
        cairo_arc(cr, px, py, pr, 0, 2 * kPi);
        set_rgb(cr, i % 2 ? hex(0x9fe0ff) : kSilver);
        cairo_fill(cr);
    }
}

// 10: lavender eight-pointed star lattice on indigo.
void back_starlattice(cairo_t* cr) {
    gradient_fill(cr, hex(0x2a2c78), hex(0x15154a));
    const double s = 18;
    for (int j = -1; j < 10; ++j)
        for (int i = -1; i < 7; ++i) {
            double x = kPx + 1 + i * s + ((j % 2) ? s / 2 : 0), y = kPy + 4 + j * s * 0.9;
            cairo_new_path(cr);
            star_path(cr, x, y, 7.6, 4.2, 8, kPi / 8);
            set_rgb(cr, kLavender, 0.8);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_new_path(cr);
            star_path(cr, x, y, 3, 1.2, 4);
            set_rgb(cr, hex(0xe6e9ff));
            cairo_fill(cr);
        }
    for (int j = 0; j < 10; ++j)
        for (int i = 0; i < 7; ++i) {
            double x = kPx + 1 + i * s + s / 2 + ((j % 2) ? s / 2 : 0), y = kPy + 4 + j * s * 0.9;
            cairo_arc(cr, x, y, 0.9, 0, 2 * kPi);
            set_rgb(cr, kGold);
            cairo_fill(cr);
        }
}

// 11: amber dusk over mountains with a crescent.
void back_dusk(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, kPy, 0, kPy + kPh);
    add_stop(g, 0, hex(0x1a1a5a));
    add_stop(g, 0.45, hex(0x7a3a7a));
    add_stop(g, 0.72, hex(0xe07a5a));
    add_stop(g, 0.9, hex(0xf2b866));
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    stars(cr, 111, 40, kSilver, 0.8, kPy, 55);
    cairo_new_path(cr);
    crescent_path(cr, 30, 32, 9, 4, -2.5, 8);
    set_rgb(cr, hex(0xfff0c8));
    cairo_fill(cr);
    const struct {
        double base, amp, seed;
        uint32_t c;
    } ridges[] = {{104, 22, 3, 0x4a2a5a}, {118, 18, 7, 0x2a1a44}, {132, 12, 11, 0x140c28}};
    for (auto& r : ridges) {
        cairo_move_to(cr, 0, kCardH);
        for (int x = 0; x <= kCardW; x += 3) {
            double n = fbm(x / 22.0, r.seed, 1100 + uint32_t(r.seed), 3);
            cairo_line_to(cr, x, r.base - r.amp * n);
        }
        cairo_line_to(cr, kCardW, kCardH);
        cairo_close_path(cr);
        set_rgb(cr, hex(r.c));
        cairo_fill(cr);
    }
}

// 12: aurora ribbons over dark teal.
void back_aurora(cairo_t* cr) {
    pixel_fill(cr, [](double x, double y) {
        Rgb c = mix(hex(0x03141c), hex(0x0a2c3a), y / kCardH);
        for (int k = 0; k < 3; ++k) {
            double cy =
                40 + k * 26 + 12 * std::sin(x / 17.0 + k * 1.7) + 6 * fbm(x / 20, k, 1200 + k, 2);
            double d = (y - cy);
            double curtain =
                d < 0 ? std::exp(-d * d / 30) : std::exp(-d / (8 + 6 * fbm(x / 6, k, 1210 + k, 2)));
            double streak = 0.6 + 0.4 * value_noise(x / 2.5, k * 7, 1220 + k);
            const Rgb col = k == 1 ? hex(0x6ef0c8) : k == 0 ? hex(0x9fa8ff) : hex(0x3ad0a0);
            c = mix(c, col, std::clamp(curtain * streak * 0.75, 0.0, 1.0));
        }
        return c;
    });
    stars(cr, 121, 60, kSilver, 0.7);
}

// 13: rose compass star on deep rose.
void back_compass(cairo_t* cr) {
    radial_fill(cr, hex(0x8a2a5a), hex(0x2e0a24));
    for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, kMx, kMy, 20 + k * 14, 0, 2 * kPi);
        set_rgb(cr, hex(0xf0a8c8), 0.45 - k * 0.1);
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 36; ++i) {
        double a = i * kPi / 18;
        line(cr, kMx + 46 * std::cos(a), kMy + 46 * std::sin(a), kMx + 49 * std::cos(a),
             kMy + 49 * std::sin(a));
    }
    set_rgb(cr, kGold, 0.7);
    cairo_stroke(cr);
    // Compass rose: long cardinal points, short diagonal ones.
    for (int pass = 0; pass < 2; ++pass) {
        const double len = pass == 0 ? 28 : 44, wid = pass == 0 ? 6 : 8.5;
        const double off = pass == 0 ? kPi / 4 : 0;
        for (int i = 0; i < 4; ++i) {
            double a = off + i * kPi / 2;
            double tx = kMx + len * std::sin(a), ty = kMy - len * std::cos(a);
            double lx = kMx + wid * std::sin(a - kPi / 2), ly = kMy - wid * std::cos(a - kPi / 2);
            double rx = kMx + wid * std::sin(a + kPi / 2), ry = kMy - wid * std::cos(a + kPi / 2);
            cairo_move_to(cr, kMx, kMy);
            cairo_line_to(cr, lx, ly);
            cairo_line_to(cr, tx, ty);
            cairo_close_path(cr);
            set_rgb(cr, pass == 0 ? hex(0xf0a8c8) : kGold);
            cairo_fill(cr);
            cairo_move_to(cr, kMx, kMy);
            cairo_line_to(cr, rx, ry);
            cairo_line_to(cr, tx, ty);
            cairo_close_path(cr);
            set_rgb(cr, pass == 0 ? hex(0xb85a88) : hex(0xa8832e));
            cairo_fill(cr);
        }
    }
    cairo_arc(cr, kMx, kMy, 3, 0, 2 * kPi);
    set_rgb(cr, hex(0xfff0c0));
    cairo_fill(cr);
    stars(cr, 131, 40, hex(0xffd8ea), 0.7);
}

// 14: emerald argyle with silver stitching.
void back_argyle(cairo_t* cr) {
    cairo_set_source_rgb(cr, 0.04, 0.27, 0.2);
    cairo_paint(cr);
    const double dw = 22, dh = 30;
    for (int j = -1; j < 7; ++j)
        for (int i = -1; i < 6; ++i) {
            double x = kPx + i * dw + ((j % 2 != 0) ? dw / 2 : 0), y = kPy + j * dh / 2;
            cairo_move_to(cr, x, y - dh / 2);
            cairo_line_to(cr, x + dw / 2, y);
            cairo_line_to(cr, x, y + dh / 2);
            cairo_line_to(cr, x - dw / 2, y);
            cairo_close_path(cr);
            set_rgb(cr, ((i + j) % 2 == 0) ? hex(0x0f6a50) : hex(0x0a4a3a));
            cairo_fill(cr);
        }
    cairo_set_line_width(cr, 0.6);
    const double dash[] = {2, 1.5};
    cairo_set_dash(cr, dash, 2, 0);
    set_rgb(cr, kSilver, 0.8);
    for (double k = -300; k < 300; k += dw) {
        line(cr, kPx + k, kPy, kPx + k + kCardH * dw / dh, kPy + kCardH);
        line(cr, kPx + k, kPy, kPx + k - kCardH * dw / dh, kPy + kCardH);
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    for (int j = -1; j < 12; ++j)
        for (int i = -1; i < 6; ++i) {
            double x = kPx + i * dw + ((j % 2 != 0) ? dw / 2 : 0), y = kPy + j * dh / 2;
            cairo_new_path(cr);
            sparkle_path(cr, x, y, 2.6, 0.2);
            set_rgb(cr, kGold);
            cairo_fill(cr);
        }
}

void snowflake(cairo_t* cr, double x, double y, double r, double lw) {
    cairo_set_line_width(cr, lw);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 6; ++i) {
        double a = i * kPi / 3;
        double dx = std::sin(a), dy = -std::cos(a);
        line(cr, x, y, x + dx * r, y + dy * r);
        for (double t : {0.45, 0.72}) {
            double bx = x + dx * r * t, by = y + dy * r * t, b = r * (t < 0.5 ? 0.3 : 0.22);
            for (int s = -1; s <= 1; s += 2) {
                double ba = a + s * kPi / 3;
                line(cr, bx, by, bx + std::sin(ba) * b, by - std::cos(ba) * b);
            }
        }
    }
    cairo_stroke(cr);
}

// 15: ice-blue frost crystals.
void back_ice(cairo_t* cr) {
    radial_fill(cr, hex(0xd2ecfb), hex(0x5a86c4), kMx, kMy - 10);
    cairo_set_line_width(cr, 0.5);
    set_rgb(cr, hex(0xffffff), 0.35);
    for (double k = -150; k < 250; k += 9) {
        line(cr, k, 0, k + kCardH * 0.58, kCardH);
        line(cr, k, 0, k - kCardH * 0.58, kCardH);
    }
    cairo_stroke(cr);
    set_rgb(cr, hex(0xffffff), 0.9);
    snowflake(cr, kMx, kMy, 22, 1.6);
    set_rgb(cr, hex(0xffffff), 0.75);
    const double small[][2] = {{22, 24},  {77, 24},   {22, 120}, {77, 120},
                               {kMx, 26}, {kMx, 118}, {20, 72},  {79, 72}};
    for (auto& p : small) snowflake(cr, p[0], p[1], 8, 0.9);
    cairo_arc(cr, kMx, kMy, 30, 0, 2 * kPi);
    set_rgb(cr, hex(0xffffff), 0.6);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

struct BackStyle {
    void (*paint)(cairo_t*);
    uint32_t margin, margin_edge, line;
};

const BackStyle kBacks[16] = {
    {back_starfield, 0xeef1f8, 0x6f7896, 0xe8c56a},
    {back_constellations, 0xeef1f8, 0x6f7896, 0x9fa8ff},
    {back_waves, 0xeef1f8, 0x6f7896, 0xdfe6f5},
    {back_lattice, 0xf6efe0, 0x7a5a4a, 0xe8c56a},
    {back_forest, 0xeef1f8, 0x6f7896, 0xdfe6f5},
    {back_deco, 0x15151c, 0x000000, 0xe8c56a},
    {back_phases, 0x1c2a5a, 0x0b1030, 0xdfe6f5},
    {back_moon_clouds, 0xeef1f8, 0x6f7896, 0x9fa8ff},
    {back_nebula, 0xeef1f8, 0x6f7896, 0xd8a8ff},
    {back_orbits, 0xeef1f8, 0x6f7896, 0xe8c56a},
    {back_starlattice, 0xeef1f8, 0x6f7896, 0xe6e9ff},
    {back_dusk, 0xf6efe0, 0x7a5a4a, 0xf2c88a},
    {back_aurora, 0xeef1f8, 0x6f7896, 0x6ef0c8},
    {back_compass, 0xf6efe0, 0x7a4a5a, 0xe8c56a},
    {back_argyle, 0xf6efe0, 0x4a6a5a, 0xdfe6f5},
    {back_ice, 0x1c2a5a, 0x0b1030, 0xffffff},
};

}  // namespace

void card_back(cairo_t* cr, int w, int h, int index) {
    const BackStyle& st = kBacks[std::clamp(index, 0, 15)];
    cairo_save(cr);
    cairo_scale(cr, w / double(kCardW), h / double(kCardH));
    rounded_rect(cr, 0.5, 0.5, kCardW - 1, kCardH - 1, kCardRadius);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, kCardW * 0.3, kCardH);
    add_stop(g, 0, scale(hex(st.margin), 1.05));
    add_stop(g, 1, scale(hex(st.margin), 0.92));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_rgb(cr, hex(st.margin_edge));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    cairo_save(cr);
    panel_path(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    st.paint(cr);
    cairo_restore(cr);
    // Inner rule and the panel edge.
    cairo_set_dash(cr, nullptr, 0, 0);
    rounded_rect(cr, kPx + 2.5, kPy + 2.5, kPw - 5, kPh - 5, kPr - 1.5);
    set_rgb(cr, hex(st.line), 0.75);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    panel_path(cr);
    set_rgb(cr, hex(0x000000), 0.35);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace pieces
}  // namespace assetgen
