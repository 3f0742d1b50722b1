#include "pointer_sprite.h"

#include "blit_job_manager.h"
#include "loader_global.h"
#include "screen_hacks.h"
#include "surf.h"

PointerSprite pointer;

void PointerSprite::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    int mx = 0, my = 0;
    Uint8 buttons = mouse_state ? mouse_state(&mx, &my) : 0;
    set_pos(ScreenHacks::screen_to_world_pos({mx, my}));
    surface = (buttons & SDL_BUTTON(1)) ? click : normal;
}

void PointerSprite::display(SDL_Surface*) const {
    if (!shown_ || !Surf::ok(surface)) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos(
        {static_cast<Sint16>(x - hot_spot), static_cast<Sint16>(y - hot_spot)});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, surface, E2::Rect<int>(at.x, at.y, 0, 0),
                         E2::Color(0x000000FFu), 255));
}

void PointerSprite::load() {
    normal = loader.schedule_surface(".i/menu/cursor_normal.png");
    click = loader.schedule_surface(".i/menu/cursor_click.png");
}

void PointerSprite::unload() {
    if (normal) normal->unload();
    if (click) click->unload();
}

Sprite* _pointer_butterfly() {
    static Sprite* companion = new Sprite();
    return companion;
}
