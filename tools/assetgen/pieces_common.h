#pragma once
// Shared drawing helpers of the piece painters: colours, shapes, noise, blur.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

#include "text.h"

namespace assetgen {
namespace pieces {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

constexpr Rgb hex(uint32_t v) {
    return Rgb{((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0};
}
Rgb mix(const Rgb& a, const Rgb& b, double t);
Rgb scale(const Rgb& a, double k);
void set_rgb(cairo_t* cr, const Rgb& c, double a = 1.0);
void add_stop(cairo_pattern_t* p, double off, const Rgb& c, double a = 1.0);

// Theme colours.
constexpr Rgb kNightDeep = hex(0x0b1030);
constexpr Rgb kNight = hex(0x1c2a5a);
constexpr Rgb kSilver = hex(0xdfe6f5);
constexpr Rgb kLavender = hex(0x9fa8ff);
constexpr Rgb kGold = hex(0xe8c56a);
constexpr Rgb kCrimson = hex(0xc0223a);
constexpr Rgb kInk = hex(0x151a2e);

constexpr double kPi = 3.14159265358979323846;

// Card geometry.
constexpr int kCardW = 99, kCardH = 144;
constexpr double kCardRadius = 7;

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);

// Suit shapes centred on (cx, cy) with height `size`; suit 0 clubs, 1 diamonds, 2 hearts,
// 3 spades. Sub-paths may overlap: fill with the non-zero rule.
void suit_path(cairo_t* cr, int suit, double cx, double cy, double size);
// The same suits cut for the corner index, where a shape is 9 to 12 pixels high. The club (three
// lobes apart, a thin stem) and the spade (one point, one smooth body) lie on a 9 x 9 grid: at a
// `size` of 9 pixels of the 800x600 window, placed on its pixels, each cell is one of them.
void index_suit_path(cairo_t* cr, int suit, double cx, double cy, double size);
// Star with `points` tips, outer and inner radii, first tip at angle `rot` (0 = up).
void star_path(cairo_t* cr, double cx, double cy, double r_out, double r_in, int points,
               double rot = 0);
// Crescent: disc of radius r minus a disc shifted by (dx, dy) of radius r2.
void crescent_path(cairo_t* cr, double cx, double cy, double r, double dx, double dy, double r2);
// Four-pointed sparkle with concave sides.
void sparkle_path(cairo_t* cr, double cx, double cy, double r, double waist = 0.18);

// Deterministic random numbers.
struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t next() {
        uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uni() { return (next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double a, double b) { return a + (b - a) * uni(); }
};

// Value noise in [0, 1): hash of a lattice point, smooth interpolation, fractal sum.
double hash01(int x, int y, uint32_t seed);
double value_noise(double x, double y, uint32_t seed);
double fbm(double x, double y, uint32_t seed, int octaves, double gain = 0.5);

// Box blur (three passes, about a Gaussian of the given radius) of an image surface.
void blur_surface(cairo_surface_t* s, double radius);

// Paints a blurred copy of the shape built by `path` (filled with `c`, alpha `a`), offset by
// (dx, dy); the shape is rendered on a w x h scratch surface.
void soft_shadow(cairo_t* cr, int w, int h, const std::function<void(cairo_t*)>& path,
                 double radius, double dx, double dy, const Rgb& c, double a);

// Paints a blurred halo of the shape built by `path` (filled, or stroked when `stroke`).
void soft_glow(cairo_t* cr, int w, int h, const std::function<void(cairo_t*)>& path, double radius,
               const Rgb& c, double a, bool stroke = false, double line_width = 1.0);

// Adds the outline of `text` to the path, scaled so that the ink of `ref` (of `text` when
// empty) is `height` tall with its top at y, at most `max_w` wide (narrowed beyond that),
// the ink's left edge, centre or right edge at x. Returns the ink width.
double fitted_text_path(cairo_t* cr, const std::string& text, const TextStyle& st, double x,
                        double y, double height, double max_w, Align align = Align::left,
                        const std::string& ref = "");

}  // namespace pieces
}  // namespace assetgen
