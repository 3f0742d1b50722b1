#pragma once
// The setting of the screen tests, shared by the play screen's and the menus' tests: a
// 32-bit dummy window, the working folder beside this build's data archive (the screens
// load their real images, all freed again at the end), HOME in a fresh folder, screen changes without fades, empty
// profiles with the first one current, the rule options at their defaults and an empty
// screen stack.

#include <SDL/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "app_options.h"
#include "blit_job_manager.h"
#include "engine/temp_dir.h"
#include "fade_overlays.h"
#include "loader_global.h"
#include "player.h"
#include "rule_options.h"
#include "rules_input.h"
#include "screen_hacks.h"
#include "shell/events.h"
#include "tde_manager.h"
#include "transition.h"

namespace screen_test {

class Screens : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        old_cwd_ = cwd;
        ASSERT_EQ(chdir(LUNERRA_DATA_ROOT), 0) << LUNERRA_DATA_ROOT;
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
        ASSERT_NE(SDL_SetVideoMode(1024, 768, 32, SDL_SWSURFACE), nullptr);
        ScreenHacks::set_screen_view({1024, 768});
        app_options().effects_quality = 0.0f;
        reset_players();
        reset_rule_options();
        drop_all_screens();
        bjmgr.clear();
    }
    void TearDown() override {
        leave_all_screens();
        // Other tests reload whatever is loaded from their own folders.
        loader.unload();
        bjmgr.clear();
        reset_players();
        reset_rule_options();
        app_options().effects_quality = 1.0f;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    }

    // Every screen leaves the stack with its on_dequeue, so that it frees its images.
    static void leave_all_screens() {
        while (!tde_stack.empty()) {
            TDE* t = tde_stack.front();
            if (dynamic_cast<FadeOverlay*>(t)) {
                tde_stack.unlink_front();
                delete t;
            } else {
                tde_stack.pop_front();
            }
        }
    }
    static void reset_players() {
        for (unsigned i = 0; i < Player::slot_count; ++i) {
            Player::get(i)->clear();
            Player::get(i)->is_current = false;
        }
        Player::_cur = nullptr;
    }
    // The file of slot i as written.
    std::string player_file(unsigned i) const {
        return home / (".config/Quorlan Games/Lunerra Solitaire/player" + std::to_string(i) + ".dat");
    }

    static Uint8 state_of(Uint8 type) {
        return type == SDL_KEYDOWN || type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    }
    static SDL_Event key(Uint8 type, SDLKey k) { return test::key_event(type, k, KMOD_NONE, state_of(type)); }
    static SDL_Event button(Uint8 type, int x, int y, Uint8 which = SDL_BUTTON_LEFT) {
        return test::mouse_button(type, which, x, y, state_of(type));
    }
    // Presses and releases the key (down, then up).
    template <typename Screen>
    static bool type_key(Screen& s, SDLKey k) {
        SDL_Event down = key(SDL_KEYDOWN, k), up = key(SDL_KEYUP, k);
        bool const r = s.proc_event(&down);
        s.proc_event(&up);
        return r;
    }

    TempDir home;
    ScopedEnv h{"HOME", home.path().c_str()};
    ScopedEnv x{"XDG_CONFIG_HOME", nullptr};

private:
    std::string old_cwd_;
};

// A screen that only notes that it became current.
class MarkerScreen : public TDE {
public:
    void on_enqueue() override { ++entered; }
    int entered = 0;
};

// The media layer's clock and pointer, scripted, while the object lives.
class FakeInput : public RulesInput {
public:
    FakeInput() { set_rules_input(this); }
    ~FakeInput() override { set_rules_input(nullptr); }
    unsigned ticks() override { return now; }
    E2::Vec2<int> mouse_pos() override { return mouse; }
    unsigned now = 10000;
    E2::Vec2<int> mouse;
};

}  // namespace screen_test
