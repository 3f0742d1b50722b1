#include <gtest/gtest.h>

#include <memory>

#include "button_sprite.h"
#include "frame_loop.h"
#include "support.h"
#include "widget_support.h"

namespace {

using test::take_jobs;

// Counts its sounds instead of playing them.
class CountingButton : public ButtonSprite {
public:
    void _play_snd_over() const override { ++overs; }
    void _play_snd_click() const override { ++clicks_heard; }
    mutable int overs = 0;
    mutable int clicks_heard = 0;
};

class Clicks : public ButtonSprite::Listener {
public:
    bool on_click(ButtonSprite*) override {
        ++count;
        return true;
    }
    int count = 0;
};

// A 100x40 button at (200, 300) with distinct state images and a glow.
class Button : public test::Widgets {
protected:
    void SetUp() override {
        test::Widgets::SetUp();
        b.set_images(up.get(), hover.get(), pressed.get(), off.get());
        b.glow = glow.get();
        b.set_pos(200, 300);
        b.register_listener(&clicks);
        b.register_listener(&clicks);  // once only
        stop_event_drain = false;
    }
    void TearDown() override {
        stop_event_drain = false;
        test::Widgets::TearDown();
    }
    bool send(SDL_Event e) { return b.proc_event(&e); }
    bool move(int x, int y, bool held = false) { return send(test::mouse_motion(x, y, 0, 0, held ? SDL_BUTTON(1) : 0)); }
    bool press(int x, int y) { return send(test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, x, y)); }
    bool release(int x, int y) { return send(test::mouse_button(SDL_MOUSEBUTTONUP, 1, x, y)); }
    // The glow job's intensity, or -1 without one.
    int glow_ai() {
        b.display(nullptr);
        for (BlitJob const& j : take_jobs())
            if (j.surface == glow.get()) return j.ai;
        return -1;
    }

    std::unique_ptr<Surf> up = test::solid_surf(100, 40, 0x101010FF);
    std::unique_ptr<Surf> hover = test::solid_surf(100, 40, 0x202020FF);
    std::unique_ptr<Surf> pressed = test::solid_surf(100, 40, 0x303030FF);
    std::unique_ptr<Surf> off = test::solid_surf(100, 40, 0x404040FF);
    std::unique_ptr<Surf> glow = test::solid_surf(100, 40, 0x808080FF);
    CountingButton b;
    Clicks clicks;
};

TEST_F(Button, GlowFadesInOver150AndOutOver400) {
    EXPECT_EQ(glow_ai(), -1);  // the first glow after construction does not fade out
    move(250, 320);
    EXPECT_EQ(b.state, ButtonSprite::over);
    EXPECT_EQ(glow_ai(), 0);
    b.tick(0, 75);
    EXPECT_EQ(glow_ai(), 127);
    b.tick(0, 75);
    EXPECT_EQ(glow_ai(), 255);
    b.tick(0, 500);
    EXPECT_EQ(glow_ai(), 255);
    move(50, 50);  // leaving at full strength
    EXPECT_EQ(glow_ai(), 255);
    b.tick(0, 200);
    EXPECT_EQ(glow_ai(), 127);
    b.tick(0, 199);
    EXPECT_EQ(glow_ai(), 0);
    b.tick(0, 1);
    EXPECT_EQ(glow_ai(), -1);
    b.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].surface, up.get());
}

TEST_F(Button, GlowIsAdditiveAndFollowsTheQualitySwitch) {
    move(250, 320);
    b.tick(0, 150);
    b.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].surface, hover.get());
    EXPECT_EQ(jobs[1].flags, E2::op_blit | E2::blend_additive);
    EXPECT_EQ(jobs[1].rect, E2::Rect<int>(200, 300, 100, 40));
    app_options().effects_quality = 0.14f;
    EXPECT_EQ(glow_ai(), -1);
}

