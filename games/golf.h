#pragma once
// Golf: seven tableau piles of five face-up cards; one foundation (the discard pile) that
// takes the top card of any pile one rank above or below its top card, whatever the
// suit; and a stock whose top card is turned onto the foundation on demand. Won when the
// piles are cleared, whatever the stock still holds.

#include <string>
#include <vector>

#include "card.h"
#include "rules_creator.h"
#include "solitaire_rules.h"

class GolfRules : public SolitaireRules {
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
    OptionsPopup* options_popup() override;
    // Turn-corner, single click.
    void notify_options_changed(std::vector<bool> const& values) override;
    // Seven piles of five face-up cards, 16 cards in the stock, one on the foundation.
    void deal() override;
    void perform_basic_action() override;
    // Always, with single click on; else the framework's distance test.
    bool is_proximal(E2::Vec2<int> const& pos, Loc const& target) const override;
    // A press on the stock's top card turns it; a press on a pile's top card picks it up
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
    // Nothing: every tableau card lies face up.
    void flip_tableau() override {}
    unsigned max_tableau() const override { return pile_count; }
    unsigned max_foundation() const override { return 1; }
    // The stock holds a card or some pile's top card may go to the foundation.
    bool has_any_move() const override;

    // Turns the stock's top card onto the foundation as one recorded move; nothing when
    // the stock is empty.
    void deal_from_stock();
    // The foundation place for the card, or NONE when it may not go.
    Loc may_move_to_foundation(Card const& c) const;
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
