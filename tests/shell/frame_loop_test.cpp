#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "app_options.h"
#include "blit_job_manager.h"
#include "frame_loop.h"
#include "screen_hacks.h"
#include "support.h"
#include "tde_manager.h"
#include "transition.h"

namespace {

using Log = std::vector<std::string>;
using test::key_down;
using test::plain_event;

// Draws a full-screen fill in a colour that the test can change.
class Painter : public test::RecordingTDE {
public:
    using RecordingTDE::RecordingTDE;
    void display(SDL_Surface* s) const override {
        RecordingTDE::display(s);
        bjmgr.insert(BlitJob(E2::op_fill, E2::blend_matte, nullptr, E2::Rect<int>(0, 0, 1024, 768),
                             E2::Color(color), 0));
    }
    Uint32 color = 0x000000FF;
};

class Loop : public ::testing::Test {
protected:
    AppOptions opts;
    Log log;
    test::FakeMedia media;
    Painter a{"A", &log}, b{"B", &log};
    FrameLoop loop{media, tde_stack, bjmgr};
    std::vector<unsigned> switches;
    SDL_Surface* screen = test::rgba_surface(1024, 768, 0x000000FF);

    void SetUp() override {
        bind_app_options(&opts);
        opts.effects_quality = 0.0f;
        media.surface = screen;
        bjmgr.reset({1024, 768}, 8);
        loop.set_video_switch([this](unsigned n) { switches.push_back(n); });
        tde_stack.push_front(&a);
        loop.start();
        log.clear();
    }
    void TearDown() override {
        drop_all_screens();
        bjmgr.clear();
        bind_app_options(nullptr);
        ScreenHacks::set_screen_view({1024, 768});
        stop_event_drain = false;
        SDL_FreeSurface(screen);
    }
    void queue(SDL_Event e) { media.queue.push_back(e); }
    long count(std::string const& s) const { return std::count(log.begin(), log.end(), s); }
};

TEST_F(Loop, FramesAreAtLeastTenMillisecondsApartAndSleepTheGap) {
    EXPECT_TRUE(loop.run_frame());
    EXPECT_EQ(media.sleeps, std::vector<unsigned>{10});
    EXPECT_EQ(a.last_dt, 10u);
    media.now += 3;
    EXPECT_TRUE(loop.run_frame());
    EXPECT_EQ(media.sleeps.back(), 7u);
    EXPECT_EQ(a.last_dt, 10u);
    media.sleeps.clear();
    media.now += 25;
    EXPECT_TRUE(loop.run_frame());
    EXPECT_TRUE(media.sleeps.empty());
    EXPECT_EQ(a.last_dt, 25u);
}

TEST_F(Loop, OnlyTheFrontScreenIsTickedAndDrawnThenCompanions) {
    test::RecordingTDE pointer("P", &log), butterfly("F", &log);
    loop.add_companion(&pointer, false);
    loop.add_companion(&butterfly, true);
    tde_stack.link_front(&b);
    queue(key_down(SDLK_a));
    loop.run_frame();
    EXPECT_EQ(log, (Log{"B.tick", "P.tick", "F.tick", "B.display", "P.display", "F.display", "F.event", "B.event"}));
    EXPECT_EQ(count("A.tick"), 0);
    EXPECT_TRUE(pointer.events.empty());
    EXPECT_NE(loop.report().text({}).find("keys 1\nbuttons 0\nmotions 0\n"), std::string::npos);
    tde_stack.unlink_front();
}

TEST_F(Loop, OnlyChangedFramesAreHandedToTheWindow) {
    loop.run_frame();
    EXPECT_EQ(media.updates, std::vector<int>{1});
    loop.run_frame();
    EXPECT_EQ(media.updates.size(), 1u);  // nothing changed, nothing handed over
    a.color = 0xFF0000FF;
    loop.run_frame();
    EXPECT_EQ(media.updates.size(), 2u);
    EXPECT_EQ(test::rgb_at(screen, 500, 500), 0xFF0000u);
}

TEST_F(Loop, ExposeRepaintsEverythingNextFrame) {
    loop.run_frame();
    queue(plain_event(SDL_VIDEOEXPOSE));
    loop.run_frame();
    EXPECT_EQ(count("A.event"), 0);
    test::fill_rgb(screen, 0x00FF00);
    loop.run_frame();
    EXPECT_EQ(media.updates.back(), 1);
    EXPECT_EQ(test::rgb_at(screen, 1023, 767), 0x000000u);
}

TEST_F(Loop, RedrawViewFlipsEveryFrame) {
    loop.set_redraw_view(true);
    loop.run_frame();
    loop.run_frame();
    EXPECT_EQ(media.redraw_views, 2);
    EXPECT_TRUE(media.updates.empty());
}

TEST_F(Loop, QuitDropsTheStackBeforeAnyQueuedEvent) {
    queue(key_down(SDLK_a));
    queue(test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, 1, 1));
    queue(plain_event(SDL_QUIT));
    EXPECT_TRUE(loop.run_frame());
    EXPECT_TRUE(tde_stack.empty());
    EXPECT_TRUE(a.events.empty());
    EXPECT_EQ(count("A.dequeue"), 0);
    EXPECT_FALSE(loop.run_frame());
}

