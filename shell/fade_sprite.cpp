#include "fade_sprite.h"

#include "blit_job_manager.h"
#include "screen_hacks.h"
#include "surf.h"

FadeSprite::FadeSprite(Surf* surface_, E2::Vec2<int> pos, unsigned ms) : Sprite(surface_, pos), fade_ms(ms) {}

void FadeSprite::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    if (clock_ms < fade_ms) clock_ms = fade_ms - clock_ms > dt ? clock_ms + dt : fade_ms;
}

void FadeSprite::start_fade() { clock_ms = 0; }

unsigned char FadeSprite::progress() const {
    if (fade_ms == 0 || clock_ms >= fade_ms) return 255;
    return static_cast<unsigned char>(static_cast<unsigned long long>(clock_ms) * 255 / fade_ms);
}

unsigned char FadeSprite::intensity() const { return static_cast<unsigned char>(255 - progress()); }

void FadeSprite::display(SDL_Surface*) const {
    unsigned char ai = intensity();
    if (!Surf::ok(surface) || ai == 0) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({static_cast<Sint16>(x), static_cast<Sint16>(y)});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, surface, E2::Rect<int>(at.x, at.y, 0, 0),
                         E2::Color(0x000000FFu), ai));
}
