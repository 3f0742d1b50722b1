#include "deck.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "card_sprite.h"

void Deck::append_std_deck52(Deck& d) {
    if (d.capacity() < 52) d.reserve(52);
    for (unsigned short no = 1; no <= 13; ++no)
        for (unsigned s = Card::CLUBS; s <= Card::SPADES; ++s) d.push_back(new CardSprite(no, static_cast<Card::Suit>(s)));
}

void Deck::shuffle() {
    for (size_type i = 1; i < size(); ++i) {
        size_type j = static_cast<size_type>(std::rand()) % (i + 1);
        std::swap((*this)[i], (*this)[j]);
    }
}

unsigned Deck::push_back_if_not_in(CardSprite* c) {
    auto it = std::find(begin(), end(), c);
    if (it != end()) return static_cast<unsigned>(it - begin());
    push_back(c);
    return static_cast<unsigned>(size() - 1);
}
