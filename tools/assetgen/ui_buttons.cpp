// Push buttons in their four states: menu plates, popup buttons, the play screen's top bar,
// the high-score tabs and the change-card-back frame.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui_parts.h"
#include "ui_theme.h"

namespace assetgen {
namespace ui {
namespace {

struct Label {
    const char* base;
    const char* text;
};

const Label kMenuLabels[] = {
    {"play", "Play"},
    {"options", "Options"},
    {"highscores", "High Scores"},
    {"help", "How to Play"},
    {"quit", "Quit"},
    {"mainmenu", "Main Menu"},
    {"continue", "Continue"},
    {"create", "Create"},
    {"delete", "Delete"},
    {"popup_quit", "Quit"},
    {"popup_delete", "Delete"},
    {"popup_cancel", "Cancel"},
    {"popup_enter", "OK"},
    {"popup_deal", "Deal"},
    {"popup_change", "Change"},
    {"popup_apply", "Apply"},
    {"howtoplay_prev", "Previous"},
    {"howtoplay_next", "Next"},
};

struct BarButton {
    const char* base;
    const char* text;
    int x;  // left edge on the bar
};

const BarButton kBar[] = {{"newdeal", "New Deal", 0},      {"undo", "Undo", 152},
                          {"newgame", "New Game", 242},    {"gamerules", "Rules", 392},
                          {"gameoptions", "Options", 566}, {"stats", "Stats", 766},
                          {"mainmenu", "Main Menu", 859}};

const Label kGames[] = {{"klondike", "Klondike"}, {"freecell", "FreeCell"}, {"spider", "Spider"},
                        {"tripeaks", "TriPeaks"}, {"yukon", "Yukon"},       {"golf", "Golf"}};

struct PlateColours {
    Rgb top, bottom;
    double silver_a, gold_a;
    Rgb label;
    double label_a;
};

PlateColours colours_for(State st) {
    switch (st) {
        case State::over: return {rgb(0x3a52a2), rgb(0x1a2866), 0.95, 0.85, rgb(0xfff4d6), 1.0};
        case State::down: return {rgb(0x0b1236), rgb(0x1d2a62), 0.65, 0.7, kGoldPale, 0.92};
        case State::off: return {rgb(0x2a2f44), rgb(0x171a29), 0.38, 0.0, rgb(0x7b8198), 0.85};
        default: return {rgb(0x27397b), rgb(0x101944), 0.72, 0.5, kSilver, 1.0};
    }
}

// A small arrow ornament pointing left (dir -1) or right (dir 1).
void arrow(cairo_t* cr, double cx, double cy, double s, int dir) {
    cairo_move_to(cr, cx + dir * s, cy);
    cairo_line_to(cr, cx - dir * s * 0.6, cy - s);
    cairo_line_to(cr, cx - dir * s * 0.15, cy);
    cairo_line_to(cr, cx - dir * s * 0.6, cy + s);
    cairo_close_path(cr);
}

// A framed plate filling most of the image, with the label centred on it.
void plate_button(cairo_t* cr, int w, int h, const std::string& label, State st, int arrow_dir) {
    PlateColours c = colours_for(st);
    PlateGeom pg = plate_geom(w, h);
    double px = pg.x, py = pg.y, pw = pg.w, ph = pg.h, r = pg.r;

    if (st != State::down) {
        soft(cr, px, py + 3, pw, ph, 5, kInk, 0.6, [&](cairo_t* m) {
            rounded_rect(m, px, py + 3, pw, ph, r);
            cairo_fill(m);
        });
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, py, 0, py + ph);
    gradient_stop(g, 0, c.top);
    gradient_stop(g, 1, c.bottom);
    rounded_rect(cr, px, py, pw, ph, r);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);

