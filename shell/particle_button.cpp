#include "particle_button.h"

#include <algorithm>
#include <cstdlib>

#include "effects_quality.h"
#include "vec2_factory.h"

unsigned ParticleButton::sparks_for(unsigned dt) {
    float n = (static_cast<float>(dt) / 10.0f + 1.0f) * _particles_weight();
    unsigned k = n >= static_cast<float>(max_sparks_per_tick) ? max_sparks_per_tick : static_cast<unsigned>(n);
    return std::max(1u, k);
}

void ParticleButton::tick(unsigned now, unsigned dt) {
    ButtonSprite::tick(now, dt);
    engine_.tick(now, dt);
    if (is_enabled() && (state == over || state == down) && _particles_enabled()) {
        for (unsigned i = sparks_for(dt); i > 0; --i) engine_.add(new ButtonParticle(*this));
    } else {
        engine_.clear();
    }
}

void ParticleButton::display(SDL_Surface* s) const {
    engine_.display(s);
    ButtonSprite::display(s);
}

void ParticleButton::sync_glow(State old) { ButtonSprite::sync_glow(old); }

ButtonParticle::ButtonParticle(ParticleButton const& b) : region(b.display_region()) {
    float r = static_cast<float>(std::rand()) * 4.656613e-10f * 500.0f;
    lifetime = 2 * std::min(500u + static_cast<unsigned>(r), 1000u);
    image = 2;
    ai0 = 255;
    ai1 = 0;
    op = E2::op_blit;
    mode = E2::blend_additive;
    E2::Vec2<int> v = E2::RandomVec2InEllipse<int>(90, 10)();
    vel = {v.x * 2, v.y * 2};
    p0 = {region.x + region.w / 2, region.y + region.h / 2};
    pos = p0;  // where the first display will put it
}

void ButtonParticle::tick(unsigned now, unsigned dt) {
    E2::Particle::tick(now, dt);
    bool inside = region.x <= pos.x - 32 && pos.x + 32 < region.x + region.w && region.y <= pos.y - 32 &&
                  pos.y + 32 < region.y + region.h;
    if (!inside) kill();
}
