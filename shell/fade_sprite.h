#pragma once
// Sprites whose image intensity runs over a fade by their own clock.

#include "sprite.h"

// Intensity 255 down to 0 over fade_ms, counted from start_fade().
class FadeSprite : public Sprite {
public:
    FadeSprite() = default;
    FadeSprite(Surf* surface, E2::Vec2<int> pos, unsigned fade_ms = 1000);

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    void start_fade();
    bool fade_done() const { return clock_ms >= fade_ms; }
    // The image intensity now.
    virtual unsigned char intensity() const;

    unsigned fade_ms = 1000;
    unsigned clock_ms = 0;

protected:
    // 0 at the start of the fade, 255 at its end.
    unsigned char progress() const;
};

// Intensity 0 up to 255.
class FadeInSprite : public FadeSprite {
public:
    using FadeSprite::FadeSprite;
    unsigned char intensity() const override { return progress(); }
};
