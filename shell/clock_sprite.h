#pragma once
// A text sprite that shows a time as minutes and seconds, counting up or down.

#include "clock_listener.h"
#include "text_sprite.h"

class ClockSprite : public TextSprite {
public:
    ClockSprite();

    // Unless paused: counting down it stops at 0 (a tick at 0 does nothing at all),
    // counting up it adds dt. Then TextSprite::tick.
    void tick(unsigned now, unsigned dt) override;
    // Stores ms; when the whole second changes the text becomes "m:ss" (hours are not
    // shown) and the listener is told.
    virtual void set_time(unsigned ms);
    unsigned time() const { return time_ms_; }

    bool count_down = false;
    bool paused = false;
    ClockListener* listener = nullptr;  // not owned

private:
    unsigned time_ms_ = 0;
};
