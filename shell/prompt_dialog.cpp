#include "prompt_dialog.h"

#include "event_predicates.h"

PromptDialog::PromptDialog() : ModalDialog({&text, &bok}) {
    bg.set_pos(120, 162);
    bok.set_pos(202, 466);
    text.set_editable(true);
}

void PromptDialog::show() {
    shown = true;
    bok.set_enabled(!text.text().empty());
}

void PromptDialog::show(std::string const& s) {
    text.set_text(s);
    show();
}

void PromptDialog::finish() { shown = false; }

bool PromptDialog::on_click(ButtonSprite* b) {
    if (!shown || b != &bok) return false;
    finish();
    return true;
}

bool PromptDialog::proc_event(SDL_Event* e) {
    if (!shown || !e) return false;
    if (is_quit_escape(e)) {
        finish();
        return true;
    }
    if (text.proc_event(e)) {
        bok.set_enabled(!text.text().empty());
        return true;
    }
    if (e->type == SDL_KEYDOWN && _is_key_enter(e->key.keysym.sym)) {
        finish();
        return true;
    }
    if (!bok.proc_event(e)) bg.proc_event(e);
    return true;
}
