#include "ui_theme.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {
namespace ui {

const char* const kTitleFont = "Linux Libertine Display O";
const char* const kLabelFont = "Linux Libertine O Semibold";
const char* const kBodyFont = "Linux Biolinum O";

uint64_t Rng::next() {
    // splitmix64
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

void set(cairo_t* cr, Rgb c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void gradient_stop(cairo_pattern_t* p, double off, Rgb c, double a) {
    cairo_pattern_add_color_stop_rgba(p, off, c.r, c.g, c.b, a);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

namespace {

// One box-blur pass along a line of n samples spaced `step` apart.
void box_line(unsigned char* p, int n, int step, int r, std::vector<int>& tmp) {
    tmp.resize(n);
    for (int i = 0; i < n; ++i) tmp[i] = p[i * step];
    int win = 2 * r + 1;
    int sum = 0;
    for (int i = -r; i <= r; ++i) sum += tmp[std::clamp(i, 0, n - 1)];
    for (int i = 0; i < n; ++i) {
        p[i * step] = static_cast<unsigned char>((sum + win / 2) / win);
        sum += tmp[std::min(i + r + 1, n - 1)] - tmp[std::max(i - r, 0)];
    }
}

}  // namespace

void blur_a8(cairo_surface_t* s, int radius) {
    if (radius <= 0) return;
    cairo_surface_flush(s);
    unsigned char* d = cairo_image_surface_get_data(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    std::vector<int> tmp;
    // Three box passes approximate a gaussian of about the given radius.
    int r = std::max(1, static_cast<int>(radius / 1.7 + 0.5));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) box_line(d + y * stride, w, 1, r, tmp);
        for (int x = 0; x < w; ++x) box_line(d + x, h, stride, r, tmp);
    }
    cairo_surface_mark_dirty(s);
}

void night_sky(cairo_t* cr, int w, int h, uint64_t seed) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    gradient_stop(g, 0.0, rgb(0x070b24));
    gradient_stop(g, 0.45, kNight0);
    gradient_stop(g, 0.8, kNight1);
    gradient_stop(g, 1.0, kNight2);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);

    // A faint band of haze crossing the sky diagonally, with a lavender tint.
    Rng rng(seed);
    cairo_save(cr);
    cairo_translate(cr, w * 0.5, h * 0.45);
    cairo_rotate(cr, -0.42 + rng.range(-0.1, 0.1));
    for (int i = 0; i < 7; ++i) {
        double ex = rng.range(-w * 0.55, w * 0.55), ey = rng.range(-h * 0.06, h * 0.06);
        double rx = rng.range(w * 0.18, w * 0.32), ry = rng.range(h * 0.05, h * 0.11);
        cairo_save(cr);
        cairo_translate(cr, ex, ey);
        cairo_scale(cr, rx, ry);
        cairo_pattern_t* rg = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        Rgb tint = (i % 3 == 0) ? kLavender : rgb(0x5a6bc0);
        gradient_stop(rg, 0, tint, 0.075);
        gradient_stop(rg, 1, tint, 0);
        cairo_set_source(cr, rg);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(rg);
        cairo_restore(cr);
    }
    cairo_restore(cr);

    // Darker vignette towards the corners.
    cairo_pattern_t* v = cairo_pattern_create_radial(w / 2.0, h * 0.45, std::min(w, h) * 0.35,
                                                     w / 2.0, h * 0.45, std::max(w, h) * 0.8);
    gradient_stop(v, 0, kInk, 0);
    gradient_stop(v, 1, kInk, 0.55);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
}

void star4(cairo_t* cr, double cx, double cy, double r, double waist) {
    cairo_move_to(cr, cx, cy - r);
    cairo_curve_to(cr, cx + waist, cy - waist, cx + waist, cy - waist, cx + r, cy);
    cairo_curve_to(cr, cx + waist, cy + waist, cx + waist, cy + waist, cx, cy + r);
    cairo_curve_to(cr, cx - waist, cy + waist, cx - waist, cy + waist, cx - r, cy);
    cairo_curve_to(cr, cx - waist, cy - waist, cx - waist, cy - waist, cx, cy - r);
    cairo_close_path(cr);
}

void crescent(cairo_t* cr, double cx, double cy, double r, double dx, double dy, double r2) {
    cairo_pattern_t* src = cairo_pattern_reference(cairo_get_source(cr));
    cairo_push_group(cr);
    cairo_set_source(cr, src);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_arc(cr, cx + dx, cy + dy, r2, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    cairo_set_source(cr, src);
    cairo_pattern_destroy(src);
}

void sparkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double a) {
    cairo_pattern_t* rg = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 0.9);
    gradient_stop(rg, 0, c, a * 0.55);
    gradient_stop(rg, 1, c, 0);
    cairo_set_source(cr, rg);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(rg);
    cairo_pattern_t* sg = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 2.2);
    gradient_stop(sg, 0, c, a);
    gradient_stop(sg, 0.5, c, a * 0.35);
    gradient_stop(sg, 1, c, 0);
    cairo_set_source(cr, sg);
    star4(cr, cx, cy, r * 2.2, r * 0.16);
    cairo_fill(cr);
    cairo_pattern_destroy(sg);
    set(cr, {1, 1, 1}, a);
    cairo_arc(cr, cx, cy, std::max(0.6, r * 0.22), 0, 2 * M_PI);
    cairo_fill(cr);
}

