// Carrying, lighting targets, dropping, double clicks and sending cards back.

#include <climits>

#include "card_sprite.h"
#include "solitaire_rules.h"

bool SolitaireRules::on_mouse_motion(E2::Vec2<int> const& pos, E2::Vec2<int> const& rel, bool no_button) {
    if (!no_button && in_drag()) blob.on_mouse_drag(pos, rel);
    return false;
}

bool SolitaireRules::on_mouse_up(int x, int y) {
    if (!in_drag()) return false;
    for (CardSprite* c : blob.cards)
        if (c) c->glow = false;
    E2::Vec2<int> const at(x, y);
    if (!blob.targets.empty() && blob.chosen.kind != Loc::NONE && is_proximal(at, blob.chosen)) {
        drag_drop();
        return true;
    }
    if (blob.is_double_click(at)) {
        // Marks that no later press matches, so a third click is not a second double click.
        blob.press_pos = blob.prev_press_pos = {-999, -999};
        perform_double_click_action();
        return true;
    }
    undrag();
    return true;
}

void SolitaireRules::perform_double_click_action() {
    if (blob.targets.empty()) {
        undrag();
        return;
    }
    bool found = false;
    for (Loc const& t : blob.targets) {
        if (t.kind == Loc::FOUNDATION) {
            blob.chosen = t;
            found = true;
            break;
        }
    }
    if (!found && blob.chosen.kind == Loc::NONE) blob.chosen = blob.targets.front();
    drag_drop();
}

int SolitaireRules::proximity_dist_sqr() const { return proximity * proximity; }

bool SolitaireRules::is_proximal(E2::Vec2<int> const& pos, Loc const& target) const {
    if (dist_sqr(pos, blob.press_pos) <= press_distance * press_distance) return false;
    return dist_sqr(pos, center_of(target)) < proximity_dist_sqr();
}

Loc SolitaireRules::closest_target(E2::Vec2<int> const& pos) const {
    Loc best;
    int best_d = INT_MAX;
    for (Loc const& t : blob.targets) {
        int d = dist_sqr(pos, center_of(t));
        if (d < best_d) {
            best = t;
            best_d = d;
        }
    }
    return best;
}

void SolitaireRules::cancel_glow() {
    for (CardSprite* c : sprites)
        if (c) c->glow = false;
}

void SolitaireRules::set_glow(Loc const& l) {
    CardSprite* lit = nullptr;
    switch (l.kind) {
        case Loc::NONE: return;
        case Loc::TABLEAU:
        case Loc::FOUNDATION: {
            Deck const* pile = pile_of(l.kind == Loc::TABLEAU ? tableau : foundations, l.pile);
            if (!pile) return;
            if (!pile->empty()) {
                // A position beyond the top lights nothing.
                lit = card_at(l);
                if (!lit) return;
            }
            break;
        }
        case Loc::STOCK:
        case Loc::WASTE:
        case Loc::CELLS: lit = card_at(l); break;
        default: break;
    }
    if (!lit) {
        lit = acquire_glowslot();
        lit->set_pos(pos_of(l));
    }
    lit->glow = true;
}

CardSprite* SolitaireRules::acquire_glowslot() {
    for (CardSprite* g : glowslots)
        if (g && !g->glow) return g;
    auto* g = new CardGlowSprite();
    sprites.push_back(g);
    glowslots.push_back(g);
    return g;
}

void SolitaireRules::undrag() {
    anim = AnimProfile(AnimProfile::UNDRAG, 0, 0);
    cancel_glow();
    blob.undrag();
}

void SolitaireRules::drag_drop() {
    anim = AnimProfile(AnimProfile::DROP, 0, 0);
    initiate_move_sequence();
    initiate_chunk();
    blob.drag_drop();
    finalize_chunk();
    flip_tableau();
    finalize_move_sequence();
}
