#include "color.h"

#include <cmath>

namespace E2 {

#define E2_COLOR_KEYWORD(name, rgb) Color const Color::name((std::uint32_t(rgb) << 8) | 0xFFu);
#include "color_keywords.inc"
#undef E2_COLOR_KEYWORD

namespace {

unsigned char mix(unsigned char a, unsigned char b, float t) {
    return static_cast<unsigned char>(std::lround(a + (b - a) * t));
}

}  // namespace

Color tween(Color const& a, Color const& b, float t) {
    if (!(t > 0.0f)) t = 0.0f;  // NaN counts as 0
    if (t > 1.0f) t = 1.0f;
    return Color(mix(a.r(), b.r(), t), mix(a.g(), b.g(), t), mix(a.b(), b.b(), t),
                 mix(a.a(), b.a(), t));
}

float distance(Color const& a, Color const& b) {
    float dr = float(a.r()) - float(b.r());
    float dg = float(a.g()) - float(b.g());
    float db = float(a.b()) - float(b.b());
    return std::sqrt(dr * dr + dg * dg + db * db);
}

}  // namespace E2
