#include "screen_hacks.h"

#include <cmath>

namespace {

E2::Vec2<int> g_screen{1024, 768};
E2::Vec2<int> g_world{1024, 768};
bool g_identity = true;

void recompute_identity() { g_identity = g_screen == g_world; }

int scaled(int v, float f) { return static_cast<int>(std::roundf(static_cast<float>(v) * f)); }

E2::Vec2<int> scale_point(E2::Vec2<int> const& p, E2::Vec2<float> f) {
    return {scaled(p.x, f.x), scaled(p.y, f.y)};
}

// Both edges are converted and the size is their difference, so that rectangles which
// touch before the conversion touch after it, with neither a gap nor an overlap.
E2::Rect<int> scale_rect(E2::Rect<int> const& r, E2::Vec2<float> f) {
    int const x0 = scaled(r.x, f.x), y0 = scaled(r.y, f.y);
    return {x0, y0, scaled(r.x + r.w, f.x) - x0, scaled(r.y + r.h, f.y) - y0};
}

}  // namespace

namespace ScreenHacks {

bool screen_is_identity() { return g_identity; }

E2::Vec2<float> world_to_screen_factor() {
    return {static_cast<float>(g_screen.x) / static_cast<float>(g_world.x),
            static_cast<float>(g_screen.y) / static_cast<float>(g_world.y)};
}

E2::Vec2<float> screen_to_world_factor() {
    return {static_cast<float>(g_world.x) / static_cast<float>(g_screen.x),
            static_cast<float>(g_world.y) / static_cast<float>(g_screen.y)};
}

void set_screen_view(E2::Vec2<int> size) {
    g_screen = size;
    recompute_identity();
}

void set_world_view(E2::Vec2<int> size) {
    g_world = size;
    recompute_identity();
}

E2::Vec2<int> screen_view() { return g_screen; }
E2::Vec2<int> world_view() { return g_world; }

E2::Vec2<int> world_to_screen_pos(E2::Vec2<int> const& p) {
    return g_identity ? p : scale_point(p, world_to_screen_factor());
}

E2::Vec2<int> screen_to_world_pos(E2::Vec2<int> const& p) {
    return g_identity ? p : scale_point(p, screen_to_world_factor());
}

E2::Rect<int> world_to_screen(E2::Rect<int> const& r) {
    return g_identity ? r : scale_rect(r, world_to_screen_factor());
}

E2::Rect<int> screen_to_world(E2::Rect<int> const& r) {
    return g_identity ? r : scale_rect(r, screen_to_world_factor());
}

E2::Vec2<int> screen_to_world(SDL_Event const* e) {
    if (!e) return {0, 0};
    switch (e->type) {
        case SDL_MOUSEMOTION:
            return screen_to_world_pos({e->motion.x, e->motion.y});
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return screen_to_world_pos({e->button.x, e->button.y});
        default:
            return {0, 0};
    }
}

E2::Vec2<int> screen_to_world_rel(SDL_Event const* e) {
    if (!e || e->type != SDL_MOUSEMOTION) return {0, 0};
    return screen_to_world_pos({e->motion.xrel, e->motion.yrel});
}

}  // namespace ScreenHacks
