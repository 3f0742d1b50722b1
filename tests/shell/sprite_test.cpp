#include <gtest/gtest.h>

#include "blit_job_manager.h"
#include "fade_sprite.h"
#include "screen_hacks.h"
#include "sprite.h"
#include "sprite_effectors.h"
#include "support.h"

namespace {

class Sprites : public ::testing::Test {
protected:
    void SetUp() override {
        bjmgr.reset({1024, 768}, 8);
        bjmgr.flip();
    }
    void TearDown() override {
        bjmgr.clear();
        ScreenHacks::set_screen_view({1024, 768});
    }
};

// Records mouse handler calls.
class Probe : public Sprite {
public:
    using Sprite::Sprite;
    bool on_mouse_motion(int x, int y, bool no_button) override {
        calls.push_back("motion " + std::to_string(x) + "," + std::to_string(y) + (no_button ? " free" : " held"));
        return true;
    }
    bool on_mouse_down(int x, int y) override {
        calls.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    bool on_mouse_up(int, int) override {
        calls.push_back("up");
        return true;
    }
    std::vector<std::string> calls;
};

TEST_F(Sprites, WithoutLoadedImageNothingIsDrawnOrHit) {
    Surf unloaded("none", nullptr);
    unloaded.set_world_wh({10, 10});
    Sprite bare, blank(&unloaded, {0, 0});
    bare.display(nullptr);
    blank.display(nullptr);
    EXPECT_TRUE(bjmgr.jobs().empty());
    EXPECT_FALSE(blank.is_inside(1, 1));
    EXPECT_EQ(blank.display_region(), E2::Rect<int>(0, 0, 10, 10));
    EXPECT_EQ(bare.display_region(), E2::Rect<int>(0, 0, 1, 1));
}

TEST_F(Sprites, DrawsOneAlphaBlitAtTheScreenPosition) {
    auto img = test::solid_surf(20, 10, 0xFFFFFFFF);
    Sprite s(img.get(), {100, 200});
    s.display(nullptr);
    ASSERT_EQ(bjmgr.jobs().size(), 1u);
    BlitJob const& j = *bjmgr.jobs().front();
    EXPECT_EQ(j.flags, unsigned(E2::op_blit | E2::blend_alpha));
    EXPECT_EQ(j.rect, E2::Rect<int>(100, 200, 20, 10));
    EXPECT_EQ(j.ai, 255);
    bjmgr.flip();
    ScreenHacks::set_screen_view({800, 600});
    s.display(nullptr);
    EXPECT_EQ(bjmgr.jobs().front()->rect.x, 78);
    EXPECT_EQ(bjmgr.jobs().front()->rect.y, 156);
}

TEST_F(Sprites, HitTestExcludesRightAndBottomEdges) {
    auto img = test::solid_surf(20, 10, 0xFFFFFFFF);
    Sprite s(img.get(), {100, 200});
    EXPECT_TRUE(s.is_inside(100, 200));
    EXPECT_TRUE(s.is_inside(E2::Vec2<int>(119, 209)));
    EXPECT_FALSE(s.is_inside(120, 205));
    EXPECT_FALSE(s.is_inside(110, 210));
    EXPECT_FALSE(s.is_inside(99, 205));
}

TEST_F(Sprites, CenteringUsesTheWorldSize) {
    auto img = test::solid_surf(21, 11, 0xFFFFFFFF);
    Sprite s(img.get(), {0, 0});
    s.center_at({100, 100});
    EXPECT_EQ(s.pos(), E2::Vec2<int>(90, 95));
    s.set_pos_center();
    EXPECT_EQ(s.pos(), E2::Vec2<int>(502, 379));
    Sprite bare;
    bare.center_at({7, 8});
    EXPECT_EQ(bare.pos(), E2::Vec2<int>(7, 8));
}

TEST_F(Sprites, MouseEventsFollowTheFlags) {
    auto img = test::solid_surf(20, 20, 0xFFFFFFFF);
    Probe p(img.get(), {10, 10});
    SDL_Event down = test::mouse_button(SDL_MOUSEBUTTONDOWN, 3, 15, 15);
    SDL_Event up_outside = test::mouse_button(SDL_MOUSEBUTTONUP, 1, 50, 50);
    SDL_Event move = test::mouse_motion(500, 500, 1, 1, 0);
    SDL_Event drag = test::mouse_motion(12, 12, 1, 1, SDL_BUTTON(1));
    SDL_Event key = test::key_down(SDLK_a);
    SDL_Event wheel = test::mouse_button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP, 15, 15);
    EXPECT_FALSE(p.proc_event(&down));
    EXPECT_FALSE(p.proc_event(&move));
    p.flags = Sprite::takes_buttons;
    EXPECT_TRUE(p.proc_event(&down));
    EXPECT_FALSE(p.proc_event(&wheel));
    EXPECT_FALSE(p.proc_event(&up_outside));
    EXPECT_FALSE(p.proc_event(&move));
    p.flags = Sprite::takes_motion;
    EXPECT_TRUE(p.proc_event(&move));  // motion needs no hit
    EXPECT_TRUE(p.proc_event(&drag));
    EXPECT_FALSE(p.proc_event(&key));
    EXPECT_EQ(p.calls, (std::vector<std::string>{"down 15,15", "motion 500,500 free", "motion 12,12 held"}));
}

TEST(Effectors, AddPutsFirstAndChainJoinsTheFirstChain) {
    Sprite s;
    auto* a = new NullEffector(10);
    auto* b = new NullEffector(10);
    s.add_eff(b);
    s.add_eff(a);
    EXPECT_EQ(s.effectors(), (std::list<SpriteEffector*>{a, b}));
    auto* e = new NullEffector(5);
    s.chain_eff(e);
    ASSERT_EQ(s.effectors().size(), 2u);
    auto* chain = dynamic_cast<ChainedEffector*>(s.effectors().front());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->members(), (std::list<SpriteEffector*>{a, e}));
    EXPECT_EQ(s.effectors().back(), b);
    auto* f = new NullEffector(5);
    s.chain_eff(f);
    EXPECT_EQ(chain->members(), (std::list<SpriteEffector*>{a, e, f}));
    Sprite empty;
    auto* g = new NullEffector(1);
    empty.chain_eff(g);
    EXPECT_EQ(empty.effectors(), (std::list<SpriteEffector*>{g}));
}

