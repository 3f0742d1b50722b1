#include "continue_dialog.h"

#include "event_predicates.h"

void ContinueDialog::load(Loader*) { bcontinue.register_listener(this); }

void ContinueDialog::show() { shown = true; }

void ContinueDialog::finish() { shown = false; }

bool ContinueDialog::on_click(ButtonSprite* b) {
    if (!shown || b != &bcontinue) return false;
    finish();
    return true;
}

bool ContinueDialog::proc_event(SDL_Event* e) {
    if (!shown || !e) return false;
    if (is_quit_escape(e) || is_space_or_enter(e)) {
        finish();
        return true;
    }
    if (!bcontinue.proc_event(e)) bg.proc_event(e);
    return true;
}
