#include "pointer_butterfly.h"

#include <cmath>

#include "blit_job_manager.h"
#include "loader_global.h"
#include "pointer_sprite.h"
#include "screen_hacks.h"
#include "surf.h"

namespace {

// Where the butterfly waits: above the canvas.
E2::Vec2<int> const offscreen{1100, -100};
// Where it settles, relative to the pointer.
E2::Vec2<int> const perch{14, -30};

}  // namespace

PointerButterfly::PointerButterfly() : follows(&pointer), behavior_(new Behavior_Offscreen) { set_pos(offscreen); }

void PointerButterfly::load() {
    wings[0] = loader.schedule_surface(".i/game/bf/b0_0.png");
    wings[1] = loader.schedule_surface(".i/game/bf/b0_1.png");
}

bool PointerButterfly::fly_toward(E2::Vec2<int> const& p, int speed, unsigned dt) {
    // The flight keeps its fractions between ticks, so slow axes still move.
    if (x != static_cast<int>(std::lround(fx_)) || y != static_cast<int>(std::lround(fy_))) {
        fx_ = x;
        fy_ = y;
    }
    double dx = p.x - fx_, dy = p.y - fy_;
    double dist = std::sqrt(dx * dx + dy * dy);
    double step = static_cast<double>(speed) * dt / 1000.0;
    if (dist <= step || dist < 1.0) {
        fx_ = p.x;
        fy_ = p.y;
        set_pos(p);
        return true;
    }
    fx_ += dx * step / dist;
    fy_ += dy * step / dist;
    set_pos(static_cast<int>(std::lround(fx_)), static_cast<int>(std::lround(fy_)));
    return false;
}

void PointerButterfly::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    clock_ms += dt;
    if (follows) target = follows->pos();
    if (target != last_target_) {
        last_target_ = target;
        still_ms = 0;
    } else {
        still_ms += dt;
    }
    if (Behavior* next = behavior_->tick(*this, dt)) behavior_.reset(next);
}

void PointerButterfly::display(SDL_Surface*) const {
    if (!behavior_->visible()) return;
    Surf const* img = wings[(clock_ms / flap_ms) % 2];
    if (!Surf::ok(img)) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({x, y});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, img, at, E2::Color(0x000000FFu), 255));
}

PointerButterfly::Behavior* PointerButterfly::Behavior_Offscreen::tick(PointerButterfly& b, unsigned) {
    b.set_pos(offscreen);
    return b.still_ms >= rest_ms ? new Behavior_Incoming : nullptr;
}

PointerButterfly::Behavior* PointerButterfly::Behavior_Incoming::tick(PointerButterfly& b, unsigned dt) {
    if (b.still_ms == 0) return new Behavior_Outgoing;
    b.fly_toward({b.target.x + perch.x, b.target.y + perch.y}, incoming_speed, dt);
    return nullptr;
}

PointerButterfly::Behavior* PointerButterfly::Behavior_Outgoing::tick(PointerButterfly& b, unsigned dt) {
    return b.fly_toward(offscreen, outgoing_speed, dt) ? new Behavior_Offscreen : nullptr;
}
