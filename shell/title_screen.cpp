#include "title_screen.h"

#include <cmath>

#include "blit_job_manager.h"
#include "event_predicates.h"
#include "loader_global.h"
#include "pointer_sprite.h"
#include "screen_hacks.h"
#include "snd.h"
#include "surf.h"
#include "transition.h"

TitleScreen titlescreen;

void TitleScreen::load(Loader* l) {
    loader_ = l;
    bg.surface = l->get_surface(".i/menu/title_bg.jpg");
    bg.set_pos(0, 0);
    Surf* begin = l->schedule_surface(".i/menu/clicktobegin.png");
    bbegin.set_images(begin, begin, begin);
    bbegin.set_pos(313, 651);
    bbegin.set_state(ButtonSprite::normal);
    bbegin.register_listener(this);
    loading.surface = l->get_surface(".i/menu/loading.png");
    loading.set_pos(313, 651);
}

bool TitleScreen::images_loading() const { return (loader_ ? loader_ : &loader)->has_jobs(); }

bool TitleScreen::sounds_loading() const { return Snd::has_jobs(); }

std::string TitleScreen::phase() const { return images_loading() || sounds_loading() ? "loading" : "ready"; }

void TitleScreen::show_pointer() {
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({512, 384});
    if (warp_mouse) warp_mouse(static_cast<Uint16>(at.x), static_cast<Uint16>(at.y));
    pointer.show();
}

void TitleScreen::tick(unsigned now, unsigned dt) {
    Loader* l = loader_ ? loader_ : &loader;
    if (l->has_jobs()) {
        do {
            l->process_job();
        } while (l->has_jobs() && clock() - now < load_budget_ms);
    } else if (Snd::has_jobs()) {
        do {
            Snd::process_job();
        } while (Snd::has_jobs() && clock() - now < load_budget_ms);
    } else {
        if (!pointer.is_shown()) show_pointer();
        pulse_ms += dt;
    }
}

unsigned char TitleScreen::pulse_intensity() const {
    float phase = static_cast<float>(pulse_ms % pulse_period_ms) / static_cast<float>(pulse_period_ms) * 6.2831855f -
                  1.5707964f;
    return static_cast<unsigned char>(64 + static_cast<int>((std::sin(phase) + 1.0f) * 0.5f * 191.0f));
}

void TitleScreen::display(SDL_Surface* s) const {
    bg.display(s);
    if (images_loading() || sounds_loading()) {
        loading.display(s);
        return;
    }
    if (!Surf::ok(bbegin.surface)) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos(bbegin.pos());
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_alpha, bbegin.surface, at, E2::Color(0x000000FFu), pulse_intensity()));
}

bool TitleScreen::proc_event(SDL_Event* e) {
    if (!e) return true;
    bool const release = is_mouse_button_up_event(e) || is_key_up_event(e);
    if (!images_loading()) {
        bool const pressed = bbegin.state == ButtonSprite::down;
        if (bbegin.proc_event(e)) {
            // After a press it saw, the button's own click has led on; after a press
            // swallowed while loading it takes the release as a mere change of hover.
            if (release && !pressed) on_click(&bbegin);
            return true;
        }
    }
    if (bg.proc_event(e) || images_loading()) return true;
    if (release) on_click(&bbegin);
    return true;
}

bool TitleScreen::on_click(ButtonSprite* b) {
    if (images_loading() || b != &bbegin) return false;
    finish();
    return true;
}

void TitleScreen::finish() {
    bool fresh = exits_.profile_fresh ? exits_.profile_fresh() : true;
    if (fresh) {
        if (exits_.new_player) orb_transition_to(exits_.new_player);
        return;
    }
    if (!exits_.main_menu) return;
    if (exits_.refresh_main_menu) exits_.refresh_main_menu();
    orb_transition_to(exits_.main_menu);
}

void TitleScreen::on_dequeue() {
    bg.unload();
    bbegin.unload();
    if (!pointer.is_shown()) show_pointer();
}