TEST_F(Button, HoverSoundOnlyWithALoadedGlow) {
    move(250, 320);
    EXPECT_EQ(b.overs, 1);
    move(260, 320);  // still over: no second sound
    EXPECT_EQ(b.overs, 1);
    move(0, 0);
    Surf unloaded("glow", nullptr);
    b.glow = &unloaded;
    move(250, 320);
    b.glow = nullptr;
    move(0, 0);
    move(250, 320);
    EXPECT_EQ(b.overs, 1);
}

TEST_F(Button, PressWithoutMotionPlaysTheHoverSoundAndClicksOnRelease) {
    EXPECT_TRUE(press(210, 310));
    EXPECT_EQ(b.state, ButtonSprite::down);
    EXPECT_EQ(b.overs, 1);
    EXPECT_EQ(clicks.count, 0);
    EXPECT_TRUE(release(210, 310));
    EXPECT_EQ(b.state, ButtonSprite::over);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_EQ(b.clicks_heard, 1);
    EXPECT_FALSE(release(10, 10));  // outside: not routed
}

TEST_F(Button, LeavingWhilePressedCancelsUntilComingBack) {
    press(210, 310);
    EXPECT_TRUE(move(10, 10, true));
    EXPECT_EQ(b.state, ButtonSprite::normal);
    release(10, 10);
    EXPECT_EQ(clicks.count, 0);
    // Back in with the button still held: down again, and the release clicks.
    press(210, 310);
    move(10, 10, true);
    move(220, 320, true);
    EXPECT_EQ(b.state, ButtonSprite::down);
    EXPECT_EQ(clicks.count, 0);
    release(220, 320);
    EXPECT_EQ(clicks.count, 1);
}

TEST_F(Button, ClickOnPressFiresOnThePress) {
    b.click_on_press = true;
    press(210, 310);
    EXPECT_EQ(clicks.count, 1);
    release(210, 310);
    EXPECT_EQ(clicks.count, 1);
}

TEST_F(Button, StopEventDrainOnlyWhenMotionChangesTheState) {
    EXPECT_FALSE(move(10, 10));  // normal stays normal
    EXPECT_FALSE(stop_event_drain);
    EXPECT_TRUE(move(250, 320));
    EXPECT_TRUE(stop_event_drain);
    stop_event_drain = false;
    EXPECT_FALSE(move(251, 321));
    EXPECT_FALSE(stop_event_drain);
    EXPECT_TRUE(move(251, 321, true));  // over -> down
    EXPECT_TRUE(stop_event_drain);
}

TEST_F(Button, DisabledTakesNoInputAndShowsItsImageWithoutGlow) {
    move(250, 320);
    b.disable();
    EXPECT_FALSE(b.is_enabled());
    EXPECT_EQ(b.flags, 0);
    EXPECT_FALSE(press(210, 310));
    EXPECT_FALSE(move(250, 320));
    EXPECT_FALSE(b.on_mouse_down(210, 310));
    b.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].surface, off.get());
    int sounds = b.overs;
    b.set_enabled(true);
    EXPECT_EQ(b.state, ButtonSprite::normal);
    EXPECT_EQ(b.flags, Sprite::takes_motion | Sprite::takes_buttons);
    EXPECT_EQ(b.overs, sounds);
    EXPECT_EQ(clicks.count, 0);
}

TEST_F(Button, HitByTheFirstLoadedImageWhenTheCurrentOneIsNot) {
    Surf unloaded("over", nullptr);
    b.images[ButtonSprite::over] = &unloaded;
    b.images[ButtonSprite::normal] = nullptr;
    b.set_state(ButtonSprite::over);
    // Down is the first loaded one: its 100x40 at the button's place, edges excluded.
    EXPECT_TRUE(b.is_inside(200, 300));
    EXPECT_TRUE(b.is_inside(299, 339));
    EXPECT_FALSE(b.is_inside(300, 339));
    EXPECT_FALSE(b.is_inside(299, 340));
    ButtonSprite none;
    EXPECT_FALSE(none.is_inside(0, 0));
}

}  // namespace
