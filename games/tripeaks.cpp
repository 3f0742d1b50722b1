#include "tripeaks.h"

#include "card_sprite.h"
#include "rand.h"
#include "rule_options.h"

bool& TriPeaksRules::opt_may_turn_corner = TriPeaksOptions::opt_may_turn_corner;
bool& TriPeaksRules::opt_single_click_activation = TriPeaksOptions::opt_single_click_activation;

namespace {

int const registered = SolitaireRules::Creator::register_creator(new TriPeaksCreator);

}  // namespace

std::array<unsigned, 2> TriPeaksRules::covering(unsigned i) {
    static unsigned const table[bottom_row][2] = {
        {3, 4},   {5, 6},   {7, 8},   {9, 10},  {10, 11}, {12, 13}, {13, 14}, {15, 16}, {16, 17},
        {18, 19}, {19, 20}, {20, 21}, {21, 22}, {22, 23}, {23, 24}, {24, 25}, {25, 26}, {26, 27},
    };
    if (i >= bottom_row) return {i, i};
    return {table[i][0], table[i][1]};
}

TriPeaksRules::TriPeaksRules()
    : StockDiscardRules(pile_count, opt_may_turn_corner, opt_single_click_activation, false) {}

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
    deal_to_stock(work);
    turn_first_discard();
}

E2::Vec2<int> TriPeaksRules::pos_of(Loc const& l) const {
    if (l.kind != Loc::TABLEAU) return StockDiscardRules::pos_of(l);
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

Loc TriPeaksRules::back_of(Loc const& l) const {
    return l.kind == Loc::TABLEAU ? Loc(Loc::TABLEAU, l.pile, 0) : StockDiscardRules::back_of(l);
}

void TriPeaksRules::flip_tableau() {
    anim.start = anim.end;
    for (unsigned i = 0; i < pile_count; ++i) {
        Deck& d = tableau[i];
        if (!d.empty() && !d.back()->face_up && t_is_exposed(i))
            flip_at(d.back(), Loc(Loc::TABLEAU, static_cast<int>(i), top_index(d.size())), false);
    }
}

bool TriPeaksRules::t_is_exposed(unsigned i) const {
    if (i >= bottom_row) return true;
    std::array<unsigned, 2> const cover = covering(i);
    return tableau[cover[0]].empty() && tableau[cover[1]].empty();
}

Loc TriPeaksRules::may_move_to_foundation(CardSprite const& c) const {
    return c.face_up ? StockDiscardRules::may_move_to_foundation(c) : Loc();
}

bool TriPeaksRules::is_playable(unsigned i) const {
    if (i >= tableau.size() || tableau[i].empty()) return false;
    return tableau[i].back()->face_up && t_is_exposed(i);
}

void TriPeaksCreator::save_options(FILE* f) { TriPeaksOptions::save(f); }

void TriPeaksCreator::read_options(FILE* f) { TriPeaksOptions::read(f); }

SolitaireRules* TriPeaksCreator::create() { return new TriPeaksRules; }
