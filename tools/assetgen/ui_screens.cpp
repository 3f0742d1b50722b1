// Full-screen menu backgrounds: title, main menu, new player, player choice, options,
// high scores, statistics, and the spare table.

#include <cmath>

#include "painters.h"
#include "ui_parts.h"
#include "ui_theme.h"

namespace assetgen {
namespace ui {

void menu_backdrop(cairo_t* cr, int w, int h, unsigned seed, double moon_x, double moon_y,
                   double moon_r) {
    night_sky(cr, w, h, seed);
    starfield(cr, 0, 0, w, h, 7, seed * 31 + 1, 0.45);  // dust
    starfield(cr, 0, 0, w, h, 1.3, seed * 31 + 2, 1.0);
    if (moon_r > 0) moon(cr, moon_x, moon_y, moon_r);
}

void tab_rail(cairo_t* cr) {
    // A thin gold rule joining the tab column.
    cairo_pattern_t* lg = cairo_pattern_create_linear(0, 150, 0, 660);
    gradient_stop(lg, 0, kGold, 0);
    gradient_stop(lg, 0.5, kGold, 0.45);
    gradient_stop(lg, 1, kGold, 0);
    cairo_set_source(cr, lg);
    cairo_rectangle(cr, 828, 150, 1, 510);
    cairo_fill(cr);
    cairo_pattern_destroy(lg);
    for (int t = 0; t < 6; ++t) {
        set(cr, kGold, 0.8);
        star4(cr, 828.5, 161 + 82 * t + 38, 5, 1.1);
        cairo_fill(cr);
    }
}

cairo_surface_t* piece_surface(const std::string& name, int w, int h) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* c = cairo_create(s);
    paint_pieces(c, w, h, name);
    cairo_destroy(c);
    return s;
}

void place_piece(cairo_t* cr, cairo_surface_t* s, double cx, double cy, double angle,
                 double scale) {
    double w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    soft(cr, -w / 2 + 3, -h / 2 + 6, w, h, 7, kInk, 0.7, [&](cairo_t* m) {
        rounded_rect(m, -w / 2 + 3, -h / 2 + 6, w, h, 8);
        cairo_fill(m);
    });
    cairo_set_source_surface(cr, s, -w / 2, -h / 2);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
}

namespace {

// Rolling silhouettes of distant hills along the bottom, in layers of mist.
void hills(cairo_t* cr, int w, int h, double base, uint64_t seed) {
    Rng rng(seed);
    for (int layer = 0; layer < 3; ++layer) {
        double y0 = base + layer * 34;
        cairo_move_to(cr, 0, h);
        cairo_line_to(cr, 0, y0);
        double x = 0;
        double a1 = rng.range(20, 36), a2 = rng.range(8, 16);
        double f1 = rng.range(0.004, 0.007), f2 = rng.range(0.012, 0.02), p = rng.range(0, 6);
        while (x <= w) {
            cairo_line_to(cr, x, y0 - a1 * std::sin(x * f1 + p) - a2 * std::sin(x * f2 + p * 2));
            x += 8;
        }
        cairo_line_to(cr, w, h);
        cairo_close_path(cr);
        Rgb c = mix(kNight2, kInk, 0.35 + layer * 0.25);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, y0 - 40, 0, h);
        gradient_stop(g, 0, mix(c, kLavender, 0.12));
        gradient_stop(g, 0.25, c);
        gradient_stop(g, 1, kInk);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // Mist above the next layer.
        cairo_pattern_t* mist = cairo_pattern_create_linear(0, y0 - 20, 0, y0 + 40);
        gradient_stop(mist, 0, kLavender, 0);
        gradient_stop(mist, 0.5, kLavender, 0.07);
        gradient_stop(mist, 1, kLavender, 0);
        cairo_set_source(cr, mist);
        cairo_rectangle(cr, 0, y0 - 20, w, 60);
        cairo_fill(cr);
        cairo_pattern_destroy(mist);
    }
}

void title_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 1, 512, 232, 150);
    hills(cr, w, h, 640, 12);
    // Four aces fanned before the moon.
    const char* aces[4] = {"i/game/cards/c0.png", "i/game/cards/d0.png", "i/game/cards/s0.png",
                           "i/game/cards/h0.png"};
    for (int i = 0; i < 4; ++i) {
        cairo_surface_t* s = piece_surface(aces[i], 99, 144);
        double t = (i - 1.5) * 0.26;
        double px = 512 + std::sin(t) * 190, py = 520 - std::cos(t) * 190;
        place_piece(cr, s, px, py, t, 1.0);
        cairo_surface_destroy(s);
    }
    TextExtent e = title(cr, "Lunerra Solitaire", w / 2.0, 396, 104);
    double below = 396 + e.ink_y + e.ink_h;
    divider(cr, w / 2.0, below + 22, 230);
    TextStyle by = style("Linux Libertine O Italic", 28, kSilver);
    by.letter_spacing_px = 2;
    outlined(cr, "Quorlan Games", by, w / 2.0, below + 36, Align::center, 3, kSilver, 0.95);
    screen_frame(cr, w, h);
}