    cairo_save(cr);
    rounded_rect(cr, px, py, pw, ph, r);
    cairo_clip(cr);
    // A few faint stars inside the plate; the same for every state of one size.
    if (st != State::off) starfield(cr, px, py, pw, ph, 9, 1000 + w * 7 + h, 0.35);
    if (st == State::down) {
        cairo_pattern_t* s = cairo_pattern_create_linear(0, py, 0, py + ph * 0.4);
        gradient_stop(s, 0, {0, 0, 0}, 0.55);
        gradient_stop(s, 1, {0, 0, 0}, 0);
        cairo_set_source(cr, s);
        cairo_paint(cr);
        cairo_pattern_destroy(s);
    } else {
        cairo_pattern_t* s = cairo_pattern_create_linear(0, py, 0, py + ph * 0.5);
        gradient_stop(s, 0, {1, 1, 1}, st == State::over ? 0.16 : 0.09);
        gradient_stop(s, 1, {1, 1, 1}, 0);
        cairo_set_source(cr, s);
        cairo_paint(cr);
        cairo_pattern_destroy(s);
    }
    if (st == State::over) {
        // Inner rim light.
        soft(cr, px, py, pw, ph, 7, kLavender, 0.55, [&](cairo_t* m) {
            rounded_rect(m, px, py, pw, ph, r);
            cairo_set_line_width(m, 6);
            cairo_stroke(m);
        });
    }
    cairo_restore(cr);

    cairo_set_line_width(cr, 1.5);
    set(cr, st == State::off ? kGrey : kSilver, c.silver_a);
    rounded_rect(cr, px + 0.75, py + 0.75, pw - 1.5, ph - 1.5, r);
    cairo_stroke(cr);
    if (c.gold_a > 0) {
        cairo_set_line_width(cr, 1);
        set(cr, kGold, c.gold_a);
        rounded_rect(cr, px + 4.5, py + 4.5, pw - 9, ph - 9, std::max(2.0, r - 4));
        cairo_stroke(cr);
    }

    // Label, shrunk to fit.
    double dy = st == State::down ? 1.5 : 0;
    double size = std::min(ph * 0.5, arrow_dir ? 22.0 : 36.0);
    TextStyle ts = style(kLabelFont, size, c.label, c.label_a);
    ts.letter_spacing_px = size * 0.03;
    double room = arrow_dir ? pw - 54 : pw - ph * 0.9;
    TextExtent e = measure_text(cr, label, ts);
    while (e.ink_w > room && ts.size_px > 10) {
        ts.size_px -= 1;
        e = measure_text(cr, label, ts);
    }
    double cx = w / 2.0 - arrow_dir * 8.0;  // centre the label and its arrow as a group
    double cy = py + ph / 2 + dy;
    double ty = cy - e.baseline + ts.size_px * 0.33;
    // Centre on the ink, not on the advance.
    double tx = cx - (e.ink_x + e.ink_w / 2);
    soft(cr, tx - 4, ty - 2, e.w + 8, e.h + 8, 2, kInk, 0.9, [&](cairo_t* m) {
        text_path(m, label, ts, tx, ty + 1.5);
        cairo_fill(m);
    });
    cairo_save(cr);
    text_path(cr, label, ts, tx, ty);
    double top = ty + e.ink_y, bot = ty + e.ink_y + e.ink_h;
    cairo_pattern_t* lg = cairo_pattern_create_linear(0, top, 0, bot);
    gradient_stop(lg, 0, mix(c.label, {1, 1, 1}, 0.5), c.label_a);
    gradient_stop(lg, 1, st == State::off ? c.label : mix(c.label, kGold, 0.25), c.label_a);
    cairo_set_source(cr, lg);
    cairo_fill(cr);
    cairo_pattern_destroy(lg);
    cairo_restore(cr);

