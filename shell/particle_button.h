#pragma once
// A button with sparks that stream from its centre while it is hovered or pressed.

#include "button_sprite.h"
#include "particle.h"
#include "particle_engine.h"

class ParticleButton : public ButtonSprite {
public:
    // The most sparks one tick adds: about dt / 10 + 1 per tick, bounded only so that an
    // absurd tick (after the process was stopped, say) cannot allocate millions at once.
    // Reached only by a frame of more than 2.5 s.
    static constexpr unsigned max_sparks_per_tick = 256;

    // ButtonSprite::tick and the sparks; while enabled and over or down (and particles
    // are on) new sparks are added, otherwise all are dropped.
    void tick(unsigned now, unsigned dt) override;
    // The sparks below the button.
    void display(SDL_Surface* s) const override;
    void sync_glow(State old) override;

    // The number of sparks a tick of dt adds while the button is active.
    static unsigned sparks_for(unsigned dt);

    E2::ParticleEngine const& sparks() const { return engine_; }

private:
    mutable E2::ParticleEngine engine_;
};

// A spark of a particle button: lives 1 to 2 s, flies sideways from the button's centre
// and dies once it would leave the button.
class ButtonParticle : public E2::Particle {
public:
    explicit ButtonParticle(ParticleButton const& b);
    void tick(unsigned now, unsigned dt) override;

    E2::Rect<int> region;  // the button's display region at creation
};
