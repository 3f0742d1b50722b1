#include "card_back_screen.h"

#include <string>

#include "event_predicates.h"
#include "foot_button.h"
#include "loader_global.h"
#include "options_screen.h"
#include "player.h"
#include "transition.h"

Surf* cardback_surf(unsigned n) { return loader.schedule_surface(".i/game/cards/back" + std::to_string(n) + ".png"); }

CardBackScreen* cardbackscreen() {
    static CardBackScreen screen;
    return &screen;
}

E2::Vec2<int> CardBackScreen::card_pos(unsigned i) {
    return {37 + 120 * static_cast<int>(i % 8), i < 8 ? 183 : 411};
}

E2::Rect<int> CardBackScreen::card_area(unsigned i) {
    E2::Vec2<int> at = card_pos(i);
    return {at.x, at.y, 106, 215};
}

E2::Vec2<int> CardBackScreen::marker_pos(unsigned i) {
    return {74 + 120 * static_cast<int>(i % 8), i < 8 ? 358 : 585};
}

void CardBackScreen::load(Loader* l) {
    background.surface = l->get_surface_delayed(".i/game/choosecardback_bg.jpg");
    background.set_pos(0, 0);
    load_foot_button(back, l, "options", this);
    for (unsigned i = 0; i < card_count; ++i) {
        cards[i].set_images(cardback_surf(i), nullptr, nullptr);
        cards[i].set_pos(card_pos(i));
        cards[i].register_listener(this);
    }
    marker.surface = l->get_surface_delayed(".i/menu/checkbox.png");
}

void CardBackScreen::start() { resync(); }

void CardBackScreen::on_enqueue() {
    background.load();
    for (ButtonSprite& c : cards) c.load();
    marker.load();
    resync();
}

void CardBackScreen::on_dequeue() {
    background.unload();
    marker.unload();
}

void CardBackScreen::resync() {
    unsigned c = Player::cur()->card_back;
    marker.set_pos(marker_pos(c < card_count ? c : 0));
}

void CardBackScreen::tick(unsigned now, unsigned dt) {
    background.tick(now, dt);
    back.tick(now, dt);
    for (ButtonSprite& c : cards) c.tick(now, dt);
    marker.tick(now, dt);
}

void CardBackScreen::display(SDL_Surface* s) const {
    background.display(s);
    back.display(s);
    marker.display(s);
}

bool CardBackScreen::proc_event(SDL_Event* e) {
    if (is_quit_escape(e)) return on_click(&back);
    for (ButtonSprite& c : cards)
        if (c.proc_event(e)) return true;
    if (is_mouse_button_down_event(e)) {
        for (unsigned i = 0; i < card_count; ++i)
            if (card_area(i).contains(e->button.x, e->button.y)) {
                choose(i);
                return true;
            }
    }
    if (back.proc_event(e)) return true;
    return background.proc_event(e);
}

void CardBackScreen::choose(unsigned i) {
    Player::cur()->card_back = i;
    resync();
}

bool CardBackScreen::on_click(ButtonSprite* b) {
    if (b == &back) {
        orb_transition_to(&options);
        return true;
    }
    for (unsigned i = 0; i < card_count; ++i)
        if (b == &cards[i]) {
            choose(i);
            return true;
        }
    return false;
}
