#include <gtest/gtest.h>

#include "mus.h"
#include "music_ctl.h"
#include "qdata.h"
#include "snd.h"
#include "support.h"

namespace {

// SDL_mixer itself on the dummy audio driver.
struct RealMixer : ::testing::Test {
    test::TempDir dir;
    test::Archive archive{{{"a/r_click.wav", test::wav_bytes(50)},
                           {"a/r_track.wav", test::wav_bytes(400)},
                           {"a/r_noise.ogg", "OggS but nothing after it"}}};
    Mixer* previous = Mixer::set(nullptr);

    void SetUp() override {
        archive.write(dir.file("q.dat"));
        archive.use(dir.file("q.dat"));
        Snd::set_enabled(true);
        ASSERT_TRUE(Snd::open_audio()) << Mix_GetError();
    }
    void TearDown() override {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        Mixer::set(previous);
        Snd::set_enabled(true);
        qdata_use_builtin();
    }
};

TEST_F(RealMixer, SoundLoadsFromTheArchiveAndPlays) {
    Snd* s = Snd::snd_register(".a/r_click.wav", 1.0f);
    ASSERT_TRUE(s->load());
    ASSERT_TRUE(Snd::ok(s));
    Snd::set_master_volume(0.8f);
    s->play_once();
    EXPECT_EQ(Mix_VolumeChunk(s->chunk(), -1), 102);
    Snd::set_master_volume(1.0f);
}

TEST_F(RealMixer, UndecodableMusicStaysUnloaded) {
    Mus* m = Mus::mus_register(".a/r_noise.ogg", 1.0f, 1000);
    MusicCtl ctl;
    ctl.play(m, 1, 0, 0);
    EXPECT_FALSE(Mus::ok(m));
    ctl.tick(0, 0);
    EXPECT_TRUE(ctl.queue().empty());
}

TEST_F(RealMixer, MusicStreamsFromItsBufferUntilFreed) {
    Mus* m = Mus::mus_register(".a/r_track.wav", 0.5f, 400);
    MusicCtl ctl;
    ctl.play(m, 1, 0, 0);
    if (!Mus::ok(m)) GTEST_SKIP() << "this SDL_mixer does not stream WAV music";
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    SDL_Delay(50);  // the mixer thread reads the buffer meanwhile
    ctl.fade_out(0);
    m->unload();
    EXPECT_FALSE(Mus::ok(m));
}

}  // namespace
