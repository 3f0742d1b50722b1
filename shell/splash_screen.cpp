#include "splash_screen.h"

#include "blit_job_manager.h"
#include "loader.h"
#include "music_ctl.h"
#include "screen_hacks.h"
#include "sound_handles.h"
#include "surf.h"
#include "tde_manager.h"
#include "title_screen.h"
#include "transition.h"

SplashScreen splashscreen;

void SplashScreen::load(Loader* l) {
    logo.surface = l->get_surface(".i/menu/splashlogo.png");
    logo.set_pos(312, 184);
}

void SplashScreen::tick(unsigned, unsigned dt) {
    elapsed_ms += dt;
    if (elapsed_ms >= duration_ms) finish();
}

void SplashScreen::finish() {
    if (tde_stack.front() != this) return;
    tde_stack.pop_front();
    orb_transition_to(&titlescreen);
}

unsigned char SplashScreen::logo_intensity() const {
    unsigned t = elapsed_ms;
    if (t < 1000) return static_cast<unsigned char>(t * 255 / 1000);
    if (t < 2000) return 255;
    if (t < duration_ms) return static_cast<unsigned char>((duration_ms - t) * 255 / 1000);
    return 0;
}

void SplashScreen::display(SDL_Surface*) const {
    bjmgr.insert(BlitJob(E2::op_fill, E2::blend_alpha, nullptr, E2::Rect<int>(0, 0, 1024, 768),
                         E2::Color(0x000000FFu), 255));
    if (elapsed_ms >= duration_ms || !Surf::ok(logo.surface)) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({logo.x, logo.y});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, logo.surface, at, E2::Color(0x000000FFu), logo_intensity()));
}

bool SplashScreen::proc_event(SDL_Event*) { return false; }

void SplashScreen::on_enqueue() {}

void SplashScreen::on_dequeue() {
    logo.unload();
    MusicCtl::ctl()->play_loop(mus_menu, 500);
}