// The welcome strip along the bottom of the main menu.
void bottom_strip(cairo_t* cr, int w, double y, double h) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    gradient_stop(g, 0, kInk, 0.55);
    gradient_stop(g, 1, kInk, 0.8);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 0, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_pattern_t* lg = cairo_pattern_create_linear(0, 0, w, 0);
    gradient_stop(lg, 0, kGold, 0);
    gradient_stop(lg, 0.5, kGold, 0.65);
    gradient_stop(lg, 1, kGold, 0);
    cairo_set_source(cr, lg);
    cairo_rectangle(cr, 0, y, w, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(lg);
    set(cr, kGold, 0.9);
    star4(cr, w / 2.0, y + 0.5, 7, 1.4);
    cairo_fill(cr);
}

void mainmenu_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 2, 868, 268, 104);
    // A fan of card backs resting in the lower left.
    for (int i = 0; i < 3; ++i) {
        cairo_surface_t* s =
            piece_surface("i/game/cards/back" + std::to_string(i * 5) + ".png", 99, 144);
        place_piece(cr, s, 150 + i * 30, 470 + i * 6, -0.35 + i * 0.24, 1.0);
        cairo_surface_destroy(s);
    }
    title(cr, "Lunerra Solitaire", w / 2.0, 28, 76);
    divider(cr, w / 2.0, 140, 200);
    bottom_strip(cr, w, 688, h - 688);
    screen_frame(cr, w, h);
}

void newplayer_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 3, 512, 250, 0);
    moon(cr, 884, 128, 70);
    hills(cr, w, h, 610, 31);
    title(cr, "Lunerra Solitaire", w / 2.0, 40, 58);
    divider(cr, w / 2.0, 134, 170);
    panel(cr, 200, 200, 624, 230, 24, 0.7);
    title(cr, "Enter your name", w / 2.0, 222, 44, kLabelFont);
    field_frame(cr, 262, 316, 500, 66);
    screen_frame(cr, w, h);
}

void chooseplayer_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 4, 902, 86, 52);
    screen_title(cr, w, "Choose player", 34, 62);
    // Faint slots behind the five rows.
    for (int i = 0; i < 5; ++i) {
        double y = 163 + 101 * i;
        set(cr, kInk, 0.3);
        rounded_rect(cr, 36, y - 4, 956, 86, 20);
        cairo_fill(cr);
    }
    screen_frame(cr, w, h);
}

void options_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 5, 118, 120, 64);
    screen_title(cr, w, "Options", 40, 66);
    panel(cr, 70, 238, 884, 408, 26, 0.78);
    TextStyle cap = style(kLabelFont, 25, kSilver);
    const struct {
        const char* text;
        double y;
    } rows[] = {{"Music volume", 286}, {"Sound volume", 369}, {"Effects quality", 449}};
    for (const auto& r : rows) {
        caption(cr, r.text, cap, 262, r.y, 36, Align::right);
        groove(cr, 281, r.y, 300, 36);
    }
    // Faint separator before the display choices.
    divider(cr, 326, 504, 240, 0.6);
    box_outline(cr, 281, 520);
    box_outline(cr, 281, 579);
    caption(cr, "Full screen", cap, 325, 520, 32, Align::left);
    caption(cr, "Window", cap, 325, 579, 32, Align::left);
    // Calm recess where the card-back button stands.
    set(cr, kInk, 0.35);
    rounded_rect(cr, 631, 267, 173, 256, 18);
    cairo_fill(cr);
    screen_frame(cr, w, h);
}

