#pragma once
// A list of card sprites, the top card last. It does not own the sprites.

#include <vector>

class CardSprite;

class Deck : public std::vector<CardSprite*> {
public:
    // Appends the 52 cards of a standard deck, new, by number and within each number by
    // suit: Ace of clubs, Ace of diamonds, ... King of spades.
    static void append_std_deck52(Deck& d);
    // Swaps each entry i from 1 up with an entry j = rand() % (i + 1).
    void shuffle();
    // The index of the first entry equal to c; c is appended when absent.
    unsigned push_back_if_not_in(CardSprite* c);
};
