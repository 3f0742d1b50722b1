#pragma once
// The play screen's game clock: the current profile's game time follows it.

#include "clock_sprite.h"

class PlayerClock : public ClockSprite {
public:
    // ClockSprite::set_time, then the current profile's game_ms takes the clock's time.
    void set_time(unsigned ms) override;
};
