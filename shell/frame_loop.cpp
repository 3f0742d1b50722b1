#include "frame_loop.h"

#include "app_options.h"
#include "blit_job_manager.h"
#include "media.h"
#include "music_ctl.h"
#include "screen_hacks.h"
#include "tde_manager.h"
#include "transition.h"
#include "video_modes.h"

bool stop_event_drain = false;

namespace {

constexpr unsigned min_frame_ms = 10;

// The wheel's buttons (4 and up) arrive as press and release pairs; nothing here scrolls,
// and a turn of the wheel must not click whatever lies under the pointer.
bool is_wheel_button(SDL_Event const& e) {
    return (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) && e.button.button > SDL_BUTTON_RIGHT;
}

bool is_video_switch_key(SDL_Event const& e) {
    return e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_PAGEUP &&
           (e.key.keysym.mod & (KMOD_LCTRL | KMOD_RCTRL)) != 0;
}

}  // namespace

FrameLoop::FrameLoop(Media& media, TDEManager& stack, BlitJobManager& display)
    : media_(media), stack_(stack), display_(display), video_switch_(switch_window_size) {}

void FrameLoop::add_companion(TDE* t, bool takes_events) {
    if (t) companions_.push_back({t, takes_events});
}

void FrameLoop::start() {
    app_ = media_.app_state();
    last_ = media_.ticks();
    report_.install(last_);
}

void FrameLoop::run() {
    while (run_frame()) {
    }
}

bool FrameLoop::pace(unsigned& now) {
    for (;;) {
        if (stack_.empty()) return false;
        now = media_.ticks();
        unsigned dt = now - last_;
        if (dt >= min_frame_ms) return true;
        media_.sleep_ms(min_frame_ms - dt);
    }
}

bool FrameLoop::run_frame() {
    pm_loop_.tick();
    unsigned now = 0;
    if (!pace(now)) return false;
    unsigned dt = now - last_;

    pm_tick_.tick();
    tick(now, dt);
    pm_tick_.stop();
    if (stack_.empty()) return false;
    SDL_Surface* s = media_.video_surface();
    if (!s) return false;

    pm_display_.tick();
    pm_display_tde_.tick();
    stack_.front()->display(s);
    for (Companion const& c : companions_) c.tde->display(s);
    pm_display_tde_.stop();
    present(s, now);
    pm_display_.stop();

    pm_proc_event_.tick();
    sync_hover();
    drain_events();
    pm_proc_event_.stop();
    last_ = now;
    pm_loop_.stop();
    return true;
}

void FrameLoop::tick(unsigned now, unsigned dt) {
    stack_.front()->tick(now, dt);
    MusicCtl::ctl()->tick(now, dt);
    for (Companion const& c : companions_) c.tde->tick(now, dt);
    display_.tick(now, dt);
}

void FrameLoop::present(SDL_Surface* s, unsigned now) {
    display_.apply_effects();
    pm_display_recalc_.tick();
    display_.recalc_dirties();
    pm_display_recalc_.stop();
    pm_display_exec_.tick();
    display_.execute(s);
    pm_display_exec_.stop();

    pm_flip_.tick();
    int n = display_.update_rect_count();
    if (redraw_view_)
        media_.show_redraw_view(s, n, display_.update_rect_data());
    else if (n > 0)
        media_.update_rects(s, n, display_.update_rect_data());
    report_.after_frame({n, now, s->w, s->h, display_.grid_size(), app_options().fullscreen, stack_.front()});
    display_.flip();
    pm_flip_.stop();
}

void FrameLoop::sync_hover() {
    TDE* f = stack_.front();
    if (!f || (f == hover_synced_ && !hover_stale_)) return;
    hover_synced_ = f;
    hover_stale_ = false;
    SDL_Event e{};
    int x = 0, y = 0;
    Uint8 held = 0;
    // A held button would turn the motion into a drag; its release syncs again.
    if (!media_.mouse_state(&x, &y, &held) || held != 0) return;
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    if (!dispatch(e)) stop_drain_ = true;
}

void FrameLoop::drain_events() {
    if (stop_drain_) {
        stop_drain_ = false;
        return;
    }
    while (!stack_.empty()) {
        SDL_Event e;
        if (app_.active || got_event_) {
            if (!media_.poll_event(&e)) {
                got_event_ = false;
                return;
            }
        } else {
            // Iconified: sleep until something arrives, then drain the rest without blocking.
            if (!media_.wait_event(&e)) return;
            got_event_ = true;
        }
        report_.count_input(e);
        if (!dispatch(e)) return;
    }
}

bool FrameLoop::dispatch(SDL_Event& e) {
    // A pending quit wins over everything queued before it.
    if (e.type == SDL_QUIT || media_.quit_pending()) {
        drop_all_screens(stack_);
        return false;
    }
    if (is_video_switch_key(e)) {
        if (video_switch_) video_switch_(grid_);
        return true;
    }
    if (e.type == SDL_ACTIVEEVENT) {
        on_activation(e);
        return true;
    }
    if (e.type == SDL_VIDEOEXPOSE) {
        display_.clear();
        return true;
    }
    if (is_wheel_button(e)) return true;
    if (e.type == SDL_MOUSEBUTTONUP || e.type == SDL_KEYUP || e.type == SDL_KEYDOWN) hover_stale_ = true;

    to_world(e);
    TDE* before = stack_.front();
    for (Companion const& c : companions_)
        if (c.takes_events) c.tde->proc_event(&e);
    if (TDE* f = stack_.front()) f->proc_event(&e);

    if (!stack_.empty() && stack_.front() != before) {
        // The screen changed: input meant for the old one is dropped.
        media_.flush_input();
        stop_event_drain = false;
        return true;
    }
    if (stop_event_drain) {
        stop_event_drain = false;
        // The widget whose hover changed took the motion, so the screen offered it to no
        // widget after it: the next frame offers the pointer's place again.
        if (e.type == SDL_MOUSEMOTION) hover_stale_ = true;
        return false;
    }
    return true;
}

void FrameLoop::on_activation(SDL_Event const& e) {
    app_ = media_.app_state();
    TDE* f = stack_.front();
    if (!f) return;
    if (e.active.state & SDL_APPACTIVE) {
        if (e.active.gain)
            f->on_app_deiconified(app_);
        else
            f->on_app_iconified(app_);
    }
    if (e.active.state & SDL_APPINPUTFOCUS) {
        if (e.active.gain)
            f->on_app_input_focus_gained(app_);
        else
            f->on_app_input_focus_lost(app_);
    }
}

void FrameLoop::to_world(SDL_Event& e) {
    if (e.type == SDL_MOUSEMOTION) {
        E2::Vec2<int> p = ScreenHacks::screen_to_world(&e);
        E2::Vec2<int> rel = ScreenHacks::screen_to_world_rel(&e);
        e.motion.x = static_cast<Uint16>(p.x);
        e.motion.y = static_cast<Uint16>(p.y);
        e.motion.xrel = static_cast<Sint16>(rel.x);
        e.motion.yrel = static_cast<Sint16>(rel.y);
    } else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
        E2::Vec2<int> p = ScreenHacks::screen_to_world(&e);
        e.button.x = static_cast<Uint16>(p.x);
        e.button.y = static_cast<Uint16>(p.y);
    }
}
