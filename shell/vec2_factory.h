#pragma once
// Makers of random points: on a segment, or inside an ellipse around the origin. They
// draw from the standard library's rand(), seeded at start-up.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "geom.h"

namespace E2 {

namespace util {

template <typename T>
class Factory {
public:
    virtual ~Factory() = default;
    virtual T operator()() = 0;
};

}  // namespace util

template <typename T>
class Vec2Factory : public util::Factory<Vec2<T>> {};

namespace detail {

// rand() scaled to 0..1 in single precision.
inline float unit_rand() { return std::min(static_cast<float>(std::rand()) * 4.656613e-10f, 1.0f); }

}  // namespace detail

// A point between a and b.
template <typename T>
class RandomVec2OnSegment : public Vec2Factory<T> {
public:
    RandomVec2OnSegment(Vec2<T> const& a, Vec2<T> const& b) : a(a), b(b) {}
    Vec2<T> operator()() override {
        float t = detail::unit_rand();
        return Vec2<T>(static_cast<T>(static_cast<float>(a.x) + static_cast<float>(b.x - a.x) * t),
                       static_cast<T>(static_cast<float>(a.y) + static_cast<float>(b.y - a.y) * t));
    }

    Vec2<T> a, b;
};

// A point inside the ellipse of radii rx, ry: a random angle, then a random fraction of
// each radius.
template <typename T>
class RandomVec2InEllipse : public Vec2Factory<T> {
public:
    RandomVec2InEllipse(T rx, T ry) : rx(rx), ry(ry) {}
    Vec2<T> operator()() override {
        float const two_pi = 6.2831855f;
        float u = 2.0f * (static_cast<float>(std::rand()) * 4.656613e-10f) - 1.0f;
        float angle = u >= 1.0f ? two_pi : u * two_pi;
        double r1 = detail::unit_rand();
        double r2 = detail::unit_rand();
        return Vec2<T>(static_cast<T>(r1 * rx * std::cos(static_cast<double>(angle))),
                       static_cast<T>(r2 * ry * std::sin(static_cast<double>(angle))));
    }

    T rx, ry;
};

}  // namespace E2
