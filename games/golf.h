#pragma once
// Golf: seven tableau piles of five face-up cards, the top card of each playable onto
// the discard pile (stock_discard_rules.h).

#include <string>

#include "rules_creator.h"
#include "stock_discard_rules.h"

class GolfRules : public StockDiscardRules {
public:
    static constexpr unsigned pile_count = 7;
    static constexpr unsigned pile_depth = 5;
    static constexpr unsigned stock_after_deal = 16;

    // The program-wide options (rule_options.h) under the game's name. With the corner
    // option an Ace and a King count as neighbours; with single click a pressed card is
    // played on release without being dragged.
    static bool& opt_may_turn_corner;
    static bool& opt_single_click_activation;

    // One empty foundation, seven empty piles.
    GolfRules();

    std::string namecode() const override { return "golf"; }
    // Seven piles of five face-up cards, 16 cards in the stock, one on the foundation.
    void deal() override;
    // A tableau place, else the shared ones.
    E2::Vec2<int> pos_of(Loc const& l) const override;
    Loc back_of(Loc const& l) const override;
    // Nothing: every tableau card lies face up.
    void flip_tableau() override {}

protected:
    // Any pile that holds a card.
    bool is_playable(unsigned p) const override;
};

class GolfCreator : public SolitaireRules::Creator {
public:
    // Turn-corner, single click, three reserved bytes.
    void save_options(FILE* f) override;
    // Nothing at the end of the file: both options keep their values.
    void read_options(FILE* f) override;
    Player::Game_Type game_type() const override { return Player::GOLF; }
    SolitaireRules* create() override;
};
