#include <gtest/gtest.h>

#include "rules_support.h"
#include "screen_hacks.h"
#include "undo.h"

namespace {

using rules_test::pile_text;
using rules_test::TestGame;

class RulesDrag : public ::testing::Test {
protected:
    void SetUp() override { rules_test::install_card_images(); }
    void TearDown() override { ScreenHacks::set_screen_view({1024, 768}); }

    // A press at (x, y) at time t, with the pointer there.
    bool press(int x, int y, unsigned t) {
        in.input.now = t;
        in.input.mouse = {x, y};
        last = {x, y};
        return g.on_mouse_down(x, y);
    }
    // Motion with the button held.
    void drag(int x, int y) {
        g.on_mouse_motion({x, y}, {x - last.x, y - last.y}, false);
        last = {x, y};
    }
    bool release(int x, int y) { return g.on_mouse_up(x, y); }

    rules_test::ScopedInput in;
    TestGame g;
    E2::Vec2<int> last;
};

TEST_F(RulesDrag, PickUpTakesTheCardWithTheCardsOnItAndListsTargets) {
    g.put(Loc(Loc::TABLEAU, 0, 0), 9, Card::CLUBS, false);
    CardSprite* a = g.put(Loc(Loc::TABLEAU, 0, 0), 8, Card::HEARTS);
    CardSprite* b = g.put(Loc(Loc::TABLEAU, 0, 0), 7, Card::CLUBS);
    EXPECT_FALSE(press(120, 310, 5000)) << "a face-down card is not taken";
    ASSERT_TRUE(press(120, 340, 5000));
    ASSERT_EQ(g.blob.cards.size(), 2u);
    EXPECT_EQ(g.blob.cards[0], a);
    EXPECT_EQ(g.blob.cards[1], b);
    EXPECT_EQ(g.blob.origins[0], Loc(Loc::TABLEAU, 0, 1));
    EXPECT_EQ(g.blob.origins[1], Loc(Loc::TABLEAU, 0, 2));
    EXPECT_EQ(g.tableau[0].size(), 1u);
    EXPECT_TRUE(g.in_drag());
    // Two cards: tableau piles only.
    ASSERT_EQ(g.blob.targets.size(), 2u);
    EXPECT_EQ(g.blob.targets[0], Loc(Loc::TABLEAU, 1, 0));
    EXPECT_EQ(g.blob.press_ms, 5000u);
    EXPECT_EQ(g.blob.press_pos, E2::Vec2<int>(120, 340));

    // Carried cards follow the pointer.
    drag(150, 360);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(130, 350));
    EXPECT_EQ(b->pos(), E2::Vec2<int>(130, 380));
    // Motion without a button carries nothing.
    g.on_mouse_motion({500, 500}, {350, 140}, true);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(130, 350));
}

TEST_F(RulesDrag, ThePressPointIsReadInTheWorld) {
    ScreenHacks::set_screen_view({800, 600});
    g.put(Loc(Loc::TABLEAU, 0, 0), 8, Card::HEARTS);
    in.input.mouse = {100, 250};  // screen pixels
    in.input.now = 777;
    ASSERT_TRUE(g.on_mouse_down(128, 320));
    EXPECT_EQ(g.blob.press_pos, E2::Vec2<int>(128, 320));
    EXPECT_EQ(g.blob.press_ms, 777u);
}

TEST_F(RulesDrag, NothingLightsWithin32PixelsOfThePressOrBeyond384FromTheTarget) {
    Loc t(Loc::FOUNDATION, 0, 0);
    E2::Vec2<int> c = g.center_of(t);
    EXPECT_EQ(c, E2::Vec2<int>(649, 122));
    g.blob.press_pos = {c.x - 32, c.y};
    EXPECT_FALSE(g.is_proximal({c.x, c.y}, t));  // exactly 32 from the press
    g.blob.press_pos = {c.x - 32, c.y - 1};
    EXPECT_TRUE(g.is_proximal({c.x, c.y}, t));

    g.blob.press_pos = {0, 700};
    EXPECT_TRUE(g.is_proximal({c.x + 383, c.y}, t));
    EXPECT_FALSE(g.is_proximal({c.x + 384, c.y}, t));  // exactly 384 from the centre
    EXPECT_EQ(g.proximity_dist_sqr(), 147456);
}

