#include "won_dialog.h"

#include "event_predicates.h"
#include "loader.h"
#include "score_sprite.h"
#include "won_butterfly.h"

WonDialog::~WonDialog() {
    for (WonButterFly* b : flock) delete b;
}

void WonDialog::load(Loader* l) {
    bg.surface = l->get_surface_delayed(".i/game/congrats.png");
    bg.set_pos(297, 334);
}

void WonDialog::show() {
    bg.load();
    for (WonButterFly* b : flock) delete b;
    flock.clear();
    for (unsigned i = 0; i < flock_size; ++i) flock.push_back(new WonButterFly);
    for (WonButterFly* b : flock) b->load();
    ContinueDialog::show();
}

void WonDialog::finish() {
    bg.unload();
    ContinueDialog::finish();
}

void WonDialog::tick(unsigned now, unsigned dt) {
    ContinueDialog::tick(now, dt);
    for (WonButterFly* b : flock) b->tick(now, dt);
}

void WonDialog::display(SDL_Surface* s) const {
    if (counter && counter->pending != 0) return;
    ContinueDialog::display(s);
    if (!shown) return;
    for (WonButterFly const* b : flock) b->display(s);
}

bool WonDialog::proc_event(SDL_Event* e) {
    if (is_mouse_button_up_event(e) || is_key_up_event(e)) {
        finish();
        return true;
    }
    return false;
}
