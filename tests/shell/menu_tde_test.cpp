#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_tde.h"
#include "mixer_seam.h"
#include "mus.h"
#include "music_ctl.h"
#include "snd.h"
#include "sound_handles.h"

namespace {

// Records the music calls; nothing plays.
class RecordingMixer : public Mixer {
public:
    int open_audio(int, Uint16, int, int) override { return 0; }
    Mix_Chunk* load_wav(SDL_RWops* src, int freesrc) override {
        if (freesrc && src) SDL_RWclose(src);
        return nullptr;
    }
    int volume_chunk(Mix_Chunk*, int) override { return 0; }
    int play_channel_timed(int, Mix_Chunk*, int, int) override { return -1; }
    Mix_Music* load_mus(SDL_RWops*) override { return nullptr; }
    void free_music(Mix_Music*) override {}
    int play_music(Mix_Music*, int) override { return 0; }
    int fade_in_music(Mix_Music*, int, int) override { return 0; }
    int fade_in_music_pos(Mix_Music*, int, int, double) override { return 0; }
    int fade_out_music(int ms) override {
        calls.push_back("fade_out " + std::to_string(ms));
        return 0;
    }
    int volume_music(int) override { return 0; }
    std::vector<std::string> calls;
};

class MenuMusic : public ::testing::Test {
protected:
    RecordingMixer mixer;
    Mixer* previous = nullptr;
    MenuTDE menu;
    void SetUp() override {
        previous = Mixer::set(&mixer);
        Snd::set_enabled(true);
        register_sounds();
        MusicCtl::ctl()->clear();
    }
    void TearDown() override {
        MusicCtl::ctl()->clear();
        Mixer::set(previous);
    }
};

TEST_F(MenuMusic, LosingFocusFadesTheMusicOut) {
    menu.on_app_input_focus_lost(AppState());
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"fade_out 200"});
    ASSERT_EQ(MusicCtl::ctl()->queue().size(), 1u);
}

TEST_F(MenuMusic, RegainingFocusFadesOutThenLoopsTheMenuTrack) {
    MusicCtl::ctl()->play(mus_game[0], 1, 0, 0);
    MusicCtl::ctl()->play(mus_game[1], 1, 0, 0);
    menu.on_app_input_focus_gained(AppState());
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"fade_out 200"});
    auto const& q = MusicCtl::ctl()->queue();
    ASSERT_EQ(q.size(), 2u);
    EXPECT_NE(dynamic_cast<MusicCtl::FadeOutMusJob*>(q[0]), nullptr);
    EXPECT_NE(dynamic_cast<MusicCtl::PlayMusJob*>(q[1]), nullptr);
    MusicCtl::ctl()->tick(0, 200);  // the fade runs out and the menu track starts
    ASSERT_EQ(MusicCtl::ctl()->queue().size(), 1u);
}

TEST_F(MenuMusic, IconifyNotificationsChangeNothing) {
    menu.on_app_iconified(AppState());
    menu.on_app_deiconified(AppState());
    EXPECT_TRUE(mixer.calls.empty());
    EXPECT_TRUE(MusicCtl::ctl()->queue().empty());
}

TEST(SoundHandles, RegisteredOnceWithTheirNames) {
    register_sounds();
    Snd* over = snd_button_over;
    register_sounds();
    EXPECT_EQ(snd_button_over, over);
    EXPECT_EQ(snd_flip[1]->name(), ".a/flip1.wav");
    EXPECT_EQ(mus_menu->length_ms(), 184000u);
    EXPECT_FLOAT_EQ(mus_menu->volume(), 0.5f);
    EXPECT_EQ(mus_game[2]->length_ms(), 239000u);
}

}  // namespace
