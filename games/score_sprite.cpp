#include "score_sprite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "effects_quality.h"
#include "glyph_set.h"

E2::ParticleEngine score_particles;

namespace {

// rand() as a fraction in 0 .. 1.
double unit_rand() { return static_cast<double>(std::rand()) / 2147483648.0; }

void throw_spark(TextSprite const& text) {
    auto* p = new ScoreParticle;
    p->lifetime = std::min<std::uint32_t>(static_cast<std::uint32_t>(300 * unit_rand()) + 100, 400);
    p->image = 3;
    p->ai0 = 255;
    p->ai1 = 32;
    p->op = E2::op_blit;
    p->mode = E2::blend_additive;
    int const v = static_cast<int>(100 * unit_rand()) + 100;
    double const f = std::min(unit_rand(), 1.0);
    p->p0 = {static_cast<int>(text.x + 18.0 * static_cast<double>(text.text().size()) * f), text.y + 18};
    p->vel = {0, -4 * v};
    score_particles.add(p);
}

}  // namespace

void ScoreSprite::load(Loader*) {
    text.glyphs = &menu_glyphs;
    text.align = TextSprite::align_left;
    speed = 100;
}

void ScoreSprite::set_pos(E2::Vec2<int> const& p) {
    Sprite::set_pos(p);
    text.set_pos(p);
}

void ScoreSprite::sync(int v) {
    pending = 0;
    show_score(v);
}

void ScoreSprite::show_score(int v) {
    if (v == shown && !text.text().empty()) return;
    shown = v;
    text.set_text(std::to_string(v));
}

std::int32_t ScoreSprite::step_for(std::int32_t pending, std::uint32_t speed, unsigned dt) {
    // In 32-bit unsigned arithmetic: a negative rate (pending -100 or less) wraps to a
    // huge step, which applies the whole amount at once.
    std::uint32_t const r = static_cast<std::uint32_t>(pending / 100) * 200u + speed;
    std::int64_t const q = r * dt / 1000u;
    std::int64_t const magnitude = std::min<std::int64_t>(std::llabs(static_cast<long long>(pending)), INT32_MAX);
    return static_cast<std::int32_t>(std::min(magnitude, q));
}

void ScoreSprite::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    if (pending != 0) {
        std::int32_t const step = step_for(pending, speed, dt);
        if (particles_on && pending > 0 && step > 0) {
            long const n = std::lround(static_cast<double>(step) * 0.5 * static_cast<double>(_particles_weight()));
            for (long i = 0; i < n; ++i) throw_spark(text);
        }
        std::int32_t const s = pending < 0 ? -step : step;
        pending -= s;
        show_score(shown + s);
    }
    text.tick(now, dt);
}

void ScoreSprite::display(SDL_Surface* s) const {
    Sprite::display(s);
    text.display(s);
}
