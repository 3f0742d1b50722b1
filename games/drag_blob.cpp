#include "drag_blob.h"

#include "card_sprite.h"
#include "rules_input.h"
#include "screen_hacks.h"
#include "solitaire_rules.h"

void DragBlob::clear_carry() {
    cards.clear();
    origins.clear();
    targets.clear();
    scores.clear();
    chosen = Loc();
    chosen_glowing = false;
}

void DragBlob::reset() { clear_carry(); }

void DragBlob::append(Loc const& origin, CardSprite* c) {
    origins.push_back(origin);
    cards.push_back(c);
}

void DragBlob::append_target(Loc const& target, int score) {
    targets.push_back(target);
    scores.push_back(score);
}

void DragBlob::initiate_drag() {
    prev_press_pos = press_pos;
    prev_press_ms = press_ms;
    RulesInput& in = rules_input();
    press_ms = in.ticks();
    press_pos = ScreenHacks::screen_to_world_pos(in.mouse_pos());
    for (CardSprite* c : cards)
        if (c) c->glow = true;
}

void DragBlob::on_mouse_drag(E2::Vec2<int> const& pos, E2::Vec2<int> const& rel) {
    for (CardSprite* c : cards)
        if (c) c->set_pos(c->x + rel.x, c->y + rel.y);
    if (!targets.empty() && owner) {
        Loc t = owner->closest_target(pos);
        bool old_glow = chosen_glowing;
        if (t != chosen) {
            owner->cancel_glow();
            chosen = t;
            chosen_glowing = false;
            old_glow = false;
        }
        bool new_glow = !cards.empty() && chosen.kind != Loc::NONE && owner->is_proximal(pos, chosen);
        chosen_glowing = new_glow;
        if (new_glow != old_glow) {
            if (new_glow)
                owner->set_glow(chosen);
            else
                owner->cancel_glow();
        }
    }
    for (CardSprite* c : cards)
        if (c) c->glow = true;
}

void DragBlob::drag_drop() {
    if (!owner) return;
    owner->cancel_glow();
    for (size_t i = 0; i < cards.size(); ++i) owner->move_to(cards[i], origins[i], chosen, false);
    // The drop scores once, by the first target that matches the choice; none matches, none.
    for (size_t k = 0; k < targets.size() && k < scores.size(); ++k) {
        if (targets[k] == chosen) {
            owner->report_score(scores[k]);
            break;
        }
    }
    owner->pending_moves += 1;
    clear_carry();
    press_pos = prev_press_pos = {no_press, no_press};
    press_ms = prev_press_ms = 0;
}

void DragBlob::undrag() {
    if (owner)
        for (size_t i = 0; i < cards.size(); ++i) owner->move_to(cards[i], Loc(), origins[i], false);
    clear_carry();
}

bool DragBlob::is_double_click(E2::Vec2<int> const& pos) const {
    return press_ms - prev_press_ms <= double_click_ms && dist_sqr(pos, prev_press_pos) < double_click_dist_sqr;
}

bool DragBlob::is_proximal(E2::Vec2<int> const& pos) const { return owner && owner->is_proximal(pos, chosen); }
