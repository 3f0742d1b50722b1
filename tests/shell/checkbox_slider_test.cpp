#include <gtest/gtest.h>

#include <memory>

#include "checkbox_sprite.h"
#include "hslider_sprite.h"
#include "support.h"

namespace {

class Changes : public CheckboxSprite::Listener, public HSliderSprite::Listener {
public:
    void on_change(CheckboxSprite* cb) override { seen.push_back(cb->is_checked()); }
    void on_change(HSliderSprite* s) override { knob.push_back(s->x); }
    std::vector<bool> seen;
    std::vector<int> knob;
};

bool send(Sprite& s, SDL_Event e) { return s.proc_event(&e); }
SDL_Event press(int x, int y) { return test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, x, y); }
SDL_Event release(int x, int y) { return test::mouse_button(SDL_MOUSEBUTTONUP, 1, x, y); }
SDL_Event drag(int x, int y, bool held) { return test::mouse_motion(x, y, 0, 0, held ? SDL_BUTTON(1) : 0); }

class Checkbox : public ::testing::Test {
protected:
    void SetUp() override {
        cb.set_images(blank.get(), mark.get());
        cb.set_pos(100, 100);
        cb.register_listener(&changes);
        cb.register_listener(&changes);
    }
    std::unique_ptr<Surf> blank = test::solid_surf(20, 20, 0x000000FF);
    std::unique_ptr<Surf> mark = test::solid_surf(20, 20, 0xFFFFFFFF);
    CheckboxSprite cb;
    Changes changes;
};

TEST_F(Checkbox, EveryPressTogglesAndNotifiesOnce) {
    EXPECT_TRUE(send(cb, press(105, 105)));
    EXPECT_TRUE(cb.is_checked());
    EXPECT_EQ(cb.surface, mark.get());
    EXPECT_TRUE(send(cb, press(105, 105)));  // a checked box unchecks
    EXPECT_EQ(changes.seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(send(cb, release(105, 105)));
    EXPECT_FALSE(send(cb, drag(105, 105, false)));
    EXPECT_FALSE(send(cb, press(125, 105)));
    cb.set_checked(true);  // nobody told
    EXPECT_EQ(changes.seen.size(), 2u);
    cb.set_checked_and_notify(true);
    EXPECT_EQ(changes.seen.size(), 2u);
    cb.set_checked_and_notify(false);
    EXPECT_EQ(changes.seen.size(), 3u);
}

TEST_F(Checkbox, HitRectReachesBesideTheImage) {
    cb.set_hit_rect({-4, -4, 600, 45});
    EXPECT_EQ(cb.hit_region(), E2::Rect<int>(96, 96, 600, 45));
    EXPECT_TRUE(send(cb, press(650, 130)));
    EXPECT_TRUE(cb.is_checked());
    EXPECT_FALSE(send(cb, press(696, 130)));  // right edge excluded
    CheckboxSprite bare;
    EXPECT_EQ(bare.hit_region(), E2::Rect<int>(0, 0, 0, 0));
}

TEST_F(Checkbox, LoadPicksTheImageOfTheValue) {
    Surf a("a", nullptr), b("b", nullptr);
    CheckboxSprite c;
    c.unchecked_image = &a;
    c.checked_image = &b;
    c.set_checked(true);
    c.unchecked_image = blank.get();
    c.checked_image = mark.get();
    c.load();
    EXPECT_EQ(c.surface, mark.get());
}

class Slider : public ::testing::Test {
protected:
    void SetUp() override {
        s.surface = knob.get();
        s.left = 300;
        s.right = 500;
        s.track = {290, 200, 240, 30};
        s.set_pos(400, 200);
        s.register_listener(&changes);
    }
    std::unique_ptr<Surf> knob = test::solid_surf(21, 36, 0xFFFFFFFF);
    HSliderSprite s;
    Changes changes;
};

TEST_F(Slider, DragStopsAtTheLimitsAndEndsOnFreeMotion) {
    EXPECT_TRUE(send(s, press(405, 210)));  // on the knob
    EXPECT_TRUE(s.dragging);
    EXPECT_TRUE(send(s, drag(450, 210, true)));
    EXPECT_EQ(s.x, 450);
    EXPECT_TRUE(send(s, drag(900, 600, true)));  // far outside, past the right limit
    EXPECT_EQ(s.x, 500);
    EXPECT_FLOAT_EQ(s.value(), 1.0f);
    EXPECT_TRUE(send(s, drag(950, 600, true)));  // no change: nobody told
    EXPECT_EQ(changes.knob, (std::vector<int>{450, 500}));
    // Released outside: the next motion without a button ends the drag.
    EXPECT_FALSE(send(s, drag(420, 210, false)));
    EXPECT_FALSE(s.dragging);
    EXPECT_FALSE(send(s, drag(420, 210, true)));
    EXPECT_EQ(s.x, 500);
}

TEST_F(Slider, TrackClicksJumpTheKnob) {
    EXPECT_TRUE(send(s, press(295, 210)));  // left of the left limit
    EXPECT_EQ(s.x, 300);
    EXPECT_FLOAT_EQ(s.value(), 0.0f);
    EXPECT_FALSE(s.dragging);
    EXPECT_TRUE(send(s, release(295, 210)));
    EXPECT_FALSE(send(s, press(295, 230)));  // below the track
    EXPECT_EQ(changes.knob, (std::vector<int>{300}));
}

TEST_F(Slider, ValueAndSetValue) {
    s.set_value(1.0f);
    EXPECT_EQ(s.x, 500);
    EXPECT_FLOAT_EQ(s.value(), 1.0f);
    s.set_value(0.25f);
    EXPECT_EQ(s.x, 350);
    s.set_value(1.5f);  // not clamped
    EXPECT_EQ(s.x, 600);
    EXPECT_TRUE(changes.knob.empty());
    s.right = s.left;  // no range: no division by zero
    EXPECT_FLOAT_EQ(s.value(), 0.0f);
}

}  // namespace
