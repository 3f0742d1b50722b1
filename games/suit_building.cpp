#include "suit_building.h"

#include "card_sprite.h"
#include "rand.h"

namespace suit_building {

bool in_sequence(Card const& upper, Card const& lower) {
    return upper.no() + 1 == lower.no() && upper.is_red() != lower.is_red();
}

bool pile_in_sequence(Deck const& pile) {
    for (size_t k = 1; k < pile.size(); ++k)
        if (!in_sequence(*pile[k], *pile[k - 1])) return false;
    return true;
}

bool foundation_places(std::vector<Deck> const& foundations, Card const& c, std::vector<Loc>* out) {
    for (size_t f = 0; f < foundations.size(); ++f) {
        Deck const& d = foundations[f];
        if (d.empty()) continue;
        Card const& top = *d.back();
        if (top.suit() == c.suit() && top.no() + 1 == c.no()) {
            if (out) out->push_back(Loc(Loc::FOUNDATION, static_cast<int>(f), top_index(d)));
            return true;
        }
    }
    if (c.no() != 1) return out && !out->empty();
    bool any = false;
    for (size_t f = 0; f < foundations.size(); ++f) {
        if (!foundations[f].empty()) continue;
        any = true;
        if (!out) return true;
        out->push_back(Loc(Loc::FOUNDATION, static_cast<int>(f), 0));
    }
    return out ? !out->empty() : any;
}

int wobble(unsigned index) {
    static E2::util::RandGen const gen(43);
    return static_cast<int>(gen.get_ui32(index) & 1u);
}

int top_index(Deck const& pile) { return pile.empty() ? 0 : static_cast<int>(pile.size() - 1); }

}  // namespace suit_building
