#include "continue_dialog.h"

#include "dialog_dim.h"
#include "event_predicates.h"

void ContinueDialog::load(Loader*) { bcontinue.register_listener(this); }

void ContinueDialog::show() { shown = true; }

void ContinueDialog::finish() { shown = false; }

bool ContinueDialog::on_click(ButtonSprite* b) {
    if (!shown || b != &bcontinue) return false;
    finish();
    return true;
}

void ContinueDialog::tick(unsigned now, unsigned dt) {
    if (!shown) return;
    bg.tick(now, dt);
    bcontinue.tick(now, dt);
}

void ContinueDialog::display(SDL_Surface* s) const {
    if (!shown) return;
    submit_dialog_dim();
    bg.display(s);
    bcontinue.display(s);
}

bool ContinueDialog::proc_event(SDL_Event* e) {
    if (!shown || !e) return false;
    bool closing_key =
        e->type == SDL_KEYDOWN && (e->key.keysym.sym == SDLK_SPACE || _is_key_enter(e->key.keysym.sym));
    if (is_quit_escape(e) || closing_key) {
        finish();
        return true;
    }
    if (!bcontinue.proc_event(e)) bg.proc_event(e);
    return true;
}
