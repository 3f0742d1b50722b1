#pragma once
// Pieces shared by the tests of the tableau games (FreeCell, Spider, Yukon): a table laid
// out by hand and a pointer that presses on a card's visible strip.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "rules_support.h"

namespace tableau_test {

// Takes every card off the table and deletes it, keeping the piles.
void clear_table(SolitaireRules& g);
// Every card of the table out of its pile (stock, waste, cells, tableau, foundations), the
// piles left empty.
std::vector<CardSprite*> gather(SolitaireRules& g);
// Up to eight whole suits Ace to King, Ace first, taken out of the cards by (suit, rank).
using CardsByValue = std::map<std::pair<int, int>, std::vector<CardSprite*>>;
std::vector<std::vector<CardSprite*>> take_whole_runs(CardsByValue& by_value);
// A new card of the game on top of `where` (a pile or a cell), placed at once.
CardSprite* lay(SolitaireRules& g, Loc const& where, unsigned short no, Card::Suit suit, bool face_up = true);
// A point on the card that no card above it covers.
E2::Vec2<int> on_card(SolitaireRules const& g, CardSprite const* c);
// Ticks until nothing moves; with `score`, drains the pending counters into it and `moves`
// as the play screen does, else leaves them to add up.
void settle(SolitaireRules& g, int* score = nullptr);

// Spider's score for its table, 1300 a run on the foundations, and its check: every
// foundation empty or one King-to-Ace run of one suit, the stock whole rows; empty when fine.
int spider_points(SolitaireRules& g);
std::string spider_check(SolitaireRules& g);

// The option bytes that the registered creator of the type writes, as digits: "1000".
std::string option_bytes(Player::Game_Type type);

// The mouse as the play screen hands it over; each press comes 1000 ms after the last
// unless asked otherwise.
class Pointer {
public:
    explicit Pointer(SolitaireRules& g) : g_(g) {}
    bool press(E2::Vec2<int> at, unsigned gap_ms = 1000);
    bool press_on(CardSprite const* c) { return press(on_card(g_, c)); }
    // Carries the cards to the centre of `target` and releases there.
    bool drop_on(Loc const& target);
    // Picks up c and drops it on target, then lets the cards settle.
    bool move(CardSprite const* c, Loc const& target);
    // Two quick clicks on the card, then settles.
    void double_click(CardSprite const* c);

    rules_test::ScopedInput in;
    E2::Vec2<int> at;

private:
    SolitaireRules& g_;
};

}  // namespace tableau_test
