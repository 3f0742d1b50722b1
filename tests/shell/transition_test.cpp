#include <gtest/gtest.h>

#include <algorithm>

#include "app_options.h"
#include "blit_job_manager.h"
#include "fade_overlays.h"
#include "support.h"
#include "tde_manager.h"
#include "transition.h"

namespace {

using Log = std::vector<std::string>;

class Transitions : public ::testing::Test {
protected:
    AppOptions opts;
    Log log;
    test::RecordingTDE a{"A", &log}, b{"B", &log}, c{"C", &log};

    void SetUp() override {
        bind_app_options(&opts);
        bjmgr.reset({1024, 768}, 8);
    }
    void TearDown() override {
        drop_all_screens();
        bjmgr.clear();
        bind_app_options(nullptr);
    }

    // One frame as the loop runs it: tick and draw the front entry only.
    void frame(unsigned dt) {
        TDE* f = tde_stack.front();
        ASSERT_NE(f, nullptr);
        f->tick(0, dt);
        if (TDE* g = tde_stack.front()) g->display(nullptr);
    }

    // The fill intensity the front overlay submits now, or -1 when it draws no fill.
    int fill_ai() {
        bjmgr.flip();
        tde_stack.front()->display(nullptr);
        for (BlitJob const* j : bjmgr.jobs())
            if (j->op() == E2::op_fill) return j->ai;
        return -1;
    }

    void start_on(TDE* t) {
        tde_stack.push_front(t);
        log.clear();
    }
};

TEST_F(Transitions, StackNotifiesOnPushAndPopOnly) {
    tde_stack.push_front(&a);
    tde_stack.push_front(nullptr);
    tde_stack.link_front(&b);
    EXPECT_EQ(tde_stack.size(), 2u);
    EXPECT_EQ(tde_stack.unlink_front(), &b);
    tde_stack.pop_front();
    tde_stack.pop_front();  // empty: nothing happens
    EXPECT_EQ(log, (Log{"A.enqueue", "A.dequeue"}));
    EXPECT_TRUE(tde_stack.empty());
}

TEST_F(Transitions, WithoutFadesTheChangeHappensInsideTheCall) {
    opts.effects_quality = 0.05f;
    start_on(&a);
    orb_transition_to(&b);
    EXPECT_EQ(log, (Log{"A.dequeue", "B.enqueue"}));
    EXPECT_EQ(tde_stack.front(), &b);
    EXPECT_EQ(tde_stack.size(), 1u);
}

TEST_F(Transitions, EmptyStackFadesInEvenWithEffectsOff) {
    opts.effects_quality = 0.0f;
    orb_transition_to(&a);
    EXPECT_EQ(log, (Log{"A.enqueue"}));
    EXPECT_NE(dynamic_cast<FadeFromBlackOverlay*>(tde_stack.front()), nullptr);
    EXPECT_EQ(fill_ai(), 255);
    for (int i = 0; i < 51; ++i) frame(10);
    EXPECT_EQ(tde_stack.front(), &a);
    EXPECT_EQ(tde_stack.size(), 1u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "A.enqueue"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "A.tick"), 0);
}

TEST_F(Transitions, FadedChangeRunsInOrderWithTheRightIntensities) {
    start_on(&a);
    orb_transition_to(&b);
    EXPECT_TRUE(log.empty());
    auto* out = dynamic_cast<FadeToBlackOverlay*>(tde_stack.front());
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(fill_ai(), 0);
    out->tick(0, 250);
    EXPECT_EQ(fill_ai(), 127);
    out->tick(0, 250);
    EXPECT_EQ(fill_ai(), 255);
    EXPECT_TRUE(std::find(log.begin(), log.end(), "A.dequeue") == log.end());
    log.clear();
    out->tick(0, 1);  // past the end: A leaves at full black, B's fade-in starts
    EXPECT_EQ(log, (Log{"A.dequeue", "B.enqueue"}));
    auto* in = dynamic_cast<FadeFromBlackOverlay*>(tde_stack.front());
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(fill_ai(), 255);
    in->tick(0, 250);
    EXPECT_EQ(fill_ai(), 128);
    in->tick(0, 250);
    EXPECT_EQ(fill_ai(), 0);
    in->elapsed_ms = 501;
    EXPECT_EQ(fill_ai(), -1);
    log.clear();
    in->tick(0, 1);
    EXPECT_EQ(tde_stack.front(), &b);
    EXPECT_EQ(tde_stack.size(), 1u);
    EXPECT_TRUE(log.empty());  // no second on_enqueue
    frame(10);
    EXPECT_EQ(log, (Log{"B.tick", "B.display"}));
}

