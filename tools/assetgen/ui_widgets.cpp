// Glows, the check mark, the slider knob, row plates, banners and the maker's logo.

#include <cmath>

#include "ui_parts.h"
#include "ui_theme.h"

namespace assetgen {
namespace ui {
namespace {

// Additive rim light round a plate: bright at the edge, dark in the middle.
void rim_glow(cairo_t* cr, int w, int h, const PlateGeom& p, double strength, bool ends) {
    double margin = std::min(p.x, p.y);
    double blur = std::min(9.0, std::max(2.0, margin * 0.7));
    soft(cr, 0, 0, w, h, blur, kLavender, 0.85 * strength, [&](cairo_t* m) {
        rounded_rect(m, p.x, p.y, p.w, p.h, p.r);
        cairo_set_line_width(m, std::min(8.0, p.h * 0.12));
        cairo_stroke(m);
    });
    // Warm light gathering at the two ends and a thin line along the top edge.
    soft(cr, 0, 0, w, h, std::min(10.0, p.h * 0.16), kGold, 0.7 * strength, [&](cairo_t* m) {
        for (int side = 0; ends && side < 2; ++side) {
            double cx = side ? p.x + p.w - p.h * 0.42 : p.x + p.h * 0.42;
            cairo_arc(m, cx, p.y + p.h / 2, p.h * 0.2, 0, 2 * M_PI);
            cairo_fill(m);
        }
        rounded_rect(m, p.x + p.r, p.y - 1, p.w - 2 * p.r, 3, 1.5);
        cairo_fill(m);
    });
    cairo_set_line_width(cr, 1.5);
    set(cr, kSilver, 0.55 * strength);
    rounded_rect(cr, p.x + 0.75, p.y + 0.75, p.w - 1.5, p.h - 1.5, p.r);
    cairo_stroke(cr);
}

// Additive glow of a top-bar segment: light rising from the bottom edge.
void bar_glow(cairo_t* cr, int w, int h) {
    cairo_pattern_t* rg = cairo_pattern_create_radial(w / 2.0, h, 0, w / 2.0, h, w * 0.55);
    gradient_stop(rg, 0, kLavender, 0.45);
    gradient_stop(rg, 0.6, kLavender, 0.12);
    gradient_stop(rg, 1, kLavender, 0);
    cairo_set_source(cr, rg);
    cairo_paint(cr);
    cairo_pattern_destroy(rg);
    soft(cr, 0, 0, w, h, 4, kGold, 0.9, [&](cairo_t* m) {
        cairo_rectangle(m, w * 0.12, h - 4, w * 0.76, 2);
        cairo_fill(m);
    });
}

// Alpha-blended highlight frame for a game picture.
void choosegame_glow(cairo_t* cr, int w, int h) {
    cairo_save(cr);
    rounded_rect(cr, 0, 0, w, h, 12);
    cairo_clip(cr);
    soft(cr, 0, 0, w, h, 10, kLavender, 0.9, [&](cairo_t* m) {
        rounded_rect(m, 2, 2, w - 4, h - 4, 10);
        cairo_set_line_width(m, 14);
        cairo_stroke(m);
    });
    cairo_restore(cr);
    cairo_set_line_width(cr, 2.2);
    set(cr, kGold, 1);
    rounded_rect(cr, 2.5, 2.5, w - 5, h - 5, 10);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kSilver, 0.9);
    rounded_rect(cr, 6.5, 6.5, w - 13, h - 13, 7);
    cairo_stroke(cr);
    const double cs[4][2] = {{7, 7}, {w - 7.0, 7}, {7, h - 7.0}, {w - 7.0, h - 7.0}};
    for (auto& c : cs) {
        soft(cr, c[0] - 14, c[1] - 14, 28, 28, 3, kGold, 0.8, [&](cairo_t* m) {
            cairo_arc(m, c[0], c[1], 4, 0, 2 * M_PI);
            cairo_fill(m);
        });
        set(cr, kGoldPale, 1);
        star4(cr, c[0], c[1], 10, 1.5);
        cairo_fill(cr);
    }
}

// The check mark drawn over a 32x32 outline.
void check_mark(cairo_t* cr, int w, int h) {
    cairo_save(cr);
    cairo_scale(cr, w / 32.0, h / 32.0);
    auto tick = [](cairo_t* c) {
        cairo_move_to(c, 8.5, 16.5);
        cairo_curve_to(c, 10.5, 18.0, 12.0, 20.0, 13.8, 23.2);
        cairo_curve_to(c, 16.5, 16.5, 20.0, 11.5, 25.5, 7.0);
    };
    soft(cr, 0, 0, 32, 32, 3, kGold, 0.9, [&](cairo_t* m) {
        tick(m);
        cairo_set_line_width(m, 5);
        cairo_set_line_cap(m, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(m, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(m);
    });
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    tick(cr);
    cairo_set_line_width(cr, 5.2);
    set(cr, kInk, 0.9);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(8, 7, 26, 24);
    gradient_stop(g, 0, rgb(0xffffff));
    gradient_stop(g, 0.5, kGoldPale);
    gradient_stop(g, 1, kGold);
    cairo_set_source(cr, g);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

// Slider knob: a silver capsule with a gold gem.
void slider_knob(cairo_t* cr, int w, int h) {
    double x = 1.5, y = 1.5, kw = w - 3, kh = h - 3, r = kw * 0.38;
    rounded_rect(cr, x, y, kw, kh, r);
    set(cr, kInk, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, 0, x + kw, 0);
    gradient_stop(g, 0, rgb(0xf4f7ff));
    gradient_stop(g, 0.45, kSilver);
    gradient_stop(g, 1, rgb(0x7d89b3));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, y, 0, y + kh);
    gradient_stop(s, 0, {1, 1, 1}, 0.5);
    gradient_stop(s, 0.35, {1, 1, 1}, 0);
    gradient_stop(s, 1, kNight2, 0.35);
    rounded_rect(cr, x, y, kw, kh, r);
    cairo_set_source(cr, s);
    cairo_fill(cr);
    cairo_pattern_destroy(s);
    // Grip lines and the gem.
    double cx = w / 2.0, cy = h / 2.0;
    for (int i = -1; i <= 1; i += 2) {
        set(cr, kNight1, 0.55);
        cairo_rectangle(cr, cx - 4, cy + i * 8 - 0.5, 8, 1);
        cairo_fill(cr);
        set(cr, {1, 1, 1}, 0.6);
        cairo_rectangle(cr, cx - 4, cy + i * 8 + 0.5, 8, 1);
        cairo_fill(cr);
    }
    cairo_move_to(cr, cx, cy - 5);
    cairo_line_to(cr, cx + 4, cy);
    cairo_line_to(cr, cx, cy + 5);
    cairo_line_to(cr, cx - 4, cy);
    cairo_close_path(cr);
    set(cr, kInk, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gg = cairo_pattern_create_linear(cx - 4, cy - 5, cx + 4, cy + 5);
    gradient_stop(gg, 0, kGoldPale);
    gradient_stop(gg, 1, rgb(0xb88f30));
    cairo_set_source(cr, gg);
    cairo_fill(cr);
    cairo_pattern_destroy(gg);
}

// Row plate of the player choice; the marker outline sits at (23, 23).
void player_plate(cairo_t* cr, int w, int h) {
    double px = 3, py = 4, pw = w - 6, ph = h - 8, r = 16;
    soft(cr, px, py + 3, pw, ph, 4, kInk, 0.55, [&](cairo_t* m) {
        rounded_rect(m, px, py + 3, pw, ph, r);
        cairo_fill(m);
    });
    cairo_pattern_t* g = cairo_pattern_create_linear(0, py, 0, py + ph);
    gradient_stop(g, 0, rgb(0x22336f), 0.92);
    gradient_stop(g, 1, rgb(0x0e1640), 0.92);
    rounded_rect(cr, px, py, pw, ph, r);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_save(cr);
    rounded_rect(cr, px, py, pw, ph, r);
    cairo_clip(cr);
    starfield(cr, px, py, pw, ph, 6, 3131, 0.35);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, py, 0, py + ph * 0.5);
    gradient_stop(s, 0, {1, 1, 1}, 0.08);
    gradient_stop(s, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, s);
    cairo_paint(cr);
    cairo_pattern_destroy(s);
    cairo_restore(cr);
    cairo_set_line_width(cr, 1.4);
    set(cr, kSilver, 0.65);
    rounded_rect(cr, px + 0.7, py + 0.7, pw - 1.4, ph - 1.4, r);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kGold, 0.4);
    rounded_rect(cr, px + 4.5, py + 4.5, pw - 9, ph - 9, r - 4);
    cairo_stroke(cr);
    // Separator between the marker and the name, and a faint one before the score.
    for (double sx : {72.5, 556.5}) {
        cairo_pattern_t* lg = cairo_pattern_create_linear(0, py + 10, 0, py + ph - 10);
        gradient_stop(lg, 0, kGold, 0);
        gradient_stop(lg, 0.5, kGold, sx < 100 ? 0.6 : 0.3);
        gradient_stop(lg, 1, kGold, 0);
        cairo_set_source(cr, lg);
        cairo_rectangle(cr, sx, py + 10, 1, ph - 20);
        cairo_fill(cr);
        cairo_pattern_destroy(lg);
    }
    box_outline(cr, 23, 23);
}

// Translucent band behind the welcome line while the pointer is over it.
void change_player_band(cairo_t* cr, int w, int h) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    gradient_stop(g, 0, kLavender, 0.10);
    gradient_stop(g, 0.5, kLavender, 0.26);
    gradient_stop(g, 1, kLavender, 0.10);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    for (double y : {1.0, h - 2.0}) {
        cairo_pattern_t* lg = cairo_pattern_create_linear(0, 0, w, 0);
        gradient_stop(lg, 0, kGold, 0);
        gradient_stop(lg, 0.5, kGold, 0.9);
        gradient_stop(lg, 1, kGold, 0);
        cairo_set_source(cr, lg);
        cairo_rectangle(cr, 0, y, w, 1);
        cairo_fill(cr);
        cairo_pattern_destroy(lg);
    }
    set(cr, kGold, 0.9);
    star4(cr, w / 2.0, 1.5, 7, 1.4);
    star4(cr, w / 2.0, h - 1.5, 7, 1.4);
    cairo_fill(cr);
}

// A text line in the night style, centred, with soft backing so it reads on the title art.
void glowing_line(cairo_t* cr, int w, int h, const std::string& text, double size, bool italic,
                  bool stars) {
    TextStyle ts = style(italic ? "Linux Libertine O Italic" : kLabelFont, size, kSilver);
    ts.letter_spacing_px = size * 0.04;
    TextExtent e = measure_text(cr, text, ts);
    double cy = h / 2.0;
    soft(cr, 0, 0, w, h, 14, kInk, 0.65, [&](cairo_t* m) {
        cairo_save(m);
        cairo_translate(m, w / 2.0, cy);
        cairo_scale(m, std::min(w / 2.0 - 16, e.ink_w / 2 + 50), h / 2.0 - 18);
        cairo_arc(m, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(m);
        cairo_fill(m);
    });
    double tx = w / 2.0 - (e.ink_x + e.ink_w / 2);
    double ty = cy - e.baseline + size * 0.33;
    soft(cr, tx - 12, ty - 12, e.w + 24, e.h + 24, 6, kLavender, 0.8, [&](cairo_t* m) {
        text_path(m, text, ts, tx, ty);
        cairo_fill(m);
    });
    cairo_save(cr);
    text_path(cr, text, ts, tx, ty);
    cairo_set_line_width(cr, 2.5);
    set(cr, kInk, 0.8);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, ty + e.ink_y, 0, ty + e.ink_y + e.ink_h);
    gradient_stop(g, 0, rgb(0xffffff));
    gradient_stop(g, 0.6, kSilver);
    gradient_stop(g, 1, kGoldPale);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    if (stars) {
        for (int side = 0; side < 2; ++side) {
            double x = side ? tx + e.ink_x + e.ink_w + 24 : tx + e.ink_x - 24;
            sparkle(cr, x, cy, 4, kGoldPale, 1);
        }
    }
}

// Banner of the play screen: a framed plate with a line of title text.
void banner(cairo_t* cr, int w, int h, const std::string& text, bool gold) {
    const double px = 8, py = 9, pw = w - 16, ph = h - 18, r = 20;
    soft(cr, 0, 0, w, h, 6, gold ? kGold : kLavender, gold ? 0.55 : 0.35, [&](cairo_t* m) {
        rounded_rect(m, px, py, pw, ph, r);
        cairo_set_line_width(m, 6);
        cairo_stroke(m);
    });
    cairo_pattern_t* g = cairo_pattern_create_linear(0, py, 0, py + ph);
    gradient_stop(g, 0, rgb(0x2c3f86));
    gradient_stop(g, 1, rgb(0x0d1540));
    cairo_set_source(cr, g);
    rounded_rect(cr, px, py, pw, ph, r);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_save(cr);
    rounded_rect(cr, px, py, pw, ph, r);
    cairo_clip(cr);
    starfield(cr, px, py, pw, ph, 14, 555, 0.6);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, py, 0, py + ph * 0.5);
    gradient_stop(s, 0, {1, 1, 1}, 0.12);
    gradient_stop(s, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, s);
    cairo_paint(cr);
    cairo_pattern_destroy(s);
    cairo_restore(cr);
    cairo_set_line_width(cr, 1.8);
    set(cr, gold ? kGold : kSilver, 0.95);
    rounded_rect(cr, px + 0.9, py + 0.9, pw - 1.8, ph - 1.8, r);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, gold ? kSilver : kGold, 0.5);
    rounded_rect(cr, px + 5.5, py + 5.5, pw - 11, ph - 11, r - 5);
    cairo_stroke(cr);
    if (gold) {
        const double cs[4][2] = {{px + 4, py + 4},
                                 {px + pw - 4, py + 4},
                                 {px + 4, py + ph - 4},
                                 {px + pw - 4, py + ph - 4}};
        for (auto& c : cs) sparkle(cr, c[0], c[1], 3.2, kGoldPale, 1);
    }
    for (int side = 0; side < 2; ++side) {
        double x = side ? w - 30.0 : 30.0;
        set(cr, gold ? kGold : kSilverDim, 0.95);
        star4(cr, x, h / 2.0, 9, 1.8);
        cairo_fill(cr);
    }
    double size = 36;
    TextStyle ts = style(kTitleFont, size, kSilver);
    while (measure_text(cr, text, ts).ink_w > w - 90 && ts.size_px > 12) ts.size_px -= 1;
    TextExtent e = measure_text(cr, text, ts);
    double ty = h / 2.0 - e.baseline + ts.size_px * 0.33;
    if (gold) {
        title(cr, text, w / 2.0, ty, ts.size_px);
    } else {
        outlined(cr, text, ts, w / 2.0, ty, Align::center, 3, kSilver);
    }
}

