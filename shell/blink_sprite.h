#pragma once
// A sprite that is shown for `on_ms` and hidden for `off_ms`, over and over, by its own clock.

#include "sprite.h"

class BlinkSprite : public Sprite {
public:
    BlinkSprite() = default;
    BlinkSprite(unsigned on, unsigned off) : on_ms(on), off_ms(off) {}

    // Advances the clock and the visibility; the effectors are not run.
    void tick(unsigned now, unsigned dt) override;
    // The image while visible.
    void display(SDL_Surface* s) const override;

    // The clock and visibility step of tick. With on + off = 0 the sprite stays visible.
    void advance(unsigned dt);

    unsigned clock_ms = 0;
    unsigned on_ms = 0;
    unsigned off_ms = 0;
    bool visible = true;
};