TEST(Effectors, ChainingAfterAFinishedChainStillRuns) {
    Sprite s;
    s.set_pos(0, 0);
    s.add_eff(new NullEffector(0));
    s.chain_eff(new NullEffector(0));
    s.tick(0, 1);
    s.tick(0, 1);  // both members done; the chain goes at the next tick
    s.chain_eff(new MoveToEffector(&s, {40, 0}, 0));
    for (int i = 0; i < 4; ++i) s.tick(0, 1);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(40, 0));
}

TEST(Effectors, ZeroDurationMoveWithZeroStepStaysFinite) {
    Sprite s;
    s.set_pos(5, 5);
    MoveToEffector m(&s, {9, 9}, 0);
    m.tick(0, 0);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(5, 5));
    m.tick(0, 1);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(9, 9));
}

TEST(Effectors, WaitThenMoveStartsFromWhereTheSpriteIsThen) {
    Sprite s;
    s.set_pos(0, 0);
    s.add_eff(new NullEffector(0));
    s.chain_eff(new MoveToEffector(&s, {100, 50}, 100));
    s.tick(0, 10);  // the wait is done after its first tick
    EXPECT_EQ(s.pos(), E2::Vec2<int>(0, 0));
    s.set_pos(20, 10);  // moved by someone else before the move runs
    s.tick(0, 50);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(60, 30));
    s.tick(0, 50);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(100, 50));
    s.tick(0, 1);  // past the end: at the target, done
    EXPECT_EQ(s.pos(), E2::Vec2<int>(100, 50));
    s.tick(0, 1);  // the chain is dropped a tick after it is done
    s.tick(0, 1);
    EXPECT_TRUE(s.effectors().empty());
}