TEST_F(Transitions, OverlaySwallowsEventsAndIgnoresFocusChanges) {
    start_on(&a);
    orb_transition_to(&b);
    SDL_Event key = test::key_down(SDLK_ESCAPE);
    SDL_Event click = test::mouse_button(SDL_MOUSEBUTTONDOWN, 1, 5, 5);
    EXPECT_TRUE(tde_stack.front()->proc_event(&key));
    EXPECT_TRUE(tde_stack.front()->proc_event(&click));
    tde_stack.front()->on_app_input_focus_lost(AppState());
    EXPECT_TRUE(a.events.empty());
    EXPECT_TRUE(b.events.empty());
    EXPECT_TRUE(log.empty());
}

TEST_F(Transitions, OverlayDrawsTheCoveredScreenFirst) {
    start_on(&a);
    orb_transition_to(&b);
    tde_stack.front()->display(nullptr);
    EXPECT_EQ(log, (Log{"A.display"}));
    FadeFromBlackOverlay orphan(nullptr, 500);
    bjmgr.flip();
    orphan.display(nullptr);
    EXPECT_EQ(bjmgr.jobs().size(), 1u);
}

TEST_F(Transitions, OverlayBelowTheFrontDoesNotPopAnything) {
    start_on(&a);
    orb_transition_to(&b);
    TDE* out = tde_stack.front();
    tde_stack.link_front(&c);
    out->tick(0, 600);
    EXPECT_EQ(tde_stack.front(), &c);
    EXPECT_TRUE(log.empty());
    tde_stack.unlink_front();
    out->tick(0, 10);
    EXPECT_EQ(log, (Log{"A.dequeue", "B.enqueue"}));
}

TEST_F(Transitions, ChangeDuringFadeOutRetargetsIt) {
    start_on(&a);
    orb_transition_to(&b);
    tde_stack.front()->tick(0, 200);
    orb_transition_to(&c);
    EXPECT_EQ(tde_stack.size(), 1u);
    for (int i = 0; i < 120; ++i) frame(10);
    EXPECT_EQ(tde_stack.front(), &c);
    EXPECT_EQ(tde_stack.size(), 1u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "B.enqueue"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "A.dequeue"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "C.enqueue"), 1);
}

TEST_F(Transitions, ChangeDuringFadeInLeavesNoScreenBehind) {
    start_on(&a);
    orb_transition_to(&b);
    tde_stack.front()->tick(0, 501);  // B is fading in now
    tde_stack.front()->tick(0, 400);
    log.clear();
    orb_transition_to(&c);
    EXPECT_EQ(tde_stack.size(), 1u);
    // The fade-out starts as dark as the fade-in had got.
    EXPECT_EQ(fill_ai(), 51);
    for (int i = 0; i < 120; ++i) frame(10);
    EXPECT_EQ(tde_stack.front(), &c);
    EXPECT_EQ(tde_stack.size(), 1u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "B.dequeue"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "C.enqueue"), 1);
}

TEST_F(Transitions, DroppingTheStackDeletesOverlaysInFlight) {
    start_on(&a);
    orb_transition_to(&b);  // fade-out holding the pending fade-in
    drop_all_screens();
    EXPECT_TRUE(tde_stack.empty());
    EXPECT_TRUE(log.empty());  // no on_dequeue; the leak checker sees no lost overlay
}

}  // namespace
