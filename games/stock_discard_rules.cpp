#include "stock_discard_rules.h"

#include "card_sprite.h"
#include "loader_global.h"
#include "options_popup.h"

namespace {

bool neighbours(unsigned a, unsigned b, bool corner) {
    if (a + 1 == b || b + 1 == a) return true;
    return corner && ((a == 1 && b == 13) || (a == 13 && b == 1));
}

}  // namespace

StockDiscardRules::StockDiscardRules(unsigned piles, bool& may_turn_corner, bool& single_click, bool flip_sounds)
    : may_turn_corner_(may_turn_corner), single_click_(single_click), flip_sounds_(flip_sounds) {
    foundations.resize(1);
    tableau.resize(piles);
}

SolitaireRules::OptionsPopup* StockDiscardRules::options_popup() {
    return OptionsPopup::create_for(*this, {may_turn_corner_, single_click_});
}

void StockDiscardRules::notify_options_changed(std::vector<bool> const& values) {
    if (values.size() > 0) may_turn_corner_ = values[0];
    if (values.size() > 1) single_click_ = values[1];
}

void StockDiscardRules::perform_basic_action() {
    if (in_drag()) return;
    deal_from_stock();
}

void StockDiscardRules::deal_to_stock(Deck& work) {
    anim.style = AnimProfile::DEAL_TO_STOCK;
    while (!work.empty()) {
        move_to(work.back(), Loc(), Loc(Loc::STOCK, 0, 0), true);
        work.pop_back();
    }
    anim.start = anim.end;
}

void StockDiscardRules::turn_first_discard() {
    if (stock.empty()) return;
    Loc origin(Loc::STOCK, top_index(stock.size()), 0);
    CardSprite* c = remove_card_from(origin);
    flip_at(c, origin, false);
    move_to(c, origin, Loc(Loc::FOUNDATION, 0, 0), true);
}

void StockDiscardRules::deal_from_stock() {
    if (stock.empty()) return;
    anim = AnimProfile(AnimProfile::DRAW, 0, 0);
    initiate_move_sequence();
    Loc origin(Loc::STOCK, top_index(stock.size()), 0);
    CardSprite* c = remove_card_from(origin);
    flip_at(c, origin, flip_sounds_);
    move_to(c, origin, Loc(Loc::FOUNDATION, 0, 0), !flip_sounds_);
    finalize_move_sequence();
    pending_moves += 1;
}

E2::Vec2<int> StockDiscardRules::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::FOUNDATION: return {135 + 15 * l.index, 583};
        case Loc::STOCK: {
            int const d = 2 * (l.pile / 3);
            return {31 - d, 583 - d};
        }
        default: return {0, 0};
    }
}

Loc StockDiscardRules::back_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::FOUNDATION: {
            Deck const* f = pile_of(foundations, l.pile);
            return Loc(Loc::FOUNDATION, l.pile, f ? top_index(f->size()) : 0);
        }
        case Loc::STOCK: return Loc(Loc::STOCK, top_index(stock.size()), 0);
        default: return Loc();
    }
}

bool StockDiscardRules::is_proximal(E2::Vec2<int> const& pos, Loc const& target) const {
    return single_click_ || SolitaireRules::is_proximal(pos, target);
}

bool StockDiscardRules::on_mouse_down(int x, int y) {
    // A press while cards are still carried (their release was lost) sends them home
    // first, so that no card is left outside the piles.
    if (in_drag()) undrag();
    blob.reset();
    if (!stock.empty() && stock.back()->is_inside(x, y)) {
        perform_basic_action();
        return true;
    }
    for (unsigned p = 0; p < tableau.size(); ++p) {
        Deck& d = tableau[p];
        if (!is_playable(p) || !d.back()->is_inside(x, y)) continue;
        Loc origin(Loc::TABLEAU, static_cast<int>(p), top_index(d.size()));
        CardSprite* c = remove_card_from(origin);
        blob.append(origin, c);
        identify_drag_targets(*c, origin);
        blob.initiate_drag();
        if (single_click_) on_mouse_motion({x, y}, {0, 0}, false);
        return true;
    }
    return false;
}

void StockDiscardRules::load() {
    SolitaireRules::load();
    if (overlays.empty()) overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_tripeaks_golf.png"), {25, 577}));
    for (Sprite* o : overlays)
        if (o) o->load();
}

bool StockDiscardRules::is_won() const { return !in_drag() && !has_animation() && tableau_is_empty(); }

void StockDiscardRules::identify_drag_targets(CardSprite const& c, Loc const& origin) {
    if (origin.kind == Loc::FOUNDATION || blob.cards.size() != 1) return;
    Loc t = may_move_to_foundation(c);
    if (t.kind != Loc::NONE) blob.append_target(t, score_if_dropped(c, origin, t));
}

bool StockDiscardRules::has_any_move() const {
    if (!stock.empty()) return true;
    for (unsigned p = 0; p < tableau.size(); ++p)
        if (is_playable(p) && may_move_to_foundation(*tableau[p].back()).kind != Loc::NONE) return true;
    return false;
}

Loc StockDiscardRules::may_move_to_foundation(Card const& c) const {
    if (foundations.empty()) return Loc();
    Deck const& f = foundations[0];
    if (!f.empty() && !neighbours(c.no(), f.back()->no(), may_turn_corner_)) return Loc();
    return Loc(Loc::FOUNDATION, 0, top_index(f.size()));
}