    // Ornaments at the ends, or the arrow of a paging button.
    Rgb orn = st == State::off ? kGrey : kGold;
    double oa = st == State::off ? 0.4 : st == State::over ? 1.0 : 0.8;
    if (arrow_dir) {
        double ax = arrow_dir < 0 ? tx + e.ink_x - 11 : tx + e.ink_x + e.ink_w + 11;
        set(cr, orn, oa);
        arrow(cr, ax, cy, 6, arrow_dir);
        cairo_fill(cr);
    } else {
        double ox = px + ph * 0.42;
        if (e.ink_w < pw - 2 * ph * 0.9) {
            for (int side = 0; side < 2; ++side) {
                double x = side ? w - ox : ox;
                set(cr, orn, oa);
                star4(cr, x, cy, ph * 0.16, ph * 0.03);
                cairo_fill(cr);
                double lx0 = side ? x - ph * 0.22 : x + ph * 0.22;
                double lx1 = side ? tx + e.ink_x + e.ink_w + ph * 0.2 : tx + e.ink_x - ph * 0.2;
                if (side ? lx1 < lx0 : lx1 > lx0) {
                    cairo_pattern_t* lg2 = cairo_pattern_create_linear(lx0, 0, lx1, 0);
                    gradient_stop(lg2, 0, orn, oa * 0.7);
                    gradient_stop(lg2, 1, orn, 0);
                    cairo_set_source(cr, lg2);
                    cairo_rectangle(cr, std::min(lx0, lx1), cy - 0.5, std::fabs(lx1 - lx0), 1);
                    cairo_fill(cr);
                    cairo_pattern_destroy(lg2);
                }
            }
        }
    }
}

// One opaque segment of the play screen's top bar; `bar_x` is its left edge on the bar.
void bar_button(cairo_t* cr, int w, int h, const std::string& label, State st, int bar_x) {
    Rgb top = rgb(0x1f2d61), bot = rgb(0x0d1438);
    if (st == State::over) top = rgb(0x2f4489), bot = rgb(0x16225a);
    if (st == State::down) top = rgb(0x090e2c), bot = rgb(0x16204c);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    gradient_stop(g, 0, top);
    gradient_stop(g, 1, bot);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);

    // Stars laid out in bar coordinates so that the segments join seamlessly.
    cairo_save(cr);
    cairo_translate(cr, -bar_x, 0);
    cairo_rectangle(cr, bar_x, 0, w, h);
    cairo_clip(cr);
    starfield(cr, 0, 3, 1024, h - 8, 14, 4242, st == State::down ? 0.25 : 0.45);
    cairo_restore(cr);

    if (st == State::over) {
        cairo_pattern_t* rg = cairo_pattern_create_radial(w / 2.0, h, 0, w / 2.0, h, w * 0.6);
        gradient_stop(rg, 0, kLavender, 0.35);
        gradient_stop(rg, 1, kLavender, 0);
        cairo_set_source(cr, rg);
        cairo_paint(cr);
        cairo_pattern_destroy(rg);
    }
    if (st == State::down) {
        cairo_pattern_t* s = cairo_pattern_create_linear(0, 0, 0, 12);
        gradient_stop(s, 0, {0, 0, 0}, 0.6);
        gradient_stop(s, 1, {0, 0, 0}, 0);
        cairo_set_source(cr, s);
        cairo_paint(cr);
        cairo_pattern_destroy(s);
    }
    // Top highlight and the gold rule along the bottom.
    set(cr, kLavender, st == State::down ? 0.1 : 0.28);
    cairo_rectangle(cr, 0, 0, w, 1);
    cairo_fill(cr);
    set(cr, kGold, st == State::over ? 0.95 : 0.6);
    cairo_rectangle(cr, 0, h - 3, w, 1);
    cairo_fill(cr);
    set(cr, kInk, 1);
    cairo_rectangle(cr, 0, h - 2, w, 2);
    cairo_fill(cr);
    if (st == State::over) {
        soft(cr, 0, h - 12, w, 12, 4, kGold, 0.5, [&](cairo_t* m) {
            cairo_rectangle(m, w * 0.15, h - 4, w * 0.7, 2);
            cairo_fill(m);
        });
    }
    // Bevelled dividers: dark on a segment's right edge, light on the next one's left.
    auto vline = [&](double x, Rgb c, double a) {
        cairo_pattern_t* lg = cairo_pattern_create_linear(0, 4, 0, h - 4);
        gradient_stop(lg, 0, c, 0);
        gradient_stop(lg, 0.5, c, a);
        gradient_stop(lg, 1, c, 0);
        cairo_set_source(cr, lg);
        cairo_rectangle(cr, x, 4, 1, h - 8);
        cairo_fill(cr);
        cairo_pattern_destroy(lg);
    };
    if (bar_x + w < 1024) vline(w - 1, kInk, 0.9);
    if (bar_x > 0) vline(0, kSilver, 0.35);

