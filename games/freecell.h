#pragma once
// FreeCell: one deck dealt face up over eight tableau piles, four foundations built up by
// suit from the Ace, and four free cells of one card each. A run in alternating colours
// moves whole, whatever its length. No stock and no waste.

#include <string>
#include <vector>

#include "card.h"
#include "rule_options.h"
#include "rules_creator.h"
#include "solitaire_rules.h"

class FreeCellRules : public SolitaireRules {
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
    // One box: pluck from foundation.
    OptionsPopup* options_popup() override;
    void notify_options_changed(std::vector<bool> const& values) override;
    // All 52 cards face up, piles 0-3 seven deep and 4-7 six deep.
    void deal() override;
    void perform_basic_action() override {}
    // A foundation's top card (with the option), a cell's card, or a tableau card with the
    // run in sequence on it. Cards still carried from an earlier press go back first.
    bool on_mouse_down(int x, int y) override;
    // The framework's images, then the table overlay.
    void load() override;
    bool is_won() const override { return foundation_contains_all_cards(); }
    E2::Vec2<int> pos_of(Loc const& l) const override;
    Loc back_of(Loc const& l) const override;
    // Foundations for one card not from a foundation, tableau piles, then free cells for one
    // card not from a cell.
    void identify_drag_targets(CardSprite const& c, Loc const& from) override;
    // Every card is face up already.
    void flip_tableau() override {}
    unsigned max_tableau() const override { return piles; }
    unsigned max_foundation() const override { return foundation_count; }
    // A free cell, a foundation move or a tableau move exists.
    bool has_any_move() const override;
    // The framework's rearrangement, then the first pile's top card into cell 0.
    void cheat_near_win() override;
    // Nothing carried or moving, the cells free and every pile in sequence.
    bool may_auto_complete() const override;
    // The lowest tableau top (the first pile of equal ones) to its foundation.
    void auto_complete() override;

    // The place on pile t for the card from `from`, or NONE.
    Loc may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const;
    // The foundations that take the card (see suit_building::foundation_places).
    bool may_move_to_foundation(Card const& c, std::vector<Loc>* out) const;
    // The first pile's place for the card, or NONE.
    Loc may_move_to_any_tableau(CardSprite const& c, Loc const& from) const;
};

class FreeCellCreator : public SolitaireRules::Creator {
public:
    // The option byte and three reserved bytes.
    void save_options(FILE* f) override;
    void read_options(FILE* f) override;
    Player::Game_Type game_type() const override { return Player::FREECELL; }
    SolitaireRules* create() override;
};
