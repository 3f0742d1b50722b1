#pragma once
// The families of menu and screen members. Each painter returns false when the name is
// not one of its own.

#include <cairo.h>

#include <string>

namespace assetgen {
namespace ui {

// The file name without its folder and extension, e.g. "play_up".
std::string stem(const std::string& name);
bool starts_with(const std::string& s, const std::string& prefix);
bool ends_with(const std::string& s, const std::string& suffix);

enum class State { up, over, down, off };
// Splits "play_over" into "play" and State::over; false when no state suffix.
bool split_state(const std::string& stem, std::string& base, State& st);

// The plate of a push button of size w x h (shared by the buttons and their glows).
struct PlateGeom {
    double x, y, w, h, r;
};
PlateGeom plate_geom(int w, int h);

bool paint_buttons(cairo_t* cr, int w, int h, const std::string& name);   // ui_buttons.cpp
bool paint_widgets(cairo_t* cr, int w, int h, const std::string& name);   // ui_widgets.cpp
bool paint_screens(cairo_t* cr, int w, int h, const std::string& name);   // ui_screens.cpp
bool paint_choosers(cairo_t* cr, int w, int h, const std::string& name);  // ui_choosers.cpp
bool paint_popups(cairo_t* cr, int w, int h, const std::string& name);    // ui_popups.cpp
bool paint_glyphs(cairo_t* cr, int w, int h, const std::string& name);    // ui_glyphs.cpp
bool paint_howto(cairo_t* cr, int w, int h, const std::string& name);     // ui_howto.cpp

// Backdrop shared by the full-screen menu backgrounds: sky, stars, moon, frame.
// `moon_x`, `moon_y`, `moon_r` place the moon (r 0: no moon).
void menu_backdrop(cairo_t* cr, int w, int h, unsigned seed, double moon_x, double moon_y,
                   double moon_r);
// Tab rail behind the six game tabs at (837, 161 + 82t).
void tab_rail(cairo_t* cr);
// A member of the other painter (a card face or back) drawn onto a new w x h surface.
cairo_surface_t* piece_surface(const std::string& name, int w, int h);
// Draws a piece surface centred at (cx, cy), turned by `angle` radians, with a soft shadow.
void place_piece(cairo_t* cr, cairo_surface_t* s, double cx, double cy, double angle,
                 double scale = 1.0);

}  // namespace ui
}  // namespace assetgen
