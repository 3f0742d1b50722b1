#pragma once
// Text drawing for the painters, laid out with pango on a cairo context.

#include <cairo.h>

#include <string>

namespace assetgen {

struct TextStyle {
    std::string font = "DejaVu Sans";  // fontconfig family, with optional style words
    double size_px = 24;               // em size in pixels
    bool bold = false;
    bool italic = false;
    double r = 1, g = 1, b = 1, a = 1;
    double letter_spacing_px = 0;
};

struct TextExtent {
    double w = 0, h = 0;        // logical size of the laid-out text
    double ink_x = 0, ink_y = 0, ink_w = 0, ink_h = 0;  // ink rectangle, relative to the origin
    double baseline = 0;        // distance from the top of the layout to the first baseline
};

enum class Align { left, center, right };

// Measures text without drawing; `wrap_width` > 0 wraps at that width.
TextExtent measure_text(cairo_t* cr, const std::string& utf8, const TextStyle& st,
                        double wrap_width = -1);

// Draws text with its layout box's top edge at y and its left edge, centre or right
// edge at x. Returns the extent. `wrap_width` > 0 wraps lines and aligns them in it.
TextExtent draw_text(cairo_t* cr, const std::string& utf8, const TextStyle& st, double x,
                     double y, Align align = Align::left, double wrap_width = -1);

// Adds the text's outline to the current path (for strokes, glows and gradients)
// placed as draw_text would place it.
TextExtent text_path(cairo_t* cr, const std::string& utf8, const TextStyle& st, double x,
                     double y, Align align = Align::left, double wrap_width = -1);

}  // namespace assetgen
