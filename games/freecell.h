#pragma once
// FreeCell: one deck dealt face up over eight tableau piles, four foundations built up by
// suit from the Ace, and four free cells of one card each. A run in alternating colours
// moves whole, whatever its length. No stock and no waste.

#include <string>
#include <vector>

#include "card.h"
#include "rule_options.h"
#include "rules_creator.h"
#include "suit_building_rules.h"

class FreeCellRules : public SuitBuildingRules {
public:
    // Shared with the player files' option section: a foundation's top card may be taken
    // back to the tableau or into a free cell.
    static constexpr bool& opt_may_pluck_from_foundation = FreeCellOptions::opt_may_pluck_from_foundation;

    static constexpr unsigned piles = 8;
    static constexpr unsigned foundation_count = 4;
    static constexpr unsigned cell_count = 4;

    // Four empty foundations, eight empty piles, four free cells.
    FreeCellRules();

    std::string namecode() const override { return "freecell"; }
    // All 52 cards face up, piles 0-3 seven deep and 4-7 six deep.
    void deal() override;
    // The framework's images, then the table overlay.
    void load() override;
    E2::Vec2<int> pos_of(Loc const& l) const override;
    // A free cell's place, else the shared tops.
    Loc back_of(Loc const& l) const override;
    // The shared targets, then free cells for one card not from a cell.
    void identify_drag_targets(CardSprite const& c, Loc const& from) override;
    // Every card is face up already.
    void flip_tableau() override {}
    // A free cell, a foundation move or a tableau move exists.
    bool has_any_move() const override;
    // The framework's rearrangement, then the first pile's top card into cell 0.
    void cheat_near_win() override;
    // The cells free, then the shared test.
    bool may_auto_complete() const override;
    // The lowest tableau top (the first pile of equal ones) to its foundation.
    void auto_complete() override;

    // Any card onto an empty pile or one it fits, never onto its own pile; a foundation's
    // card only with the option.
    Loc may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const override;

protected:
    // A cell's card, or a tableau card with the run in sequence on it.
    bool press_on_table(int x, int y) override;
};

class FreeCellCreator : public SolitaireRules::Creator {
public:
    // The option byte and three reserved bytes.
    void save_options(FILE* f) override;
    void read_options(FILE* f) override;
    Player::Game_Type game_type() const override { return Player::FREECELL; }
    SolitaireRules* create() override;
};
