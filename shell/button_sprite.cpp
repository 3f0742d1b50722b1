#include "button_sprite.h"

#include <algorithm>
#include <climits>

#include "blit_job_manager.h"
#include "effects_quality.h"
#include "frame_loop.h"
#include "screen_hacks.h"
#include "snd.h"
#include "sound_handles.h"
#include "surf.h"

namespace {

bool at_rest(ButtonSprite::State s) { return s == ButtonSprite::normal || s == ButtonSprite::disabled; }
bool active(ButtonSprite::State s) { return s == ButtonSprite::over || s == ButtonSprite::down; }

constexpr unsigned glow_in_ms = 150;
constexpr unsigned glow_out_ms = 400;

}  // namespace

ButtonSprite::ButtonSprite() { flags = takes_motion | takes_buttons; }

void ButtonSprite::set_images(Surf* normal_img, Surf* over_img, Surf* down_img, Surf* disabled_img) {
    images[normal] = normal_img;
    images[over] = over_img;
    images[down] = down_img;
    images[disabled] = disabled_img;
    surface = images[state];
}

void ButtonSprite::set_state(State s) {
    State old = state;
    state = s;
    surface = images[s];
    flags = s == disabled ? 0 : (takes_motion | takes_buttons);
    sync_glow(old);
    if (is_enabled() && Surf::ok(glow) && at_rest(old) && active(s)) _play_snd_over();
}

void ButtonSprite::change_state(State s) {
    State old = state;
    set_state(s);
    sync_glow(old);
    bool fires = click_on_press ? (s == down && old != down) : (old == down && (s == normal || s == over));
    if (fires) click();
}

void ButtonSprite::click() {
    _play_snd_click();
    // A copy: a listener may register another while being told.
    std::vector<Listener*> told = listeners_;
    for (Listener* l : told) l->on_click(this);
}

bool ButtonSprite::set_state_by_motion(State s) {
    bool changed = s != state;
    if (changed) stop_event_drain = true;
    set_state(s);
    return changed;
}

void ButtonSprite::set_enabled(bool b) {
    if (b)
        enable();
    else
        disable();
}

void ButtonSprite::register_listener(Listener* l) {
    if (std::find(listeners_.begin(), listeners_.end(), l) == listeners_.end()) listeners_.push_back(l);
}

void ButtonSprite::_play_snd_click() const {
    if (snd_button_down) snd_button_down->play_once();
}

void ButtonSprite::_play_snd_over() const {
    if (snd_button_over) snd_button_over->play_once();
}

bool ButtonSprite::on_mouse_motion(int px, int py, bool no_button) {
    if (!is_enabled()) return false;
    if (is_inside(px, py)) return set_state_by_motion(no_button ? over : down);
    if (state != normal) return set_state_by_motion(normal);
    return false;
}

bool ButtonSprite::on_mouse_down(int, int) {
    if (!is_enabled()) return false;
    change_state(down);
    return true;
}

bool ButtonSprite::on_mouse_up(int, int) {
    if (!is_enabled()) return false;
    change_state(over);
    return true;
}

bool ButtonSprite::is_inside(int px, int py) const {
    if (Surf::ok(images[state])) return Sprite::is_inside(px, py);
    for (Surf const* img : images) {
        if (!Surf::ok(img)) continue;
        return E2::Rect<int>(x, y, img->world_w(), img->world_h()).contains(px, py);
    }
    return false;
}

void ButtonSprite::load() {
    for (Surf* img : images)
        if (img) img->load();
}

void ButtonSprite::unload() {
    for (Surf* img : images)
        if (img) img->unload();
}

void ButtonSprite::tick(unsigned now, unsigned dt) {
    Sprite::tick(now, dt);
    // Held instead of wrapping, which would flash the glow again.
    glow_timer = glow_timer > UINT_MAX - dt ? UINT_MAX : glow_timer + dt;
}

void ButtonSprite::sync_glow(State old) {
    if (!is_enabled() || !Surf::ok(glow)) return;
    if ((at_rest(old) && active(state)) || (active(old) && state == normal)) glow_timer = 0;
}

unsigned char ButtonSprite::glow_intensity() const {
    switch (state) {
        case over:
        case down:
            return static_cast<unsigned char>(std::min<std::uint32_t>(glow_timer, glow_in_ms) * 255 / glow_in_ms);
        case normal:
            if (glow_timer < glow_out_ms) return static_cast<unsigned char>((glow_out_ms - glow_timer) * 255 / glow_out_ms);
            return 0;
        default:
            return 0;
    }
}

void ButtonSprite::display(SDL_Surface* s) const {
    Sprite::display(s);
    if (!Surf::ok(glow) || !_button_glow_enabled()) return;
    bool shows = state == over || state == down || (state == normal && glow_timer < glow_out_ms);
    if (!shows) return;
    E2::Vec2<int> at = ScreenHacks::world_to_screen_pos({static_cast<Sint16>(x), static_cast<Sint16>(y)});
    bjmgr.insert(BlitJob(E2::op_blit, E2::blend_additive, glow, at, E2::Color(0x000000FFu), glow_intensity()));
}