TEST_F(RulesDrag, EquallyNearTargetsGoToTheFirstListed) {
    EXPECT_EQ(g.closest_target({0, 0}), Loc());
    Loc f0(Loc::FOUNDATION, 0, 0), f1(Loc::FOUNDATION, 1, 0);
    g.blob.append_target(f1, 0);
    g.blob.append_target(f0, 0);
    E2::Vec2<int> mid(724, 122);  // halfway between the two centres
    EXPECT_EQ(g.closest_target(mid), f1);
    g.blob.reset();
    g.blob.append_target(f0, 0);
    g.blob.append_target(f1, 0);
    EXPECT_EQ(g.closest_target(mid), f0);
    EXPECT_EQ(g.closest_target({mid.x + 1, mid.y}), f1);
}

TEST_F(RulesDrag, ADropMovesTheCardsScoresOnceAndCountsOneMove) {
    g.put(Loc(Loc::TABLEAU, 2, 0), 13, Card::SPADES);
    CardSprite* ace = g.put(Loc(Loc::TABLEAU, 0, 0), 1, Card::HEARTS);
    ASSERT_TRUE(press(120, 320, 1000));
    drag(640, 120);
    EXPECT_EQ(g.blob.chosen, Loc(Loc::FOUNDATION, 0, 0));
    EXPECT_TRUE(g.blob.chosen_glowing);
    ASSERT_EQ(g.glowslots.size(), 1u);  // the empty foundation lit by a glow sprite
    EXPECT_TRUE(g.glowslots[0]->glow);
    EXPECT_EQ(g.glowslots[0]->pos(), E2::Vec2<int>(600, 50));
    EXPECT_TRUE(release(640, 120));
    EXPECT_FALSE(g.in_drag());
    EXPECT_FALSE(ace->glow);
    EXPECT_FALSE(g.glowslots[0]->glow);
    EXPECT_EQ(pile_text(g.foundations[0]), "1h");
    EXPECT_EQ(g.pending_score, 11);
    EXPECT_EQ(g.pending_moves, 1);
    ASSERT_EQ(g.undo_stack.size(), 1u);
    EXPECT_EQ(g.undo_stack[0]->score, 11);
    EXPECT_FALSE(g.recording);
    // The press marks are gone: the next click cannot be a double click's second.
    EXPECT_EQ(g.blob.press_pos, E2::Vec2<int>(-9999, -9999));
    EXPECT_EQ(g.blob.prev_press_ms, 0u);
    rules_test::run_animations(g);
    EXPECT_EQ(ace->pos(), E2::Vec2<int>(600, 50));
}

TEST_F(RulesDrag, GlowFollowsThePointerAndTheGlowSpriteIsReused) {
    CardSprite* k = g.put(Loc(Loc::TABLEAU, 0, 0), 13, Card::SPADES);
    CardSprite* q = g.put(Loc(Loc::TABLEAU, 1, 0), 12, Card::HEARTS);
    ASSERT_TRUE(press(120, 320, 1000));
    drag(300, 330);  // over pile 1's card
    EXPECT_EQ(g.blob.chosen, Loc(Loc::TABLEAU, 1, 0));
    EXPECT_TRUE(q->glow);
    EXPECT_TRUE(g.glowslots.empty());
    drag(540, 360);  // over the empty pile 2
    EXPECT_EQ(g.blob.chosen, Loc(Loc::TABLEAU, 2, 0));
    EXPECT_FALSE(q->glow);
    ASSERT_EQ(g.glowslots.size(), 1u);
    CardSprite* marker = g.glowslots[0];
    EXPECT_TRUE(marker->glow);
    EXPECT_EQ(marker->pos(), E2::Vec2<int>(500, 300));
    EXPECT_TRUE(k->glow);  // the carried card stays lit
    drag(1000, 760);  // far from every target
    EXPECT_FALSE(g.blob.chosen_glowing);
    EXPECT_FALSE(marker->glow);
    drag(790, 130);  // the empty foundation 1
    EXPECT_EQ(g.blob.chosen, Loc(Loc::FOUNDATION, 1, 0));
    ASSERT_EQ(g.glowslots.size(), 1u);
    EXPECT_TRUE(marker->glow);
    EXPECT_EQ(marker->pos(), E2::Vec2<int>(750, 50));
}

