#pragma once

namespace E2 {

// A point or a size.
template <typename T>
struct Vec2 {
    T x{}, y{};
    Vec2() = default;
    Vec2(T x_, T y_) : x(x_), y(y_) {}
    bool operator==(Vec2 const& o) const { return x == o.x && y == o.y; }
    bool operator!=(Vec2 const& o) const { return !(*this == o); }
};

// An axis-aligned rectangle: top-left corner and size.
template <typename T>
struct Rect {
    T x{}, y{}, w{}, h{};
    Rect() = default;
    Rect(T x_, T y_, T w_, T h_) : x(x_), y(y_), w(w_), h(h_) {}
    bool operator==(Rect const& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator!=(Rect const& o) const { return !(*this == o); }
    bool contains(T px, T py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

}  // namespace E2
