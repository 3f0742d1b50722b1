// Pile overlays (empty slots under the cards), the bottom bar, game titles and the
// redeal button.

#include <algorithm>
#include <cmath>
#include <vector>

#include "pieces.h"
#include "pieces_common.h"

namespace assetgen {
namespace pieces {
namespace {

enum class Hint { none, ace, king, ring, sparkle, crescent };

struct Slot {
    double x, y;
    Hint hint;
};

void hint_text(cairo_t* cr, const char* s, double cx, double cy) {
    TextStyle st;
    st.font = "C059";
    st.bold = true;
    st.size_px = 60;
    cairo_new_path(cr);
    fitted_text_path(cr, s, st, cx, cy - 15, 30, 40, Align::center, "K");
    set_rgb(cr, kSilver, 0.2);
    cairo_fill(cr);
}

void slot(cairo_t* cr, const Slot& s) {
    const double x = s.x, y = s.y, w = kCardW, h = kCardH;
    const double cx = x + w / 2, cy = y + h / 2;
    // Faint fill with a lighter top, thin moonlit outline, a second line inside.
    rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, kCardRadius);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    add_stop(g, 0, kSilver, 0.09);
    add_stop(g, 1, kLavender, 0.04);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_rgb(cr, kSilver, 0.42);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    rounded_rect(cr, x + 3.5, y + 3.5, w - 7, h - 7, kCardRadius - 3);
    set_rgb(cr, kLavender, 0.16);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    switch (s.hint) {
        case Hint::ace:
            hint_text(cr, "A", cx, cy);
            break;
        case Hint::king:
            hint_text(cr, "K", cx, cy);
            break;
        case Hint::ring:
            cairo_new_path(cr);
            cairo_arc(cr, cx, cy, 19, 0, 2 * kPi);
            set_rgb(cr, kSilver, 0.22);
            cairo_set_line_width(cr, 4);
            cairo_stroke(cr);
            break;
        case Hint::sparkle:
            cairo_new_path(cr);
            sparkle_path(cr, cx, cy, 17, 0.2);
            set_rgb(cr, kSilver, 0.18);
            cairo_fill(cr);
            break;
        case Hint::crescent:
            cairo_new_path(cr);
            crescent_path(cr, cx - 2, cy, 17, 7, -4.5, 15);
            set_rgb(cr, kSilver, 0.18);
            cairo_fill(cr);
            break;
        case Hint::none:
            break;
    }
}

std::vector<Slot> slots_of(const std::string& which) {
    std::vector<Slot> v;
    if (which == "klondike") {
        v.push_back({6, 6, Hint::ring});
        v.push_back({124, 6, Hint::none});
        const double fy[] = {6, 6, 5, 4};
        const double fx[] = {366, 485, 605, 724};
        for (int f = 0; f < 4; ++f) v.push_back({fx[f], fy[f], Hint::ace});
        for (int p = 0; p < 7; ++p) v.push_back({5.0 + 120 * p, 187, Hint::king});
    } else if (which == "freecell") {
        for (int i = 0; i < 4; ++i) v.push_back({6.0 + 120 * i, 6, Hint::sparkle});
        for (int f = 0; f < 4; ++f) v.push_back({514.0 + 120 * f, 6, Hint::ace});
        for (int p = 0; p < 8; ++p) v.push_back({5.0 + 124 * p, 186, Hint::none});
    } else if (which == "spider") {
        v.push_back({42, 6, Hint::sparkle});
        for (int f = 0; f < 8; ++f) v.push_back({204.0 + 102 * f, 6, Hint::crescent});
        for (int p = 0; p < 10; ++p) v.push_back({-1.0 + 102 * p, 165, Hint::none});
    } else if (which == "yukon_a") {
        for (int p = 0; p < 7; ++p) v.push_back({5.0 + 120 * p, 6, Hint::king});
    } else if (which == "yukon_b") {
        for (int f = 0; f < 4; ++f) v.push_back({7, 6.0 + 170 * f, Hint::ace});
    } else if (which == "tripeaks_golf") {
        v.push_back({6, 6, Hint::sparkle});
        v.push_back({110, 6, Hint::none});
    }
    return v;
}

void bar_background(cairo_t* cr, double w, double h) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    add_stop(g, 0, hex(0x24346c));
    add_stop(g, 0.45, kNight);
    add_stop(g, 1, kNightDeep);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Lit top edge: lavender line over a soft gold hairline.
    cairo_rectangle(cr, 0, 0, w, 1);
    set_rgb(cr, kLavender, 0.75);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 1, w, 1);
    set_rgb(cr, kGold, 0.25);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, h - 1, w, 1);
    set_rgb(cr, hex(0x000000), 0.35);
    cairo_fill(cr);
}

