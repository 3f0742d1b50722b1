#include "tripeaks.h"

#include "card_sprite.h"
#include "loader_global.h"
#include "options_popup.h"
#include "rand.h"
#include "rule_options.h"

bool& TriPeaksRules::opt_may_turn_corner = TriPeaksOptions::opt_may_turn_corner;
bool& TriPeaksRules::opt_single_click_activation = TriPeaksOptions::opt_single_click_activation;

namespace {

int const registered = SolitaireRules::Creator::register_creator(new TriPeaksCreator);

bool neighbours(unsigned a, unsigned b, bool corner) {
    if (a + 1 == b || b + 1 == a) return true;
    return corner && ((a == 1 && b == 13) || (a == 13 && b == 1));
}

std::int32_t top_index(size_t size) { return size ? static_cast<std::int32_t>(size - 1) : 0; }

}  // namespace

std::array<unsigned, 2> TriPeaksRules::covering(unsigned i) {
    static unsigned const table[bottom_row][2] = {
        {3, 4},   {5, 6},   {7, 8},   {9, 10},  {10, 11}, {12, 13}, {13, 14}, {15, 16}, {16, 17},
        {18, 19}, {19, 20}, {20, 21}, {21, 22}, {22, 23}, {23, 24}, {24, 25}, {25, 26}, {26, 27},
    };
    if (i >= bottom_row) return {i, i};
    return {table[i][0], table[i][1]};
}

TriPeaksRules::TriPeaksRules() {
    foundations.resize(1);
    tableau.resize(pile_count);
}

SolitaireRules::OptionsPopup* TriPeaksRules::options_popup() {
    return OptionsPopup::create_for(*this, {opt_may_turn_corner, opt_single_click_activation});
}

void TriPeaksRules::notify_options_changed(std::vector<bool> const& values) {
    if (values.size() > 0) opt_may_turn_corner = values[0];
    if (values.size() > 1) opt_single_click_activation = values[1];
}

void TriPeaksRules::deal() {
    Deck::append_std_deck52(sprites);
    Deck work(sprites);
    work.shuffle();
    for (CardSprite* c : work) c->set_pos(deal_start());

    anim = AnimProfile(AnimProfile::DEAL, 0, 0);
    for (unsigned i = 0; i < pile_count && !work.empty(); ++i) {
        CardSprite* c = work.back();
        work.pop_back();
        c->set_face_up(i >= bottom_row);
        move_to(c, Loc(), Loc(Loc::TABLEAU, static_cast<int>(i), 0), true);
    }
    anim.style = AnimProfile::DEAL_TO_STOCK;
    while (!work.empty()) {
        move_to(work.back(), Loc(), Loc(Loc::STOCK, 0, 0), true);
        work.pop_back();
    }

    anim.start = anim.end;
    if (stock.empty()) return;
    Loc origin(Loc::STOCK, top_index(stock.size()), 0);
    CardSprite* c = remove_card_from(origin);
    flip_at(c, origin, false);
    move_to(c, origin, Loc(Loc::FOUNDATION, 0, 0), true);
}

void TriPeaksRules::perform_basic_action() {
    // The carried card's target was chosen against the present foundation top.
    if (in_drag()) return;
    deal_from_stock();
}

void TriPeaksRules::deal_from_stock() {
    if (stock.empty()) return;
    anim = AnimProfile(AnimProfile::DRAW, 0, 0);
    initiate_move_sequence();
    Loc origin(Loc::STOCK, top_index(stock.size()), 0);
    CardSprite* c = remove_card_from(origin);
    flip_at(c, origin, false);
    move_to(c, origin, Loc(Loc::FOUNDATION, 0, 0), true);
    finalize_move_sequence();
    pending_moves += 1;
}

bool TriPeaksRules::is_proximal(E2::Vec2<int> const& pos, Loc const& target) const {
    return opt_single_click_activation || SolitaireRules::is_proximal(pos, target);
}

bool TriPeaksRules::on_mouse_down(int x, int y) {
    // A press while cards are still carried (their release was lost) sends them home
    // first, so that no card is left outside the piles.
    if (in_drag()) undrag();
    blob.reset();
    if (!stock.empty() && stock.back()->is_inside(x, y)) {
        perform_basic_action();
        return true;
    }
    for (unsigned i = 0; i < pile_count; ++i) {
        Deck& d = tableau[i];
        if (d.empty() || !d.back()->face_up || !t_is_exposed(i) || !d.back()->is_inside(x, y)) continue;
        Loc origin(Loc::TABLEAU, static_cast<int>(i), top_index(d.size()));
        CardSprite* c = remove_card_from(origin);
        blob.append(origin, c);
        identify_drag_targets(*c, origin);
        blob.initiate_drag();
        if (opt_single_click_activation) on_mouse_motion({x, y}, {0, 0}, false);
        return true;
    }
    return false;
}