// The maker's emblem: a crescent and a star inside a gold ring, the name beneath.
void splash_logo(cairo_t* cr, int w, int h) {
    double cx = w / 2.0, cy = h * 0.4, R = w * 0.26;
    soft(cr, 0, 0, w, h, 16, kLavender, 0.45, [&](cairo_t* m) {
        cairo_arc(m, cx, cy, R * 1.05, 0, 2 * M_PI);
        cairo_fill(m);
    });
    cairo_pattern_t* d = cairo_pattern_create_radial(cx, cy - R * 0.3, R * 0.1, cx, cy, R);
    gradient_stop(d, 0, kNight3);
    gradient_stop(d, 1, kNight0);
    cairo_set_source(cr, d);
    cairo_arc(cr, cx, cy, R, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(d);
    cairo_save(cr);
    cairo_arc(cr, cx, cy, R, 0, 2 * M_PI);
    cairo_clip(cr);
    starfield(cr, cx - R, cy - R, 2 * R, 2 * R, 30, 909, 0.9);
    cairo_restore(cr);
    // Ring, as the bowl of a Q whose tail is a star.
    cairo_set_line_width(cr, 5);
    set(cr, kInk, 0.9);
    cairo_arc(cr, cx, cy, R, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_pattern_t* rg = cairo_pattern_create_linear(cx - R, cy - R, cx + R, cy + R);
    gradient_stop(rg, 0, kGoldPale);
    gradient_stop(rg, 0.5, kGold);
    gradient_stop(rg, 1, rgb(0xa8802c));
    cairo_set_source(cr, rg);
    cairo_set_line_width(cr, 3);
    cairo_arc(cr, cx, cy, R, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kSilver, 0.6);
    cairo_arc(cr, cx, cy, R - 7, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_pattern_destroy(rg);
    // Crescent.
    double mr = R * 0.55;
    soft(cr, 0, 0, w, h, 8, kSilver, 0.5,
         [&](cairo_t* m) { crescent(m, cx - R * 0.1, cy, mr, R * 0.26, -R * 0.14, mr * 0.86); });
    cairo_pattern_t* mg = cairo_pattern_create_linear(cx - mr, cy - mr, cx + mr, cy + mr);
    gradient_stop(mg, 0, rgb(0xffffff));
    gradient_stop(mg, 1, kSilverDim);
    cairo_set_source(cr, mg);
    crescent(cr, cx - R * 0.1, cy, mr, R * 0.26, -R * 0.14, mr * 0.86);
    cairo_pattern_destroy(mg);
    // The tail: a star crossing the ring at the lower right.
    double tx = cx + R * 0.74, ty = cy + R * 0.74;
    soft(cr, tx - 40, ty - 40, 80, 80, 8, kGold, 0.9, [&](cairo_t* m) {
        cairo_arc(m, tx, ty, 9, 0, 2 * M_PI);
        cairo_fill(m);
    });
    set(cr, kInk, 0.9);
    star4(cr, tx, ty, 30, 5);
    cairo_fill(cr);
    cairo_pattern_t* sg = cairo_pattern_create_radial(tx, ty, 0, tx, ty, 26);
    gradient_stop(sg, 0, rgb(0xffffff));
    gradient_stop(sg, 0.4, kGoldPale);
    gradient_stop(sg, 1, kGold);
    cairo_set_source(cr, sg);
    star4(cr, tx, ty, 26, 3.5);
    cairo_fill(cr);
    cairo_pattern_destroy(sg);
    sparkle(cr, cx - R * 0.05, cy - R * 0.25, 2.5, kSilver, 1);
    sparkle(cr, cx + R * 0.25, cy + R * 0.2, 1.8, kGoldPale, 1);

    TextExtent e = title(cr, "Quorlan Games", cx, h * 0.74, 46, nullptr, 1.5);
    divider(cr, cx, h * 0.74 + e.ink_y + e.ink_h + 18, 110);
}

}  // namespace

bool paint_widgets(cairo_t* cr, int w, int h, const std::string& name) {
    const std::string s = stem(name);
    if (s == "menu_glow" || s == "popup_glow" || s == "createdelete_glow") {
        rim_glow(cr, w, h, plate_geom(w, h), 1.0, w > h * 3.5);
    } else if (s == "player_over") {
        rim_glow(cr, w, h, {3, 4, w - 6.0, h - 8.0, 16}, 0.9, false);
    } else if (s == "gamebutton_glow" || (s == "mainmenu_glow" && h < 60)) {
        bar_glow(cr, w, h);
    } else if (s == "choosegame_glow") {
        choosegame_glow(cr, w, h);
    } else if (s == "checkbox") {
        check_mark(cr, w, h);
    } else if (s == "slider") {
        slider_knob(cr, w, h);
    } else if (s == "player_up") {
        player_plate(cr, w, h);
    } else if (s == "changeplayer_over") {
        change_player_band(cr, w, h);
    } else if (s == "loading") {
        glowing_line(cr, w, h, "Loading...", 30, true, false);
    } else if (s == "clicktobegin") {
        glowing_line(cr, w, h, "Click to begin", 32, false, true);
    } else if (s == "congrats") {
        banner(cr, w, h, "Congratulations! You won!", true);
    } else if (s == "nomoremoves") {
        banner(cr, w, h, "No more moves", false);
    } else if (s == "splashlogo") {
        splash_logo(cr, w, h);
    } else {
        return false;
    }
    return true;
}

}  // namespace ui
}  // namespace assetgen
