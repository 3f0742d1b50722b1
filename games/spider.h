#pragma once
// Spider: two decks over ten tableau piles, a stock that deals one card onto every pile,
// and eight foundations that take only complete King-to-Ace runs of one suit. A run
// leaves the tableau by itself after a drop and scores 1300.

#include <string>
#include <vector>

#include "rule_options.h"
#include "rules_creator.h"
#include "solitaire_rules.h"

class SpiderRules : public SolitaireRules {
public:
    // Shared with the player files' option section: deal with hearts and clubs only (each
    // red card becomes a heart, each black one a club), read at the deal.
    static constexpr bool& opt_two_suits = SpiderOptions::opt_two_suits;

    static constexpr unsigned piles = 10;
    static constexpr unsigned foundation_count = 8;
    static constexpr unsigned run_length = 13;
    static constexpr int run_score = 1300;
    static constexpr unsigned stock_after_deal = 50;

    // The distance between face-up cards of a pile with n face-up cards: 26 up to 19
    // cards, then 494 / n to the nearest, kept within 11 to 26.
    static int face_up_spacing(unsigned n);

    // Eight empty foundations, ten empty piles.
    SpiderRules();

    std::string namecode() const override { return "spider"; }
    // One box: two suits.
    OptionsPopup* options_popup() override;
    void notify_options_changed(std::vector<bool> const& values) override;
    // 54 cards on the tableau (piles 0-3 six deep, 4-9 five), only the tops face up; the
    // other 50 face down in the stock.
    void deal() override;
    // Nothing while cards are carried: their targets were chosen against the present tops.
    void perform_basic_action() override {
        if (!in_drag()) deal_from_stock();
    }
    // A press on the stock's top card deals; else a face-up tableau card with the run of
    // its suit on it is picked up. Cards still carried from an earlier press go back first.
    bool on_mouse_down(int x, int y) override;
    // The framework's images, then the table overlay.
    void load() override;
    // All 104 cards lie on the foundations and nothing moves.
    bool is_won() const override { return foundation_contains_all_cards(); }
    E2::Vec2<int> pos_of(Loc const& l) const override;
    Loc back_of(Loc const& l) const override;
    // Every other pile that is empty or whose top card is one number higher, any suit.
    void identify_drag_targets(CardSprite const& c, Loc const& from) override;
    // The framework's drop, then, in the same undo entry, every completed run to the first
    // empty foundation, each scoring 1300 and turning up the card it lay on.
    void drag_drop() override;
    // Turns up face-down tops, with sound, once everything started so far has ended.
    void flip_tableau() override;
    unsigned max_tableau() const override { return piles; }
    unsigned max_foundation() const override { return foundation_count; }
    // The stock holds cards or a run can go onto another pile.
    bool has_any_move() const override;

    // One card face up onto every pile, empty ones too, as one recorded move; nothing when
    // the stock is empty. Completed runs wait for the next drop.
    void deal_from_stock();
    // The place on pile t for the card from `from`, or NONE.
    Loc may_move_to_tableau_t(CardSprite const& c, Loc const& from, unsigned t) const;
    // The first pile's place for the card, or NONE.
    Loc may_move_to_any_tableau(CardSprite const& c, Loc const& from) const;
    // The position of the King of a face-up King-to-Ace run of one suit at the top of pile
    // t, or -1.
    int complete_run_at(unsigned t) const;

private:
    // Moves the run from position `king` of pile t to the first empty foundation.
    void remove_run(unsigned t, int king);
};

class SpiderCreator : public SolitaireRules::Creator {
public:
    // The option byte and three reserved bytes.
    void save_options(FILE* f) override;
    void read_options(FILE* f) override;
    Player::Game_Type game_type() const override { return Player::SPIDER; }
    SolitaireRules* create() override;
};
