#include "blink_sprite.h"

#include <cstdint>

void BlinkSprite::tick(unsigned, unsigned dt) { advance(dt); }

void BlinkSprite::advance(unsigned dt) {
    clock_ms += dt;
    // 64-bit so that a period of 2^32 or more neither wraps nor divides by zero.
    std::uint64_t period = std::uint64_t(on_ms) + off_ms;
    visible = period == 0 || clock_ms % period < on_ms;
}

void BlinkSprite::display(SDL_Surface* s) const {
    if (visible) Sprite::display(s);
}