void TriPeaksRules::load() {
    SolitaireRules::load();
    if (overlays.empty()) overlays.push_back(new Sprite(loader.get_surface(".i/game/o/overlay_tripeaks_golf.png"), {25, 577}));
    for (Sprite* o : overlays)
        if (o) o->load();
}

bool TriPeaksRules::is_won() const { return !in_drag() && !has_animation() && tableau_is_empty(); }

E2::Vec2<int> TriPeaksRules::pos_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::TABLEAU: {
            if (l.pile < 0 || l.pile >= static_cast<int>(pile_count)) return {0, 0};
            // Top-left corners of the piles, row by row.
            static E2::Vec2<int> const corners[pile_count] = {
                {161, 64},  {467, 64},  {773, 64},  {104, 164}, {206, 164}, {410, 164}, {512, 164},
                {716, 164}, {818, 164}, {51, 264},  {153, 264}, {255, 264}, {357, 264}, {459, 264},
                {561, 264}, {663, 264}, {765, 264}, {867, 264}, {3, 364},   {105, 364}, {207, 364},
                {309, 364}, {411, 364}, {513, 364}, {615, 364}, {717, 364}, {819, 364}, {921, 364},
            };
            static E2::util::RandGen const jitter(43);
            E2::Vec2<int> const& p = corners[l.pile];
            int const r = static_cast<int>(jitter.get_ui32(static_cast<unsigned>(l.index)) & 1u);
            return {p.x + r - 1, p.y};
        }
        case Loc::FOUNDATION: return {135 + 15 * l.index, 583};
        case Loc::STOCK: {
            int const d = 2 * (l.pile / 3);
            return {31 - d, 583 - d};
        }
        default: return {0, 0};
    }
}

Loc TriPeaksRules::back_of(Loc const& l) const {
    switch (l.kind) {
        case Loc::FOUNDATION: {
            Deck const* f = pile_of(foundations, l.pile);
            return Loc(Loc::FOUNDATION, l.pile, f ? top_index(f->size()) : 0);
        }
        case Loc::STOCK: return Loc(Loc::STOCK, top_index(stock.size()), 0);
        case Loc::TABLEAU: return Loc(Loc::TABLEAU, l.pile, 0);
        default: return Loc();
    }
}

void TriPeaksRules::identify_drag_targets(CardSprite const& c, Loc const& origin) {
    if (origin.kind == Loc::FOUNDATION || blob.cards.size() != 1) return;
    Loc t = may_move_to_foundation(c);
    if (t.kind != Loc::NONE) blob.append_target(t, score_if_dropped(c, origin, t));
}

void TriPeaksRules::flip_tableau() {
    anim.start = anim.end;
    for (unsigned i = 0; i < pile_count; ++i) {
        Deck& d = tableau[i];
        if (!d.empty() && !d.back()->face_up && t_is_exposed(i))
            flip_at(d.back(), Loc(Loc::TABLEAU, static_cast<int>(i), top_index(d.size())), false);
    }
}

bool TriPeaksRules::has_any_move() const {
    if (!stock.empty()) return true;
    for (unsigned i = 0; i < pile_count; ++i) {
        Deck const& d = tableau[i];
        if (!d.empty() && t_is_exposed(i) && may_move_to_foundation(*d.back()).kind != Loc::NONE) return true;
    }
    return false;
}

bool TriPeaksRules::t_is_exposed(unsigned i) const {
    if (i >= bottom_row) return true;
    std::array<unsigned, 2> const cover = covering(i);
    return tableau[cover[0]].empty() && tableau[cover[1]].empty();
}

Loc TriPeaksRules::may_move_to_foundation(CardSprite const& c) const {
    if (!c.face_up || foundations.empty()) return Loc();
    Deck const& f = foundations[0];
    if (!f.empty() && !neighbours(c.no(), f.back()->no(), opt_may_turn_corner)) return Loc();
    return Loc(Loc::FOUNDATION, 0, top_index(f.size()));
}

void TriPeaksCreator::save_options(FILE* f) { TriPeaksOptions::save(f); }

void TriPeaksCreator::read_options(FILE* f) { TriPeaksOptions::read(f); }

SolitaireRules* TriPeaksCreator::create() { return new TriPeaksRules; }
