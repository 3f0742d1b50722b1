// Court cards: a framed night-sky portrait of the Jack, Queen or King, tinted by suit.

#include <cmath>

#include "pieces.h"
#include "pieces_common.h"

namespace assetgen {
namespace pieces {
namespace {

struct CourtColours {
    Rgb sky_top, sky_bottom, robe, robe_light, trim, hair, gem;
};

CourtColours colours_of(int suit) {
    switch (suit) {
        case 0:  // clubs: teal night, deep navy robe, silver trim
            return {hex(0x0b1030), hex(0x17506a), hex(0x18223f), hex(0x2f5a78),
                    hex(0xdfe6f5), hex(0x4a3426), hex(0x4fc3c8)};
        case 1:  // diamonds: violet dusk, crimson robe, silver trim
            return {hex(0x16143f), hex(0x5a2a62), hex(0xb01f37), hex(0xe04a5e),
                    hex(0xdfe6f5), hex(0xb5703a), hex(0x9fa8ff)};
        case 2:  // hearts: plum night, crimson robe, gold trim
            return {hex(0x1c2a5a), hex(0x4a1a48), hex(0xc0223a), hex(0xe8546a),
                    hex(0xe8c56a), hex(0xe0b860), hex(0xdfe6f5)};
        default:  // spades: midnight, navy robe, lavender trim
            return {hex(0x0b1030), hex(0x24357a), hex(0x151a2e), hex(0x34407a),
                    hex(0x9fa8ff), hex(0xb4bcd8), hex(0xe8c56a)};
    }
}

constexpr double kCx = kCardW / 2.0;
// The portrait is drawn on this design frame and placed on the card in the frame kP*, which
// leaves the corner index room above it.
constexpr double kFx = 17, kFy = 15, kFw = 65, kFh = 114;
constexpr double kPx = 18, kPy = 18, kPw = 63, kPh = 108;
const Rgb kSkin = hex(0xf4e6d6), kSkinShade = hex(0xdcc3ad), kFeature = hex(0x3b2c3c);

void fill_vertical(cairo_t* cr, double y0, double y1, const Rgb& a, const Rgb& b) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    add_stop(g, 0, a);
    add_stop(g, 1, b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void fill_lit(cairo_t* cr, double x0, double x1, const Rgb& light, const Rgb& dark) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x1, 0);
    add_stop(g, 0, light);
    add_stop(g, 0.45, mix(light, dark, 0.45));
    add_stop(g, 1, dark);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void gold_fill(cairo_t* cr, double y0, double y1) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    add_stop(g, 0, hex(0xfbe7a6));
    add_stop(g, 0.5, kGold);
    add_stop(g, 1, hex(0xa8832e));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_rgb(cr, hex(0x7a5a1c), 0.9);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
}

void sky(cairo_t* cr, const CourtColours& c, int suit, int rank) {
    cairo_rectangle(cr, kFx, kFy, kFw, kFh);
    fill_vertical(cr, kFy, kFy + kFh, c.sky_top, c.sky_bottom);
    Rng rng(101 + suit * 13 + rank);
    for (int i = 0; i < 26; ++i) {
        double x = rng.range(kFx + 2, kFx + kFw - 2), y = rng.range(kFy + 2, kFy + 70);
        double r = rng.range(0.25, 0.75);
        cairo_arc(cr, x, y, r, 0, 2 * kPi);
        set_rgb(cr, kSilver, rng.range(0.45, 0.95));
        cairo_fill(cr);
    }
}

void head_glow(cairo_t* cr, double cy, double r, const Rgb& c, double a) {
    cairo_pattern_t* g = cairo_pattern_create_radial(kCx, cy, 0, kCx, cy, r);
    add_stop(g, 0, c, a);
    add_stop(g, 1, c, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, kCx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// Shoulders and robe down to the bottom of the frame.
void robe(cairo_t* cr, const CourtColours& c, double shoulder_y) {
    cairo_move_to(cr, kFx - 1, kFy + kFh + 1);
    cairo_line_to(cr, kFx - 1, shoulder_y + 24);
    cairo_curve_to(cr, kFx, shoulder_y + 8, kFx + 10, shoulder_y + 1, kCx - 9, shoulder_y);
    cairo_line_to(cr, kCx + 9, shoulder_y);
    cairo_curve_to(cr, kFx + kFw - 10, shoulder_y + 1, kFx + kFw, shoulder_y + 8, kFx + kFw + 1,
                   shoulder_y + 24);
    cairo_line_to(cr, kFx + kFw + 1, kFy + kFh + 1);
    cairo_close_path(cr);
    cairo_path_t* outline = cairo_copy_path(cr);
    fill_lit(cr, kFx, kFx + kFw, c.robe_light, c.robe);
    // Moonlit rim along the shoulders.
    cairo_save(cr);
    cairo_rectangle(cr, kFx, kFy, kFw, shoulder_y + 30 - kFy);
    cairo_clip(cr);
    cairo_append_path(cr, outline);
    set_rgb(cr, c.trim, 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_path_destroy(outline);
}

void neck(cairo_t* cr, double y0, double y1) {
    cairo_rectangle(cr, kCx - 3.6, y0, 7.2, y1 - y0);
    fill_vertical(cr, y0, y1, kSkinShade, kSkin);
}

void head(cairo_t* cr, double cy) {
    cairo_save(cr);
    cairo_translate(cr, kCx, cy);
    cairo_scale(cr, 8.4, 10);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(kCx - 3, cy - 3, 1, kCx, cy, 11);
    add_stop(g, 0, hex(0xfff6ea));
    add_stop(g, 0.7, kSkin);
    add_stop(g, 1, kSkinShade);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void face(cairo_t* cr, double cy, bool mouth) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.85);
    set_rgb(cr, kFeature);
    for (int s = -1; s <= 1; s += 2) {
        double ex = kCx + s * 3.5;
        // Serene closed eyes with a lash line.
        cairo_move_to(cr, ex - 1.8, cy - 0.6);
        cairo_curve_to(cr, ex - 0.8, cy + 0.7, ex + 0.8, cy + 0.7, ex + 1.8, cy - 0.6);
        cairo_stroke(cr);
        cairo_arc(cr, ex + s * 0.4, cy + 3.4, 1.6, 0, 2 * kPi);
        set_rgb(cr, hex(0xe88a8a), 0.28);
        cairo_fill(cr);
        set_rgb(cr, kFeature);
    }
    cairo_set_line_width(cr, 0.6);
    set_rgb(cr, kSkinShade);
    cairo_move_to(cr, kCx + 0.2, cy + 0.8);
    cairo_line_to(cr, kCx - 0.7, cy + 3.6);
    cairo_line_to(cr, kCx + 0.6, cy + 3.9);
    cairo_stroke(cr);
    if (mouth) {
        cairo_set_line_width(cr, 0.8);
        set_rgb(cr, hex(0xb44a58));
        cairo_move_to(cr, kCx - 1.7, cy + 6.1);
        cairo_curve_to(cr, kCx - 0.6, cy + 6.9, kCx + 0.6, cy + 6.9, kCx + 1.7, cy + 6.1);
        cairo_stroke(cr);
    }
}

// Small round jewel with a glint.
void jewel(cairo_t* cr, double x, double y, double r, const Rgb& c) {
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    set_rgb(cr, c);
    cairo_fill(cr);
    cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.35, 0, 2 * kPi);
    set_rgb(cr, hex(0xffffff), 0.8);
    cairo_fill(cr);
}

// Front trim down the robe with jewels.
void placket(cairo_t* cr, const CourtColours& c, double y0) {
    cairo_rectangle(cr, kCx - 1.6, y0, 3.2, kFy + kFh - y0);
    set_rgb(cr, c.trim);
    cairo_fill(cr);
    for (double y = y0 + 5; y < kFy + kFh - 14; y += 7.5) jewel(cr, kCx, y, 1.5, c.gem);
}

void rod(cairo_t* cr, double x, double y0, double y1) {
    cairo_rectangle(cr, x - 1.1, y0, 2.2, y1 - y0);
    gold_fill(cr, y0, y1);
}

void hand(cairo_t* cr, const CourtColours& c, double x, double y) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 3.6, 3);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    set_rgb(cr, kSkin);
    cairo_fill_preserve(cr);
    set_rgb(cr, kSkinShade);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    // Sleeve cuff.
    rounded_rect(cr, x - 4.6, y + 2.2, 9.2, 2.6, 1.2);
    set_rgb(cr, c.trim);
    cairo_fill(cr);
}

void king(cairo_t* cr, const CourtColours& c, int suit) {
    const double hy = 60;
    // Crescent moon in the sky and a soft glow behind the head.
    cairo_new_path(cr);
    crescent_path(cr, 31, 31, 9, 4.2, -3, 8);
    cairo_pattern_t* m = cairo_pattern_create_linear(22, 22, 36, 40);
    add_stop(m, 0, hex(0xfff0c0));
    add_stop(m, 1, kGold);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    head_glow(cr, hy - 4, 22, kLavender, 0.45);
    // Silver hair behind the head.
    cairo_save(cr);
    cairo_translate(cr, kCx, hy + 1);
    cairo_scale(cr, 10.6, 11.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    set_rgb(cr, hex(0xc9cfde));
    cairo_fill(cr);
    robe(cr, c, 79);
    // Ermine collar across the shoulders.
    cairo_move_to(cr, kFx - 1, 102);
    cairo_curve_to(cr, kFx + 2, 86, kFx + 14, 81, kCx, 81);
    cairo_curve_to(cr, kFx + kFw - 14, 81, kFx + kFw - 2, 86, kFx + kFw + 1, 102);
    cairo_line_to(cr, kFx + kFw + 1, 108);
    cairo_curve_to(cr, kFx + kFw - 4, 94, kFx + kFw - 16, 88, kCx, 88);
    cairo_curve_to(cr, kFx + 16, 88, kFx + 4, 94, kFx - 1, 108);
    cairo_close_path(cr);
    fill_vertical(cr, 81, 108, hex(0xffffff), hex(0xcfd4e4));
    set_rgb(cr, kInk);
    for (int i = -3; i <= 3; ++i) {
        if (i == 0) continue;
        double t = i / 3.0;
        double x = kCx + t * 26, y = 85 + t * t * 12;
        cairo_move_to(cr, x, y - 1.2);
        cairo_line_to(cr, x + 0.8, y + 1.2);
        cairo_line_to(cr, x - 0.8, y + 1.2);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    placket(cr, c, 88);
    neck(cr, hy + 6, 82);
    head(cr, hy);
    face(cr, hy - 1, false);
    // Beard and moustache.
    cairo_move_to(cr, kCx - 8.3, hy + 0.5);
    cairo_curve_to(cr, kCx - 8.6, hy + 10, kCx - 5, hy + 16, kCx, hy + 21);
    cairo_curve_to(cr, kCx + 5, hy + 16, kCx + 8.6, hy + 10, kCx + 8.3, hy + 0.5);
    cairo_curve_to(cr, kCx + 7, hy + 6, kCx + 4, hy + 7.5, kCx, hy + 7.5);
    cairo_curve_to(cr, kCx - 4, hy + 7.5, kCx - 7, hy + 6, kCx - 8.3, hy + 0.5);
    cairo_close_path(cr);
    fill_vertical(cr, hy, hy + 21, hex(0xf2f4fa), hex(0xb9c0d4));
    cairo_set_line_width(cr, 0.5);
    set_rgb(cr, hex(0x9aa2ba));
    for (int s = -1; s <= 1; s += 2) {
        cairo_move_to(cr, kCx + s * 1.5, hy + 10);
        cairo_curve_to(cr, kCx + s * 2.5, hy + 13, kCx + s * 2, hy + 16, kCx + s * 0.8, hy + 18);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, kCx, hy + 5.3);
    cairo_curve_to(cr, kCx - 3, hy + 4.2, kCx - 6, hy + 5, kCx - 7.2, hy + 8);
    cairo_curve_to(cr, kCx - 5, hy + 6.8, kCx - 2.5, hy + 7.2, kCx, hy + 6.8);
    cairo_curve_to(cr, kCx + 2.5, hy + 7.2, kCx + 5, hy + 6.8, kCx + 7.2, hy + 8);
    cairo_curve_to(cr, kCx + 6, hy + 5, kCx + 3, hy + 4.2, kCx, hy + 5.3);
    cairo_close_path(cr);
    set_rgb(cr, hex(0xe6e9f2));
    cairo_fill(cr);
    // Brows.
    cairo_set_line_width(cr, 1.1);
    set_rgb(cr, hex(0xaeb6cc));
    for (int s = -1; s <= 1; s += 2) {
        cairo_move_to(cr, kCx + s * 1.6, hy - 4.2);
        cairo_line_to(cr, kCx + s * 5.6, hy - 4.8);
        cairo_stroke(cr);
    }
    // Tall crown.
    const double by = hy - 9.5;
    cairo_move_to(cr, kCx - 9.6, by + 4);
    cairo_line_to(cr, kCx - 10.4, by - 9);
    cairo_line_to(cr, kCx - 6.4, by - 2.5);
    cairo_line_to(cr, kCx - 4.2, by - 11);
    cairo_line_to(cr, kCx - 1.8, by - 3);
    cairo_line_to(cr, kCx, by - 14);
    cairo_line_to(cr, kCx + 1.8, by - 3);
    cairo_line_to(cr, kCx + 4.2, by - 11);
    cairo_line_to(cr, kCx + 6.4, by - 2.5);
    cairo_line_to(cr, kCx + 10.4, by - 9);
    cairo_line_to(cr, kCx + 9.6, by + 4);
    cairo_close_path(cr);
    gold_fill(cr, by - 14, by + 4);
    for (double x : {-10.4, -4.2, 4.2, 10.4})
        jewel(cr, kCx + x, by - (std::fabs(x) > 8 ? 9 : 11), 1.1, hex(0xfdf6e0));
    cairo_new_path(cr);
    star_path(cr, kCx, by - 15.2, 2.6, 1.1, 5);
    set_rgb(cr, hex(0xfff3c8));
    cairo_fill(cr);
    cairo_rectangle(cr, kCx - 9.8, by + 0.6, 19.6, 3.4);
    set_rgb(cr, hex(0xa8832e), 0.55);
    cairo_fill(cr);
    jewel(cr, kCx, by + 2.3, 1.5, c.gem);
    jewel(cr, kCx - 5.5, by + 2.3, 1.0, kCrimson);
    jewel(cr, kCx + 5.5, by + 2.3, 1.0, kCrimson);
    // Sceptre topped by the suit.
    rod(cr, 70, 60, 122);
    cairo_new_path(cr);
    suit_path(cr, suit, 70, 55.5, 9);
    cairo_set_line_width(cr, 1.2);
    set_rgb(cr, hex(0x7a5a1c));
    cairo_stroke_preserve(cr);
    gold_fill(cr, 51, 60);
    hand(cr, c, 70, 100);
}

void queen(cairo_t* cr, const CourtColours& c) {
    const double hy = 60;
    // Full moon halo behind her head.
    head_glow(cr, hy - 2, 28, kSilver, 0.35);
    cairo_arc(cr, kCx, hy - 3, 17, 0, 2 * kPi);
    cairo_pattern_t* m = cairo_pattern_create_radial(kCx - 5, hy - 9, 2, kCx, hy - 3, 17);
    add_stop(m, 0, hex(0xffffff));
    add_stop(m, 1, hex(0xc9d1ea));
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    const double craters[][3] = {{-9, -9, 2.4}, {10, -1, 3}, {-11, 5, 1.8}, {6, -12, 1.6}};
    for (auto& k : craters) {
        cairo_arc(cr, kCx + k[0], hy - 3 + k[1], k[2], 0, 2 * kPi);
        set_rgb(cr, hex(0xaab3d4), 0.55);
        cairo_fill(cr);
    }
    // Long hair falling behind the shoulders.
    cairo_move_to(cr, kCx - 9, hy - 6);
    cairo_curve_to(cr, kCx - 14, hy + 6, kCx - 16, hy + 18, kCx - 15, hy + 30);
    cairo_line_to(cr, kCx + 15, hy + 30);
    cairo_curve_to(cr, kCx + 16, hy + 18, kCx + 14, hy + 6, kCx + 9, hy - 6);
    cairo_close_path(cr);
    fill_vertical(cr, hy - 6, hy + 30, c.hair, scale(c.hair, 0.7));
    robe(cr, c, 81);
    // Rounded neckline with a trim band.
    cairo_move_to(cr, kCx - 10, 80.5);
    cairo_curve_to(cr, kCx - 8, 90, kCx + 8, 90, kCx + 10, 80.5);
    cairo_close_path(cr);
    set_rgb(cr, kSkin);
    cairo_fill(cr);
    cairo_move_to(cr, kCx - 10.5, 80.2);
    cairo_curve_to(cr, kCx - 8.3, 90.6, kCx + 8.3, 90.6, kCx + 10.5, 80.2);
    set_rgb(cr, c.trim);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    placket(cr, c, 89.5);
    neck(cr, hy + 6, 82);
    // Pearl necklace.
    for (int i = -4; i <= 4; ++i) {
        double t = i / 4.0;
        jewel(cr, kCx + t * 4.8, 78.2 + (1 - t * t) * 2.6, 0.8, hex(0xf4f6ff));
    }
    head(cr, hy);
    face(cr, hy - 1, true);
    // Hair over the top of the head with a centre parting.
    cairo_move_to(cr, kCx - 8.8, hy + 2);
    cairo_curve_to(cr, kCx - 10, hy - 8, kCx - 5, hy - 11.2, kCx, hy - 10.6);
    cairo_curve_to(cr, kCx + 5, hy - 11.2, kCx + 10, hy - 8, kCx + 8.8, hy + 2);
    cairo_curve_to(cr, kCx + 7.5, hy - 3, kCx + 4, hy - 6.5, kCx, hy - 7);
    cairo_curve_to(cr, kCx - 4, hy - 6.5, kCx - 7.5, hy - 3, kCx - 8.8, hy + 2);
    cairo_close_path(cr);
    fill_vertical(cr, hy - 11, hy + 2, scale(c.hair, 1.15), c.hair);
    // Tiara with a crescent moon.
    cairo_move_to(cr, kCx - 8.6, hy - 7.2);
    cairo_curve_to(cr, kCx - 5, hy - 10.4, kCx + 5, hy - 10.4, kCx + 8.6, hy - 7.2);
    cairo_set_line_width(cr, 1.6);
    set_rgb(cr, kGold);
    cairo_stroke(cr);
    for (int i = -2; i <= 2; ++i) {
        if (i == 0) continue;
        double x = kCx + i * 3.4;
        cairo_move_to(cr, x - 1.1, hy - 9.2 + std::abs(i) * 0.7);
        cairo_line_to(cr, x, hy - 12.6 + std::abs(i) * 0.9);
        cairo_line_to(cr, x + 1.1, hy - 9.2 + std::abs(i) * 0.7);
        cairo_close_path(cr);
        set_rgb(cr, kGold);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    crescent_path(cr, kCx, hy - 15, 4.2, 0, -2.2, 3.6);
    gold_fill(cr, hy - 19, hy - 11);
    jewel(cr, kCx, hy - 9.6, 1.2, c.gem);
    // Star wand.
    rod(cr, 29, 72, 122);
    cairo_new_path(cr);
    star_path(cr, 29, 66.5, 5.4, 2.3, 5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    gold_fill(cr, 61, 72);
    hand(cr, c, 29, 101);
}

void jack(cairo_t* cr, const CourtColours& c) {
    const double hy = 61;
    // A bright star in the sky and a glow.
    head_glow(cr, 33, 16, kLavender, 0.5);
    cairo_new_path(cr);
    sparkle_path(cr, 30.5, 33, 10, 0.16);
    fill_vertical(cr, 23, 43, hex(0xffffff), hex(0xc9ceff));
    cairo_new_path(cr);
    sparkle_path(cr, 30.5, 33, 5.5, 0.2);
    cairo_save(cr);
    cairo_translate(cr, 30.5, 33);
    cairo_rotate(cr, kPi / 4);
    cairo_translate(cr, -30.5, -33);
    cairo_new_path(cr);
    sparkle_path(cr, 30.5, 33, 6, 0.2);
    cairo_restore(cr);
    set_rgb(cr, hex(0xffffff), 0.9);
    cairo_fill(cr);
    head_glow(cr, hy - 2, 20, kSilver, 0.25);
    // Lance with a pennant, behind the shoulder.
    rod(cr, 71, 34, 126);
    cairo_move_to(cr, 71, 24);
    cairo_line_to(cr, 73.6, 33);
    cairo_line_to(cr, 71, 35.5);
    cairo_line_to(cr, 68.4, 33);
    cairo_close_path(cr);
    fill_vertical(cr, 24, 36, hex(0xffffff), hex(0xaab3cc));
    cairo_move_to(cr, 70, 37);
    cairo_curve_to(cr, 64, 36, 60, 40, 55, 38);
    cairo_curve_to(cr, 59, 42, 56, 46, 54, 47.5);
    cairo_curve_to(cr, 60, 47, 64, 45, 70, 46.5);
    cairo_close_path(cr);
    fill_lit(cr, 54, 70, c.trim, scale(c.trim, 0.7));
    robe(cr, c, 80);
    // Doublet: a standing ruff and a belt.
    cairo_rectangle(cr, kFx, 108, kFw, 3.6);
    set_rgb(cr, c.trim);
    cairo_fill(cr);
    jewel(cr, kCx, 109.8, 2, c.gem);
    for (double y : {89.0, 95.0, 101.0, 117.0}) jewel(cr, kCx, y, 1.3, c.trim);
    neck(cr, hy + 6, 80);
    cairo_new_path(cr);
    for (int i = 0; i <= 12; ++i) {
        double t = i / 12.0;
        double x = kCx - 10 + 20 * t, y = (i % 2 == 0) ? 84.5 : 80.2;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, kCx + 8, 77);
    cairo_line_to(cr, kCx - 8, 77);
    cairo_close_path(cr);
    fill_vertical(cr, 77, 85, hex(0xffffff), hex(0xc9cfe0));
    // Short hair at the sides.
    cairo_save(cr);
    cairo_translate(cr, kCx, hy - 2);
    cairo_scale(cr, 9.6, 9.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    set_rgb(cr, c.hair);
    cairo_fill(cr);
    head(cr, hy);
    face(cr, hy - 1, true);
    // Fringe under the cap.
    cairo_move_to(cr, kCx - 8.6, hy - 2);
    cairo_curve_to(cr, kCx - 8, hy - 8, kCx + 8, hy - 8, kCx + 8.6, hy - 2);
    cairo_curve_to(cr, kCx + 5, hy - 5.5, kCx - 3, hy - 4.5, kCx - 8.6, hy - 2);
    cairo_close_path(cr);
    set_rgb(cr, c.hair);
    cairo_fill(cr);
    // Beret, tilted, with a trim band and a plume.
    cairo_save(cr);
    cairo_translate(cr, kCx + 1.5, hy - 9.5);
    cairo_rotate(cr, -0.12);
    cairo_save(cr);
    cairo_scale(cr, 12.5, 4.6);
    cairo_arc(cr, 0, 0, 1, kPi, 2 * kPi);
    cairo_restore(cr);
    cairo_line_to(cr, 10.5, 1.6);
    cairo_line_to(cr, -10.5, 1.6);
    cairo_close_path(cr);
    fill_lit(cr, -12, 12, c.robe_light, c.robe);
    cairo_rectangle(cr, -10.5, -0.4, 21, 2.2);
    set_rgb(cr, c.trim);
    cairo_fill(cr);
    jewel(cr, -5, 0.7, 1.2, c.gem);
    // Plume curving up and back.
    cairo_move_to(cr, -6, -1);
    cairo_curve_to(cr, -12, -6, -14, -14, -9, -19);
    cairo_curve_to(cr, -10, -13, -6, -8, -3.5, -2.5);
    cairo_close_path(cr);
    fill_vertical(cr, -19, -1, hex(0xffffff), kLavender);
    cairo_restore(cr);
    hand(cr, c, 71, 99);
}

void to_card(cairo_t* cr) {
    cairo_translate(cr, kPx, kPy);
    cairo_scale(cr, kPw / kFw, kPh / kFh);
    cairo_translate(cr, -kFx, -kFy);
}

}  // namespace

void court_portrait(cairo_t* cr, int suit, int rank) {
    const CourtColours c = colours_of(suit);
    // Frame shadow on the card.
    soft_shadow(
        cr, kCardW, kCardH,
        [](cairo_t* g) {
            to_card(g);
            rounded_rect(g, kFx, kFy + 1, kFw, kFh, 3);
        },
        1.6, 0, 0.6, hex(0x1c2a5a), 0.35);
    cairo_save(cr);
    to_card(cr);
    cairo_save(cr);
    rounded_rect(cr, kFx, kFy, kFw, kFh, 3);
    cairo_clip(cr);
    sky(cr, c, suit, rank);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    if (rank == 12)
        king(cr, c, suit);
    else if (rank == 11)
        queen(cr, c);
    else
        jack(cr, c);
    // Name plate with the rank letter, suit pips either side.
    const char* letter = rank == 12 ? "K" : rank == 11 ? "Q" : "J";
    rounded_rect(cr, kCx - 9.5, 113.5, 19, 13, 2.5);
    fill_vertical(cr, 113.5, 126.5, kNight, kNightDeep);
    rounded_rect(cr, kCx - 9.5, 113.5, 19, 13, 2.5);
    set_rgb(cr, kGold);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    TextStyle st;
    st.font = "C059";
    st.bold = true;
    st.size_px = 40;
    cairo_new_path(cr);
    fitted_text_path(cr, letter, st, kCx, 115.6, 8.6, 14, Align::center, "K");
    fill_vertical(cr, 115.6, 124.2, hex(0xfff0c0), kGold);
    for (int s = -1; s <= 1; s += 2) {
        cairo_new_path(cr);
        suit_path(cr, suit, kCx + s * 16, 120.5, 7.5);
        set_rgb(cr, c.trim);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Double gold frame.
    rounded_rect(cr, kFx + 0.5, kFy + 0.5, kFw - 1, kFh - 1, 3);
    set_rgb(cr, hex(0xc9a548));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    rounded_rect(cr, kFx + 2.2, kFy + 2.2, kFw - 4.4, kFh - 4.4, 2);
    set_rgb(cr, kGold, 0.6);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace pieces
}  // namespace assetgen
