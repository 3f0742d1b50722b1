#include "golf.h"

#include "card_sprite.h"
#include "rand.h"
#include "rule_options.h"

bool& GolfRules::opt_may_turn_corner = GolfOptions::opt_may_turn_corner;
bool& GolfRules::opt_single_click_activation = GolfOptions::opt_single_click_activation;

namespace {

int const registered = SolitaireRules::Creator::register_creator(new GolfCreator);

}  // namespace

GolfRules::GolfRules() : StockDiscardRules(pile_count, opt_may_turn_corner, opt_single_click_activation, true) {}

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
    deal_to_stock(work);
    anim.style = AnimProfile::DRAW;
    turn_first_discard();
}

E2::Vec2<int> GolfRules::pos_of(Loc const& l) const {
    if (l.kind != Loc::TABLEAU) return StockDiscardRules::pos_of(l);
    Deck const* d = pile_of(tableau, l.pile);
    if (!d) return {0, 0};
    static E2::util::RandGen const jitter(43);
    int const r = static_cast<int>(jitter.get_ui32(static_cast<unsigned>(l.index)) & 1u);
    int y = 121;
    for (std::int32_t j = 0; j < l.index && static_cast<size_t>(j) < d->size(); ++j)
        y += (*d)[static_cast<size_t>(j)]->face_up ? 26 : 2;
    return {89 + 124 * l.pile + r, y};
}

Loc GolfRules::back_of(Loc const& l) const {
    if (l.kind != Loc::TABLEAU) return StockDiscardRules::back_of(l);
    Deck const* d = pile_of(tableau, l.pile);
    return Loc(Loc::TABLEAU, l.pile, d ? top_index(d->size()) : 0);
}

bool GolfRules::is_playable(unsigned p) const { return p < tableau.size() && !tableau[p].empty(); }

void GolfCreator::save_options(FILE* f) { GolfOptions::save(f); }

void GolfCreator::read_options(FILE* f) { GolfOptions::read(f); }

SolitaireRules* GolfCreator::create() { return new GolfRules; }
