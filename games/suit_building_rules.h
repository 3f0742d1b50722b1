#pragma once
// The games without a stock whose foundations grow up by suit from the Ace and whose
// tableau builds down in alternating colours (FreeCell, Yukon): their one option (a
// foundation's top card may be taken back), the press on a foundation, the targets and
// the foundation rule they share.

#include <vector>

#include "card.h"
#include "solitaire_rules.h"

class SuitBuildingRules : public SolitaireRules {
public:
    // One box: pluck from foundation.
    OptionsPopup* options_popup() override;
    void notify_options_changed(std::vector<bool> const& values) override;
    void perform_basic_action() override {}
    // Cards still carried from an earlier press (its release was lost) go back first; then
    // a foundation's top card is picked up (with the option), else press_on_table decides.
    bool on_mouse_down(int x, int y) override;
    bool is_won() const override { return foundation_contains_all_cards(); }
    // The top place of a tableau pile or a foundation.
    Loc back_of(Loc const& l) const override;
    // Foundations for one card not from a foundation, then tableau piles.
    void identify_drag_targets(CardSprite const& c, Loc const& from) override;
    unsigned max_tableau() const override { return static_cast<unsigned>(tableau.size()); }
    unsigned max_foundation() const override { return static_cast<unsigned>(foundations.size()); }
    // Nothing carried or moving, every card face up and every pile in sequence.
    bool may_auto_complete() const override;

    // The place on pile t for the card from `from`, or NONE.
    virtual Loc may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const = 0;
    // The foundations that take the card (see suit_building::foundation_places).
    bool may_move_to_foundation(Card const& c, std::vector<Loc>* out) const;
    // The first pile's place for the card, or NONE.
    Loc may_move_to_any_tableau(CardSprite const& c, Loc const& from) const;

protected:
    // Empty piles and foundations; the option is the game's own.
    SuitBuildingRules(unsigned piles, unsigned foundation_count, bool& may_pluck_from_foundation);

    // Place k of tableau pile p.
    static Loc tableau_loc(unsigned p, size_t k) {
        return Loc(Loc::TABLEAU, static_cast<int>(p), static_cast<int>(k));
    }
    // The top card of pile p, scored, to the first foundation that takes it; nothing when
    // none does.
    void move_top_to_foundation(unsigned p);
    // A press that found no foundation card to pick up: true when it started a carry.
    virtual bool press_on_table(int x, int y) = 0;

private:
    bool& may_pluck_;
};
