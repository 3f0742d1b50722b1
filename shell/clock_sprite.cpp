#include "clock_sprite.h"

#include <climits>
#include <cstdio>

ClockSprite::ClockSprite() { set_text("0:00"); }

void ClockSprite::set_time(unsigned ms) {
    unsigned before = time_ms_;
    time_ms_ = ms;
    if (ms / 1000 == before / 1000) return;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%u:%02u", (ms % 3600000u) / 60000u, (ms % 60000u) / 1000u);
    set_text(buf);
    if (listener) listener->clock_seconds_changed(this);
}

void ClockSprite::tick(unsigned now, unsigned dt) {
    if (!paused) {
        if (count_down) {
            if (time_ms_ == 0) return;
            set_time(time_ms_ > dt ? time_ms_ - dt : 0);
        } else {
            // Held at the largest value instead of wrapping to 0 after 49 days.
            set_time(time_ms_ > UINT_MAX - dt ? UINT_MAX : time_ms_ + dt);
        }
    }
    TextSprite::tick(now, dt);
}
