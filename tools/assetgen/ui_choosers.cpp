// The game-choice screen with its six miniature tables, and the card-back choice screen.

#include <cmath>

#include "ui_parts.h"
#include "ui_theme.h"

namespace assetgen {
namespace ui {
namespace {

// ---- miniature cards ----

void pip(cairo_t* cr, double cx, double cy, double s, int suit) {
    // suit: 0 clubs, 1 diamonds, 2 hearts, 3 spades
    switch (suit) {
        case 1:
            cairo_move_to(cr, cx, cy - s);
            cairo_line_to(cr, cx + s * 0.7, cy);
            cairo_line_to(cr, cx, cy + s);
            cairo_line_to(cr, cx - s * 0.7, cy);
            cairo_close_path(cr);
            break;
        case 2:
            cairo_move_to(cr, cx, cy + s);
            cairo_curve_to(cr, cx - s * 1.4, cy - s * 0.1, cx - s * 0.6, cy - s * 1.2, cx,
                           cy - s * 0.4);
            cairo_curve_to(cr, cx + s * 0.6, cy - s * 1.2, cx + s * 1.4, cy - s * 0.1, cx, cy + s);
            cairo_close_path(cr);
            break;
        case 3:
            cairo_move_to(cr, cx, cy - s);
            cairo_curve_to(cr, cx - s * 1.4, cy + s * 0.1, cx - s * 0.6, cy + s * 1.0, cx,
                           cy + s * 0.3);
            cairo_curve_to(cr, cx + s * 0.6, cy + s * 1.0, cx + s * 1.4, cy + s * 0.1, cx, cy - s);
            cairo_close_path(cr);
            cairo_move_to(cr, cx, cy + s * 0.2);
            cairo_line_to(cr, cx + s * 0.35, cy + s);
            cairo_line_to(cr, cx - s * 0.35, cy + s);
            cairo_close_path(cr);
            break;
        default:
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy - s * 0.45, s * 0.42, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx - s * 0.48, cy + s * 0.15, s * 0.42, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx + s * 0.48, cy + s * 0.15, s * 0.42, 0, 2 * M_PI);
            cairo_move_to(cr, cx, cy);
            cairo_line_to(cr, cx + s * 0.3, cy + s);
            cairo_line_to(cr, cx - s * 0.3, cy + s);
            cairo_close_path(cr);
            break;
    }
    cairo_fill(cr);
}

struct Mini {
    double w, h;
};

// A face-up miniature (suit 0-3) or, with suit < 0, a back.
void mini_card(cairo_t* cr, const Mini& m, double x, double y, int suit) {
    double r = m.w * 0.14;
    set(cr, kInk, 0.45);
    rounded_rect(cr, x + 0.5, y + 1, m.w, m.h, r);
    cairo_fill(cr);
    if (suit < 0) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + m.h);
        gradient_stop(g, 0, rgb(0x33478f));
        gradient_stop(g, 1, rgb(0x16215a));
        cairo_set_source(cr, g);
        rounded_rect(cr, x, y, m.w, m.h, r);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_width(cr, 0.8);
        set(cr, kGold, 0.8);
        rounded_rect(cr, x + 1.6, y + 1.6, m.w - 3.2, m.h - 3.2, r * 0.6);
        cairo_stroke(cr);
        set(cr, kGoldPale, 0.9);
        star4(cr, x + m.w / 2, y + m.h / 2, m.w * 0.22, m.w * 0.05);
        cairo_fill(cr);
    } else {
        set(cr, rgb(0xf7f5ee));
        rounded_rect(cr, x, y, m.w, m.h, r);
        cairo_fill(cr);
        cairo_set_line_width(cr, 0.7);
        set(cr, rgb(0x8a90a8), 0.9);
        rounded_rect(cr, x + 0.35, y + 0.35, m.w - 0.7, m.h - 0.7, r);
        cairo_stroke(cr);
        Rgb c = (suit == 1 || suit == 2) ? rgb(0xc4304a) : rgb(0x1d2340);
        set(cr, c);
        pip(cr, x + m.w * 0.27, y + m.w * 0.3, m.w * 0.14, suit);
        pip(cr, x + m.w * 0.55, y + m.h * 0.58, m.w * 0.26, suit);
    }
}

void slot(cairo_t* cr, const Mini& m, double x, double y) {
    cairo_set_line_width(cr, 0.9);
    set(cr, kSilver, 0.45);
    rounded_rect(cr, x + 0.5, y + 0.5, m.w - 1, m.h - 1, m.w * 0.14);
    cairo_stroke(cr);
}

// Deterministic suit sequence for the miniatures.
int suit_at(int i) { return (i * 7 + i / 3) % 4; }

