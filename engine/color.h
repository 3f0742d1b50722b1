#pragma once

#include <cstdint>

namespace E2 {

// A colour as one 32-bit value 0xRRGGBBAA.
class Color {
public:
    Color() = default;
    Color(std::uint32_t rgba) : rgba_(rgba) {}
    Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a = 0xFF)
        : rgba_((std::uint32_t(r) << 24) | (std::uint32_t(g) << 16) | (std::uint32_t(b) << 8) | a) {}
    ~Color() {}

    std::uint32_t value() const { return rgba_; }
    unsigned char r() const { return static_cast<unsigned char>(rgba_ >> 24); }
    unsigned char g() const { return static_cast<unsigned char>(rgba_ >> 16); }
    unsigned char b() const { return static_cast<unsigned char>(rgba_ >> 8); }
    unsigned char a() const { return static_cast<unsigned char>(rgba_); }
    bool operator==(Color const& o) const { return rgba_ == o.rgba_; }
    bool operator!=(Color const& o) const { return rgba_ != o.rgba_; }

    // The CSS3 keywords, opaque.
#define E2_COLOR_KEYWORD(name, rgb) static Color const name;
#include "color_keywords.inc"
#undef E2_COLOR_KEYWORD

private:
    std::uint32_t rgba_ = 0;
};

// Per-channel linear blend from a (t = 0) to b (t = 1); t is clamped to 0..1.
Color tween(Color const& a, Color const& b, float t);

// Euclidean distance over red, green and blue.
float distance(Color const& a, Color const& b);

}  // namespace E2