TEST_F(Loop, QuitDuringAFadeLeavesNothingBehind) {
    opts.effects_quality = 1.0f;
    orb_transition_to(&b);
    queue(plain_event(SDL_QUIT));
    loop.run_frame();
    EXPECT_TRUE(tde_stack.empty());
    loop.run();  // ends at once
}

TEST_F(Loop, ScreenThatEmptiesTheStackEndsTheLoop) {
    a.on_event = [](SDL_Event*) { tde_stack.pop_front(); };
    queue(key_down(SDLK_ESCAPE));
    queue(key_down(SDLK_b));
    loop.run();
    EXPECT_EQ(a.events.size(), 1u);
    EXPECT_EQ(count("A.dequeue"), 1);
}

TEST_F(Loop, CtrlPageUpSwitchesModesAndReachesNoScreen) {
    loop.set_grid_size(12);
    queue(key_down(SDLK_PAGEUP, KMOD_LCTRL));
    queue(key_down(SDLK_PAGEUP, KMOD_RCTRL));
    queue(key_down(SDLK_PAGEUP));
    queue(key_down(SDLK_PAGEUP, KMOD_LSHIFT));
    queue(key_down(SDLK_PAGEUP, SDLMod(KMOD_LALT | KMOD_LMETA)));
    loop.run_frame();
    EXPECT_EQ(switches, (std::vector<unsigned>{12, 12}));
    EXPECT_EQ(a.events.size(), 3u);
}

TEST_F(Loop, ActivationGoesToTheFrontScreenWithTheFreshState) {
    media.state.active = false;
    media.state.input_focus = false;
    queue(test::active_event(0, SDL_APPACTIVE | SDL_APPINPUTFOCUS));
    loop.run_frame();
    EXPECT_FALSE(loop.app_state().active);
    EXPECT_EQ(log.back(), "A.focus_lost");
    EXPECT_EQ(log[log.size() - 2], "A.iconified");
    media.state = AppState();
    queue(test::active_event(1, SDL_APPINPUTFOCUS));
    queue(test::active_event(1, SDL_APPMOUSEFOCUS));
    loop.run_frame();
    EXPECT_EQ(count("A.focus_gained"), 1);
    EXPECT_EQ(count("A.deiconified"), 0);
    EXPECT_EQ(count("A.event"), 0);
}

TEST_F(Loop, IconifiedLoopWaitsForEventsThenDrainsWithoutBlocking) {
    media.state.active = false;
    queue(test::active_event(0, SDL_APPACTIVE));
    loop.run_frame();  // iconified: the rest of the drain blocks (the fake's wait fails)
    EXPECT_EQ(media.waits, 1);
    queue(key_down(SDLK_a));
    queue(key_down(SDLK_b));
    loop.run_frame();
    EXPECT_EQ(media.waits, 2);
    EXPECT_EQ(a.events.size(), 2u);
    int polls = media.polls;
    loop.run_frame();
    EXPECT_EQ(media.waits, 3);
    EXPECT_EQ(media.polls, polls + 1);  // the fake's wait polls once
}

