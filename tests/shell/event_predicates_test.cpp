#include <gtest/gtest.h>

#include <vector>

#include "event_predicates.h"
#include "support.h"

namespace {

using test::key_down;
using test::mouse_button;
using test::plain_event;

TEST(QuitEscape, EscapeWithAnyModifierButQOnlyWithMeta) {
    SDL_Event quit = plain_event(SDL_QUIT);
    EXPECT_TRUE(is_quit_escape(&quit));
    for (SDLMod mod : {KMOD_NONE, KMOD_LSHIFT, KMOD_RCTRL, KMOD_LALT, KMOD_LMETA}) {
        SDL_Event esc = key_down(SDLK_ESCAPE, mod);
        EXPECT_TRUE(is_quit_escape(&esc)) << mod;
    }
    SDL_Event q = key_down(SDLK_q);
    EXPECT_FALSE(is_quit_escape(&q));
    EXPECT_TRUE(is_quit_escape_or_q(&q));
    SDL_Event ctrl_q = key_down(SDLK_q, KMOD_LCTRL);
    EXPECT_FALSE(is_quit_escape(&ctrl_q));
    for (SDLMod meta : {KMOD_LMETA, KMOD_RMETA}) {
        SDL_Event cmd_q = key_down(SDLK_q, meta);
        EXPECT_TRUE(is_quit_escape(&cmd_q));
        EXPECT_TRUE(_is_quit(&cmd_q));
    }
    // Releasing Escape is no request to leave.
    SDL_Event esc_up = key_down(SDLK_ESCAPE);
    esc_up.type = SDL_KEYUP;
    EXPECT_FALSE(is_quit_escape(&esc_up));
    EXPECT_FALSE(_is_quit(&esc_up));
}

TEST(MouseButtons, ButtonNumbersAndDirections) {
    SDL_Event l_down = mouse_button(SDL_MOUSEBUTTONDOWN, 1, 0, 0);
    SDL_Event r_up = mouse_button(SDL_MOUSEBUTTONUP, 3, 0, 0);
    SDL_Event m_down = mouse_button(SDL_MOUSEBUTTONDOWN, 2, 0, 0);
    EXPECT_TRUE(is_mouse_button_1_down_event(&l_down));
    EXPECT_FALSE(is_mouse_button_1_up_event(&l_down));
    EXPECT_TRUE(is_mouse_button_event(&r_up));
    EXPECT_TRUE(is_mouse_button_up_event(&r_up));
    EXPECT_FALSE(is_mouse_button_1_up_event(&r_up));
    EXPECT_TRUE(is_mouse_button_right_up_event(&r_up));
    EXPECT_TRUE(is_mouse_button_right_event(&r_up));
    EXPECT_FALSE(is_mouse_button_left_event(&r_up));
    EXPECT_TRUE(is_mouse_button_middle_down_event(&m_down));
    EXPECT_FALSE(is_mouse_button_1_event(&m_down));
    SDL_Event motion = test::mouse_motion(1, 1, 0, 0, 1);
    EXPECT_TRUE(is_mouse_motion_event(&motion));
    EXPECT_FALSE(is_mouse_button_event(&motion));
    EXPECT_FALSE(is_key_event(&motion));
}

TEST(Predicates, NullEventIsNeverAMatch) {
    EXPECT_FALSE(is_quit_escape(nullptr));
    EXPECT_FALSE(is_mouse_button_1_down_event(nullptr));
    EXPECT_FALSE(is_mouse_motion_event(nullptr));
    EXPECT_FALSE(is_key_down_event(nullptr));
    EXPECT_FALSE(is_key_up_event(nullptr));
    EXPECT_FALSE(is_key_event(nullptr));
}

TEST(KeyCodes, EnterAndTypedCharacters) {
    EXPECT_TRUE(_is_key_enter(SDLK_RETURN));
    EXPECT_TRUE(_is_key_enter(SDLK_KP_ENTER));
    EXPECT_FALSE(_is_key_enter(SDLK_SPACE));
    EXPECT_EQ(sdl_key_to_char(SDLK_a), 'a');
    EXPECT_EQ(sdl_key_to_char(SDLK_SPACE), ' ');
    EXPECT_EQ(sdl_key_to_char(SDLK_KP0), '0');
    EXPECT_EQ(sdl_key_to_char(SDLK_KP9), '9');
    EXPECT_EQ(sdl_key_to_char(SDLK_KP_MINUS), '-');
    EXPECT_EQ(sdl_key_to_char(SDLK_KP_PLUS), 0);
    EXPECT_EQ(sdl_key_to_char(SDLK_F1), 0);
    EXPECT_TRUE(is_sdl_key_digit(SDLK_KP5));
    EXPECT_TRUE(is_sdl_key_xdigit(SDLK_f));
    EXPECT_FALSE(is_sdl_key_xdigit(SDLK_g));
    EXPECT_TRUE(is_sdl_key_alnum(SDLK_z));
    EXPECT_FALSE(is_sdl_key_print(SDLK_KP5));
}

class FlushTest : public ::testing::Test {
protected:
    test::Video video;
    void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 0); }
    void TearDown() override { flush_input_events(); }
};

TEST_F(FlushTest, DropsInputButKeepsQuitAndWindowEvents) {
    flush_input_events();
    push(key_down(SDLK_a));
    push(mouse_button(SDL_MOUSEBUTTONDOWN, 1, 3, 4));
    push(plain_event(SDL_QUIT));
    push(test::mouse_motion(5, 5, 1, 1, 0));
    push(plain_event(SDL_VIDEOEXPOSE));
    for (int i = 0; i < 20; ++i) push(key_down(SDLK_b));  // more than one buffer load
    EXPECT_EQ(flush_input_events(), 23);
    // sdl12-compat adds focus changes of its own while it pumps: those are left out.
    std::vector<int> left;
    SDL_Event e;
    while (SDL_PollEvent(&e))
        if (e.type != SDL_ACTIVEEVENT) left.push_back(e.type);
    EXPECT_EQ(left, (std::vector<int>{SDL_QUIT, SDL_VIDEOEXPOSE}));
}

TEST_F(FlushTest, KeyAndMouseHalvesSeparately) {
    push(key_down(SDLK_a));
    push(mouse_button(SDL_MOUSEBUTTONUP, 1, 0, 0));
    EXPECT_EQ(flush_mouse_events(), 1);
    EXPECT_EQ(flush_key_events(), 1);
    EXPECT_EQ(flush_input_events(), 0);
}

TEST_F(FlushTest, WindowedModeIsNotFullscreen) { EXPECT_FALSE(is_fullscreen()); }

}  // namespace