void starfield(cairo_t* cr, double x, double y, double w, double h, double density, uint64_t seed,
               double brightness) {
    Rng rng(seed);
    int n = static_cast<int>(w * h * density / 10000.0);
    for (int i = 0; i < n; ++i) {
        double sx = x + rng.unit() * w, sy = y + rng.unit() * h;
        double k = rng.unit();
        double mag = k * k * k;  // most stars faint, few bright
        double hue = rng.unit();
        Rgb c = hue < 0.2    ? mix(kSilver, kGoldPale, 0.7)
                : hue < 0.45 ? mix(kSilver, kLavender, 0.5)
                             : kSilver;
        double a = std::min(1.0, (0.25 + 0.75 * mag) * brightness);
        if (mag > 0.68) {
            sparkle(cr, sx, sy, 1.6 + 3.2 * mag, c, a);
        } else {
            double r = 0.45 + 1.1 * mag;
            set(cr, c, a * (0.45 + 0.4 * rng.unit()));
            cairo_arc(cr, sx, sy, r, 0, 2 * M_PI);
            cairo_fill(cr);
        }
    }
}

void moon(cairo_t* cr, double cx, double cy, double r, double halo) {
    // Halo.
    cairo_pattern_t* hg = cairo_pattern_create_radial(cx, cy, r * 0.9, cx, cy, r * 3.4);
    gradient_stop(hg, 0, mix(kSilver, kLavender, 0.35), 0.30 * halo);
    gradient_stop(hg, 0.35, kLavender, 0.10 * halo);
    gradient_stop(hg, 1, kLavender, 0);
    cairo_set_source(cr, hg);
    cairo_arc(cr, cx, cy, r * 3.4, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(hg);

    // Disc, lit from the upper left.
    cairo_pattern_t* dg =
        cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r * 1.05);
    gradient_stop(dg, 0, rgb(0xfbfcff));
    gradient_stop(dg, 0.55, rgb(0xe4e9f6));
    gradient_stop(dg, 1, rgb(0xaab4d6));
    cairo_set_source(cr, dg);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(dg);

    // Soft maria and a few craters, clipped to the disc.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_clip(cr);
    struct Blot {
        double dx, dy, rx, ry, a;
    };
    const Blot maria[] = {{-0.25, -0.18, 0.30, 0.22, 0.16},
                          {0.18, -0.32, 0.20, 0.16, 0.12},
                          {0.22, 0.12, 0.28, 0.20, 0.14},
                          {-0.12, 0.35, 0.22, 0.14, 0.10},
                          {-0.45, 0.15, 0.14, 0.18, 0.09}};
    soft(cr, cx - r, cy - r, 2 * r, 2 * r, r * 0.08, rgb(0x6c78a6), 1.0, [&](cairo_t* m) {
        for (const Blot& b : maria) {
            cairo_save(m);
            cairo_translate(m, cx + b.dx * r, cy + b.dy * r);
            cairo_scale(m, b.rx * r, b.ry * r);
            cairo_arc(m, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(m);
            cairo_set_source_rgba(m, 0, 0, 0, b.a * 2.2);
            cairo_fill(m);
        }
    });
    Rng rng(77);
    for (int i = 0; i < 14; ++i) {
        double a = rng.unit() * 2 * M_PI, d = std::sqrt(rng.unit()) * 0.82 * r;
        double px = cx + std::cos(a) * d, py = cy + std::sin(a) * d,
               cr2 = r * rng.range(0.03, 0.08);
        cairo_pattern_t* cg =
            cairo_pattern_create_radial(px + cr2 * 0.2, py + cr2 * 0.2, 0, px, py, cr2);
        gradient_stop(cg, 0, rgb(0x7d88b4), 0.16);
        gradient_stop(cg, 0.8, rgb(0x7d88b4), 0.10);
        gradient_stop(cg, 1, rgb(0x7d88b4), 0);
        cairo_set_source(cr, cg);
        cairo_arc(cr, px, py, cr2, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(cg);
    }
    // Shade towards the lower right.
    cairo_pattern_t* sh = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    gradient_stop(sh, 0.45, kNight2, 0);
    gradient_stop(sh, 1, kNight2, 0.45);
    cairo_set_source(cr, sh);
    cairo_paint(cr);
    cairo_pattern_destroy(sh);
    cairo_restore(cr);

    // Rim light.
    cairo_set_line_width(cr, std::max(1.0, r * 0.015));
    set(cr, {1, 1, 1}, 0.35);
    cairo_arc(cr, cx, cy, r - 0.5, 0.9 * M_PI, 1.75 * M_PI);
    cairo_stroke(cr);
}

void screen_frame(cairo_t* cr, int w, int h) {
    cairo_save(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kSilver, 0.35);
    cairo_rectangle(cr, 10.5, 10.5, w - 21, h - 21);
    cairo_stroke(cr);
    set(cr, kGold, 0.30);
    cairo_rectangle(cr, 15.5, 15.5, w - 31, h - 31);
    cairo_stroke(cr);
    const double cs[4][2] = {{13, 13}, {w - 13.0, 13}, {13, h - 13.0}, {w - 13.0, h - 13.0}};
    for (auto& c : cs) {
        set(cr, kNight0, 1);
        cairo_arc(cr, c[0], c[1], 7, 0, 2 * M_PI);
        cairo_fill(cr);
        set(cr, kGold, 0.85);
        star4(cr, c[0], c[1], 9, 1.6);
        cairo_fill(cr);
        set(cr, kSilver, 0.9);
        cairo_arc(cr, c[0], c[1], 1.4, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void divider(cairo_t* cr, double cx, double y, double half_w, double alpha) {
    cairo_save(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_pattern_t* g = cairo_pattern_create_linear(cx, 0, cx + side * half_w, 0);
        gradient_stop(g, 0, kGold, 0.8 * alpha);
        gradient_stop(g, 1, kGold, 0);
        cairo_set_source(cr, g);
        cairo_rectangle(cr, side < 0 ? cx - half_w : cx + 9, y - 0.5, half_w - 9, 1);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    set(cr, kGold, 0.95 * alpha);
    star4(cr, cx, y, 6, 1.4);
    cairo_fill(cr);
    cairo_restore(cr);
}

void panel(cairo_t* cr, double x, double y, double w, double h, double r, double alpha) {
    soft(cr, x, y + 6, w, h, 10, kInk, 0.6 * alpha, [&](cairo_t* m) {
        rounded_rect(m, x, y + 6, w, h, r);
        cairo_fill(m);
    });
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    gradient_stop(g, 0, kNight2, alpha);
    gradient_stop(g, 1, kNight0, alpha);
    cairo_set_source(cr, g);
    rounded_rect(cr, x, y, w, h, r);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.2);
    set(cr, kSilver, 0.55);
    rounded_rect(cr, x + 0.6, y + 0.6, w - 1.2, h - 1.2, r);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kGold, 0.32);
    rounded_rect(cr, x + 5.5, y + 5.5, w - 11, h - 11, std::max(1.0, r - 5));
    cairo_stroke(cr);
}

void box_outline(cairo_t* cr, double x, double y) {
    cairo_save(cr);
    soft(cr, x, y, 32, 32, 4, kLavender, 0.35, [&](cairo_t* m) {
        rounded_rect(m, x + 1, y + 1, 30, 30, 6);
        cairo_set_line_width(m, 3);
        cairo_stroke(m);
    });
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 32);
    gradient_stop(g, 0, kInk, 0.9);
    gradient_stop(g, 1, kNight1, 0.9);
    cairo_set_source(cr, g);
    rounded_rect(cr, x + 2, y + 2, 28, 28, 5);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.6);
    set(cr, kSilver, 0.9);
    rounded_rect(cr, x + 2.3, y + 2.3, 27.4, 27.4, 5);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kGold, 0.45);
    rounded_rect(cr, x + 5.5, y + 5.5, 21, 21, 3);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void field_frame(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    soft(cr, x - 6, y - 6, w + 12, h + 12, 8, kLavender, 0.3, [&](cairo_t* m) {
        rounded_rect(m, x - 2, y - 2, w + 4, h + 4, 10);
        cairo_set_line_width(m, 4);
        cairo_stroke(m);
    });
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    gradient_stop(g, 0, kInk, 0.95);
    gradient_stop(g, 1, kNight0, 0.95);
    cairo_set_source(cr, g);
    rounded_rect(cr, x, y, w, h, 9);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Inner shadow along the top edge.
    cairo_save(cr);
    rounded_rect(cr, x, y, w, h, 9);
    cairo_clip(cr);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, y, 0, y + 12);
    gradient_stop(s, 0, {0, 0, 0}, 0.6);
    gradient_stop(s, 1, {0, 0, 0}, 0);
    cairo_set_source(cr, s);
    cairo_paint(cr);
    cairo_pattern_destroy(s);
    cairo_restore(cr);
    cairo_set_line_width(cr, 1.4);
    set(cr, kSilver, 0.8);
    rounded_rect(cr, x + 0.7, y + 0.7, w - 1.4, h - 1.4, 9);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kGold, 0.4);
    rounded_rect(cr, x + 4.5, y + 4.5, w - 9, h - 9, 6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void groove(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    double cy = y + h / 2;
    // Tick marks above and below the channel.
    for (int i = 0; i <= 10; ++i) {
        double tx = x + 10.5 + (w - 21) * i / 10.0;
        double len = (i % 5 == 0) ? 7 : 4;
        set(cr, i % 5 == 0 ? kGold : kSilverDim, i % 5 == 0 ? 0.75 : 0.5);
        cairo_rectangle(cr, std::floor(tx), cy - 9 - len, 1, len);
        cairo_rectangle(cr, std::floor(tx), cy + 9, 1, len);
        cairo_fill(cr);
    }
    rounded_rect(cr, x + 2, cy - 5, w - 4, 10, 5);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - 5, 0, cy + 5);
    gradient_stop(g, 0, {0, 0, 0}, 0.95);
    gradient_stop(g, 1, kNight1, 0.95);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.2);
    set(cr, kSilver, 0.7);
    cairo_stroke(cr);
    // Faint lavender light in the channel.
    cairo_pattern_t* l = cairo_pattern_create_linear(x, 0, x + w, 0);
    gradient_stop(l, 0, kLavender, 0.45);
    gradient_stop(l, 1, kGold, 0.45);
    cairo_set_source(cr, l);
    cairo_rectangle(cr, x + 6, cy - 0.5, w - 12, 1.2);
    cairo_fill(cr);
    cairo_pattern_destroy(l);
    cairo_restore(cr);
}

