#include "options_popup.h"

#include "loader.h"
#include "loader_global.h"

SolitaireRules::OptionsPopup* SolitaireRules::OptionsPopup::create_for(SolitaireRules& rules,
                                                                       std::vector<bool> const& values) {
    auto* p = new OptionsPopup(rules);
    for (size_t i = 0; i < values.size(); ++i) p->add_cb(box_pos(static_cast<unsigned>(i)), box_area(), values[i]);
    p->get_bg()->surface = loader.get_surface(".i/game/popup_" + rules.namecode() + "_options_bg.png");
    p->load(&loader);
    return p;
}

SolitaireRules::OptionsPopup::OptionsPopup(SolitaireRules& rules_) : rules(rules_) {}

SolitaireRules::OptionsPopup::~OptionsPopup() {
    for (CheckboxSprite* cb : checkboxes) delete cb;
}

void SolitaireRules::OptionsPopup::add_cb(E2::Vec2<int> const& pos, E2::Rect<int> const& area, bool value) {
    auto* cb = new CheckboxSprite();
    cb->set_pos(pos);
    cb->set_hit_rect(area);
    cb->set_checked(value);
    checkboxes.push_back(cb);
}

std::vector<bool> SolitaireRules::OptionsPopup::values() const {
    std::vector<bool> v;
    v.reserve(checkboxes.size());
    for (CheckboxSprite const* cb : checkboxes) v.push_back(cb->is_checked());
    return v;
}

void SolitaireRules::OptionsPopup::load(Loader* l) {
    ConfirmDialog::load(l);
    bg.set_pos(bg_pos());
    bconfirm.set_images(l->get_surface(".i/game/popup_apply_up.png"), l->get_surface(".i/game/popup_apply_over.png"),
                        l->get_surface(".i/game/popup_apply_down.png"));
    bconfirm.set_state(ButtonSprite::normal);
    bconfirm.set_pos(apply_pos());
    bcancel.set_images(l->get_surface(".i/menu/popup_cancel_up.png"), l->get_surface(".i/menu/popup_cancel_over.png"),
                       l->get_surface(".i/menu/popup_cancel_down.png"));
    bcancel.set_state(ButtonSprite::normal);
    bcancel.set_pos(cancel_pos());
    bconfirm.register_listener(this);
    bcancel.register_listener(this);
    Surf* tick_image = l->get_surface(".i/menu/checkbox.png");
    for (CheckboxSprite* cb : checkboxes) {
        // The background shows the empty box; the image is the tick.
        cb->set_images(nullptr, tick_image);
        cb->load();
    }
}

bool SolitaireRules::OptionsPopup::proc_event(SDL_Event* e) {
    if (ConfirmDialog::proc_event(e)) return true;
    // The boxes keep the dialog's rule of ignoring input while hidden and at first.
    if (!shown || !allow_events()) return false;
    for (CheckboxSprite* cb : checkboxes)
        if (cb->proc_event(e)) return true;
    return false;
}

void SolitaireRules::OptionsPopup::tick(unsigned now, unsigned dt) {
    ConfirmDialog::tick(now, dt);
    for (CheckboxSprite* cb : checkboxes) cb->tick(now, dt);
}

void SolitaireRules::OptionsPopup::display(SDL_Surface* s) const {
    ConfirmDialog::display(s);
    // Hidden, the dialog draws nothing; its boxes neither.
    if (!shown) return;
    for (CheckboxSprite const* cb : checkboxes) cb->display(s);
}

void SolitaireRules::OptionsPopup::finish(bool ok) {
    ConfirmDialog::finish(ok);
    if (ok) rules.notify_options_changed(values());
}

Sprite* SolitaireRules::OptionsPopup::get_bg() { return &bg; }
