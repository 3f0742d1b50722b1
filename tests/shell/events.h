#pragma once
// Input events built field by field for the tests; a field a builder is not given stays zero
// (SDL_RELEASED is zero too).

#include <SDL/SDL.h>

namespace test {

inline SDL_Event key_event(Uint8 type, SDLKey k, SDLMod mod = KMOD_NONE, Uint8 state = SDL_RELEASED,
                           Uint16 unicode = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.state = state;
    e.key.keysym.sym = k;
    e.key.keysym.mod = mod;
    e.key.keysym.unicode = unicode;
    return e;
}

inline SDL_Event key_down(SDLKey k, SDLMod mod = KMOD_NONE) { return key_event(SDL_KEYDOWN, k, mod); }

inline SDL_Event mouse_button(Uint8 type, Uint8 button, int x, int y, Uint8 state = SDL_RELEASED) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.state = state;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    return e;
}

inline SDL_Event mouse_motion(int x, int y, int xrel, int yrel, Uint8 state = 0) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    e.motion.xrel = static_cast<Sint16>(xrel);
    e.motion.yrel = static_cast<Sint16>(yrel);
    e.motion.state = state;
    return e;
}

inline SDL_Event active_event(Uint8 gain, Uint8 state) {
    SDL_Event e{};
    e.type = SDL_ACTIVEEVENT;
    e.active.gain = gain;
    e.active.state = state;
    return e;
}

inline SDL_Event plain_event(Uint8 type) {
    SDL_Event e{};
    e.type = type;
    return e;
}

}  // namespace test