TextStyle style(const char* font, double size, Rgb c, double a) {
    TextStyle st;
    st.font = font;
    st.size_px = size;
    st.r = c.r;
    st.g = c.g;
    st.b = c.b;
    st.a = a;
    return st;
}

TextExtent title(cairo_t* cr, const std::string& text, double cx, double y, double size,
                 const char* font, double spacing) {
    TextStyle st = style(font ? font : kTitleFont, size, kSilver);
    st.letter_spacing_px = spacing;
    TextExtent e = measure_text(cr, text, st);
    double x0 = cx - e.w / 2;
    soft(cr, x0 - 10, y - 10, e.w + 20, e.h + 20, size * 0.16, kLavender, 0.75, [&](cairo_t* m) {
        text_path(m, text, st, cx, y, Align::center);
        cairo_fill(m);
    });
    cairo_save(cr);
    text_path(cr, text, st, cx, y, Align::center);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, std::max(2.0, size * 0.06));
    set(cr, kInk, 0.85);
    cairo_stroke_preserve(cr);
    double top = y + e.ink_y, bot = y + e.ink_y + e.ink_h;
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bot);
    gradient_stop(g, 0, rgb(0xffffff));
    gradient_stop(g, 0.45, kSilver);
    gradient_stop(g, 0.75, kGoldPale);
    gradient_stop(g, 1, kGold);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    return e;
}

