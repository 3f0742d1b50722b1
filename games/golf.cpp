#include "golf.h"

#include "card_sprite.h"
#include "loader_global.h"
#include "options_popup.h"
#include "rand.h"
#include "rule_options.h"

bool& GolfRules::opt_may_turn_corner = GolfOptions::opt_may_turn_corner;
bool& GolfRules::opt_single_click_activation = GolfOptions::opt_single_click_activation;

namespace {

int const registered = SolitaireRules::Creator::register_creator(new GolfCreator);

bool neighbours(unsigned a, unsigned b, bool corner) {
    if (a + 1 == b || b + 1 == a) return true;
    return corner && ((a == 1 && b == 13) || (a == 13 && b == 1));
}

std::int32_t top_index(size_t size) { return size ? static_cast<std::int32_t>(size - 1) : 0; }

}  // namespace

GolfRules::GolfRules() {
    foundations.resize(1);
    tableau.resize(pile_count);
}

SolitaireRules::OptionsPopup* GolfRules::options_popup() {
    return OptionsPopup::create_for(*this, {opt_may_turn_corner, opt_single_click_activation});
}

void GolfRules::notify_options_changed(std::vector<bool> const& values) {
    if (values.size() > 0) opt_may_turn_corner = values[0];
    if (values.size() > 1) opt_single_click_activation = values[1];
}

void GolfRules::deal() {
    Deck::append_std_deck52(sprites);
    Deck work(sprites);
    work.shuffle();
    for (CardSprite* c : work) c->set_pos(deal_start());

    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    for (unsigned pass = 0; pass < pile_depth; ++pass) {
        for (unsigned p = 0; p < pile_count && !work.empty(); ++p) {
            CardSprite* c = work.back();
            work.pop_back();
            c->set_face_up(true);
            move_to(c, Loc(), Loc(Loc::TABLEAU, static_cast<int>(p), 0), true);
        }
    }
    anim.style = AnimProfile::DEAL_TO_STOCK;
    while (!work.empty()) {
        move_to(work.back(), Loc(), Loc(Loc::STOCK, 0, 0), true);
        work.pop_back();
    }

    anim.start = anim.end;
    anim.style = AnimProfile::DRAW;
    if (stock.empty()) return;
    Loc origin(Loc::STOCK, top_index(stock.size()), 0);
    CardSprite* c = remove_card_from(origin);
    flip_at(c, origin, false);
    move_to(c, origin, Loc(Loc::FOUNDATION, 0, 0), true);
}

void GolfRules::perform_basic_action() {
    // The carried card's target was chosen against the present foundation top.
    if (in_drag() || stock.empty()) return;
    deal_from_stock();
}

void GolfRules::deal_from_stock() {
    if (stock.empty()) return;
    anim = AnimProfile(AnimProfile::DRAW, 0, 0);
    initiate_move_sequence();
    Loc origin(Loc::STOCK, top_index(stock.size()), 0);
    CardSprite* c = remove_card_from(origin);
    flip_at(c, origin, true);
    move_to(c, origin, Loc(Loc::FOUNDATION, 0, 0), false);
    finalize_move_sequence();
    pending_moves += 1;
}

bool GolfRules::is_proximal(E2::Vec2<int> const& pos, Loc const& target) const {
    return opt_single_click_activation || SolitaireRules::is_proximal(pos, target);
}

bool GolfRules::on_mouse_down(int x, int y) {
    // A press while cards are still carried (their release was lost) sends them home
    // first, so that no card is left outside the piles.
    if (in_drag()) undrag();
    blob.reset();
    if (!stock.empty() && stock.back()->is_inside(x, y)) {
        perform_basic_action();
        return true;
    }
    for (unsigned p = 0; p < pile_count; ++p) {
        Deck& d = tableau[p];
        if (d.empty() || !d.back()->is_inside(x, y)) continue;
        Loc origin(Loc::TABLEAU, static_cast<int>(p), top_index(d.size()));
        CardSprite* c = remove_card_from(origin);
        blob.append(origin, c);
        identify_drag_targets(*c, origin);
        blob.initiate_drag();
        if (opt_single_click_activation) on_mouse_motion({x, y}, {0, 0}, false);
        return true;
    }
    return false;
}

void GolfRules::load() {
    SolitaireRules::load();
    if (overlays.empty()) overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_tripeaks_golf.png"), {25, 577}));
    for (Sprite* o : overlays)
        if (o) o->load();
}

bool GolfRules::is_won() const { return !in_drag() && !has_animation() && tableau_is_empty(); }

E2::Vec2<int> GolfRules::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::TABLEAU: {
            Deck const* d = pile_of(tableau, l.pile);
            if (!d) return {0, 0};
            static E2::util::RandGen const jitter(43);
            int const r = static_cast<int>(jitter.get_ui32(static_cast<unsigned>(l.index)) & 1u);
            int y = 121;
            for (std::int32_t j = 0; j < l.index && static_cast<size_t>(j) < d->size(); ++j)
                y += (*d)[static_cast<size_t>(j)]->face_up ? 26 : 2;
            return {89 + 124 * l.pile + r, y};
        }
        case Loc::FOUNDATION: return {135 + 15 * l.index, 583};
        case Loc::STOCK: {
            int const d = 2 * (l.pile / 3);
            return {31 - d, 583 - d};
        }
        default: return {0, 0};
    }
}

Loc GolfRules::back_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::FOUNDATION:
        case Loc::TABLEAU: {
            Deck const* d = pile_of(l.kind == Loc::TABLEAU ? tableau : foundations, l.pile);
            return Loc(l.kind, l.pile, d ? top_index(d->size()) : 0);
        }
        case Loc::STOCK: return Loc(Loc::STOCK, top_index(stock.size()), 0);
        default: return Loc();
    }
}

void GolfRules::identify_drag_targets(CardSprite const& c, Loc const& origin) {
    if (origin.kind == Loc::FOUNDATION || blob.cards.size() != 1) return;
    Loc t = may_move_to_foundation(c);
    if (t.kind != Loc::NONE) blob.append_target(t, score_if_dropped(c, origin, t));
}

bool GolfRules::has_any_move() const {
    if (!stock.empty()) return true;
    for (Deck const& d : tableau)
        if (!d.empty() && may_move_to_foundation(*d.back()).kind != Loc::NONE) return true;
    return false;
}

Loc GolfRules::may_move_to_foundation(Card const& c) const {
    if (foundations.empty()) return Loc();
    Deck const& f = foundations[0];
    if (!f.empty() && !neighbours(c.no(), f.back()->no(), opt_may_turn_corner)) return Loc();
    return Loc(Loc::FOUNDATION, 0, top_index(f.size()));
}

void GolfCreator::save_options(FILE* f) { GolfOptions::save(f); }

void GolfCreator::read_options(FILE* f) { GolfOptions::read(f); }

SolitaireRules* GolfCreator::create() { return new GolfRules; }
