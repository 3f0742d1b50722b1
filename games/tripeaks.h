#pragma once
// TriPeaks: 28 cards in three overlapping peaks of one-card tableau piles, of which only
// the uncovered ones lie face up; one foundation (the discard pile) that takes any
// face-up card one rank above or below its top card; and a stock whose top card is
// turned onto the foundation on demand. Won when the peaks are cleared, whatever the
// stock still holds.

#include <array>
#include <string>
#include <vector>

#include "rules_creator.h"
#include "solitaire_rules.h"

class TriPeaksRules : public SolitaireRules {
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
    OptionsPopup* options_popup() override;
    // Turn-corner, single click.
    void notify_options_changed(std::vector<bool> const& values) override;
    // The peaks (bottom row face up), 23 cards in the stock, one on the foundation.
    void deal() override;
    void perform_basic_action() override;
    // Always, with single click on; else the framework's distance test.
    bool is_proximal(E2::Vec2<int> const& pos, Loc const& target) const override;
    // A press on the stock's top card turns it; a press on a face-up card picks it up
    // and, with single click on, chooses its target at once.
    bool on_mouse_down(int x, int y) override;
    // The framework's images, then the table overlay.
    void load() override;
    // Nothing carried or moving and every pile empty.
    bool is_won() const override;
    E2::Vec2<int> pos_of(Loc const& l) const override;
    Loc back_of(Loc const& l) const override;
    // The foundation, for one card that does not come from it.
    void identify_drag_targets(CardSprite const& c, Loc const& origin) override;
    // Turns up every face-down card whose covering piles are empty, once everything
    // started so far has ended.
    void flip_tableau() override;
    unsigned max_tableau() const override { return pile_count; }
    unsigned max_foundation() const override { return 1; }
    // The stock holds a card or a face-up card may go to the foundation.
    bool has_any_move() const override;

    // Turns the stock's top card onto the foundation as one recorded move; nothing when
    // the stock is empty.
    void deal_from_stock();
    // Pile i lies in the bottom row or both its covering piles are empty.
    bool t_is_exposed(unsigned i) const;
    // The foundation place for the card, or NONE when it may not go.
    Loc may_move_to_foundation(CardSprite const& c) const;
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