TextExtent outlined(cairo_t* cr, const std::string& text, const TextStyle& st, double x, double y,
                    Align align, double outline, Rgb fill, double fill_a, double wrap) {
    cairo_save(cr);
    TextExtent e = text_path(cr, text, st, x, y, align, wrap);
    if (outline > 0) {
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, outline);
        set(cr, kInk, 0.8 * fill_a);
        cairo_stroke_preserve(cr);
    }
    set(cr, fill, fill_a);
    cairo_fill(cr);
    cairo_restore(cr);
    return e;
}

TextExtent caption(cairo_t* cr, const std::string& text, const TextStyle& st, double x, double top,
                   double height, Align align) {
    TextExtent e = measure_text(cr, text, st);
    // Centre the ink of capitals and x-height letters: use the layout's baseline.
    double y = top + height / 2 - e.baseline + st.size_px * 0.34;
    return outlined(cr, text, st, x, y, align, 2.5, {st.r, st.g, st.b}, st.a);
}

void screen_title(cairo_t* cr, int w, const std::string& text, double y, double size) {
    TextExtent e = title(cr, text, w / 2.0, y, size);
    divider(cr, w / 2.0, y + e.ink_y + e.ink_h + 16, std::max(160.0, e.ink_w * 0.6));
}

}  // namespace ui
}  // namespace assetgen
