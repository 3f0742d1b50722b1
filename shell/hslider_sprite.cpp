#include "hslider_sprite.h"

#include <cmath>

HSliderSprite::HSliderSprite() { flags = takes_motion | takes_buttons; }

void HSliderSprite::move_knob(int px) {
    int nx = px > right ? right : px;
    if (nx < left) nx = left;
    if (nx == x) return;
    set_pos(nx, y);
    _notify_slider_listeners();
}

void HSliderSprite::_notify_slider_listeners() {
    std::vector<Listener*> told = listeners_;
    for (Listener* l : told) l->on_change(this);
}

bool HSliderSprite::on_mouse_down(int px, int py) {
    if (Sprite::is_inside(px, py))
        dragging = true;
    else
        move_knob(px);
    return true;
}

bool HSliderSprite::on_mouse_motion(int px, int, bool no_button) {
    if (no_button) {
        dragging = false;
        return false;
    }
    if (!dragging) return false;
    move_knob(px);
    return true;
}

bool HSliderSprite::on_mouse_up(int, int) {
    dragging = false;
    return true;
}

bool HSliderSprite::is_inside(int px, int py) const { return Sprite::is_inside(px, py) || track.contains(px, py); }

float HSliderSprite::value() const {
    if (right == left) return 0.0f;
    return static_cast<float>(x - left) / static_cast<float>(right - left);
}

void HSliderSprite::set_value(float v) {
    float nx = static_cast<float>(right - left) * v + static_cast<float>(left);
    if (!std::isfinite(nx) || std::fabs(nx) >= 2147483520.0f) return;
    set_pos(static_cast<int>(nx), y);
}

void HSliderSprite::register_listener(Listener* l) { listeners_.push_back(l); }
