#include <gtest/gtest.h>

#include "screen_hacks.h"
#include "shell/events.h"

namespace {

struct ScreenHacksTest : ::testing::Test {
    void TearDown() override { ScreenHacks::set_screen_view({1024, 768}); }
    static void small() { ScreenHacks::set_screen_view({800, 600}); }
};

TEST_F(ScreenHacksTest, IdentityCopiesEverythingIncludingNegatives) {
    ASSERT_TRUE(ScreenHacks::screen_is_identity());
    EXPECT_EQ(ScreenHacks::world_to_screen_pos({-5, 7}), E2::Vec2<int>(-5, 7));
    EXPECT_EQ(ScreenHacks::screen_to_world_pos({1023, -1}), E2::Vec2<int>(1023, -1));
    EXPECT_EQ(ScreenHacks::world_to_screen(E2::Rect<int>(-3, 2, 99, 144)),
              E2::Rect<int>(-3, 2, 99, 144));
    SDL_Event e = test::mouse_motion(700, 500, -4, 3);
    EXPECT_EQ(ScreenHacks::screen_to_world(&e), E2::Vec2<int>(700, 500));
    EXPECT_EQ(ScreenHacks::screen_to_world_rel(&e), E2::Vec2<int>(-4, 3));
}

TEST_F(ScreenHacksTest, IdentityFlagFollowsBothAxes) {
    ScreenHacks::set_screen_view({1024, 600});
    EXPECT_FALSE(ScreenHacks::screen_is_identity());
    ScreenHacks::set_screen_view({1024, 768});
    EXPECT_TRUE(ScreenHacks::screen_is_identity());
}

TEST_F(ScreenHacksTest, SmallScreenRoundsToNearest) {
    small();
    EXPECT_EQ(ScreenHacks::world_to_screen_pos({100, 100}), E2::Vec2<int>(78, 78));
    EXPECT_EQ(ScreenHacks::world_to_screen_pos({2, 2}), E2::Vec2<int>(2, 2));
    EXPECT_EQ(ScreenHacks::screen_to_world_pos({1, 1}), E2::Vec2<int>(1, 1));
    EXPECT_EQ(ScreenHacks::world_to_screen_pos({1024, 768}), E2::Vec2<int>(800, 600));
    EXPECT_EQ(ScreenHacks::screen_to_world_pos({800, 600}), E2::Vec2<int>(1024, 768));
}

TEST_F(ScreenHacksTest, HalvesGoAwayFromZero) {
    // Views whose factors are 1.5 and 2.5 give exact halves.
    ScreenHacks::set_screen_view({1536, 1152});
    EXPECT_EQ(ScreenHacks::world_to_screen_pos({-1, 1}), E2::Vec2<int>(-2, 2));
    ScreenHacks::set_screen_view({2560, 1920});  // factor 2.5
    EXPECT_EQ(ScreenHacks::world_to_screen_pos({1, -1}), E2::Vec2<int>(3, -3));
}

TEST_F(ScreenHacksTest, RectanglesThatTouchStillTouch) {
    small();
    EXPECT_EQ(ScreenHacks::world_to_screen(E2::Rect<int>(1, 0, 1, 10)),
              E2::Rect<int>(1, 0, 1, 8));
    // The size is right edge minus left edge: 183 -> 143, 327 -> 255.
    EXPECT_EQ(ScreenHacks::world_to_screen(E2::Rect<int>(37, 183, 99, 144)),
              E2::Rect<int>(29, 143, 77, 112));
    // The play screen's top bar and the table below it: 48 maps to 37.5, so the bar
    // must end where the table starts.
    E2::Rect<int> bar = ScreenHacks::world_to_screen(E2::Rect<int>(0, 0, 152, 48));
    E2::Rect<int> next = ScreenHacks::world_to_screen(E2::Rect<int>(152, 0, 90, 48));
    E2::Rect<int> table = ScreenHacks::world_to_screen(E2::Rect<int>(0, 48, 1024, 720));
    EXPECT_EQ(bar.x + bar.w, next.x);
    EXPECT_EQ(bar.y + bar.h, table.y);
    EXPECT_EQ(table.y + table.h, 600);
    EXPECT_EQ(ScreenHacks::screen_to_world(E2::Rect<int>(0, 0, 119, 38)), E2::Rect<int>(0, 0, 152, 49));
}

TEST_F(ScreenHacksTest, EventsAtSmallScreen) {
    small();
    SDL_Event m = test::mouse_motion(400, 300, 5, -5);
    EXPECT_EQ(ScreenHacks::screen_to_world(&m), E2::Vec2<int>(512, 384));
    EXPECT_EQ(ScreenHacks::screen_to_world_rel(&m), E2::Vec2<int>(6, -6));  // 6.4 -> 6

    SDL_Event b = test::mouse_button(SDL_MOUSEBUTTONUP, 0, 100, 50);
    EXPECT_EQ(ScreenHacks::screen_to_world(&b), E2::Vec2<int>(128, 64));
    EXPECT_EQ(ScreenHacks::screen_to_world_rel(&b), E2::Vec2<int>(0, 0));

    SDL_Event k = test::plain_event(SDL_KEYDOWN);
    EXPECT_EQ(ScreenHacks::screen_to_world(&k), E2::Vec2<int>(0, 0));
    SDL_Event a = test::plain_event(SDL_ACTIVEEVENT);
    EXPECT_EQ(ScreenHacks::screen_to_world_rel(&a), E2::Vec2<int>(0, 0));
}

}  // namespace
