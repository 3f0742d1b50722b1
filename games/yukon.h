#pragma once
// Yukon: one deck dealt wholly over seven tableau piles, four foundations built up by suit
// from the Ace, no stock. Any face-up card moves with every card on it, in whatever
// order; the card that goes down must fit the target's top card, and only a King goes
// onto an empty pile. The game finishes itself once the tableau is in order.

#include <string>
#include <vector>

#include "card.h"
#include "rule_options.h"
#include "rules_creator.h"
#include "suit_building_rules.h"

class YukonRules : public SuitBuildingRules {
public:
    // Shared with the player files' option section: a foundation's top card may be taken
    // back to the tableau.
    static constexpr bool& opt_may_pluck_from_foundation = YukonOptions::opt_may_pluck_from_foundation;

    static constexpr unsigned piles = 7;
    static constexpr unsigned foundation_count = 4;

    // Four empty foundations, seven empty piles.
    YukonRules();

    std::string namecode() const override { return "yukon"; }
    // Pile 0 one face-up card; pile p (1 to 6) p face-down cards under five face-up ones.
    void deal() override;
    // The framework's images, then the two table overlays.
    void load() override;
    E2::Vec2<int> pos_of(Loc const& l) const override;
    // Turns up face-down tops, silently, once everything started so far has ended.
    void flip_tableau() override;
    // A tableau card may go to a foundation or to another pile.
    bool has_any_move() const override;
    // The framework's rearrangement, then the first pile's top card onto the first pile
    // whose top card has its colour, or back where it was.
    void cheat_near_win() override;
    // A lowest tableau top (chosen at random among equal ones) to its foundation.
    void auto_complete() override;

    // A King or a card that fits the top card, never onto its own pile.
    Loc may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const override;

protected:
    // Any face-up tableau card, with every card on it.
    bool press_on_table(int x, int y) override;
};

class YukonCreator : public SolitaireRules::Creator {
public:
    // The option byte and three reserved bytes.
    void save_options(FILE* f) override;
    void read_options(FILE* f) override;
    Player::Game_Type game_type() const override { return Player::YUKON; }
    SolitaireRules* create() override;
};
