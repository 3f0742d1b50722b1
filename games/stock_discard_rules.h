#pragma once
// The games of a stock and one discard pile (Golf, TriPeaks): the foundation takes a card
// one rank above or below its top card, whatever the suit (with the corner option an Ace
// and a King count as neighbours too); the stock's top card is turned onto it on demand.
// Won when the tableau is cleared, whatever the stock still holds.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "card.h"
#include "solitaire_rules.h"

class StockDiscardRules : public SolitaireRules {
public:
    OptionsPopup* options_popup() override;
    // Turn-corner, single click.
    void notify_options_changed(std::vector<bool> const& values) override;
    // Turns the stock's top card, unless a card is carried (its target was chosen against
    // the present discard top).
    void perform_basic_action() override;
    // Always, with single click on; else the framework's distance test.
    bool is_proximal(E2::Vec2<int> const& pos, Loc const& target) const override;
    // A press on the stock's top card turns it; a press on a playable pile's top card
    // picks it up and, with single click on, chooses its target at once.
    bool on_mouse_down(int x, int y) override;
    // The framework's images, then the table overlay.
    void load() override;
    // Nothing carried or moving and every pile empty.
    bool is_won() const override;
    // The foundation, for one card that does not come from it.
    void identify_drag_targets(CardSprite const& c, Loc const& origin) override;
    // The foundation's and the stock's places; {0, 0} for any other.
    E2::Vec2<int> pos_of(Loc const& l) const override;
    // The top place of the foundation or the stock; NONE for any other.
    Loc back_of(Loc const& l) const override;
    unsigned max_tableau() const override { return static_cast<unsigned>(tableau.size()); }
    unsigned max_foundation() const override { return 1; }
    // The stock holds a card or a playable pile's top card may go to the foundation.
    bool has_any_move() const override;

    // Turns the stock's top card onto the foundation as one recorded move; nothing when
    // the stock is empty.
    void deal_from_stock();
    // The foundation place for the card by rank alone, or NONE when it may not go.
    Loc may_move_to_foundation(Card const& c) const;

protected:
    // `piles` empty tableau piles and one empty foundation. The options are the game's
    // own; flip_sounds: a card turned from the stock sounds as it turns, else as it lands.
    StockDiscardRules(unsigned piles, bool& may_turn_corner, bool& single_click, bool flip_sounds);

    // The index of the top card of a pile of that size; 0 for an empty one.
    static std::int32_t top_index(size_t size) { return size ? static_cast<std::int32_t>(size - 1) : 0; }
    // The top card of pile p may be picked up.
    virtual bool is_playable(unsigned p) const = 0;
    // Late in a deal: the cards left in work into the stock, from its top down; what is
    // animated next starts once they have landed.
    void deal_to_stock(Deck& work);
    // At the end of a deal: the stock's top card onto the foundation, unrecorded.
    void turn_first_discard();

private:
    bool& may_turn_corner_;
    bool& single_click_;
    bool flip_sounds_;
};
