#pragma once
// Shared pieces of the rules tests: card images without decoding, a scripted clock and
// pointer, and a small game with three tableau piles, two foundations, two cells, a
// stock and a waste, whose rule lets any carried cards go to another tableau pile and a
// single card to any foundation.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "card_sprite.h"
#include "engine/temp_dir.h"
#include "player.h"
#include "rule_options.h"
#include "rules_creator.h"
#include "rules_input.h"
#include "solitaire_rules.h"

namespace rules_test {

// Fills the card image cache with loaded 1x1 images of world size 99x144 (the glow
// 107x152), one distinct image per key. Kept for the whole run.
void install_card_images();

// Card images installed and the rule options at their defaults, and again after the test.
class RulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        install_card_images();
        reset_rule_options();
    }
    void TearDown() override { reset_rule_options(); }
};

// The same with the current profile in a game (as Klondike's reset button wants), put back
// as it was after the test.
class InGameTest : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        saved_ = *Player::cur();
        Player::cur()->in_progress = true;
    }
    void TearDown() override {
        RulesTest::TearDown();
        *Player::cur() = saved_;
    }

private:
    Player saved_;
};

// A fresh working folder for loose image files, and the video on a 1024 x 768 window.
class LooseFiles : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A loose image file that the loader finds but cannot decode.
    static void blank(std::string const& name);
    // A decodable w x h image.
    static void image(std::string const& name, int w, int h);

private:
    TempDir dir_;
    std::string old_cwd_;
};

class FakeInput : public RulesInput {
public:
    unsigned ticks() override { return now; }
    E2::Vec2<int> mouse_pos() override { return mouse; }
    unsigned now = 10000;
    E2::Vec2<int> mouse;
};

// Installs a FakeInput for its lifetime.
class ScopedInput {
public:
    ScopedInput() { set_rules_input(&input); }
    ~ScopedInput() { set_rules_input(nullptr); }
    FakeInput input;
};

class TestGame : public SolitaireRules {
public:
    static constexpr unsigned tableau_piles = 3;
    static constexpr unsigned foundation_piles = 2;

    TestGame();

    std::string namecode() const override { return "testgame"; }
    // Boxes for `options`, without images.
    OptionsPopup* options_popup() override;
    void notify_options_changed(std::vector<bool> const& values) override;
    void deal() override;
    void perform_basic_action() override { ++basic_actions; }
    void perform_double_click_action() override {
        ++double_clicks;
        SolitaireRules::perform_double_click_action();
    }
    bool on_mouse_down(int x, int y) override;
    bool is_won() const override { return foundation_contains_all_cards(); }
    // Tableau (100 + 200p, 300 + 30i); foundations (600 + 150f, 50); stock (50, 50);
    // waste (200, 50); cells (100 + 150c, 600); NONE (0, 0).
    E2::Vec2<int> pos_of(Loc const& l) const override;
    Loc back_of(Loc const& l) const override;
    // Other tableau piles, then (single cards) the foundations; or `targets_rule`.
    void identify_drag_targets(CardSprite const& c, Loc const& origin) override;
    // Turns up face-down tops once everything started so far has ended.
    void flip_tableau() override;
    unsigned max_tableau() const override { return tableau_piles; }
    unsigned max_foundation() const override { return foundation_piles; }
    bool has_any_move() const override { return false; }
    void reposition_everything() override {
        ++repositions;
        SolitaireRules::reposition_everything();
    }

    // A card made for the test, placed at once at its place.
    CardSprite* put(Loc const& where, unsigned short no, Card::Suit suit, bool face_up = true);
    // The top place of a pile of the given kind (position 0 when empty).
    Loc top(std::int32_t kind, int pile);

    std::function<void(TestGame&, CardSprite const&, Loc const&)> targets_rule;
    std::vector<bool> options{false, false, false};
    std::vector<std::vector<bool>> notified;
    // Called with the applied values, as a game stores them in its options.
    std::function<void(std::vector<bool> const&)> store_options;
    int basic_actions = 0;
    int double_clicks = 0;
    int repositions = 0;
};

class TestCreator : public SolitaireRules::Creator {
public:
    explicit TestCreator(Player::Game_Type type) : type_(type) {}
    void save_options(FILE* f) override { save_game_options(type_, f); }
    void read_options(FILE* f) override { read_game_options(type_, f); }
    Player::Game_Type game_type() const override { return type_; }
    SolitaireRules* create() override {
        ++created;
        return new TestGame;
    }
    int created = 0;

private:
    Player::Game_Type type_;
};

// Registers a creator for the test's lifetime and puts back whatever was registered.
class ScopedCreator {
public:
    explicit ScopedCreator(SolitaireRules::Creator* c);
    ~ScopedCreator();

private:
    Player::Game_Type type_;
    SolitaireRules::Creator* old_ = nullptr;
    bool had_ = false;
};

// Ticks the game by dt until no card moves (at most `limit` ticks); the number of ticks.
int run_animations(SolitaireRules& g, unsigned dt = 10, int limit = 1000);

// The cards' ranks and suits of a pile, bottom first: "1c 13s".
std::string pile_text(Deck const& d);

}  // namespace rules_test
