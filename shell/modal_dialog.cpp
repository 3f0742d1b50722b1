#include "modal_dialog.h"

#include "dialog_dim.h"
#include "event_predicates.h"

void ModalDialog::tick(unsigned now, unsigned dt) {
    if (!shown) return;
    bg.tick(now, dt);
    for (Sprite* p : parts_) p->tick(now, dt);
}

void ModalDialog::display(SDL_Surface* s) const {
    if (!shown) return;
    submit_dialog_dim();
    bg.display(s);
    for (Sprite const* p : parts_) p->display(s);
}

bool ModalDialog::is_space_or_enter(SDL_Event const* e) {
    return e->type == SDL_KEYDOWN && (e->key.keysym.sym == SDLK_SPACE || _is_key_enter(e->key.keysym.sym));
}
