#include "msg_sprite.h"

#include <cstdint>

#include "blit_job_manager.h"
#include "effects_quality.h"
#include "screen_hacks.h"
#include "surf.h"

void MsgSprite::show() {
    clock_ms_ = 0;
    showing_ = true;
}

void MsgSprite::set_dur(unsigned in_ms, unsigned hold_ms, unsigned out_ms) {
    in_ms_ = in_ms;
    hold_ms_ = hold_ms;
    out_ms_ = out_ms;
}

void MsgSprite::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    if (!showing_) return;
    clock_ms_ += dt;
    if (std::uint64_t(clock_ms_) >= std::uint64_t(in_ms_) + hold_ms_ + out_ms_) showing_ = false;
}

unsigned char MsgSprite::intensity() const {
    if (!showing_) return 0;
    if (!_message_fade_enabled()) return 255;
    std::uint64_t t = clock_ms_;
    if (t < in_ms_) return static_cast<unsigned char>(t * 255 / in_ms_);
    t -= in_ms_;
    if (t < hold_ms_) return 255;
    t -= hold_ms_;
    if (t < out_ms_) return static_cast<unsigned char>((out_ms_ - t) * 255 / out_ms_);
    return 0;
}

void MsgSprite::display(SDL_Surface*) const {
    unsigned char ai = intensity();
    if (ai == 0 || !Surf::ok(surface)) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({static_cast<Sint16>(x), static_cast<Sint16>(y)});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, surface, at, E2::Color(0x000000FFu), ai));
}
