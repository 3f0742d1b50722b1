// The dialog panels (784 x 444, drawn at (120, 162)): questions, the name prompt and the
// rule-option popups with their check-box outlines.

#include <cmath>
#include <string>
#include <vector>

#include "ui_parts.h"
#include "ui_theme.h"

namespace assetgen {
namespace ui {
namespace {

// The panel itself; the strip from y 292 down holds the buttons and stays calm.
void popup_panel(cairo_t* cr, int w, int h, uint64_t seed) {
    const double x = 8, y = 6, pw = w - 16, ph = h - 16, r = 28;
    soft(cr, x, y + 4, pw, ph, 5, kInk, 0.8, [&](cairo_t* m) {
        rounded_rect(m, x, y + 4, pw, ph, r);
        cairo_fill(m);
    });
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + ph);
    gradient_stop(g, 0, rgb(0x223375));
    gradient_stop(g, 0.55, kNight1);
    gradient_stop(g, 1, kNight0);
    cairo_set_source(cr, g);
    rounded_rect(cr, x, y, pw, ph, r);
    cairo_fill(cr);
    cairo_pattern_destroy(g);

    cairo_save(cr);
    rounded_rect(cr, x, y, pw, ph, r);
    cairo_clip(cr);
    starfield(cr, x, y, pw, 270, 8, seed, 0.6);
    moon(cr, w - 70, 74, 34, 0.6);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, y, 0, y + 120);
    gradient_stop(s, 0, {1, 1, 1}, 0.07);
    gradient_stop(s, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, s);
    cairo_paint(cr);
    cairo_pattern_destroy(s);
    // The button strip: a slightly darker, plain floor.
    cairo_pattern_t* f = cairo_pattern_create_linear(0, 292, 0, y + ph);
    gradient_stop(f, 0, kInk, 0.15);
    gradient_stop(f, 1, kInk, 0.35);
    cairo_set_source(cr, f);
    cairo_rectangle(cr, x, 292, pw, y + ph - 292);
    cairo_fill(cr);
    cairo_pattern_destroy(f);
    cairo_restore(cr);
    divider(cr, w / 2.0, 292, 300, 0.7);

    cairo_set_line_width(cr, 1.6);
    set(cr, kSilver, 0.8);
    rounded_rect(cr, x + 0.8, y + 0.8, pw - 1.6, ph - 1.6, r);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    set(cr, kGold, 0.55);
    rounded_rect(cr, x + 7.5, y + 7.5, pw - 15, ph - 15, r - 7);
    cairo_stroke(cr);
    const double cs[4][2] = {
        {x + 16, y + 16}, {x + pw - 16, y + 16}, {x + 16, y + ph - 16}, {x + pw - 16, y + ph - 16}};
    for (auto& c : cs) {
        set(cr, kGold, 0.9);
        star4(cr, c[0], c[1], 8, 1.5);
        cairo_fill(cr);
    }
}

// A question in one or two lines, centred in the upper part of the panel.
void question(cairo_t* cr, int w, const std::string& main, const std::string& sub) {
    set(cr, kGold, 0.95);
    crescent(cr, w / 2.0, 62, 17, 7, -4, 14.5);
    if (sub.empty()) {
        title(cr, main, w / 2.0, 128, 44, kLabelFont);
    } else {
        title(cr, main, w / 2.0, 104, 42, kLabelFont);
        TextStyle ts = style("Linux Libertine O Italic", 27, kSilver);
        outlined(cr, sub, ts, w / 2.0, 178, Align::center, 3, mix(kSilver, kLavender, 0.2));
    }
}

void options_popup(cairo_t* cr, int w, const std::string& game,
                   const std::vector<std::string>& labels) {
    title(cr, game + " options", w / 2.0, 26, 40, kLabelFont);
    TextStyle ts = style(kLabelFont, 25, kSilver);
    for (size_t i = 0; i < labels.size(); ++i) {
        double y = 106 + 73 * static_cast<double>(i);
        box_outline(cr, 81, y);
        caption(cr, labels[i], ts, 131, y, 32, Align::left);
    }
}

}  // namespace

bool paint_popups(cairo_t* cr, int w, int h, const std::string& name) {
    const std::string s = stem(name);
    if (!starts_with(s, "popup_") || !ends_with(s, "_bg")) return false;
    const std::string what = s.substr(6, s.size() - 9);
    popup_panel(cr, w, h, 700 + what.size());
    const std::string pluck = "Allow taking cards back from the foundations";
    if (what == "quit") {
        question(cr, w, "Do you really want to quit?", "");
    } else if (what == "deleteplayer") {
        question(cr, w, "Delete this player?", "");
    } else if (what == "typename") {
        title(cr, "Type your name:", w / 2.0, 62, 40, kLabelFont);
        field_frame(cr, 192, 150, 400, 70);
    } else if (what == "newdeal") {
        question(cr, w, "Start a new deal?", "The current game will be lost.");
    } else if (what == "newgame") {
        question(cr, w, "Choose another game?", "The current game will be lost.");
    } else if (what == "klondike_options") {
        options_popup(cr, w, "Klondike", {pluck, "Draw one card at a time", "Unlimited redeals"});
    } else if (what == "freecell_options") {
        options_popup(cr, w, "FreeCell", {pluck});
    } else if (what == "spider_options") {
        options_popup(cr, w, "Spider", {"Two suits"});
    } else if (what == "tripeaks_options") {
        options_popup(cr, w, "TriPeaks", {"Turn the corner (King-Ace)", "Single-click play"});
    } else if (what == "yukon_options") {
        options_popup(cr, w, "Yukon", {pluck});
    } else if (what == "golf_options") {
        options_popup(cr, w, "Golf", {"Turn the corner (King-Ace)", "Single-click play"});
    }
    return true;
}

}  // namespace ui
}  // namespace assetgen
