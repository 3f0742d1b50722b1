#include "confirm_dialog.h"

#include <climits>

#include "event_predicates.h"

namespace {

E2::Vec2<int> plus(E2::Vec2<int> const& a, E2::Vec2<int> const& b) { return {a.x + b.x, a.y + b.y}; }

}  // namespace

ConfirmDialog::ConfirmDialog() : ModalDialog({&bconfirm, &bcancel}) {
    bg.set_pos(default_bg_pos());
    bconfirm.set_pos(plus(bg.pos(), default_bconfirm_pos_offset()));
    bcancel.set_pos(plus(bg.pos(), default_bcancel_pos_offset()));
}

ConfirmDialog* ConfirmDialog::CreateOMatic(E2::Vec2<int> const& bg_pos, Surf* bg_surf,
                                           E2::Vec2<int> const& confirm_offset, Surf* confirm_up, Surf* confirm_over,
                                           Surf* confirm_down, E2::Vec2<int> const& cancel_offset, Surf* cancel_up,
                                           Surf* cancel_over, Surf* cancel_down) {
    auto* d = new ConfirmDialog();
    d->bg.surface = bg_surf;
    d->bg.set_pos(bg_pos);
    d->bconfirm.set_images(confirm_up, confirm_over, confirm_down);
    d->bconfirm.set_state(ButtonSprite::normal);
    d->bconfirm.set_pos(plus(bg_pos, confirm_offset));
    d->bcancel.set_images(cancel_up, cancel_over, cancel_down);
    d->bcancel.set_state(ButtonSprite::normal);
    d->bcancel.set_pos(plus(bg_pos, cancel_offset));
    d->bconfirm.register_listener(d);
    d->bcancel.register_listener(d);
    return d;
}

void ConfirmDialog::load(Loader*) {}

void ConfirmDialog::show() {
    result = false;
    shown = true;
    shown_ms = 0;
}

bool ConfirmDialog::allow_events() const { return shown_ms > guard_ms; }

void ConfirmDialog::finish(bool answer) {
    result = answer;
    shown = false;
}

bool ConfirmDialog::on_click(ButtonSprite* b) {
    if (!shown) return false;
    if (b == &bconfirm) {
        finish(true);
        return true;
    }
    if (b == &bcancel) {
        finish(false);
        return true;
    }
    return false;
}

void ConfirmDialog::tick(unsigned now, unsigned dt) {
    if (!shown) return;
    shown_ms = shown_ms > UINT_MAX - dt ? UINT_MAX : shown_ms + dt;
    ModalDialog::tick(now, dt);
}

bool ConfirmDialog::proc_event(SDL_Event* e) {
    if (!shown || !e || !allow_events()) return false;
    if (is_quit_escape(e)) {
        finish(false);
        return true;
    }
    if (is_space_or_enter(e)) {
        finish(true);
        return true;
    }
    if (bconfirm.proc_event(e)) return true;
    if (bcancel.proc_event(e)) return true;
    return bg.proc_event(e);
}