TEST_F(Loop, ScreenChangeDiscardsQueuedInput) {
    a.on_event = [this](SDL_Event*) { orb_transition_to(&b); };
    queue(test::mouse_button(SDL_MOUSEBUTTONUP, 1, 10, 10));
    queue(test::mouse_button(SDL_MOUSEBUTTONUP, 1, 10, 10));
    queue(key_down(SDLK_a));
    queue(plain_event(SDL_VIDEOEXPOSE));
    loop.run_frame();
    EXPECT_EQ(a.events.size(), 1u);
    EXPECT_TRUE(b.events.empty());
    EXPECT_EQ(media.flushes, 1);
    EXPECT_TRUE(media.queue.empty());  // the expose event was still handled
    EXPECT_EQ(tde_stack.front(), &b);
}

// Buttons lit before a screen change or a dialog's close follow the pointer at once: the
// screen that becomes current, and the screen after a release or a key, get a motion at
// the pointer's place (in world coordinates) without waiting for the mouse to move.
TEST_F(Loop, TheHoverFollowsThePointerAfterAScreenChangeOrARelease) {
    ScreenHacks::set_screen_view({800, 600});
    media.has_mouse = true;
    media.mouse_x = 400;
    media.mouse_y = 300;
    loop.run_frame();
    ASSERT_EQ(a.events.size(), 1u);  // a new front screen
    EXPECT_EQ(a.events[0].type, SDL_MOUSEMOTION);
    EXPECT_EQ(a.events[0].motion.x, 512);
    EXPECT_EQ(a.events[0].motion.y, 384);
    loop.run_frame();
    EXPECT_EQ(a.events.size(), 1u);  // nothing new: no motion
    queue(test::mouse_button(SDL_MOUSEBUTTONUP, 1, 10, 10));
    loop.run_frame();
    loop.run_frame();
    ASSERT_EQ(a.events.size(), 3u);
    EXPECT_EQ(a.events[2].type, SDL_MOUSEMOTION);
    media.mouse_buttons = SDL_BUTTON(1);  // held: a motion would drag
    queue(key_down(SDLK_a));
    loop.run_frame();
    loop.run_frame();
    EXPECT_EQ(a.events.size(), 4u);
    a.on_event = [this](SDL_Event*) { orb_transition_to(&b); };
    media.mouse_buttons = 0;
    queue(test::mouse_button(SDL_MOUSEBUTTONUP, 1, 10, 10));
    loop.run_frame();
    loop.run_frame();
    ASSERT_EQ(b.events.size(), 1u);
    EXPECT_EQ(b.events[0].type, SDL_MOUSEMOTION);
}

TEST_F(Loop, HoverChangeStopsTheDrainForOneFrame) {
    a.on_event = [](SDL_Event*) { stop_event_drain = true; };
    queue(test::mouse_motion(1, 1, 1, 1, 0));
    queue(test::mouse_motion(2, 2, 1, 1, 0));
    loop.run_frame();
    EXPECT_EQ(a.events.size(), 1u);
    EXPECT_FALSE(stop_event_drain);
    loop.run_frame();
    EXPECT_EQ(a.events.size(), 2u);
    // Widgets after the changed one never saw that motion: the pointer's place is offered
    // again each frame until a motion changes nothing.
    media.has_mouse = true;
    a.on_event = [this](SDL_Event*) { stop_event_drain = a.events.size() < 4; };
    for (int i = 0; i < 3; ++i) loop.run_frame();
    EXPECT_EQ(a.events.size(), 4u);
    // The report counts the motions read from the queue, not the pointer's place offered.
    EXPECT_NE(loop.report().text({}).find("motions 2\n"), std::string::npos);
}

TEST_F(Loop, MouseEventsArriveInWorldCoordinates) {
    ScreenHacks::set_screen_view({800, 600});
    queue(test::mouse_motion(400, 300, 25, -25, 0));
    queue(test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, 799, 599));
    loop.run_frame();
    ASSERT_EQ(a.events.size(), 2u);
    EXPECT_EQ(a.events[0].motion.x, 512);
    EXPECT_EQ(a.events[0].motion.y, 384);
    EXPECT_EQ(a.events[0].motion.xrel, 32);
    EXPECT_EQ(a.events[0].motion.yrel, -32);
    EXPECT_EQ(a.events[1].button.x, 1023);
    EXPECT_EQ(a.events[1].button.y, 767);
}