void highscores_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 6, 96, 96, 58);
    screen_title(cr, w, "High Scores", 34, 64);
    panel(cr, 204, 228, 612, 408, 22, 0.82);
    TextStyle rank = style(kLabelFont, 22, kGold);
    for (int r = 0; r < 10; ++r) {
        double y = 246 + 38 * r;
        if (r % 2 == 0) {
            set(cr, kLavender, 0.07);
            rounded_rect(cr, 214, y - 4, 592, 38, 8);
            cairo_fill(cr);
        }
        caption(cr, std::to_string(r + 1), rank, 252, y, 30, Align::right);
    }
    cairo_pattern_t* lg = cairo_pattern_create_linear(0, 236, 0, 628);
    gradient_stop(lg, 0, kGold, 0);
    gradient_stop(lg, 0.5, kGold, 0.5);
    gradient_stop(lg, 1, kGold, 0);
    cairo_set_source(cr, lg);
    cairo_rectangle(cr, 265, 236, 1, 392);
    cairo_fill(cr);
    cairo_pattern_destroy(lg);
    tab_rail(cr);
    screen_frame(cr, w, h);
}

void stats_bg(cairo_t* cr, int w, int h) {
    menu_backdrop(cr, w, h, 7, 110, 110, 60);
    screen_title(cr, w, "Statistics", 34, 64);
    panel(cr, 150, 224, 660, 296, 22, 0.82);
    TextStyle cap = style(kLabelFont, 24, kSilver);
    const char* rows[] = {"Games played", "Games won",    "Percent won", "Best score",
                          "Best time",    "Average time", "Fewest moves"};
    for (int i = 0; i < 7; ++i) {
        double y = 246 + 38 * i;
        if (i > 0) {
            cairo_pattern_t* lg = cairo_pattern_create_linear(170, 0, 790, 0);
            gradient_stop(lg, 0, kSilver, 0);
            gradient_stop(lg, 0.45, kSilver, 0.22);
            gradient_stop(lg, 1, kSilver, 0);
            cairo_set_source(cr, lg);
            cairo_rectangle(cr, 170, y - 4.5, 620, 1);
            cairo_fill(cr);
            cairo_pattern_destroy(lg);
        }
        caption(cr, rows[i], cap, 562, y, 30, Align::right);
        set(cr, kGold, 0.9);
        star4(cr, 574, y + 15, 4, 1);
        cairo_fill(cr);
    }
    tab_rail(cr);
    screen_frame(cr, w, h);
}

// A plain night table, the same family as the play backgrounds.
void spare_table(cairo_t* cr, int w, int h) {
    cairo_pattern_t* g =
        cairo_pattern_create_radial(w / 2.0, h * 0.4, 60, w / 2.0, h * 0.5, w * 0.75);
    gradient_stop(g, 0, kNight2);
    gradient_stop(g, 0.6, kNight1);
    gradient_stop(g, 1, kNight0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    starfield(cr, 0, 0, w, h, 5, 808, 0.3);
    cairo_pattern_t* mg = cairo_pattern_create_radial(w - 80, 60, 10, w - 80, 60, 420);
    gradient_stop(mg, 0, kLavender, 0.12);
    gradient_stop(mg, 1, kLavender, 0);
    cairo_set_source(cr, mg);
    cairo_paint(cr);
    cairo_pattern_destroy(mg);
}

}  // namespace

bool paint_screens(cairo_t* cr, int w, int h, const std::string& name) {
    const std::string s = stem(name);
    if (s == "title_bg")
        title_bg(cr, w, h);
    else if (s == "mainmenu_bg")
        mainmenu_bg(cr, w, h);
    else if (s == "newplayer_bg")
        newplayer_bg(cr, w, h);
    else if (s == "chooseplayer_bg")
        chooseplayer_bg(cr, w, h);
    else if (s == "options_bg")
        options_bg(cr, w, h);
    else if (s == "highscores_bg")
        highscores_bg(cr, w, h);
    else if (s == "stats_bg")
        stats_bg(cr, w, h);
    else if (s == "klondike_bg")
        spare_table(cr, w, h);
    else
        return false;
    return true;
}

}  // namespace ui
}  // namespace assetgen
