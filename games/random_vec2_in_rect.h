#pragma once
// Random points inside a rectangle, from the standard library's rand().

#include <algorithm>
#include <cstdlib>

#include "geom.h"
#include "vec2_factory.h"

namespace E2 {

template <typename T>
class RandomVec2InRect : public Vec2Factory<T> {
public:
    explicit RandomVec2InRect(Rect<T> const& r) : rect(r) {}
    // The y fraction is drawn first.
    Vec2<T> operator()() override {
        double const fy = static_cast<double>(std::rand()) / 2147483648.0;
        double const fx = static_cast<double>(std::rand()) / 2147483648.0;
        return Vec2<T>(rect.x + std::min(static_cast<T>(rect.w * fx), rect.w),
                       rect.y + std::min(static_cast<T>(rect.h * fy), rect.h));
    }

    Rect<T> rect;
};

}  // namespace E2
