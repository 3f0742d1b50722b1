#include "suit_building_rules.h"

#include "card_sprite.h"
#include "options_popup.h"
#include "suit_building.h"

SuitBuildingRules::SuitBuildingRules(unsigned piles, unsigned foundation_count, bool& may_pluck_from_foundation)
    : may_pluck_(may_pluck_from_foundation) {
    foundations.resize(foundation_count);
    tableau.resize(piles);
}

SolitaireRules::OptionsPopup* SuitBuildingRules::options_popup() {
    return OptionsPopup::create_for(*this, {may_pluck_});
}

void SuitBuildingRules::notify_options_changed(std::vector<bool> const& values) {
    if (!values.empty()) may_pluck_ = values[0];
}

bool SuitBuildingRules::on_mouse_down(int x, int y) {
    if (in_drag()) undrag();
    blob.reset();
    if (may_pluck_) {
        for (unsigned f = 0; f < foundations.size(); ++f) {
            Deck& d = foundations[f];
            if (d.empty() || !d.back()->is_inside(x, y)) continue;
            blob.append(Loc(Loc::FOUNDATION, static_cast<int>(f), 0), d.back());
            d.pop_back();
            return start_carrying();
        }
    }
    return press_on_table(x, y);
}

Loc SuitBuildingRules::back_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::TABLEAU:
        case Loc::FOUNDATION: {
            Deck const* d = pile_of(l.kind == Loc::TABLEAU ? tableau : foundations, l.pile);
            return Loc(l.kind, l.pile, d ? suit_building::top_index(*d) : 0);
        }
        default: return Loc();
    }
}

void SuitBuildingRules::identify_drag_targets(CardSprite const& c, Loc const& from) {
    if (from.kind != Loc::FOUNDATION && blob.cards.size() == 1) {
        std::vector<Loc> places;
        may_move_to_foundation(c, &places);
        for (Loc const& l : places) blob.append_target(l, score_if_dropped(c, from, l));
    }
    for (unsigned t = 0; t < tableau.size(); ++t) {
        Loc l = may_move_to_tableau_t(c, from, t);
        if (l.kind != Loc::NONE) blob.append_target(l, score_if_dropped(c, from, l));
    }
}

bool SuitBuildingRules::may_move_to_foundation(Card const& c, std::vector<Loc>* out) const {
    return suit_building::foundation_places(foundations, c, out);
}

Loc SuitBuildingRules::may_move_to_any_tableau(CardSprite const& c, Loc const& from) const {
    for (unsigned t = 0; t < tableau.size(); ++t) {
        Loc l = may_move_to_tableau_t(c, from, t);
        if (l.kind != Loc::NONE) return l;
    }
    return Loc();
}

bool SuitBuildingRules::may_auto_complete() const {
    if (!stock.empty() || !waste.empty() || in_drag() || has_animation()) return false;
    bool any = false;
    for (Deck const& d : tableau) {
        for (CardSprite const* c : d)
            if (!c->face_up) return false;
        if (!suit_building::pile_in_sequence(d)) return false;
        any = any || !d.empty();
    }
    return any;
}

void SuitBuildingRules::move_top_to_foundation(unsigned p) {
    Deck& d = tableau[p];
    std::vector<Loc> places;
    if (!may_move_to_foundation(*d.back(), &places)) return;
    Loc const from = tableau_loc(p, d.size() - 1);
    CardSprite* c = remove_card_from(from);
    pending_score += score_if_dropped(*c, from, places.front());
    move_to(c, from, places.front(), false);
}
