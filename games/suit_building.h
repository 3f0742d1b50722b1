#pragma once
// Building rules shared by the games whose foundations grow up by suit from the Ace and
// whose tableau goes down in alternating colours, and the fixed one-pixel wobble of the
// tableau's cards.

#include <vector>

#include "card.h"
#include "deck.h"
#include "loc.h"

namespace suit_building {

// `upper` may lie on `lower`: one number lower and of the other colour.
bool in_sequence(Card const& upper, Card const& lower);
// Every card of the pile lies in sequence on the card under it.
bool pile_in_sequence(Deck const& pile);
// The foundations that take the card: the first non-empty one whose top card has its suit
// and a number one lower, else for an Ace every empty one (all of them with a list, the
// answer without). Listed places are appended to *out when given; true when some place
// takes the card.
bool foundation_places(std::vector<Deck> const& foundations, Card const& c, std::vector<Loc>* out);
// The x offset (0 or 1) of the card at position `index` of a tableau pile.
int wobble(unsigned index);
// Position of a pile's top card, 0 for an empty pile.
int top_index(Deck const& pile);

}  // namespace suit_building
