#pragma once
// Klondike: seven tableau piles dealt 1 to 7 deep, four foundations built up by suit
// from the Ace, a stock turned one or three cards at a time onto a fanned waste, and a
// button that returns the waste to the stock (twice, unless redeals are unlimited).

#include <cstdint>
#include <vector>

#include "button_sprite.h"
#include "card.h"
#include "rule_options.h"
#include "rules_creator.h"
#include "solitaire_rules.h"
#include "undo.h"

class KlondikeRules : public SolitaireRules, public ButtonSprite::Listener {
public:
    // The options are shared with the player files' option section.
    static constexpr bool& opt_flip_1 = KlondikeOptions::opt_flip_1;
    static constexpr bool& opt_may_pluck_from_foundation = KlondikeOptions::opt_may_pluck_from_foundation;
    static constexpr bool& opt_unlimited_redeals = KlondikeOptions::opt_unlimited_redeals;

    static constexpr unsigned piles = 7;
    static constexpr unsigned foundation_count = 4;
    // The waste's three fan slots start here, 30 pixels apart.
    static E2::Vec2<int> waste_slot(unsigned n) { return {222 + 30 * static_cast<int>(n), 80}; }
    static E2::Vec2<int> reset_button_pos() { return {116, 114}; }

    KlondikeRules();

    std::string namecode() const override { return "klondike"; }
    // Boxes: pluck from foundation, draw one, unlimited redeals.
    OptionsPopup* options_popup() override;
    void notify_options_changed(std::vector<bool> const& values) override;
    void deal() override;
    void perform_basic_action() override { deal_from_stock(); }
    void tick(unsigned now, unsigned dt) override;
    void display(SDL_Surface* s) const override;
    // The cards' events, then the reset button's while it shows and nothing is carried.
    bool proc_event(SDL_Event* e) override;
    // Cards still carried from an earlier press (its release was lost) go back first.
    bool on_mouse_down(int x, int y) override;
    void load() override;
    bool is_won() const override { return foundation_contains_all_cards(); }
    E2::Vec2<int> pos_of(Loc const& l) const override;
    Loc back_of(Loc const& l) const override;
    void identify_drag_targets(CardSprite const& c, Loc const& from) override;
    void undrag() override;
    void flip_tableau() override;
    void undo() override;
    unsigned max_tableau() const override { return piles; }
    unsigned max_foundation() const override { return foundation_count; }
    bool has_any_move() const override;
    // Every card face up; Ace to Jack of each suit on the foundations, the King and the
    // Queen on it on a tableau pile; no undo entries.
    void cheat_near_win() override;
    bool may_auto_complete() const override;
    void auto_complete() override;

    // The reset button: the waste back to the stock, recorded; nothing while a card is carried.
    bool on_click(ButtonSprite* b) override;

    void deal_from_stock();
    // Slides every waste card that is not on its way to its place there.
    void reposition_waste();
    bool may_move_to_foundation(Card const& c, std::vector<Loc>* out) const;
    Loc may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const;
    Loc may_move_to_any_tableau(CardSprite const& c, Loc const& from) const;
    E2::Vec2<int> pos_of_wasten(unsigned n) const;
    // The waste can go back to the stock now.
    bool reset_available() const;

    ButtonSprite reset_button;
    std::uint32_t redeals = 0;
};

// Undoing a reset gives the redeal back.
class UndoNRedeals : public UndoSpecial {
public:
    explicit UndoNRedeals(KlondikeRules* owner_) : owner(owner_) {}
    void operator()() override;

    KlondikeRules* owner;
};

class KlondikeCreator : public SolitaireRules::Creator {
public:
    void save_options(FILE* f) override { KlondikeOptions::save(f); }
    void read_options(FILE* f) override { KlondikeOptions::read(f); }
    Player::Game_Type game_type() const override { return Player::KLONDIKE; }
    SolitaireRules* create() override { return new KlondikeRules; }
};
