#include "won_butterfly.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "loader_global.h"
#include "trig.h"

namespace {

// rand() as a fraction in 0 .. 1.
float unit_rand() { return static_cast<float>(static_cast<double>(std::rand()) / 2147483648.0); }

}  // namespace

E2::util::RandGen& WonButterFly::_rg() {
    static E2::util::RandGen* rg = new E2::util::RandGen(8267);
    return *rg;
}

void WonButterFly::load() {
    int const k = static_cast<int>(_rg().next_f() * 6.0f);
    for (int i = 0; i < 2; ++i)
        frames[i] = loader.get_surface(".i/game/bf/b" + std::to_string(k) + "_" + std::to_string(i) + ".png");
}

void WonButterFly::start_flight(unsigned now) {
    int y0 = 768 + static_cast<int>(unit_rand() * 768.0f);
    if (y0 >= 1536) y0 = 1536;
    int const x0 = std::min(static_cast<int>(unit_rand() * 1024.0f), 1024);
    set_pos(x0, y0);
    start_point = {x0, y0};
    start_time = now;
    sway_width = std::min(100.0f + 50.0f * unit_rand(), 150.0f);
    sway_speed = std::min(60.0f + 150.0f * unit_rand(), 210.0f);
    climb_speed = -std::min(60.0f + 150.0f * unit_rand(), 210.0f);
}

void WonButterFly::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    if (flap_countdown <= dt) {
        frame = 1 - frame;
        surface = frames[frame];
        flap_countdown = static_cast<std::uint32_t>(_rg().next_f() * 80.0f) + 20;
    } else {
        flap_countdown -= dt;
    }
    if (!effectors().empty()) return;
    E2::Rect<int> const r = display_region();
    if (start_time == 0 || r.y + r.h <= 0) start_flight(now);
    float const t = static_cast<float>(now - start_time) / 1000.0f;
    int const a = static_cast<int>(std::lround(sway_speed * t));
    set_pos(start_point.x + static_cast<int>(sway_width * E2::sin_deg(a)),
            static_cast<int>(t * climb_speed + static_cast<float>(start_point.y)));
}
