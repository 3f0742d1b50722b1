#pragma once
// One butterfly of the won celebration: it rises from below the canvas in a sideways
// sine sway, flapping its wings, and starts again from below once it has left the top.

#include <cstdint>

#include "geom.h"
#include "rand.h"
#include "sprite.h"

class Surf;

class WonButterFly : public Sprite {
public:
    // Wing flaps, then the flight; a new flight once the butterfly is above the top edge.
    void tick(unsigned now, unsigned dt) override;
    // One of the six colours, both wing images loaded at once; the first flap shows one.
    void load() override;
    using Sprite::load;

    // Shared by all butterflies for colours and wing timing, seeded with a constant.
    static E2::util::RandGen& _rg();

    std::uint32_t frame = 0;
    std::uint32_t flap_countdown = 0;
    Surf* frames[2] = {nullptr, nullptr};
    std::uint32_t start_time = 0;  // 0: no flight yet
    E2::Vec2<int> start_point;
    float climb_speed = 20.0f;  // pixels per second, negative upwards
    float sway_speed = 20.0f;   // degrees per second
    float sway_width = 20.0f;   // pixels

private:
    void start_flight(unsigned now);
};
