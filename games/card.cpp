#include "card.h"

#include <ostream>

Card::Card(unsigned short n, Card::Suit s) {
    Card::suit(s);
    Card::no(n);
}

bool Card::operator==(Card const& o) const { return suit() == o.suit() && no() == o.no(); }

bool Card::operator<(Card const& o) const {
    if (suit() != o.suit()) return suit() < o.suit();
    return no() < o.no();
}

Card::Suit Card::suit() const { return static_cast<Suit>(bits_ & 0x0F); }

unsigned short Card::no() const { return static_cast<unsigned short>(bits_ >> 4); }

void Card::suit(Card::Suit s) { bits_ = static_cast<std::uint8_t>((bits_ & 0xF0) | (s & 0x0F)); }

void Card::no(unsigned short n) { bits_ = static_cast<std::uint8_t>((bits_ & 0x0F) | ((n & 0x0F) << 4)); }

std::ostream& operator<<(std::ostream& out, Card const& c) {
    static char const* const numbers[] = {"No card", "Ace",  "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                          "Eight",   "Nine", "Ten",  "Jack",  "Queen", "King", "14",  "15"};
    static char const* const suits[] = {"nothing", "clubs", "diamonds", "hearts", "spades"};
    unsigned s = c.suit();
    return out << numbers[c.no()] << " of " << (s < 5 ? suits[s] : "?");
}
