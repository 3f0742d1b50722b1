// Piles and places, moving and turning cards, and the layout after a batch.

#include <cassert>

#include "card_sprite.h"
#include "solitaire_rules.h"

Deck* SolitaireRules::pile_of(std::vector<Deck>& piles, std::int32_t p) {
    return p >= 0 && static_cast<size_t>(p) < piles.size() ? &piles[static_cast<size_t>(p)] : nullptr;
}

Deck const* SolitaireRules::pile_of(std::vector<Deck> const& piles, std::int32_t p) {
    return p >= 0 && static_cast<size_t>(p) < piles.size() ? &piles[static_cast<size_t>(p)] : nullptr;
}

namespace {

bool in_range(std::int32_t i, size_t size) { return i >= 0 && static_cast<size_t>(i) < size; }

// Erases entry i and returns it; null when i is beyond the end.
CardSprite* erase_at(Deck& d, std::int32_t i) {
    if (!in_range(i, d.size())) return nullptr;
    CardSprite* c = d[static_cast<size_t>(i)];
    d.erase(d.begin() + i);
    return c;
}

CardSprite* entry_at(Deck const& d, std::int32_t i) { return in_range(i, d.size()) ? d[static_cast<size_t>(i)] : nullptr; }

}  // namespace

Loc SolitaireRules::append_to_loc(CardSprite* c, Loc const& to) {
    Loc at = to;
    switch (to.kind) {
        case Loc::TABLEAU:
        case Loc::FOUNDATION: {
            Deck* pile = pile_of(to.kind == Loc::TABLEAU ? tableau : foundations, to.pile);
            assert(pile && "append to a pile that does not exist");
            if (!pile) return Loc();
            at.index = static_cast<std::int32_t>(pile->push_back_if_not_in(c));
            return at;
        }
        case Loc::STOCK:
        case Loc::WASTE:
            at.pile = static_cast<std::int32_t>((to.kind == Loc::STOCK ? stock : waste).push_back_if_not_in(c));
            return at;
        case Loc::CELLS: {
            bool exists = in_range(to.pile, cells.size());
            assert(exists && "append to a cell that does not exist");
            if (!exists) return Loc();
            CardSprite*& cell = cells[static_cast<size_t>(to.pile)];
            // A game never targets an occupied cell; refusing keeps the resident card.
            assert((!cell || cell == c) && "append to an occupied cell");
            if (cell && cell != c) return Loc();
            cell = c;
            return at;
        }
        default:
            return to;
    }
}

CardSprite* SolitaireRules::remove_card_from(Loc const& l) {
    switch (l.kind) {
        case Loc::TABLEAU:
        case Loc::FOUNDATION: {
            Deck* pile = pile_of(l.kind == Loc::TABLEAU ? tableau : foundations, l.pile);
            return pile ? erase_at(*pile, l.index) : nullptr;
        }
        case Loc::STOCK: return erase_at(stock, l.pile);
        case Loc::WASTE: return erase_at(waste, l.pile);
        case Loc::CELLS: {
            if (!in_range(l.pile, cells.size())) return nullptr;
            CardSprite* c = cells[static_cast<size_t>(l.pile)];
            cells[static_cast<size_t>(l.pile)] = nullptr;
            return c;
        }
        default:
            return nullptr;
    }
}

CardSprite* SolitaireRules::card_at(Loc const& l) {
    switch (l.kind) {
        case Loc::TABLEAU:
        case Loc::FOUNDATION: {
            Deck const* pile = pile_of(l.kind == Loc::TABLEAU ? tableau : foundations, l.pile);
            return pile ? entry_at(*pile, l.index) : nullptr;
        }
        case Loc::STOCK: return entry_at(stock, l.pile);
        case Loc::WASTE: return entry_at(waste, l.pile);
        case Loc::CELLS: return in_range(l.pile, cells.size()) ? cells[static_cast<size_t>(l.pile)] : nullptr;
        default:
            return nullptr;
    }
}

void SolitaireRules::move_to(CardSprite* c, Loc const& from, Loc const& to, bool sound) {
    if (!c) return;
    Loc at = append_to_loc(c, to);
    // A refused place (an occupied cell) leaves the card where it stands.
    if (at.kind == Loc::NONE && to.kind != Loc::NONE) return;
    animate_to(c, pos_of(at), sound);
    report_move_step(from, at);
    ++anim;
}

void SolitaireRules::flip_at(CardSprite* c, Loc const& l, bool sound) {
    if (!c) return;
    animate_flip(c, sound);
    report_flip_step(l);
    ++anim;
}

void SolitaireRules::animate_to(CardSprite* c, E2::Vec2<int> const& target, bool sound) {
    anim.animate_to(c, target, sound);
}

void SolitaireRules::animate_flip(CardSprite* c, bool sound) { anim.animate_flip(c, sound); }

void SolitaireRules::reposition_everything() {
    anim.start = 0;
    anim.end = 0;
    auto place = [this](CardSprite* c, Loc const& l) {
        if (c) animate_to(c, pos_of(l), false);
    };
    for (size_t i = 0; i < stock.size(); ++i) place(stock[i], Loc(Loc::STOCK, static_cast<int>(i), 0));
    for (size_t i = 0; i < waste.size(); ++i) place(waste[i], Loc(Loc::WASTE, static_cast<int>(i), 0));
    for (size_t i = 0; i < cells.size(); ++i) place(cells[i], Loc(Loc::CELLS, static_cast<int>(i), 0));
    for (size_t p = 0; p < tableau.size(); ++p)
        for (size_t k = 0; k < tableau[p].size(); ++k)
            place(tableau[p][k], Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(k)));
    for (size_t f = 0; f < foundations.size(); ++f)
        for (size_t k = 0; k < foundations[f].size(); ++k)
            place(foundations[f][k], Loc(Loc::FOUNDATION, static_cast<int>(f), static_cast<int>(k)));
}

bool SolitaireRules::carry_from_tableau(unsigned pile, unsigned index) {
    Deck* d = pile_of(tableau, static_cast<std::int32_t>(pile));
    if (!d || index >= d->size()) return false;
    for (size_t k = index; k < d->size(); ++k)
        blob.append(Loc(Loc::TABLEAU, static_cast<int>(pile), static_cast<int>(k)), (*d)[k]);
    d->erase(d->begin() + index, d->end());
    return true;
}

bool SolitaireRules::start_carrying() {
    if (blob.cards.empty()) return false;
    identify_drag_targets(*blob.cards.front(), blob.origins.front());
    blob.initiate_drag();
    return true;
}
