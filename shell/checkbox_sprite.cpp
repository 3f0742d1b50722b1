#include "checkbox_sprite.h"

#include <algorithm>

#include "surf.h"

CheckboxSprite::CheckboxSprite() { flags = takes_buttons; }

void CheckboxSprite::set_images(Surf* unchecked, Surf* checked) {
    unchecked_image = unchecked;
    checked_image = checked;
    set_checked(checked_);
}

void CheckboxSprite::set_checked(bool b) {
    checked_ = b;
    surface = b ? checked_image : unchecked_image;
}

void CheckboxSprite::set_checked_and_notify(bool b) {
    bool changed = b != checked_;
    set_checked(b);
    if (changed) notify();
}

void CheckboxSprite::notify() {
    std::vector<Listener*> told = listeners_;
    for (Listener* l : told) l->on_change(this);
}

bool CheckboxSprite::on_mouse_down(int, int) {
    set_checked(!checked_);
    notify();
    return true;
}

void CheckboxSprite::register_listener(Listener* l) {
    if (std::find(listeners_.begin(), listeners_.end(), l) == listeners_.end()) listeners_.push_back(l);
}

E2::Rect<int> CheckboxSprite::hit_region() const {
    if (hit_rect_) return {x + hit_rect_->x, y + hit_rect_->y, hit_rect_->w, hit_rect_->h};
    if (Surf::ok(surface)) return {x, y, surface->world_w(), surface->world_h()};
    return {x, y, 0, 0};
}

bool CheckboxSprite::is_inside(int px, int py) const {
    if (hit_rect_) return hit_region().contains(px, py);
    return Sprite::is_inside(px, py);
}

void CheckboxSprite::load() {
    if (unchecked_image) unchecked_image->load();
    if (checked_image) checked_image->load();
    set_checked(checked_);
}

void CheckboxSprite::unload() {
    if (unchecked_image) unchecked_image->unload();
    if (checked_image) checked_image->unload();
}
