#pragma once
// Pieces shared by the tests of the games that play onto one discard pile: cards laid
// out by hand and a pointer that presses, carries and releases.

#include "rules_support.h"

namespace rules_test {

// A new card of the game at `where`, placed at once at its position.
CardSprite* place(SolitaireRules& g, Loc const& where, unsigned short no, Card::Suit suit, bool face_up = true);

// The centre of the card at l (a card that lies there).
E2::Vec2<int> centre(SolitaireRules& g, Loc const& l);

// The mouse as the play screen hands it over, with the clock moving on 1000 ms before
// each press so that no two presses make a double click unless asked for.
class Hand {
public:
    explicit Hand(SolitaireRules& g) : g_(g) {}
    bool press(E2::Vec2<int> at, unsigned gap_ms = 1000);
    void carry(E2::Vec2<int> to);
    bool release();
    // Press and release on the spot, then let the cards settle.
    bool click(E2::Vec2<int> at, unsigned gap_ms = 1000);

    ScopedInput in;
    E2::Vec2<int> at;

private:
    SolitaireRules& g_;
};

// Random-play actions through the handlers, with the pointer of the installed scripted
// input. Plays the card at l onto the discard pile: a click with single click on, else a
// carry onto the pile.
void play_onto_discard(SolitaireRules& g, Loc const& l, bool single_click);
// A press on the card at a whose release never comes, a press on the card at b, its release.
void lost_release(SolitaireRules& g, Loc const& a, Loc const& b);

}  // namespace rules_test
