#pragma once
// A sprite that shows its image for a while after show(): a fade in, a hold and a fade out.

#include "sprite.h"

class MsgSprite : public Sprite {
public:
    MsgSprite() = default;
    MsgSprite(Surf* surface, E2::Vec2<int> pos) : Sprite(surface, pos) {}

    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;

    // Starts the message from the beginning of its fade-in.
    void show();
    void set_dur(unsigned in_ms, unsigned hold_ms, unsigned out_ms);
    bool showing() const { return showing_; }
    // The image intensity now; 0 when not showing. Without message fades (low effects
    // quality) the image is shown at full intensity for the whole time.
    unsigned char intensity() const;

private:
    unsigned in_ms_ = 200;
    unsigned hold_ms_ = 3000;
    unsigned out_ms_ = 1000;
    unsigned clock_ms_ = 0;
    bool showing_ = false;
};
