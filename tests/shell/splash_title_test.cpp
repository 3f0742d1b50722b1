#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/temp_dir.h"
#include "fade_overlays.h"
#include "loader.h"
#include "music_ctl.h"
#include "pointer_sprite.h"
#include "snd.h"
#include "splash_screen.h"
#include "support.h"
#include "tde_manager.h"
#include "title_screen.h"
#include "transition.h"
#include "widget_support.h"

namespace {

namespace fs = std::filesystem;
using test::take_jobs;

class Splash : public test::Widgets {
protected:
    void TearDown() override {
        drop_all_screens();
        MusicCtl::ctl()->clear();
        test::Widgets::TearDown();
    }
    int logo_ai(unsigned t) {
        s.elapsed_ms = t;
        s.display(nullptr);
        std::vector<BlitJob> jobs = take_jobs();
        EXPECT_FALSE(jobs.empty());
        EXPECT_EQ(jobs[0].flags, E2::op_fill | E2::blend_alpha);
        EXPECT_EQ(jobs[0].ai, 255);
        EXPECT_EQ(jobs[0].rect, E2::Rect<int>(0, 0, 1024, 768));
        if (jobs.size() < 2) return -1;
        EXPECT_EQ(jobs[1].rect, E2::Rect<int>(312, 184, 40, 40));
        return jobs[1].ai;
    }
    std::unique_ptr<Surf> logo = test::solid_surf(40, 40, 0xFFFFFFFF);
    SplashScreen s;
};

TEST_F(Splash, LogoFadesInHoldsAndFadesOut) {
    s.logo.surface = logo.get();
    s.logo.set_pos(312, 184);
    EXPECT_EQ(logo_ai(0), 0);
    EXPECT_EQ(logo_ai(500), 127);
    EXPECT_EQ(logo_ai(1000), 255);
    EXPECT_EQ(logo_ai(1999), 255);
    EXPECT_EQ(logo_ai(2500), 127);
    EXPECT_EQ(logo_ai(2999), 0);
    EXPECT_EQ(logo_ai(3000), -1);
}

TEST_F(Splash, TakesNoInputAndHandsOverToTheTitleAfterThreeSeconds) {
    s.logo.surface = logo.get();
    SDL_Event click = test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, 500, 300);
    EXPECT_FALSE(s.proc_event(&click));
    MusicCtl::ctl()->clear();
    tde_stack.push_front(&s);
    s.tick(0, 2999);
    EXPECT_EQ(tde_stack.front(), &s);
    s.tick(0, 1);
    ASSERT_EQ(tde_stack.size(), 1u);
    auto* fade = dynamic_cast<FadeFromBlackOverlay*>(tde_stack.front());
    ASSERT_NE(fade, nullptr);
    EXPECT_EQ(fade->under, &titlescreen);
    EXPECT_FALSE(Surf::ok(logo.get()));  // unloaded when it left
    EXPECT_EQ(MusicCtl::ctl()->queue().size(), 1u);  // the menu music
}

// A clock that moves on by `step` ms at every reading.
unsigned clock_now = 0, clock_step = 0;
unsigned fake_clock() { return clock_now += clock_step; }

std::vector<std::pair<int, int>> warps;
void fake_warp(Uint16 x, Uint16 y) { warps.push_back({x, y}); }

std::string bmp(int w, int h) {
    SDL_Surface* s = test::rgba_surface(w, h, 0x336699FF);
    std::string path = (fs::temp_directory_path() / ("lunerra_title_" + std::to_string(getpid()) + ".bmp")).string();
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    std::string bytes = read_file(path);
    fs::remove(path);
    return bytes;
}

class InFolder {
public:
    explicit InFolder(std::string const& p) : old_(fs::current_path()) { fs::current_path(p); }
    ~InFolder() { fs::current_path(old_); }

private:
    fs::path old_;
};

// The title's images as loose files in a fresh working folder, two more scheduled
// images, and screens to lead on to.
class Title : public test::Widgets {
protected:
    void SetUp() override {
        test::Widgets::SetUp();
        fs::create_directories(dir / ".i/menu");
        std::string img = bmp(20, 10);
        for (char const* n : {".i/menu/title_bg.jpg", ".i/menu/loading.png", ".i/menu/clicktobegin.png", "x1.bmp",
                              "x2.bmp"})
            write_file((dir / n).string(), img);
        while (Snd::has_jobs()) Snd::process_job();
        pointer.hide();
        warps.clear();
        clock_now = 1000;
        clock_step = 0;
        t.clock = fake_clock;
        t.warp_mouse = fake_warp;
        t.load(&l);
        l.schedule_surface((dir / "x1.bmp").string());
        l.schedule_surface((dir / "x2.bmp").string());
        t.set_exits({[this] { return fresh; }, &new_player, &main_menu, [this] { ++refreshes; }});
        app_options().effects_quality = 0.0f;  // screen changes at once
        tde_stack.push_front(&t);
    }
    void TearDown() override {
        drop_all_screens();
        pointer.hide();
        test::Widgets::TearDown();
    }
    bool send(SDL_Event e) { return t.proc_event(&e); }
    SDL_Event key_up(SDLKey k) {
        SDL_Event e = test::key_down(k);
        e.type = SDL_KEYUP;
        return e;
    }

    TempDir tmp;
    fs::path dir = tmp.path();
    InFolder in{tmp.path()};
    test::Video video;
    Loader l{""};
    TitleScreen t;
    std::vector<std::string> log;
    test::RecordingTDE new_player{"new", &log}, main_menu{"menu", &log};
    bool fresh = true;
    int refreshes = 0;
};

