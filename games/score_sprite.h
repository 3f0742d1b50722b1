#pragma once
// The play screen's counters: a number in the menu glyphs that counts toward each change
// over several frames, faster for larger changes, throwing sparks while it counts up.

#include <cstdint>

#include "particle.h"
#include "particle_engine.h"
#include "sprite.h"
#include "text_sprite.h"

class ScoreSprite : public Sprite {
public:
    ScoreSprite() = default;

    // Sprite::tick, one counting step, then the text.
    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // The text in menu_glyphs, drawn to the right of x; the speed drops to 100.
    void load(Loader* l) override;
    using Sprite::load;
    void set_pos(E2::Vec2<int> const& p) override;
    using Sprite::set_pos;

    // Counts d more.
    void add(int d) { pending += d; }
    // Counts toward v.
    void target(int v) { pending = v - shown; }
    // Shows v at once: no counting, no sparks.
    void sync(int v);
    // The shown value and its text.
    void show_score(int v);
    // How far one tick of dt moves a pending amount at the given speed; the whole amount
    // for a pending of -100 or less.
    static std::int32_t step_for(std::int32_t pending, std::uint32_t speed, unsigned dt);

    TextSprite text;
    std::int32_t shown = 0;
    std::int32_t pending = 0;
    std::uint32_t speed = 1000;  // units per second
    bool particles_on = true;
};

// A spark that rises from a counter's digits.
class ScoreParticle : public E2::Particle {};

// The engine of every counter's sparks; the play screen ticks and draws it.
extern E2::ParticleEngine score_particles;
