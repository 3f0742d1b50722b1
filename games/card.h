#pragma once
// A playing card's value in one byte: the suit in the low four bits, the number in the
// high four bits.

#include <cstdint>
#include <iosfwd>

class Card {
public:
    enum Suit : std::uint8_t { CLUBS = 1, DIAMONDS = 2, HEARTS = 3, SPADES = 4 };

    // Orders cards through their virtual operator<.
    struct Comparator {
        bool operator()(Card const* a, Card const* b) const { return *a < *b; }
        bool operator()(Card const& a, Card const& b) const { return a < b; }
    };

    // Suit 0, number 0.
    Card() = default;
    Card(unsigned short no, Card::Suit suit);
    Card(Card const& o) : bits_(o.bits_) {}
    virtual ~Card() = default;

    Card& operator=(Card const& o) = default;
    virtual bool operator==(Card const& o) const;
    // Suit first, then number: a strict weak ordering, so that sorting is defined.
    virtual bool operator<(Card const& o) const;
    virtual Card::Suit suit() const;
    // 1 Ace, 2 to 10, 11 Jack, 12 Queen, 13 King.
    virtual unsigned short no() const;
    virtual void suit(Card::Suit s);
    // Keeps the number's low four bits.
    virtual void no(unsigned short n);

    // Diamonds and hearts.
    bool is_red() const { return static_cast<unsigned>(suit()) - 2u < 2u; }
    bool is_black() const { return !is_red(); }
    std::uint8_t bits() const { return bits_; }

private:
    std::uint8_t bits_ = 0;
};

// "Queen of hearts", for debugging.
std::ostream& operator<<(std::ostream& out, Card const& c);
