#pragma once
// Pieces shared by the tests of the games that play onto one discard pile: cards laid
// out by hand and a pointer that presses, carries and releases.

#include <functional>
#include <string>
#include <vector>

#include "random_play.h"
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

// The face-up rules of the two discard games, empty when they hold: the stock face down
// and the discard pile face up; TriPeaks' piles hold a card each, face up exactly when
// exposed; Golf's piles all face up.
std::string peak_faces(SolitaireRules& g);
std::string golf_faces(SolitaireRules& g);

// Random play that scores only the cards dealt to the tableau, 11 times their number, when
// they are on the discard pile: sets cfg's setup and expected score.
void score_dealt_cards(RandomPlayConfig& cfg);

// Random play of a discard game: 250 actions; only the cards dealt to the tableau score,
// 11 times their number; the extra actions are a lost release between two of
// tops(g, false) and a play of one of tops(g, true) (the top cards that may be taken, and
// those of them that the discard pile takes). With single click on there is no double click.
RandomPlayConfig discard_play_config(std::function<std::string(SolitaireRules&)> faces,
                                     std::function<std::vector<Loc>(SolitaireRules&, bool)> tops, bool single_click);

// What the random games of a discard game reached.
struct DiscardPlayTotals {
    int drops = 0, turns = 0, undos = 0, doubles = 0;
    void add(RandomPlayResult const& r);
    // Every kind of action more often than once a game (double clicks at all).
    void expect_reached(int games) const;
};

}  // namespace rules_test