    TextStyle ts = style(kLabelFont, 21, st == State::off ? rgb(0x6d7390) : kSilver);
    ts.letter_spacing_px = 0.6;
    if (st == State::over) ts = style(kLabelFont, 21, rgb(0xfff2cf));
    if (st == State::down) ts = style(kLabelFont, 21, kGoldPale, 0.9);
    ts.letter_spacing_px = 0.6;
    TextExtent e = measure_text(cr, label, ts);
    double tx = w / 2.0 - (e.ink_x + e.ink_w / 2);
    double ty = (h - 3) / 2.0 - e.baseline + 21 * 0.33 + (st == State::down ? 1 : 0);
    outlined(cr, label, ts, tx, ty, Align::left, 3, {ts.r, ts.g, ts.b}, ts.a);
}

// A game-name tab of the high-score and statistics screens: dim at rest, lit when over.
void tab(cairo_t* cr, int w, int h, const std::string& label, bool lit) {
    double px = 6, py = 7, pw = w - 12, ph = h - 14, r = 14;
    if (lit) {
        soft(cr, px, py, pw, ph, 6, kLavender, 0.6, [&](cairo_t* m) {
            rounded_rect(m, px, py, pw, ph, r);
            cairo_fill(m);
        });
    } else {
        soft(cr, px, py + 3, pw, ph, 4, kInk, 0.5, [&](cairo_t* m) {
            rounded_rect(m, px, py + 3, pw, ph, r);
            cairo_fill(m);
        });
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, py, 0, py + ph);
    gradient_stop(g, 0, lit ? rgb(0x3a52a2) : rgb(0x18224f), lit ? 1.0 : 0.85);
    gradient_stop(g, 1, lit ? rgb(0x1a2866) : rgb(0x0b1030), lit ? 1.0 : 0.85);
    rounded_rect(cr, px, py, pw, ph, r);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.4);
    set(cr, kSilver, lit ? 0.95 : 0.4);
    rounded_rect(cr, px + 0.7, py + 0.7, pw - 1.4, ph - 1.4, r);
    cairo_stroke(cr);
    if (lit) {
        cairo_set_line_width(cr, 1);
        set(cr, kGold, 0.85);
        rounded_rect(cr, px + 4.5, py + 4.5, pw - 9, ph - 9, r - 4);
        cairo_stroke(cr);
        // A small crescent marks the chosen tab.
        double mx = px + 20, my = py + ph / 2;
        set(cr, kGold, 1);
        crescent(cr, mx, my, 7.5, 3.5, -2.5, 6.5);
    }
    TextStyle ts = style(kLabelFont, 24, lit ? rgb(0xfff4d6) : kSilverDim);
    TextExtent e = measure_text(cr, label, ts);
    double cx = w / 2.0 + (lit ? 9 : 0);
    double tx = cx - (e.ink_x + e.ink_w / 2);
    double ty = py + ph / 2 - e.baseline + 24 * 0.33;
    outlined(cr, label, ts, tx, ty, Align::left, 3, {ts.r, ts.g, ts.b}, 1.0);
}

