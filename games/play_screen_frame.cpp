// The play screen's frame: tick, drawing and event routing.

#include <climits>

#include "event_predicates.h"
#include "play_screen.h"
#include "test_hooks.h"

void PlayScreen::sync_buttons() {
    bool const undo_ok = rules_ && rules_->may_undo();
    if (undo_ok != bundo.is_enabled()) bundo.set_enabled(undo_ok);
    Player const* p = Player::cur();
    bool const played = p->stats[stats_index(*p)].played != 0;
    if (played != bstats.is_enabled()) bstats.set_enabled(played);
}

void PlayScreen::tick(unsigned now, unsigned dt) {
    Player* p = Player::cur();
    background.tick(now, dt);
    if (!has_dlg()) {
        clock.tick(now, dt);
        if (p->total_ms < Player::total_ms_limit) p->total_ms += dt;
    }
    if (rules_) {
        rules_->tick(now, dt);
        if (rules_->pending_score != 0) {
            std::int32_t const d = rules_->pending_score;
            rules_->pending_score = 0;
            score.add(d);
            p->score += d;
        }
        if (rules_->pending_moves != 0) {
            rules_->moves += rules_->pending_moves;
            moves.add(rules_->pending_moves);
            rules_->pending_moves = 0;
        }
    }
    score_particles.tick(now, dt);
    sync_buttons();
    for (ButtonSprite* b : {&bnewdeal, &bundo, &bnewgame, &brules, &boptions, &bstats, &bmainmenu}) b->tick(now, dt);
    score.tick(now, dt);
    moves.tick(now, dt);
    transparent.tick(now, dt);
    // The game-over dialog runs its own input lock down.
    if (gameover.shown) gameover.tick(now, dt);
    won.tick(now, dt);
    if (overlay) overlay->tick(now, dt);
    if (options_popup) options_popup->tick(now, dt);
    if (newdeal_confirm) newdeal_confirm->tick(now, dt);
    if (changegame_confirm) changegame_confirm->tick(now, dt);
    if (!has_dlg() && rules_ && rules_->in_play() && rules_->is_won()) do_won();
}

void PlayScreen::display(SDL_Surface* s) const {
    background.display(s);
    for (ButtonSprite const* b : {&bnewdeal, &bundo, &bnewgame, &brules, &boptions, &bstats, &bmainmenu}) b->display(s);
    if (rules_) rules_->display(s);
    score_particles.display(s);
    score.display(s);
    moves.display(s);
    clock.display(s);
    if (overlay) overlay->display(s);
    if (gameover.shown) gameover.display(s);
    won.display(s);
    if (options_popup) options_popup->display(s);
    if (newdeal_confirm) newdeal_confirm->display(s);
    if (changegame_confirm) changegame_confirm->display(s);
}

template <typename Dialog>
bool PlayScreen::route_to_popup(Dialog*& d, SDL_Event* e, bool& closed, bool& answer) {
    bool const taken = d->shown && d->proc_event(e);
    closed = !d->shown;
    if (closed) {
        answer = d->result;
        delete d;
        d = nullptr;
    }
    return taken;
}

bool PlayScreen::proc_event(SDL_Event* e) {
    if (!e) return false;
    if (test_hooks::on_event(e, *this)) return true;
    bool closed = false, yes = false;
    if (options_popup) return route_to_popup(options_popup, e, closed, yes);
    if (newdeal_confirm) {
        bool const r = route_to_popup(newdeal_confirm, e, closed, yes);
        if (closed && yes) {
            Player::cur()->in_progress = false;
            do_newdeal();
        }
        return r;
    }
    if (changegame_confirm) {
        bool const r = route_to_popup(changegame_confirm, e, closed, yes);
        if (closed && yes) {
            Player::cur()->in_progress = false;
            do_changegame();
        }
        return r;
    }
    if (won.shown) {
        bool const r = won.proc_event(e);
        if (!won.shown && routes_.show_stats) routes_.show_stats();
        return r;
    }
    if (gameover.shown) {
        bool const r = gameover.lock > 0 || gameover.proc_event(e);
        if (!gameover.shown) {
            if (gameover.result)
                new_game();
            else
                on_click(&bmainmenu);
        }
        return r;
    }
    return route_to_game(e);
}

bool PlayScreen::route_to_game(SDL_Event* e) {
    if (transparent.shown) return true;
    bool const animating = rules_ && rules_->has_animation();
    if (animating && (is_key_event(e) || is_mouse_button_event(e))) return true;
    if (is_quit_escape(e)) return on_click(&bmainmenu);
    bool const carrying = rules_ && rules_->in_drag();
    if (!carrying) {
        for (ButtonSprite* b : {&bnewdeal, &bundo, &bnewgame, &brules, &boptions, &bstats, &bmainmenu})
            if (b->proc_event(e)) return true;
    }
    if (background.proc_event(e)) return true;
    if (!rules_) return true;
    // Space draws from the stock, but never while cards are carried: their targets were
    // listed for the table as it was.
    if (e->type == SDL_KEYDOWN && e->key.keysym.sym == SDLK_SPACE && !carrying) rules_->perform_basic_action();
    rules_->proc_event(e);
    if (is_mouse_button_1_down_event(e)) {
        rules_->on_mouse_down(e->button.x, e->button.y);
    } else if (is_mouse_button_1_up_event(e)) {
        rules_->on_mouse_up(e->button.x, e->button.y);
    } else if (is_mouse_motion_event(e)) {
        rules_->on_mouse_motion({e->motion.x, e->motion.y}, {e->motion.xrel, e->motion.yrel}, e->motion.state == 0);
    }
    return true;
}
