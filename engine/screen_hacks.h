#pragma once
// Conversion between the 1024x768 world canvas and the real screen.

#include <SDL/SDL.h>

#include "geom.h"

namespace ScreenHacks {

bool screen_is_identity();
E2::Vec2<float> world_to_screen_factor();
E2::Vec2<float> screen_to_world_factor();

void set_screen_view(E2::Vec2<int> size);
void set_world_view(E2::Vec2<int> size);
E2::Vec2<int> screen_view();
E2::Vec2<int> world_view();

E2::Vec2<int> world_to_screen_pos(E2::Vec2<int> const& p);
E2::Vec2<int> screen_to_world_pos(E2::Vec2<int> const& p);
E2::Rect<int> world_to_screen(E2::Rect<int> const& r);
E2::Rect<int> screen_to_world(E2::Rect<int> const& r);

// World position of a mouse-motion or mouse-button event; (0, 0) for any other event.
E2::Vec2<int> screen_to_world(SDL_Event const* e);
// Relative motion of a mouse-motion event at world scale; (0, 0) for any other event.
E2::Vec2<int> screen_to_world_rel(SDL_Event const* e);

}  // namespace ScreenHacks