// Frame round the card-back preview at (31, 30) 99x144 with the caption below; the preview
// area stays transparent.
void cardback_button(cairo_t* cr, int w, int h, State st) {
    const double bx = 31, by = 30, bw = 99, bh = 144;
    PlateColours c = colours_for(st);
    double px = 4, py = 4, pw = w - 8, ph = h - 8;
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    if (st != State::down) {
        soft(cr, px, py + 3, pw, ph, 4, kInk, 0.55, [&](cairo_t* m) {
            cairo_set_fill_rule(m, CAIRO_FILL_RULE_EVEN_ODD);
            rounded_rect(m, px, py + 3, pw, ph, 14);
            cairo_rectangle(m, bx, by, bw, bh);
            cairo_fill(m);
        });
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, py, 0, py + ph);
    gradient_stop(g, 0, c.top);
    gradient_stop(g, 1, c.bottom);
    rounded_rect(cr, px, py, pw, ph, 14);
    cairo_rectangle(cr, bx - 1, by - 1, bw + 2, bh + 2);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);

    cairo_set_line_width(cr, 1.5);
    set(cr, kSilver, c.silver_a);
    rounded_rect(cr, px + 0.75, py + 0.75, pw - 1.5, ph - 1.5, 14);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kGold, c.gold_a);
    rounded_rect(cr, px + 4.5, py + 4.5, pw - 9, ph - 9, 10);
    cairo_stroke(cr);

    // Picture frame: gold moulding round the preview.
    if (st == State::over) {
        soft(cr, bx - 10, by - 10, bw + 20, bh + 20, 5, kGold, 0.8, [&](cairo_t* m) {
            cairo_rectangle(m, bx - 5, by - 5, bw + 10, bh + 10);
            cairo_set_line_width(m, 3);
            cairo_stroke(m);
        });
    }
    cairo_set_line_width(cr, 2);
    set(cr, kGold, st == State::over ? 1.0 : 0.8);
    cairo_rectangle(cr, bx - 4, by - 4, bw + 8, bh + 8);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kSilver, 0.8);
    cairo_rectangle(cr, bx - 1.5, by - 1.5, bw + 3, bh + 3);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        double cx = i % 2 ? bx + bw + 4 : bx - 4, cy = i / 2 ? by + bh + 4 : by - 4;
        set(cr, kGold, 1);
        star4(cr, cx, cy, 6, 1.3);
        cairo_fill(cr);
    }

    TextStyle ts = style(kLabelFont, 20, c.label, c.label_a);
    const std::string text = "Change card back";
    while (measure_text(cr, text, ts).ink_w > w - 22 && ts.size_px > 10) ts.size_px -= 0.5;
    double dy = st == State::down ? 1 : 0;
    double cy = (by + bh + 4 + h - 4) / 2 + dy;
    caption(cr, text, ts, w / 2.0, cy - 15, 30, Align::center);
}

const char* find_label(const std::string& base) {
    for (const Label& l : kMenuLabels)
        if (base == l.base) return l.text;
    return nullptr;
}

}  // namespace

PlateGeom plate_geom(int w, int h) {
    double ix = std::max(6.0, std::round(h * 0.11)), iy = std::round(h * 0.15);
    if (w < h * 1.6) {  // the paging buttons: a squarer plate
        ix = 6;
        iy = std::round(h * 0.2);
    }
    double ph = h - 2 * iy;
    return {ix, iy, w - 2 * ix, ph, std::min(22.0, ph * 0.32)};
}

bool paint_buttons(cairo_t* cr, int w, int h, const std::string& name) {
    std::string base;
    State st;
    if (!split_state(stem(name), base, st)) return false;
    bool game = starts_with(name, "i/game/");
    if (game) {
        for (const BarButton& b : kBar) {
            if (base == b.base && !(std::strcmp(b.base, "mainmenu") == 0 && h > 60)) {
                bar_button(cr, w, h, b.text, st, b.x);
                return true;
            }
        }
        if (starts_with(base, "hs_")) {
            for (const Label& g : kGames) {
                if (base == std::string("hs_") + g.base) {
                    tab(cr, w, h, g.text, st != State::up);
                    return true;
                }
            }
        }
        if (base == "options_changecardback") {
            cardback_button(cr, w, h, st);
            return true;
        }
    }
    if (const char* label = find_label(base)) {
        int dir = base == "howtoplay_prev" ? -1 : base == "howtoplay_next" ? 1 : 0;
        plate_button(cr, w, h, label, st, dir);
        return true;
    }
    return false;
}

}  // namespace ui
}  // namespace assetgen
