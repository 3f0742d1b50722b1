#pragma once
// TriPeaks: 28 cards in three overlapping peaks of one-card tableau piles, of which only
// the uncovered ones lie face up and are playable onto the discard pile
// (stock_discard_rules.h).

#include <array>
#include <string>

#include "rules_creator.h"
#include "stock_discard_rules.h"

class TriPeaksRules : public StockDiscardRules {
public:
    static constexpr unsigned pile_count = 28;
    // Piles 0-2 are the peak tops, 3-8 the second row, 9-17 the third, 18-27 the bottom.
    static constexpr unsigned bottom_row = 18;
    static constexpr unsigned stock_after_deal = 23;

    // The two piles of the next row that cover pile i < 18.
    static std::array<unsigned, 2> covering(unsigned i);

    // The program-wide options (rule_options.h) under the game's name. With the corner
    // option an Ace and a King count as neighbours; with single click a pressed card is
    // played on release without being dragged.
    static bool& opt_may_turn_corner;
    static bool& opt_single_click_activation;

    // One empty foundation, 28 empty piles.
    TriPeaksRules();

    std::string namecode() const override { return "tripeaks"; }
    // The peaks (bottom row face up), 23 cards in the stock, one on the foundation.
    void deal() override;
    // A tableau place, else the shared ones.
    E2::Vec2<int> pos_of(Loc const& l) const override;
    Loc back_of(Loc const& l) const override;
    // Turns up every face-down card whose covering piles are empty, once everything
    // started so far has ended.
    void flip_tableau() override;

    // Pile i lies in the bottom row or both its covering piles are empty.
    bool t_is_exposed(unsigned i) const;
    // The foundation place for a face-up card, or NONE when it may not go.
    Loc may_move_to_foundation(CardSprite const& c) const;

protected:
    // A face-up top card on an uncovered pile.
    bool is_playable(unsigned i) const override;
};

class TriPeaksCreator : public SolitaireRules::Creator {
public:
    // Turn-corner, single click, three reserved bytes.
    void save_options(FILE* f) override;
    // Nothing at the end of the file: both options keep their values.
    void read_options(FILE* f) override;
    Player::Game_Type game_type() const override { return Player::TRIPEAKS; }
    SolitaireRules* create() override;
};