TEST_F(RulesDrag, AReleaseNearThePressSendsTheCardsBack) {
    CardSprite* a = g.put(Loc(Loc::TABLEAU, 0, 0), 5, Card::CLUBS);
    ASSERT_TRUE(press(120, 320, 1000));
    drag(150, 330);  // 31.6 px away; pile 0's own targets are all farther than that
    EXPECT_FALSE(g.blob.chosen_glowing);
    EXPECT_TRUE(release(150, 330));
    EXPECT_EQ(pile_text(g.tableau[0]), "5c");
    EXPECT_EQ(g.pending_moves, 0);
    EXPECT_TRUE(g.undo_stack.empty());
    EXPECT_EQ(g.blob.press_ms, 1000u) << "the press marks stay";
    rules_test::run_animations(g);
    EXPECT_EQ(a->pos(), E2::Vec2<int>(100, 300));
    EXPECT_FALSE(release(100, 300)) << "nothing carried";
}

TEST_F(RulesDrag, DoubleClickWithin400MsAndUnder50SquaredPixels) {
    struct Case {
        unsigned gap;
        int dx, dy;
        bool doubled;
    } const cases[] = {{400, 7, 0, true}, {401, 0, 0, false}, {100, 5, 5, false}, {0, 4, 5, true}};
    for (Case const& c : cases) {
        TestGame fresh;
        fresh.put(Loc(Loc::TABLEAU, 2, 0), 9, Card::CLUBS);
        fresh.put(Loc(Loc::TABLEAU, 0, 0), 1, Card::DIAMONDS);
        in.input.mouse = {120, 320};
        in.input.now = 3000;
        ASSERT_TRUE(fresh.on_mouse_down(120, 320));
        fresh.on_mouse_up(120, 320);
        ASSERT_EQ(fresh.tableau[0].size(), 1u);
        in.input.now = 3000 + c.gap;
        ASSERT_TRUE(fresh.on_mouse_down(120, 320));
        fresh.on_mouse_up(120 + c.dx, 320 + c.dy);
        EXPECT_EQ(fresh.double_clicks, c.doubled ? 1 : 0) << c.gap << " ms " << c.dx << "," << c.dy;
        // The tableau target is listed first, the foundation wins.
        EXPECT_EQ(fresh.foundations[0].size(), c.doubled ? 1u : 0u);
        EXPECT_EQ(fresh.pending_moves, c.doubled ? 1 : 0);
    }
}

TEST_F(RulesDrag, ADoubleClickWithoutTargetsSendsBackAndAThirdClickIsNoSecondDouble) {
    g.targets_rule = [](TestGame&, CardSprite const&, Loc const&) {};
    g.put(Loc(Loc::TABLEAU, 0, 0), 4, Card::CLUBS);
    for (unsigned t : {1000u, 1200u, 1400u}) {
        ASSERT_TRUE(press(120, 320, t));
        EXPECT_TRUE(release(120, 320));
        EXPECT_EQ(pile_text(g.tableau[0]), "4c");
    }
    EXPECT_EQ(g.double_clicks, 1);
    EXPECT_EQ(g.pending_moves, 0);
    EXPECT_TRUE(g.undo_stack.empty());
}

TEST_F(RulesDrag, ADoubleClickPlaysTheFirstTargetWithoutAFoundation) {
    g.put(Loc(Loc::TABLEAU, 0, 0), 7, Card::CLUBS);
    g.put(Loc(Loc::TABLEAU, 0, 0), 6, Card::HEARTS);
    // Two cards carried: tableau targets only, pile 1 first.
    ASSERT_TRUE(press(120, 310, 1000));
    release(120, 310);
    ASSERT_TRUE(press(120, 310, 1100));
    release(120, 310);
    EXPECT_EQ(g.double_clicks, 1);
    EXPECT_EQ(pile_text(g.tableau[1]), "7c 6h");
}

TEST_F(RulesDrag, ADropOnAnUnlistedChoiceAddsNoScore) {
    g.targets_rule = [](TestGame& game, CardSprite const&, Loc const&) {
        game.blob.append_target(Loc(Loc::FOUNDATION, 0, 0), 500);
    };
    g.put(Loc(Loc::TABLEAU, 0, 0), 3, Card::CLUBS);
    ASSERT_TRUE(press(120, 320, 1000));
    g.blob.chosen = Loc(Loc::TABLEAU, 2, 0);
    g.drag_drop();
    EXPECT_EQ(pile_text(g.tableau[2]), "3c");
    EXPECT_EQ(g.pending_score, 0);
    EXPECT_EQ(g.pending_moves, 1);
}

}  // namespace
