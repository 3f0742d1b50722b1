// Small sprites: additive particles, celebration moths, the pointer and the text caret.

#include <algorithm>
#include <cmath>

#include "pieces.h"
#include "pieces_common.h"

namespace assetgen {
namespace pieces {
namespace {

// Radial light that reaches alpha 0 at radius r.
void soft_dot(cairo_t* cr, double cx, double cy, double r, const Rgb& core, const Rgb& halo,
              double core_a = 1, double falloff = 0.35) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    add_stop(g, 0, core, core_a);
    add_stop(g, falloff, halo, core_a * 0.55);
    add_stop(g, 0.7, halo, core_a * 0.12);
    add_stop(g, 1, halo, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void soft_ring(cairo_t* cr, double cx, double cy, double r, double width, const Rgb& c) {
    const double r0 = std::max(0.0, r - width), r1 = r + width;
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    add_stop(g, 0, c, 0);
    add_stop(g, 0.5, c, 1);
    add_stop(g, 1, c, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r1, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A star shape filled with a radial light fading towards its tips.
void lit_shape(cairo_t* cr, double cx, double cy, double r, const Rgb& core, const Rgb& tip) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    add_stop(g, 0, core, 1);
    add_stop(g, 0.35, tip, 0.85);
    add_stop(g, 1, tip, 0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

const Rgb kWhite = hex(0xffffff);

// Moth wings of one side (x > 0 is the right), body axis at x = 0, head up.
void wings_path(cairo_t* cr) {
    // Forewing.
    cairo_move_to(cr, 0.8, -5);
    cairo_curve_to(cr, 5, -12, 13, -17, 19, -15);
    cairo_curve_to(cr, 22, -13, 21, -6, 18, -2);
    cairo_curve_to(cr, 14, 2, 6, 2, 0.8, 0.5);
    cairo_close_path(cr);
    // Hindwing.
    cairo_move_to(cr, 0.8, 0);
    cairo_curve_to(cr, 6, 0, 14, 2, 15, 7);
    cairo_curve_to(cr, 16, 12, 11, 16, 7, 14);
    cairo_curve_to(cr, 4, 12, 1.5, 8, 0.8, 4);
    cairo_close_path(cr);
}

struct MothColours {
    Rgb inner, outer, rim;
};

const MothColours kMoths[6] = {
    {hex(0xe8ebff), hex(0x7f88f0), hex(0xc8ceff)},  // lavender
    {hex(0xfff4cc), hex(0xd9a640), hex(0xffe7a0)},  // gold
    {hex(0xd8fffb), hex(0x2fb8c0), hex(0x9ff4f0)},  // moon teal
    {hex(0xffe0ec), hex(0xe0507e), hex(0xffb0cc)},  // rose
    {hex(0xffffff), hex(0x9aa6c8), hex(0xeef2ff)},  // silver
    {hex(0xdcecff), hex(0x3a78e8), hex(0xa8ccff)},  // azure
};

void moth_side(cairo_t* cr, const MothColours& c, double fold) {
    cairo_save(cr);
    cairo_scale(cr, fold, 1);
    cairo_new_path(cr);
    wings_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(1, -1, 1, 3, -1, 21);
    add_stop(g, 0, c.inner);
    add_stop(g, 0.45, mix(c.inner, c.outer, 0.5));
    add_stop(g, 1, c.outer);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 0.9);
    set_rgb(cr, c.rim, 0.95);
    cairo_stroke(cr);
    // Veins.
    cairo_set_line_width(cr, 0.45);
    set_rgb(cr, c.outer, 0.7);
    cairo_move_to(cr, 1.5, -3);
    cairo_curve_to(cr, 7, -8, 12, -12, 18, -14);
    cairo_move_to(cr, 1.5, -1.5);
    cairo_curve_to(cr, 8, -4, 13, -5, 19, -5);
    cairo_move_to(cr, 1.5, 1.5);
    cairo_curve_to(cr, 6, 4, 10, 8, 12, 12);
    cairo_stroke(cr);
    // Moon spots: a bright eye on the forewing, a small one below.
    cairo_arc(cr, 12.5, -8.5, 2.6, 0, 2 * kPi);
    set_rgb(cr, c.outer, 0.9);
    cairo_fill(cr);
    cairo_arc(cr, 12.5, -8.5, 1.5, 0, 2 * kPi);
    set_rgb(cr, kWhite);
    cairo_fill(cr);
    cairo_arc(cr, 9.5, 8, 1.3, 0, 2 * kPi);
    set_rgb(cr, kWhite, 0.85);
    cairo_fill(cr);
    cairo_restore(cr);
}

void arrow_path(cairo_t* cr, double x, double y, double k) {
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x, y + 17.5 * k);
    cairo_line_to(cr, x + 4.1 * k, y + 13.6 * k);
    cairo_line_to(cr, x + 7.2 * k, y + 20.2 * k);
    cairo_line_to(cr, x + 10.0 * k, y + 18.9 * k);
    cairo_line_to(cr, x + 6.9 * k, y + 12.5 * k);
    cairo_line_to(cr, x + 12.4 * k, y + 12.5 * k);
    cairo_close_path(cr);
}

}  // namespace

void particle(cairo_t* cr, int w, int h, int index) {
    const double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) / 2.0;
    cairo_new_path(cr);
    switch (index) {
        case 0:
            soft_dot(cr, cx, cy, r, kWhite, kLavender);
            break;
        case 1:
            soft_dot(cr, cx, cy, r, hex(0xfff6d8), kGold);
            break;
        case 2:  // soft star: main-menu button sparks
            soft_dot(cr, cx, cy, r * 0.75, kWhite, kLavender, 0.55, 0.2);
            sparkle_path(cr, cx, cy, r * 0.96, 0.13);
            lit_shape(cr, cx, cy, r * 0.96, kWhite, hex(0xc8ceff));
            soft_dot(cr, cx, cy, r * 0.3, kWhite, kWhite, 1, 0.5);
            break;
        case 3:  // bright dot: score sparks
            soft_dot(cr, cx, cy, r, kWhite, hex(0xffe6a0), 1, 0.45);
            soft_dot(cr, cx, cy, r * 0.5, kWhite, kWhite, 1, 0.6);
            break;
        case 4:
            soft_ring(cr, cx, cy, r * 0.62, r * 0.3, kLavender);
            break;
        case 5:
            soft_dot(cr, cx, cy, r * 0.6, hex(0xfff0c0), kGold, 0.5, 0.2);
            sparkle_path(cr, cx, cy, r * 0.96, 0.12);
            lit_shape(cr, cx, cy, r * 0.96, hex(0xfff6d8), kGold);
            break;
        case 6:
            soft_dot(cr, cx, cy, r * 0.7, kWhite, hex(0x9fc8ff), 0.5, 0.2);
            star_path(cr, cx, cy, r * 0.95, r * 0.22, 6);
            lit_shape(cr, cx, cy, r * 0.95, kWhite, hex(0x9fc8ff));
            break;
        case 7:
            soft_dot(cr, cx, cy, r, kWhite, kWhite, 1, 0.55);
            break;
        case 8:
            soft_dot(cr, cx, cy, r, hex(0xdfe6ff), hex(0x6f7cff), 0.9, 0.25);
            break;
        case 9:
            soft_ring(cr, cx, cy, r * 0.66, r * 0.24, kGold);
            break;
        case 10:
            soft_dot(cr, cx, cy, r * 0.7, kWhite, kLavender, 0.45, 0.2);
            star_path(cr, cx, cy, r * 0.95, r * 0.4, 5);
            lit_shape(cr, cx, cy, r * 0.95, kWhite, kLavender);
            break;
        default:  // crescent glow
            soft_dot(cr, cx, cy, r, kSilver, kLavender, 0.35, 0.3);
            crescent_path(cr, cx - r * 0.08, cy, r * 0.55, r * 0.26, -r * 0.16, r * 0.48);
            lit_shape(cr, cx, cy, r * 0.8, kWhite, kSilver);
            break;
    }
}

void butterfly(cairo_t* cr, int w, int h, int colour, int frame) {
    const MothColours& c = kMoths[std::clamp(colour, 0, 5)];
    const double k = std::min(w, h) / 48.0;
    const double fold = frame == 0 ? 1.0 : 0.45;
    cairo_save(cr);
    cairo_scale(cr, k, k);
    // Luminous halo around the wings.
    soft_glow(
        cr, w, h,
        [&](cairo_t* g) {
            cairo_scale(g, k, k);
            cairo_translate(g, 24, 25);
            for (int s = -1; s <= 1; s += 2) {
                cairo_save(g);
                cairo_scale(g, s * fold, 1);
                wings_path(g);
                cairo_restore(g);
            }
        },
        2.2 * k, c.outer, 0.8);
    cairo_translate(cr, 24, 25);
    for (int s = -1; s <= 1; s += 2) {
        cairo_save(cr);
        cairo_scale(cr, s, 1);
        moth_side(cr, c, fold);
        cairo_restore(cr);
    }
    // Body, head and feathered antennae.
    cairo_save(cr);
    cairo_scale(cr, 1.7, 8.5);
    cairo_arc(cr, 0, 0.2, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_pattern_t* b = cairo_pattern_create_linear(-1.7, 0, 1.7, 0);
    add_stop(b, 0, hex(0x3a4272));
    add_stop(b, 0.4, hex(0x8a92c8));
    add_stop(b, 1, hex(0x1c2040));
    cairo_set_source(cr, b);
    cairo_fill(cr);
    cairo_pattern_destroy(b);
    cairo_arc(cr, 0, -8.6, 1.9, 0, 2 * kPi);
    set_rgb(cr, hex(0x5a62a0));
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.7);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_rgb(cr, c.rim);
    for (int s = -1; s <= 1; s += 2) {
        cairo_move_to(cr, s * 0.8, -10);
        cairo_curve_to(cr, s * 2, -14, s * 4, -17, s * 6.5, -18.5);
        cairo_stroke(cr);
        cairo_arc(cr, s * 6.6, -18.6, 0.9, 0, 2 * kPi);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void pointer(cairo_t* cr, int w, int h, bool pressed) {
    // The tip sits on pixel (6, 6), the hot spot.
    const double tx = 6.25, ty = 6.25, k = pressed ? 0.92 : 1.0;
    soft_shadow(
        cr, w, h, [&](cairo_t* g) { arrow_path(g, tx, ty, k); }, 1.4, 1.3, 1.8, kNightDeep, 0.55);
    if (pressed)
        soft_glow(
            cr, w, h, [&](cairo_t* g) { arrow_path(g, tx, ty, k); }, 2.2, kGold, 0.9);
    cairo_new_path(cr);
    arrow_path(cr, tx, ty, k);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, 4);
    set_rgb(cr, kNightDeep);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(tx, ty, tx + 6, ty + 20);
    if (pressed) {
        add_stop(g, 0, hex(0xfff6dc));
        add_stop(g, 1, hex(0xe0bd6a));
    } else {
        add_stop(g, 0, kWhite);
        add_stop(g, 0.6, kSilver);
        add_stop(g, 1, hex(0xb4bcec));
    }
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void caret(cairo_t* cr, int w, int h) {
    const double cx = w / 2.0, top = h / 2.0 - 16, bottom = h / 2.0 + 16;
    soft_glow(
        cr, w, h, [&](cairo_t* g) { rounded_rect(g, cx - 1.3, top, 2.6, bottom - top, 1.3); }, 1.4,
        kLavender, 0.9);
    rounded_rect(cr, cx - 1.1, top, 2.2, bottom - top, 1.1);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom);
    add_stop(g, 0, kWhite);
    add_stop(g, 1, kSilver);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

}  // namespace pieces
}  // namespace assetgen
