#include "how_to_play_base.h"

#include "event_predicates.h"
#include "main_menu_screen.h"
#include "player.h"
#include "transition.h"

namespace {

void set_enabled_if_changed(ButtonSprite& b, bool on) {
    if (b.is_enabled() != on) b.set_enabled(on);
}

}  // namespace

HowToPlayBase::HowToPlayBase() = default;

void HowToPlayBase::load(Loader*) {}

void HowToPlayBase::set_pageno(unsigned p) {
    if (p == current_) return;
    if (Sprite* old = page(current_)) old->unload();
    current_ = p;
    if (Sprite* now = page(current_)) now->load();
}

void HowToPlayBase::next_page() {
    std::size_t n = pages_.size();
    if (n == 0 || (!wrap_ && current_ + 1 >= n)) return;
    set_pageno(static_cast<unsigned>((current_ + 1) % n));
}

void HowToPlayBase::prev_page() {
    std::size_t n = pages_.size();
    if (n == 0 || (!wrap_ && current_ == 0)) return;
    set_pageno(static_cast<unsigned>((current_ + n - 1) % n));
}

void HowToPlayBase::finish() { orb_transition_to(return_to_ ? return_to_ : &mainmenu); }

void HowToPlayBase::sync_ui() {
    set_enabled_if_changed(prev, current_ != 0 || wrap_);
    set_enabled_if_changed(next, wrap_ || current_ + 1 < pages_.size());
    Player const* p = Player::cur();
    show_rules.set_checked(p->show_rules[p->game]);
}

void HowToPlayBase::keep() {
    Player* p = Player::cur();
    p->show_rules[p->game] = show_rules.is_checked();
    Player::save_all();
}

void HowToPlayBase::on_enqueue() {
    entered_ = true;
    if (Sprite* p = page(current_)) p->load();
    next.load();
    prev.load();
    done.load();
    show_rules.load();
    sync_ui();
}

void HowToPlayBase::on_dequeue() {
    entered_ = false;
    keep();
    if (Sprite* p = page(current_)) p->unload();
}

bool HowToPlayBase::on_click(ButtonSprite* b) {
    if (b == &prev) {
        prev_page();
        return true;
    }
    if (b == &next) {
        next_page();
        return true;
    }
    if (b == &done) {
        finish();
        return true;
    }
    return false;
}

void HowToPlayBase::tick(unsigned now, unsigned dt) {
    if (Sprite* p = page(current_)) p->tick(now, dt);
    if (pages_.size() >= 2) {
        prev.tick(now, dt);
        next.tick(now, dt);
    }
    done.tick(now, dt);
    show_rules.tick(now, dt);
}

void HowToPlayBase::display(SDL_Surface* s) const {
    if (Sprite* p = page(current_)) p->display(s);
    if (pages_.size() >= 2) {
        prev.display(s);
        next.display(s);
    }
    done.display(s);
    show_rules.display(s);
}

bool HowToPlayBase::proc_event(SDL_Event* e) {
    if (is_quit_escape(e)) {
        on_click(&done);
        return true;
    }
    if (pages_.size() >= 2 && (prev.proc_event(e) || next.proc_event(e))) return true;
    if (done.proc_event(e) || show_rules.proc_event(e)) return true;
    if (Sprite* p = page(current_)) p->proc_event(e);
    return false;
}
