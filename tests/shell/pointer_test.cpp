#include <gtest/gtest.h>

#include <memory>

#include "pointer_butterfly.h"
#include "pointer_sprite.h"
#include "support.h"
#include "widget_support.h"

namespace {

using test::take_jobs;

int mouse_x = 0, mouse_y = 0;
Uint8 mouse_buttons = 0;

Uint8 fake_mouse(int* x, int* y) {
    *x = mouse_x;
    *y = mouse_y;
    return mouse_buttons;
}

class Pointer : public test::Widgets {
protected:
    void SetUp() override {
        test::Widgets::SetUp();
        p.normal = arrow.get();
        p.click = pressed.get();
        p.mouse_state = fake_mouse;
        mouse_x = 300;
        mouse_y = 200;
        mouse_buttons = 0;
    }
    std::unique_ptr<Surf> arrow = test::solid_surf(32, 32, 0xFFFFFFFF);
    std::unique_ptr<Surf> pressed = test::solid_surf(32, 32, 0xFF0000FF);
    PointerSprite p;
};

TEST_F(Pointer, HiddenUntilShownThenDrawnWithItsHotSpotOnTheMouse) {
    p.tick(0, 10);
    p.display(nullptr);
    EXPECT_TRUE(take_jobs().empty());
    p.show();
    p.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].surface, arrow.get());
    EXPECT_EQ(jobs[0].rect, E2::Rect<int>(294, 194, 32, 32));
    EXPECT_EQ(p.pos(), E2::Vec2<int>(300, 200));  // the offset is only for drawing
    p.hide();
    EXPECT_FALSE(p.is_shown());
}

TEST_F(Pointer, OnlyTheLeftButtonShowsTheClickImage) {
    p.show();
    for (Uint8 mask : {Uint8(SDL_BUTTON(2)), Uint8(SDL_BUTTON(3))}) {
        mouse_buttons = mask;
        p.tick(0, 10);
        EXPECT_EQ(p.surface, arrow.get());
    }
    mouse_buttons = SDL_BUTTON(1) | SDL_BUTTON(3);
    p.tick(0, 10);
    EXPECT_EQ(p.surface, pressed.get());
}

TEST_F(Pointer, FollowsTheMouseInWorldCoordinates) {
    ScreenHacks::set_screen_view({800, 600});
    p.show();
    mouse_x = 400;
    mouse_y = 300;
    p.tick(0, 10);
    EXPECT_EQ(p.pos(), E2::Vec2<int>(512, 384));
    p.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].rect.x, ScreenHacks::world_to_screen_pos({506, 378}).x);
    EXPECT_EQ(jobs[0].rect.y, ScreenHacks::world_to_screen_pos({506, 378}).y);
}

TEST_F(Pointer, TheCompanionIsOneEmptySprite) {
    Sprite* b = _pointer_butterfly();
    EXPECT_EQ(b, _pointer_butterfly());
    b->display(nullptr);
    SDL_Event click = test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, 0, 0);
    EXPECT_FALSE(b->proc_event(&click));
    EXPECT_TRUE(take_jobs().empty());
}

}  // namespace

namespace {

class Butterfly : public test::Widgets {
protected:
    void SetUp() override {
        test::Widgets::SetUp();
        b.follows = nullptr;
        b.wings[0] = up.get();
        b.wings[1] = down.get();
        b.target = {400, 300};
    }
    std::unique_ptr<Surf> up = test::solid_surf(8, 8, 0xFFFFFFFF);
    std::unique_ptr<Surf> down = test::solid_surf(8, 8, 0x808080FF);
    PointerButterfly b;
};

TEST_F(Butterfly, ComesWhenTheMouseRestsAndLeavesWhenItMoves) {
    b.tick(0, 1000);  // the target is new: the rest starts now
    b.tick(0, 1000);
    b.display(nullptr);
    EXPECT_TRUE(take_jobs().empty());  // off screen
    EXPECT_FALSE(b.behavior()->visible());
    b.tick(0, 1000);
    EXPECT_TRUE(b.behavior()->visible());
    for (int i = 0; i < 400; ++i) b.tick(0, 10);
    EXPECT_EQ(b.pos(), E2::Vec2<int>(414, 270));  // perched beside the pointer
    b.display(nullptr);
    EXPECT_EQ(take_jobs().size(), 1u);
    b.target = {420, 300};
    b.tick(0, 10);
    b.tick(0, 10);
    E2::Vec2<int> leaving = b.pos();
    EXPECT_LT(leaving.y, 270);
    for (int i = 0; i < 170; ++i) b.tick(0, 10);  // off the canvas in about 1.6 s
    EXPECT_FALSE(b.behavior()->visible());
    for (int i = 0; i < 40; ++i) b.tick(0, 10);  // resting 2 s again: back it comes
    EXPECT_TRUE(b.behavior()->visible());
}

}  // namespace