// Moon phase 0..5 at the top right of a picture.
void phase_moon(cairo_t* cr, double cx, double cy, double r, int phase) {
    cairo_pattern_t* hg = cairo_pattern_create_radial(cx, cy, r * 0.8, cx, cy, r * 3);
    gradient_stop(hg, 0, kLavender, 0.25);
    gradient_stop(hg, 1, kLavender, 0);
    cairo_set_source(cr, hg);
    cairo_arc(cr, cx, cy, r * 3, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(hg);
    set(cr, kNight1, 0.9);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.3, 0, cx, cy, r);
    gradient_stop(g, 0, rgb(0xffffff));
    gradient_stop(g, 1, rgb(0xb8c2e2));
    cairo_set_source(cr, g);
    if (phase == 3) {
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_fill(cr);
    } else {
        // Waxing for phases 0-2, waning for 4-5: the dark disc slides across.
        const double off[6] = {0.75, 1.1, 1.5, 0, -1.3, -0.85};
        crescent(cr, cx, cy, r, -off[phase] * r, 0, r * 0.98);
    }
    cairo_pattern_destroy(g);
}

// ---- the six tables, drawn in a 154 x 310 picture whose top-left is the origin ----

void klondike(cairo_t* cr) {
    Mini m{17, 25};
    double p = 20.5, x0 = 6;
    mini_card(cr, m, x0, 78, -1);
    for (int k = 0; k < 3; ++k) mini_card(cr, m, x0 + p + k * 4, 78, suit_at(k + 2));
    for (int f = 0; f < 4; ++f) {
        double x = x0 + (3 + f) * p;
        if (f < 2)
            mini_card(cr, m, x, 78, f == 0 ? 2 : 3);
        else
            slot(cr, m, x, 78);
    }
    const int faces[7] = {1, 3, 2, 4, 2, 3, 5};
    for (int c = 0; c < 7; ++c) {
        double y = 118;
        for (int b = 0; b < c; ++b, y += 5) mini_card(cr, m, x0 + c * p, y, -1);
        for (int f = 0; f < faces[c]; ++f, y += 15)
            mini_card(cr, m, x0 + c * p, y, suit_at(c * 5 + f));
    }
}

void freecell(cairo_t* cr) {
    Mini m{15, 22};
    double p = 18, x0 = 5;
    for (int i = 0; i < 8; ++i) {
        double x = x0 + i * p;
        if (i == 1)
            mini_card(cr, m, x, 80, 1);
        else if (i == 5 || i == 6)
            mini_card(cr, m, x, 80, i == 5 ? 0 : 2);
        else
            slot(cr, m, x, 80);
    }
    set(cr, kGold, 0.6);
    star4(cr, 77, 91, 4, 0.9);
    cairo_fill(cr);
    for (int c = 0; c < 8; ++c) {
        int n = c < 4 ? 7 : 6;
        for (int k = 0; k < n; ++k) mini_card(cr, m, x0 + c * p, 120 + k * 15, suit_at(c * 7 + k));
    }
}

void spider(cairo_t* cr) {
    Mini m{12.5, 18};
    double p = 14.2, x0 = 6;
    for (int k = 0; k < 4; ++k) mini_card(cr, m, x0 + k * 1.5, 80 - k * 1.5, -1);
    for (int f = 0; f < 8; ++f) {
        double x = x0 + (2 + f) * p;
        if (f == 0)
            mini_card(cr, m, x, 80, 3);
        else
            slot(cr, m, x, 80);
    }
    const int faces[10] = {3, 1, 4, 2, 1, 5, 2, 3, 1, 2};
    for (int c = 0; c < 10; ++c) {
        double y = 112;
        int backs = c < 4 ? 5 : 4;
        for (int b = 0; b < backs; ++b, y += 5) mini_card(cr, m, x0 + c * p, y, -1);
        for (int f = 0; f < faces[c]; ++f, y += 15)
            mini_card(cr, m, x0 + c * p, y, 3 - (f + c) % 2 * 3);
    }
}

void tripeaks(cairo_t* cr) {
    Mini m{13.5, 19.6};
    const double s = 142.0 / 1020.0;
    static const int xs[28] = {161, 467, 773, 104, 206, 410, 512, 716, 818, 51,
                               153, 255, 357, 459, 561, 663, 765, 867, 3,   105,
                               207, 309, 411, 513, 615, 717, 819, 921};
    for (int i = 0; i < 28; ++i) {
        int row = i < 3 ? 0 : i < 9 ? 1 : i < 18 ? 2 : 3;
        double x = 6 + xs[i] * s, y = 96 + row * 20;
        mini_card(cr, m, x, y, row == 3 ? suit_at(i) : -1);
    }
    Mini b{17, 25};
    for (int k = 0; k < 4; ++k) mini_card(cr, b, 14 - k * 1.5, 222 - k * 1.5, -1);
    for (int k = 0; k < 4; ++k) mini_card(cr, b, 48 + k * 7, 222, suit_at(k + 9));
}

