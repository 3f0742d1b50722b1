#include "golf.h"

#include "card_sprite.h"
#include "rand.h"
#include "rule_options.h"

bool& GolfRules::opt_may_turn_corner = GolfOptions::opt_may_turn_corner;
bool& GolfRules::opt_single_click_activation = GolfOptions::opt_single_click_activation;

namespace {

int const registered = SolitaireRules::Creator::register_creator(new GolfCreator);

std::int32_t top_index(size_t size) { return size ? static_cast<std::int32_t>(size - 1) : 0; }

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
    anim.style = AnimProfile::DEAL_TO_STOCK;
    while (!work.empty()) {
        move_to(work.back(), Loc(), Loc(Loc::STOCK, 0, 0), true);
        work.pop_back();
    }

    anim.start = anim.end;
    anim.style = AnimProfile::DRAW;
    turn_first_discard();
}

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

bool GolfRules::is_playable(unsigned p) const { return p < tableau.size() && !tableau[p].empty(); }

void GolfCreator::save_options(FILE* f) { GolfOptions::save(f); }

void GolfCreator::read_options(FILE* f) { GolfOptions::read(f); }

SolitaireRules* GolfCreator::create() { return new GolfRules; }
