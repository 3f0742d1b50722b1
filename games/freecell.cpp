#include "freecell.h"

#include <algorithm>

#include "card_sprite.h"
#include "loader_global.h"
#include "suit_building.h"


namespace {

int const registered = SolitaireRules::Creator::register_creator(new FreeCellCreator);

}  // namespace

FreeCellRules::FreeCellRules() : SuitBuildingRules(piles, foundation_count, opt_may_pluck_from_foundation) {
    cells.assign(cell_count, nullptr);
}

void FreeCellRules::deal() {
    Deck::append_std_deck52(sprites);
    Deck work(sprites);
    work.shuffle();
    for (CardSprite* c : work) c->set_pos(deal_start());
    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    while (!work.empty()) {
        for (unsigned p = 0; p < piles && !work.empty(); ++p) {
            CardSprite* c = work.back();
            work.pop_back();
            c->set_face_up(true);
            move_to(c, Loc(), Loc(Loc::TABLEAU, static_cast<int>(p), 0), true);
        }
    }
}

bool FreeCellRules::press_on_table(int x, int y) {
    for (unsigned i = 0; i < cell_count; ++i) {
        CardSprite* c = cells[i];
        if (!c || !c->is_inside(x, y)) continue;
        cells[i] = nullptr;
        blob.append(Loc(Loc::CELLS, static_cast<int>(i), 0), c);
        return start_carrying();
    }
    // From the top card down the run in sequence; the top-most card under the point wins.
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        for (size_t k = d.size(); k-- > 0;) {
            if (d[k]->is_inside(x, y)) {
                carry_from_tableau(p, static_cast<unsigned>(k));
                return start_carrying();
            }
            if (k == 0 || !suit_building::in_sequence(*d[k], *d[k - 1])) break;
        }
    }
    return false;
}

void FreeCellRules::load() {
    SolitaireRules::load();
    if (overlays.empty()) overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_freecell.png"), {20, 75}));
    for (Sprite* o : overlays)
        if (o) o->load();
}

E2::Vec2<int> FreeCellRules::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::CELLS: return {26 + 120 * l.pile, 81};
        case Loc::FOUNDATION: return {534 + 120 * l.pile, 81};
        case Loc::TABLEAU: {
            int y = 261;
            if (Deck const* d = pile_of(tableau, l.pile)) {
                size_t const below = std::min(static_cast<size_t>(l.index < 0 ? 0 : l.index), d->size());
                for (size_t j = 0; j < below; ++j) y += (*d)[j]->face_up ? 26 : 2;
            }
            return {25 + 124 * l.pile + suit_building::wobble(static_cast<unsigned>(l.index)), y};
        }
        default: return {0, 0};
    }
}

Loc FreeCellRules::back_of(Loc const& l) const {
    return l.kind == Loc::CELLS ? Loc(Loc::CELLS, l.pile, 0) : SuitBuildingRules::back_of(l);
}

void FreeCellRules::identify_drag_targets(CardSprite const& c, Loc const& from) {
    SuitBuildingRules::identify_drag_targets(c, from);
    if (from.kind == Loc::CELLS || blob.cards.size() != 1) return;
    // A foundation card parked in a cell gives its points back here, as it would on the
    // tableau; its way back to the foundation earns them again.
    for (unsigned i = 0; i < cell_count; ++i) {
        if (cells[i]) continue;
        Loc l(Loc::CELLS, static_cast<int>(i), 0);
        blob.append_target(l, score_if_dropped(c, from, l));
    }
}

Loc FreeCellRules::may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const {
    if (from.kind == Loc::FOUNDATION && !opt_may_pluck_from_foundation) return Loc();
    if (from.kind == Loc::TABLEAU && from.pile == static_cast<int>(t)) return Loc();
    Deck const* d = pile_of(tableau, static_cast<int>(t));
    if (!d) return Loc();
    if (d->empty()) return tableau_loc(t, 0);
    if (suit_building::in_sequence(c, *d->back())) return tableau_loc(t, d->size() - 1);
    return Loc();
}

bool FreeCellRules::has_any_move() const {
    for (CardSprite const* c : cells) {
        if (!c) return true;
        if (may_move_to_foundation(*c, nullptr)) return true;
        if (may_move_to_any_tableau(*c, Loc(Loc::CELLS, 0, 0)).kind != Loc::NONE) return true;
    }
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        if (!d.empty() && may_move_to_foundation(*d.back(), nullptr)) return true;
        for (size_t k = d.size(); k-- > 0;) {
            if (may_move_to_any_tableau(*d[k], tableau_loc(p, k)).kind != Loc::NONE) return true;
            if (k == 0 || !suit_building::in_sequence(*d[k], *d[k - 1])) break;
        }
    }
    return false;
}

void FreeCellRules::cheat_near_win() {
    SolitaireRules::cheat_near_win();
    for (Deck& d : tableau) {
        if (d.empty()) continue;
        if (!cells[0]) {
            cells[0] = d.back();
            d.pop_back();
        }
        break;
    }
    reposition_everything();
}

bool FreeCellRules::may_auto_complete() const {
    for (CardSprite const* c : cells)
        if (c) return false;
    return SuitBuildingRules::may_auto_complete();
}

void FreeCellRules::auto_complete() {
    anim = AnimProfile(AnimProfile::AUTO_COMPLETE, 0, 0);
    int best = -1;
    for (unsigned p = 0; p < piles; ++p) {
        Deck const& d = tableau[p];
        if (d.empty()) continue;
        if (best < 0 || d.back()->no() < tableau[static_cast<size_t>(best)].back()->no()) best = static_cast<int>(p);
    }
    if (best >= 0) move_top_to_foundation(static_cast<unsigned>(best));
}

void FreeCellCreator::save_options(FILE* f) { FreeCellOptions::save(f); }

void FreeCellCreator::read_options(FILE* f) { FreeCellOptions::read(f); }

SolitaireRules* FreeCellCreator::create() { return new FreeCellRules; }
