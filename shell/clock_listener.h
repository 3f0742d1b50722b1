#pragma once

class ClockSprite;

// Told by a game clock when its whole-second value changes.
class ClockListener {
public:
    virtual ~ClockListener() = default;
    virtual void clock_seconds_changed(ClockSprite* clock) = 0;
};