TEST(Effectors, OverdueMoveJumpsToTheTargetInItsFirstTick) {
    Sprite s;
    auto* m = new MoveToEffector(&s, {-7, 9}, 30);
    s.add_eff(m);
    s.tick(0, 31);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(-7, 9));
    EXPECT_TRUE(m->is_done());
    s.tick(0, 10);
    EXPECT_TRUE(s.effectors().empty());
}

TEST(Effectors, MovesTruncateTowardZero) {
    Sprite s;
    s.set_pos(10, 10);
    MoveToEffector m(&s, {0, 0}, 3);
    m.tick(0, 1);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(6, 6));  // 10 - 10/3 = 6.67
    m.tick(0, 1);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(3, 3));
}

TEST(Effectors, ChainAdvancesOneMemberPerTickAndOwnsTheRest) {
    Sprite s;
    auto* chain = new ChainedEffector(&s, new NullEffector(0), nullptr);
    chain->add_eff(new NullEffector(0));
    chain->add_eff(nullptr);
    EXPECT_EQ(chain->members().size(), 2u);
    s.add_eff(chain);
    s.tick(0, 10);
    EXPECT_FALSE(chain->is_done());
    s.tick(0, 10);
    EXPECT_TRUE(chain->is_done());
    ChainedEffector empty(&s, nullptr, nullptr);
    empty.tick(0, 1);
    EXPECT_TRUE(empty.is_done());
    // Deleting a sprite with a half-run chain frees its members (checked by the leak checker).
    Sprite other;
    other.add_eff(new ChainedEffector(&other, new NullEffector(100), new NullEffector(100)));
    other.tick(0, 10);
}

TEST(Effectors, HasMovedYetLooksIntoChains) {
    Sprite s;
    s.set_pos(0, 0);
    IfHasMovedYet moved(true), still(false);
    EXPECT_FALSE(moved(&s));
    EXPECT_TRUE(still(&s));
    s.add_eff(new NullEffector(0));
    s.chain_eff(new MoveToEffector(&s, {10, 0}, 100));
    s.tick(0, 10);
    EXPECT_FALSE(moved(&s));
    s.tick(0, 50);
    EXPECT_TRUE(moved(&s));
    EXPECT_FALSE(still(&s));
}

TEST(Effectors, CancelEndsAnEffector) {
    Sprite s;
    auto* m = new MoveToEffector(&s, {100, 100}, 100);
    s.add_eff(m);
    m->cancel();
    s.tick(0, 50);
    EXPECT_EQ(s.pos(), E2::Vec2<int>(0, 0));
    EXPECT_TRUE(s.effectors().empty());
}

TEST_F(Sprites, FadeSpritesRunTheirIntensity) {
    auto img = test::solid_surf(4, 4, 0xFFFFFFFF);
    FadeSprite out(img.get(), {0, 0}, 100);
    FadeInSprite in(img.get(), {0, 0}, 100);
    EXPECT_EQ(out.intensity(), 255);
    EXPECT_EQ(in.intensity(), 0);
    out.tick(0, 50);
    in.tick(0, 50);
    EXPECT_EQ(out.intensity(), 128);
    EXPECT_EQ(in.intensity(), 127);
    in.display(nullptr);
    out.tick(0, 60);
    EXPECT_TRUE(out.fade_done());
    out.display(nullptr);  // invisible: no job
    ASSERT_EQ(bjmgr.jobs().size(), 1u);
    EXPECT_EQ(bjmgr.jobs().front()->ai, 127);
    out.start_fade();
    EXPECT_EQ(out.intensity(), 255);
}

}  // namespace