void bottom_bar(cairo_t* cr, int w, int h) {
    bar_background(cr, w, h);
    // Sparse stars in the bar's empty stretch.
    Rng rng(733);
    for (int i = 0; i < 40; ++i) {
        double x = rng.range(640, 880), y = rng.range(6, h - 5);
        cairo_arc(cr, x, y, rng.range(0.3, 0.8), 0, 2 * kPi);
        set_rgb(cr, kSilver, rng.range(0.2, 0.6));
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    crescent_path(cr, 846, h / 2.0, 9, 4, -2.5, 8);
    set_rgb(cr, kGold, 0.85);
    cairo_fill(cr);
    cairo_new_path(cr);
    sparkle_path(cr, 862, h / 2.0 - 6, 3.2, 0.2);
    sparkle_path(cr, 828, h / 2.0 + 7, 2.2, 0.2);
    set_rgb(cr, kSilver, 0.8);
    cairo_fill(cr);

    TextStyle st;
    st.font = "Linux Biolinum O";
    st.bold = true;
    st.size_px = 40;
    const struct {
        const char* text;
        double right;
    } caps[] = {{"Moves", 89}, {"Time", 298}, {"Score", 528}};
    for (auto& c : caps) {
        // Cap height 12 px, centred on the bar.
        const double top = (h - 12) / 2.0 + 0.5;
        cairo_new_path(cr);
        fitted_text_path(cr, c.text, st, c.right, top + 1, 12, 0, Align::right, "M");
        set_rgb(cr, hex(0x000000), 0.5);
        cairo_fill(cr);
        cairo_new_path(cr);
        fitted_text_path(cr, c.text, st, c.right, top, 12, 0, Align::right, "M");
        cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, top + 12);
        add_stop(g, 0, hex(0xeef1fb));
        add_stop(g, 1, kLavender);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void title_plate(cairo_t* cr, int w, int h, const std::string& game) {
    static const struct {
        const char* code;
        const char* text;
    } names[] = {{"klondike", "Klondike"}, {"freecell", "FreeCell"}, {"spider", "Spider"},
                 {"tripeaks", "TriPeaks"}, {"yukon", "Yukon"},       {"golf", "Golf"}};
    const char* text = "";
    for (auto& n : names)
        if (game == n.code) text = n.text;
    bar_background(cr, w, h);
    // Separator from the rest of the bar.
    cairo_pattern_t* s = cairo_pattern_create_linear(0, 0, 0, h);
    add_stop(s, 0, kLavender, 0.0);
    add_stop(s, 0.5, kLavender, 0.6);
    add_stop(s, 1, kLavender, 0.0);
    cairo_set_source(cr, s);
    cairo_rectangle(cr, 0, 3, 1, h - 6);
    cairo_fill(cr);
    cairo_pattern_destroy(s);

    TextStyle st;
    st.font = "Linux Libertine O";
    st.bold = true;
    st.italic = true;
    st.size_px = 40;
    const double cap = 15, top = (h - cap) / 2.0 - 0.5;
    const double cx = w / 2.0 + 6;
    // Soft glow under gold lettering.
    soft_glow(
        cr, w, h,
        [&](cairo_t* g) {
            fitted_text_path(g, text, st, cx, top, cap, w - 30, Align::center, "K");
        },
        2.5, kGold, 0.45);
    cairo_new_path(cr);
    double tw = fitted_text_path(cr, text, st, cx, top, cap, w - 30, Align::center, "K");
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, top + cap);
    add_stop(g, 0, hex(0xfff3cc));
    add_stop(g, 1, kGold);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_new_path(cr);
    sparkle_path(cr, cx - tw / 2 - 8, h / 2.0, 4, 0.2);
    set_rgb(cr, kSilver, 0.9);
    cairo_fill(cr);
}

// Circular arrow path: an arc band with an arrowhead at its end.
void redeal_arrow_path(cairo_t* cr, double cx, double cy, double r, double t) {
    const double a0 = -kPi / 2 + 0.55, a1 = -kPi / 2 + 2 * kPi - 0.75;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r + t / 2, a0, a1);
    // Arrowhead at a1, pointing along the circle.
    const double ex = std::cos(a1), ey = std::sin(a1);
    const double tx = -std::sin(a1), ty = std::cos(a1);  // tangent (direction of travel)
    const double head = t * 1.6;
    cairo_line_to(cr, cx + ex * (r + head), cy + ey * (r + head));
    cairo_line_to(cr, cx + ex * r + tx * head * 1.35, cy + ey * r + ty * head * 1.5);
    cairo_line_to(cr, cx + ex * (r - head), cy + ey * (r - head));
    cairo_arc_negative(cr, cx, cy, r - t / 2, a1, a0);
    cairo_close_path(cr);
}

}  // namespace

void pile_overlay(cairo_t* cr, int w, int h, const std::string& which) {
    if (which == "bottombar") {
        bottom_bar(cr, w, h);
        return;
    }
    if (which.compare(0, 6, "title_") == 0) {
        title_plate(cr, w, h, which.substr(6));
        return;
    }
    for (const Slot& s : slots_of(which)) slot(cr, s);
}

void redeal_button(cairo_t* cr, int w, int h, bool over) {
    const double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) * 0.3, t = std::min(w, h) * 0.1;
    // Dark disc to lift the arrow off the empty slot.
    cairo_pattern_t* d = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r + t * 2.2);
    add_stop(d, 0, kNightDeep, over ? 0.35 : 0.45);
    add_stop(d, 0.75, kNightDeep, over ? 0.3 : 0.35);
    add_stop(d, 1, kNightDeep, 0);
    cairo_set_source(cr, d);
    cairo_arc(cr, cx, cy, r + t * 2.2, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(d);
    const Rgb glow = over ? kGold : kLavender;
    soft_glow(
        cr, w, h, [&](cairo_t* g) { redeal_arrow_path(g, cx, cy, r, t); }, over ? 4.5 : 3, glow,
        over ? 0.95 : 0.6);
    cairo_new_path(cr);
    redeal_arrow_path(cr, cx, cy, r, t);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    if (over) {
        add_stop(g, 0, hex(0xffffff));
        add_stop(g, 0.5, hex(0xfff0c4));
        add_stop(g, 1, kGold);
    } else {
        add_stop(g, 0, hex(0xffffff));
        add_stop(g, 0.55, kSilver);
        add_stop(g, 1, hex(0xa9b0e0));
    }
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    set_rgb(cr, kNightDeep, 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // A small star at the centre.
    cairo_new_path(cr);
    sparkle_path(cr, cx, cy, r * 0.42, 0.2);
    set_rgb(cr, over ? hex(0xfff3cc) : kSilver, 0.95);
    cairo_fill(cr);
}

}  // namespace pieces
}  // namespace assetgen