TEST_F(Loop, WheelTurnsReachNoScreen) {
    for (Uint8 button : {Uint8(SDL_BUTTON_WHEELUP), Uint8(SDL_BUTTON_WHEELDOWN)}) {
        queue(test::mouse_button(SDL_MOUSEBUTTONDOWN, button, 10, 10));
        queue(test::mouse_button(SDL_MOUSEBUTTONUP, button, 10, 10));
    }
    queue(test::mouse_button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 10, 10));
    loop.run_frame();
    ASSERT_EQ(a.events.size(), 1u);
    EXPECT_EQ(a.events[0].button.button, SDL_BUTTON_RIGHT);
    EXPECT_NE(loop.report().text({}).find("buttons 5\n"), std::string::npos);
}

TEST_F(Loop, MissingWindowSurfaceEndsTheLoop) {
    media.surface = nullptr;
    EXPECT_FALSE(loop.run_frame());
    EXPECT_EQ(count("A.tick"), 1);
    EXPECT_EQ(count("A.display"), 0);
}

}  // namespace

// Front screens of the frame report's history, named there by their class.
struct Shown : TDE {
    std::string p = "-";
    std::string phase() const override { return p; }
};
struct Other : Shown {};

namespace {

TEST(FrameReport, HistoryHasAnEntryForEachNewFrontObjectAndPhaseAndKeepsTheLast32) {
    // Each frame: the front (0 and 1 are Shown, 2 an Other; -1 makes 0 anew in its own
    // storage) and its phase.
    struct Row {
        char const* what;
        std::vector<std::pair<int, char const*>> frames;
        char const* history;
    } const rows[] = {
        {"one object in one phase", {{0, "-"}, {0, "-"}, {0, "-"}}, "Shown:-@1:0"},
        {"a new object of the same class", {{0, "-"}, {1, "-"}, {1, "-"}}, "Shown:-@1:0 Shown:-@2:0"},
        {"a new object where the old one lay", {{0, "-"}, {-1, "-"}}, "Shown:-@1:0 Shown:-@2:0"},
        {"a phase change and back", {{0, "a"}, {0, "b"}, {0, "a"}}, "Shown:a@1:0 Shown:b@2:0 Shown:a@3:0"},
        {"another class and back", {{0, "-"}, {2, "-"}, {0, "-"}}, "Shown:-@1:0 Other:-@2:0 Shown:-@3:0"},
    };
    for (Row const& row : rows) {
        test_hooks::FrameReport report;
        Shown a, b;
        Other c;
        Shown* fronts[] = {&a, &b, &c};
        for (auto [i, phase] : row.frames) {
            if (i < 0) {
                a.~Shown();
                new (&a) Shown();
                i = 0;
            }
            fronts[i]->p = phase;
            report.note({0, 0, 1024, 768, 8, false, fronts[i]});
        }
        EXPECT_NE(report.text({}).find(std::string("\nhistory ") + row.history + "\n"), std::string::npos)
            << row.what << ":\n" << report.text({});
    }
    test_hooks::FrameReport report;
    Shown a;
    for (int n = 1; n <= 40; ++n) {
        a.p = std::to_string(n);
        report.note({0, 0, 1024, 768, 8, false, &a});
    }
    std::string const text = report.text({});
    EXPECT_NE(text.find("since 40\nhistory Shown:9@9:0 "), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '@'), 32);
    // The first screen's clock began with the loop, not at its first frame.
    test_hooks::FrameReport late;
    Other c;
    late.install(5);
    late.note({0, 900, 1024, 768, 8, false, &a});
    late.note({0, 916, 1024, 768, 8, false, &c});
    EXPECT_NE(late.text({}).find("history Shown:40@1:5 Other:-@2:916\n"), std::string::npos) << late.text({});
}

}  // namespace
