#include "game_over_dialog.h"

#include "glyph_set.h"

void GameOverDialog::load(Loader*) {
    bg.set_pos(121, 163);
    title_pic.set_pos(223, 237);
    highscore_pic.set_pos(222, 237);
    bconfirm.set_pos(523, 466);
    bcancel.set_pos(202, 466);
    bconfirm.set_state(ButtonSprite::normal);
    bcancel.set_state(ButtonSprite::normal);
    bconfirm.register_listener(this);
    bcancel.register_listener(this);
    score_text.set_pos(714, 306);
    score_text.glyphs = &menu_glyphs;
}

void GameOverDialog::show() {
    lock = lock_ms;
    ConfirmDialog::show();
}

void GameOverDialog::tick(unsigned now, unsigned dt) {
    if (shown) lock = lock > dt ? lock - dt : 0;
    ConfirmDialog::tick(now, dt);
}

bool GameOverDialog::proc_event(SDL_Event* e) {
    if (shown && lock > 0) return true;
    return ConfirmDialog::proc_event(e);
}

void GameOverDialog::display(SDL_Surface* s) const {
    if (!shown) return;
    ConfirmDialog::display(s);
    title_pic.display(s);
    if (made_highscore) highscore_pic.display(s);
    score_text.display(s);
}
