#include <gtest/gtest.h>

#include "video_modes.h"

namespace {

E2::VideoMode desk(int w, int h) {
    E2::VideoMode m;
    m.w = static_cast<uint16_t>(w);
    m.h = static_cast<uint16_t>(h);
    return m;
}

struct Start {
    E2::VideoMode mode;
    bool stored;
    bool window_switch;
};

Start start(CommandLine cl, bool stored, E2::VideoMode const& d) {
    if (cl.window) stored = false;
    if (cl.fullscreen) stored = true;
    bool wide = E2::Video::is_widescreen_size(d.w, d.h);
    E2::VideoMode m = startup_video_mode(cl, &stored, d, wide);
    return {m, stored, cl.window};
}

TEST(StartupMode, WidescreenDesktopForcesAWindow) {
    CommandLine f;
    f.fullscreen = true;
    Start s = start(f, true, desk(1440, 900));
    EXPECT_FALSE(s.mode.is_fullscreen);
    EXPECT_FALSE(s.stored);
    EXPECT_TRUE(s.window_switch);
    EXPECT_EQ(s.mode.w, 1024);
}

TEST(StartupMode, SmallDesktopGetsTheSmallWindow) {
    Start s = start(CommandLine(), false, desk(1024, 768));
    EXPECT_EQ(s.mode.w, 800);
    EXPECT_EQ(s.mode.h, 600);
    s = start(CommandLine(), true, desk(1024, 768));
    EXPECT_EQ(s.mode.w, 1024);
    EXPECT_TRUE(s.mode.is_fullscreen);
    s = start(CommandLine(), false, desk(1280, 1024));
    EXPECT_EQ(s.mode.w, 1024);
    EXPECT_FALSE(s.mode.is_fullscreen);
    s = start(CommandLine(), false, desk(0, 0));  // desktop unknown
    EXPECT_EQ(s.mode.w, 1024);
}

TEST(StartupMode, WindowSwitchWinsForTheModeFullscreenForTheStoredOption) {
    CommandLine both;
    both.window = both.fullscreen = true;
    Start s = start(both, false, desk(1024, 768));
    EXPECT_TRUE(s.stored);
    EXPECT_FALSE(s.mode.is_fullscreen);
    EXPECT_EQ(s.mode.w, 1024);  // the stored option said full screen, so not the small window
}

TEST(StartupMode, SurfaceFlagsAreReplacedByTheRecommendation) {
    CommandLine cl;
    cl.hw_surface = cl.double_buf = true;
    Start s = start(cl, false, desk(1280, 1024));
    EXPECT_EQ(s.mode.flags, Uint32(SDL_HWSURFACE | SDL_DOUBLEBUF));
    EXPECT_EQ(E2::Video::recommended(s.mode).flags, 0u);
    s.mode.is_fullscreen = true;
    s.mode.flags |= SDL_NOFRAME;
    EXPECT_EQ(E2::Video::recommended(s.mode).flags, Uint32(SDL_FULLSCREEN));
}

TEST(SwitchModes, PageUpAlternatesSizesAndKeepsFullscreen) {
    E2::VideoMode big = desk(1024, 768);
    E2::VideoMode small = page_up_video_mode(big);
    EXPECT_EQ(small.w, 800);
    EXPECT_EQ(small.h, 600);
    EXPECT_FALSE(small.is_fullscreen);
    EXPECT_EQ(page_up_video_mode(small).w, 1024);
    big.is_fullscreen = true;
    big.flags = SDL_FULLSCREEN | SDL_DOUBLEBUF;
    small = page_up_video_mode(big);
    EXPECT_TRUE(small.is_fullscreen);
    EXPECT_EQ(small.flags, 0u);
}

TEST(SwitchModes, ToggleFlipsFullscreenAndShrinksWindowsOnSmallDesktops) {
    E2::VideoMode window = desk(800, 600);
    E2::VideoMode full = toggled_video_mode(window, desk(1024, 768));
    EXPECT_TRUE(full.is_fullscreen);
    EXPECT_EQ(full.w, 1024);
    E2::VideoMode back = toggled_video_mode(full, desk(1024, 768));
    EXPECT_FALSE(back.is_fullscreen);
    EXPECT_EQ(back.w, 800);
    EXPECT_EQ(toggled_video_mode(full, desk(1920, 1200)).w, 1024);
}

}  // namespace

#include "blit_job_manager.h"
#include "screen_hacks.h"
#include "support.h"

#include <vector>

namespace {

class ModeSwitch : public ::testing::Test {
protected:
    test::Video video;
    void TearDown() override {
        bjmgr.clear();
        ScreenHacks::set_screen_view({1024, 768});
    }
};

TEST_F(ModeSwitch, PageUpSwitchFollowsTheNewSizeAndKeepsTheGrid) {
    apply_video_mode(desk(1024, 768), 12);
    EXPECT_EQ(bjmgr.grid_size(), 12u);
    switch_window_size(12);
    EXPECT_EQ(ScreenHacks::screen_view(), E2::Vec2<int>(800, 600));
    EXPECT_EQ(SDL_GetVideoSurface()->w, 800);
    EXPECT_EQ(bjmgr.grid_size(), 12u);
    EXPECT_EQ(bjmgr.grid()[11][11].rect, E2::Rect<int>(726, 550, 74, 50));
    switch_window_size(12);
    EXPECT_EQ(ScreenHacks::screen_view(), E2::Vec2<int>(1024, 768));
}

TEST_F(ModeSwitch, FullscreenToggleResetsTheGridToEight) {
    apply_video_mode(desk(1024, 768), 5);
    toggle_fullscreen();
    EXPECT_EQ(bjmgr.grid_size(), 8u);
    EXPECT_EQ(ScreenHacks::screen_view().x, SDL_GetVideoSurface()->w);
}

}  // namespace

namespace {

TEST_F(ModeSwitch, WindowKeepsItsTitleAcrossModeChanges) {
    set_window_caption("Title of the test");
    apply_video_mode(desk(1024, 768), 8);
    SDL_WM_SetCaption("lost", nullptr);  // as when the driver drops it with a new window
    switch_window_size(8);
    char* title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Title of the test");
}

}  // namespace

namespace {

std::vector<E2::VideoMode> asked;
int failures_left = 0;
bool failing_setter(E2::VideoMode const& m) {
    asked.push_back(m);
    if (failures_left > 0) {
        --failures_left;
        return false;
    }
    return E2::get_video()->set_mode_exactly(m);
}

TEST_F(ModeSwitch, FailedSwitchSetsThePreviousModeAgainOrReportsTheLoss) {
    apply_video_mode(desk(1024, 768), 8);
    set_mode_setter(failing_setter);
    asked.clear();
    failures_left = 1;  // the 800x600 mode fails, the old one comes back
    switch_window_size(8);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].w, 800);
    EXPECT_EQ(asked[1].w, 1024);
    EXPECT_EQ(ScreenHacks::screen_view(), E2::Vec2<int>(1024, 768));
    EXPECT_EQ(SDL_GetVideoSurface()->w, 1024);

    asked.clear();
    failures_left = 2;  // neither: the caller learns that no mode is left
    EXPECT_FALSE(apply_video_mode(desk(800, 600), 8));
    EXPECT_EQ(asked.size(), 2u);
    set_mode_setter(nullptr);
    EXPECT_TRUE(apply_video_mode(desk(1024, 768), 8));
}

}  // namespace