void yukon(cairo_t* cr) {
    Mini m{15, 22};
    double p = 17.5, x0 = 5;
    for (int c = 0; c < 7; ++c) {
        double y = 80;
        for (int b = 0; b < c; ++b, y += 5) mini_card(cr, m, x0 + c * p, y, -1);
        int faces = c == 0 ? 1 : 5;
        for (int f = 0; f < faces; ++f, y += 19)
            mini_card(cr, m, x0 + c * p, y, suit_at(c * 3 + f));
    }
    for (int f = 0; f < 4; ++f) {
        double x = x0 + 7 * p + 4, y = 80 + f * 40;
        if (f == 0)
            mini_card(cr, m, x, y, 2);
        else
            slot(cr, m, x, y);
    }
}

void golf(cairo_t* cr) {
    Mini m{17, 25};
    double p = 20.5, x0 = 6;
    for (int c = 0; c < 7; ++c)
        for (int k = 0; k < 5; ++k) mini_card(cr, m, x0 + c * p, 92 + k * 15, suit_at(c * 5 + k));
    Mini b{17, 25};
    for (int k = 0; k < 4; ++k) mini_card(cr, b, 14 - k * 1.5, 222 - k * 1.5, -1);
    for (int k = 0; k < 5; ++k) mini_card(cr, b, 48 + k * 7, 222, suit_at(k + 4));
}

void game_picture(cairo_t* cr, int i) {
    const double x = 20 + 165 * i, y = 162, w = 154, h = 310;
    soft(cr, x, y + 6, w, h, 8, kInk, 0.7, [&](cairo_t* m) {
        rounded_rect(m, x, y + 6, w, h, 12);
        cairo_fill(m);
    });
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    gradient_stop(g, 0, kNight0);
    gradient_stop(g, 0.3, rgb(0x16225a));
    gradient_stop(g, 1, rgb(0x1d2c66));
    cairo_set_source(cr, g);
    rounded_rect(cr, x, y, w, h, 12);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_save(cr);
    rounded_rect(cr, x, y, w, h, 12);
    cairo_clip(cr);
    starfield(cr, x, y, w, 70, 30, 600 + i, 0.7);
    phase_moon(cr, x + w - 30, y + 32, 14, i);
    static const double dy[6] = {16, 16, 22, 8, 20, 12};
    cairo_translate(cr, x, y + dy[i]);
    switch (i) {
        case 0: klondike(cr); break;
        case 1: freecell(cr); break;
        case 2: spider(cr); break;
        case 3: tripeaks(cr); break;
        case 4: yukon(cr); break;
        default: golf(cr); break;
    }
    cairo_restore(cr);
    cairo_set_line_width(cr, 1.3);
    set(cr, kSilver, 0.6);
    rounded_rect(cr, x + 0.65, y + 0.65, w - 1.3, h - 1.3, 12);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kGold, 0.35);
    rounded_rect(cr, x + 4.5, y + 4.5, w - 9, h - 9, 9);
    cairo_stroke(cr);
}

void choosegame_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 8, 0, 0, 0);
    screen_title(cr, w, "Choose a game", 30, 62);
    static const char* names[6] = {"Klondike", "FreeCell", "Spider", "TriPeaks", "Yukon", "Golf"};
    TextStyle ts = style(kLabelFont, 27, kSilver);
    for (int i = 0; i < 6; ++i) {
        game_picture(cr, i);
        box_outline(cr, 81 + 165 * i, 482);
        caption(cr, names[i], ts, 97 + 165 * i, 522, 34, Align::center);
    }
    screen_frame(cr, w, h);
}

void choosecardback_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 9, 0, 0, 0);
    screen_title(cr, w, "Choose a card back", 30, 60);
    for (int i = 0; i < 16; ++i) {
        double x = 37 + 120 * (i % 8), y = i < 8 ? 183 : 411;
        double py = i < 8 ? 176 : 404;
        panel(cr, x - 6, py, 114, 222, 12, 0.72);
        cairo_surface_t* s =
            piece_surface("i/game/cards/back" + std::to_string(i) + ".png", 99, 144);
        soft(cr, x, y + 3, 99, 144, 4, kInk, 0.7, [&](cairo_t* m) {
            rounded_rect(m, x, y + 3, 99, 144, 8);
            cairo_fill(m);
        });
        cairo_set_source_surface(cr, s, x, y);
        cairo_paint(cr);
        cairo_surface_destroy(s);
        box_outline(cr, 74 + 120 * (i % 8), i < 8 ? 358 : 585);
    }
    screen_frame(cr, w, h);
}

}  // namespace

bool paint_choosers(cairo_t* cr, int w, int h, const std::string& name) {
    const std::string s = stem(name);
    if (s == "choosegame_bg")
        choosegame_bg(cr, w, h);
    else if (s == "choosecardback_bg")
        choosecardback_bg(cr, w, h);
    else
        return false;
    return true;
}

}  // namespace ui
}  // namespace assetgen
