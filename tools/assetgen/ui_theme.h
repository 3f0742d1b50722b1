#pragma once
// Shared look of the menus and screens: the night palette, fonts, plates, frames,
// starfields, the moon, blurred glows and text helpers.

#include <cairo.h>

#include <cstdint>
#include <string>

#include "text.h"

namespace assetgen {
namespace ui {

struct Rgb {
    double r, g, b;
};

constexpr Rgb rgb(uint32_t hex) {
    return {((hex >> 16) & 255) / 255.0, ((hex >> 8) & 255) / 255.0, (hex & 255) / 255.0};
}

// Palette.
constexpr Rgb kNight0 = rgb(0x0b1030);
constexpr Rgb kNight1 = rgb(0x131c45);
constexpr Rgb kNight2 = rgb(0x1c2a5a);
constexpr Rgb kNight3 = rgb(0x2a3b78);
constexpr Rgb kInk = rgb(0x050818);
constexpr Rgb kSilver = rgb(0xdfe6f5);
constexpr Rgb kSilverDim = rgb(0x98a3c4);
constexpr Rgb kLavender = rgb(0x9fa8ff);
constexpr Rgb kGold = rgb(0xe8c56a);
constexpr Rgb kGoldPale = rgb(0xf6e2a8);
constexpr Rgb kGrey = rgb(0x6f7690);

// Fonts: an elegant serif for titles and labels, a clear humanist sans for body text.
extern const char* const kTitleFont;  // large display titles
extern const char* const kLabelFont;  // buttons, captions, headings
extern const char* const kBodyFont;   // running text

// Deterministic generator (fixed seeds, same numbers on every machine).
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t next();
    double unit();  // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    uint64_t s_;
};

void set(cairo_t* cr, Rgb c, double a = 1.0);
Rgb mix(Rgb a, Rgb b, double t);
void gradient_stop(cairo_pattern_t* p, double off, Rgb c, double a = 1.0);
void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);

// A soft blurred copy of whatever `draw` puts on an alpha mask, painted in colour c.
// The mask covers (x, y, w, h) of the target and is blurred with radius `blur`.
template <typename F>
void soft(cairo_t* cr, double x, double y, double w, double h, double blur, Rgb c, double a,
          F&& draw);
void blur_a8(cairo_surface_t* s, int radius);

// Night sky filling (0, 0, w, h): deep gradient, faint haze bands.
void night_sky(cairo_t* cr, int w, int h, uint64_t seed);
// Stars scattered over a rectangle; `density` stars per 10000 px^2; brighter ones sparkle.
void starfield(cairo_t* cr, double x, double y, double w, double h, double density, uint64_t seed,
               double brightness = 1.0);
void sparkle(cairo_t* cr, double cx, double cy, double r, Rgb c, double a);
// The large soft moon with halo, centred at (cx, cy) with radius r.
void moon(cairo_t* cr, double cx, double cy, double r, double halo = 1.0);
// A crescent in the current source: the disc (cx, cy, r) less the disc (cx+dx, cy+dy, r2).
void crescent(cairo_t* cr, double cx, double cy, double r, double dx, double dy, double r2);
// A four-point star ornament.
void star4(cairo_t* cr, double cx, double cy, double r, double waist);
// Thin double frame round the whole canvas with small star ornaments at the corners.
void screen_frame(cairo_t* cr, int w, int h);
// Thin elegant divider centred on cx with a diamond in the middle.
void divider(cairo_t* cr, double cx, double y, double half_w, double alpha = 1.0);

// Translucent plate with a hairline silver frame and a gold inner line.
void panel(cairo_t* cr, double x, double y, double w, double h, double r, double alpha = 0.82);
// 32x32 check-box outline whose top-left corner is (x, y).
void box_outline(cairo_t* cr, double x, double y);
// Sunken text field.
void field_frame(cairo_t* cr, double x, double y, double w, double h);
// Slider groove whose box is (x, y, w, h).
void groove(cairo_t* cr, double x, double y, double w, double h);

TextStyle style(const char* font, double size, Rgb c, double a = 1.0);
// Title text: soft glow, dark outline, silver-to-gold gradient fill. Returns its extent.
TextExtent title(cairo_t* cr, const std::string& text, double cx, double y, double size,
                 const char* font = nullptr, double spacing = 0);
// Text with a dark outline (and optional soft shadow) for reading on any background.
TextExtent outlined(cairo_t* cr, const std::string& text, const TextStyle& st, double x, double y,
                    Align align, double outline, Rgb fill, double fill_a = 1.0, double wrap = -1);
// A caption vertically centred in a line box (top, height).
TextExtent caption(cairo_t* cr, const std::string& text, const TextStyle& st, double x, double top,
                   double height, Align align);

// Screen title at the top of a menu background.
void screen_title(cairo_t* cr, int w, const std::string& text, double y = 44, double size = 64);

// ---- template body ----
template <typename F>
void soft(cairo_t* cr, double x, double y, double w, double h, double blur, Rgb c, double a,
          F&& draw) {
    int pad = static_cast<int>(blur * 2 + 2);
    int sw = static_cast<int>(w) + 2 * pad, sh = static_cast<int>(h) + 2 * pad;
    if (sw <= 0 || sh <= 0) return;
    cairo_surface_t* m = cairo_image_surface_create(CAIRO_FORMAT_A8, sw, sh);
    cairo_t* mc = cairo_create(m);
    cairo_translate(mc, pad - x, pad - y);
    cairo_set_source_rgba(mc, 0, 0, 0, 1);
    draw(mc);
    cairo_destroy(mc);
    blur_a8(m, static_cast<int>(blur + 0.5));
    cairo_save(cr);
    set(cr, c, a);
    cairo_mask_surface(cr, m, x - pad, y - pad);
    cairo_restore(cr);
    cairo_surface_destroy(m);
}

}  // namespace ui
}  // namespace assetgen