TEST_F(Title, LoadsOneImagePerFrameWhenEachTakesLongerThanTheBudget) {
    ASSERT_TRUE(Surf::ok(t.bg.surface));  // the picture and the loading image at once
    ASSERT_TRUE(Surf::ok(t.loading.surface));
    EXPECT_EQ(l.jobs().size(), 3u);
    clock_step = 100;
    for (unsigned left : {2u, 1u, 0u}) {
        t.tick(clock_now, 10);
        EXPECT_EQ(l.jobs().size(), left);
    }
    EXPECT_TRUE(Surf::ok(t.bbegin.surface));
}

TEST_F(Title, WithinTheBudgetAFrameLoadsEveryImageButNoSound) {
    Snd::snd_register(".a/title_test_missing.wav", 1.0f);
    t.tick(clock_now, 10);
    EXPECT_FALSE(l.has_jobs());
    EXPECT_TRUE(Snd::has_jobs());
    EXPECT_FALSE(pointer.is_shown());
    t.tick(clock_now, 10);
    EXPECT_FALSE(Snd::has_jobs());
    EXPECT_FALSE(pointer.is_shown());
    EXPECT_EQ(t.pulse_ms, 0u);
    t.tick(clock_now, 10);  // all loaded: the pointer in the middle, the pulse runs
    EXPECT_TRUE(pointer.is_shown());
    EXPECT_EQ(warps, (std::vector<std::pair<int, int>>{{512, 384}}));
    EXPECT_EQ(t.pulse_ms, 10u);
}

TEST_F(Title, ShowsLoadingThenThePulsingButton) {
    t.display(nullptr);
    std::vector<BlitJob> jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].surface, t.bg.surface);
    EXPECT_EQ(jobs[1].surface, t.loading.surface);
    EXPECT_EQ(jobs[1].rect.x, 313);
    t.tick(clock_now, 10);
    t.display(nullptr);
    jobs = take_jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1].surface, t.bbegin.surface);
    EXPECT_EQ(jobs[1].rect, E2::Rect<int>(313, 651, 20, 10));
    t.pulse_ms = 0;
    EXPECT_EQ(t.pulse_intensity(), 64);
    t.pulse_ms = 1000;
    EXPECT_EQ(t.pulse_intensity(), 159);
    t.pulse_ms = 2000;
    EXPECT_EQ(t.pulse_intensity(), 255);
    t.pulse_ms = 6000;
    EXPECT_EQ(t.pulse_intensity(), 255);
    t.display(nullptr);
    EXPECT_EQ(take_jobs()[1].ai, 255);
}

TEST_F(Title, InputIsSwallowedWhileImagesLoad) {
    clock_step = 100;
    t.tick(clock_now, 10);
    EXPECT_TRUE(send(key_up(SDLK_a)));
    EXPECT_TRUE(send(test::mouse_button(SDL_MOUSEBUTTONUP, 1, 400, 680)));
    EXPECT_FALSE(t.on_click(&t.bbegin));
    EXPECT_EQ(tde_stack.front(), &t);
    EXPECT_TRUE(log.empty());
    // A press while loading, the release over the button once loaded: it leads on.
    EXPECT_TRUE(send(test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, 315, 655)));
    while (l.has_jobs()) t.tick(clock_now, 10);
    EXPECT_EQ(tde_stack.front(), &t);
    EXPECT_TRUE(send(test::mouse_button(SDL_MOUSEBUTTONUP, 1, 315, 655)));
    EXPECT_EQ(tde_stack.front(), &new_player);
}

TEST_F(Title, AReleaseLeadsOnOnceImagesAreLoadedEvenWithSoundsPending) {
    t.tick(clock_now, 10);
    Snd::snd_register(".a/title_test_pending.wav", 1.0f);
    EXPECT_TRUE(send(test::key_down(SDLK_a)));  // a press alone does nothing
    EXPECT_TRUE(send(test::mouse_button(SDL_MOUSEBUTTONDOWN, 3, 10, 10)));
    EXPECT_EQ(tde_stack.front(), &t);
    EXPECT_TRUE(send(key_up(SDLK_a)));
    EXPECT_EQ(tde_stack.front(), &new_player);  // a fresh profile
    EXPECT_EQ(refreshes, 0);
    EXPECT_TRUE(pointer.is_shown());  // shown when the title left
    EXPECT_FALSE(Surf::ok(t.bg.surface));
    EXPECT_TRUE(Surf::ok(t.loading.surface));
    while (Snd::has_jobs()) Snd::process_job();
}

TEST_F(Title, ANamedProfileGoesToTheRefreshedMainMenu) {
    fresh = false;
    t.tick(clock_now, 10);
    t.tick(clock_now, 10);
    // A click on the button itself.
    EXPECT_TRUE(send(test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, 315, 655)));
    EXPECT_EQ(tde_stack.front(), &t);
    EXPECT_TRUE(send(test::mouse_button(SDL_MOUSEBUTTONUP, 1, 315, 655)));
    EXPECT_EQ(tde_stack.front(), &main_menu);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(Title, WithoutTheNextScreensTheTitleStays) {
    t.set_exits({});
    t.tick(clock_now, 10);
    send(key_up(SDLK_SPACE));
    EXPECT_EQ(tde_stack.front(), &t);
}

}  // namespace
