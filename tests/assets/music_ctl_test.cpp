#include <gtest/gtest.h>

#include "mus.h"
#include "music_ctl.h"
#include "qdata.h"
#include "snd.h"
#include "support.h"

namespace {

using test::FakeMixer;
using Calls = std::vector<std::string>;

struct Music : ::testing::Test {
    test::TempDir dir;
    test::Archive archive{{{"a/m_one.ogg", "OggS-one"},
                           {"a/m_two.ogg", "OggS-two"},
                           {"a/m_pend.ogg", "OggS-pending"},
                           {"a/m_bad.ogg", "BAD-track"}}};
    FakeMixer& mixer = FakeMixer::get();
    FakeMixer::Use use{mixer};
    MusicCtl ctl;
    Mus* one = Mus::mus_register(".a/m_one.ogg", 0.5f, 3000);
    Mus* two = Mus::mus_register(".a/m_two.ogg", 1.0f, 2000);

    void SetUp() override {
        archive.write(dir.file("q.dat"));
        archive.use(dir.file("q.dat"));
        Snd::set_enabled(true);
        // Tracks stay registered across tests; each test starts with them unloaded.
        one->unload();
        two->unload();
        mixer.reset();
    }
    void TearDown() override {
        Snd::set_enabled(true);
        qdata_use_builtin();
    }
    void ticks(int n, unsigned dt) {
        for (int i = 0; i < n; ++i) ctl.tick(0, dt);
    }
};

TEST_F(Music, RegisteringTwiceKeepsTheFirst) {
    EXPECT_EQ(Mus::mus_register(".a/m_one.ogg", 0.1f, 5), one);
    EXPECT_FLOAT_EQ(one->volume(), 0.5f);
    EXPECT_EQ(one->length_ms(), 3000u);
    EXPECT_FLOAT_EQ(Mus::mus_register(".a/m_loud.ogg", 2.5f, 1)->volume(), 2.5f);
}

TEST_F(Music, PlayStartsAtOnceWithTheDefaultFadeIn) {
    ctl.play(two, 1, MusicCtl::default_ms, 0);
    EXPECT_EQ(mixer.calls, (Calls{"load_mus", "volume_music 128", "fade_in_music 1 1000"}));
    ASSERT_EQ(ctl.queue().size(), 1u);

    // The track is loaded once; the master and own volumes both scale the next play.
    ctl.clear();
    mixer.reset();
    ctl.set_master_volume(0.6f);
    EXPECT_EQ(ctl.master_volume_raw(), 76);
    ctl.play(one, 1, 0, 0);
    EXPECT_EQ(mixer.calls, (Calls{"volume_music 76", "load_mus", "volume_music 38",
                                  "play_music 1"}));
}

TEST_F(Music, StartPositionFadesInThere) {
    ctl.play(one, 2, 0, 2500);
    EXPECT_EQ(mixer.calls_of("fade_in_music_pos"), Calls{"fade_in_music_pos 2 0 2.5"});
    auto* job = dynamic_cast<MusicCtl::PlayMusJob const*>(ctl.queue().front());
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->remaining_ms(), 2 * 3000u - 2500u);
}

TEST_F(Music, PlayEndsByItsLengthAndTheNextStartsInThatTick) {
    ctl.play(two, 1, MusicCtl::default_ms, 0);
    ctl.play(one, 1, MusicCtl::default_ms, 0);
    EXPECT_EQ(mixer.calls_of("load_mus").size(), 1u);  // only the front job started
    ticks(199, 10);                                    // 1990 ms of 2000
    EXPECT_EQ(ctl.queue().size(), 2u);
    mixer.reset();
    ctl.tick(0, 16);
    EXPECT_EQ(ctl.queue().size(), 1u);
    EXPECT_EQ(mixer.calls, (Calls{"load_mus", "volume_music 64", "fade_in_music 1 1000"}));
    ticks(1, 3000);
    EXPECT_TRUE(ctl.queue().empty());
    ctl.tick(0, 10);  // empty queue: nothing
}

TEST_F(Music, StartPastTheEndEndsAtOnce) {
    ctl.play(two, 1, 0, 5000);
    auto* job = dynamic_cast<MusicCtl::PlayMusJob const*>(ctl.queue().front());
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->remaining_ms(), 0u);
    ctl.play(one, 1, 0, 0);
    ctl.tick(0, 1);
    ASSERT_EQ(ctl.queue().size(), 1u);
    EXPECT_EQ(mixer.calls_of("play_music"), Calls{"play_music 1"});
}

TEST_F(Music, LoopingPlayLastsUntilFadedOut) {
    ctl.play_loop(one, 500);
    EXPECT_EQ(mixer.calls_of("fade_in_music"), Calls{"fade_in_music -1 500"});
    ctl.play(two, 1, 0, 0);
    for (int i = 0; i < 500; ++i) ctl.tick(0, 0x7FFFFF);  // about 48.5 days
    EXPECT_EQ(ctl.queue().size(), 2u);
    ctl.clear();
    EXPECT_TRUE(ctl.queue().empty());
    EXPECT_TRUE(mixer.calls_of("fade_out").empty());  // what plays goes on
}

TEST_F(Music, FadeOutReplacesTheQueueAndDelaysWhatFollows) {
    for (int i = 0; i < 16; ++i)
        for (Mus* m : {two, one, two}) ctl.play(m, 1, MusicCtl::default_ms, 0);
    ASSERT_EQ(ctl.queue().size(), 48u);
    mixer.reset();
    ctl.fade_out(MusicCtl::default_ms);
    ASSERT_EQ(ctl.queue().size(), 1u);
    EXPECT_EQ(mixer.calls, Calls{"fade_out_music 500"});
    auto* fade = dynamic_cast<MusicCtl::FadeOutMusJob const*>(ctl.queue().front());
    ASSERT_NE(fade, nullptr);
    EXPECT_EQ(fade->remaining_ms(), 500u);

    ctl.play(one, 1, MusicCtl::default_ms, 0);
    ticks(49, 10);
    EXPECT_TRUE(mixer.calls_of("fade_in").empty());
    ctl.tick(0, 10);  // the fade runs out: the play starts in this tick
    EXPECT_EQ(mixer.calls_of("fade_in"), Calls{"fade_in_music 1 1000"});
    EXPECT_EQ(ctl.queue().size(), 1u);

    mixer.reset();
    ctl.fade_out(200);
    EXPECT_EQ(mixer.calls, Calls{"fade_out_music 200"});
}

TEST_F(Music, NullJobsAreIgnored) {
    ctl.q_push(nullptr);
    EXPECT_TRUE(ctl.queue().empty());
    ctl.play(nullptr, 1, 0, 0);  // no track: a job that ends at the next tick
    ctl.tick(0, 0);
    EXPECT_TRUE(ctl.queue().empty());
    EXPECT_TRUE(mixer.calls.empty());
}

TEST_F(Music, UnloadableTrackEndsAtTheNextTick) {
    Mus* bad = Mus::mus_register(".a/m_bad.ogg", 1.0f, 9000);
    Mus* absent = Mus::mus_register(".a/m_absent.ogg", 1.0f, 9000);
    ctl.play(bad, 1, 0, 0);
    ctl.play(absent, 1, 0, 0);
    ctl.play(one, 1, 0, 0);
    EXPECT_FALSE(Mus::ok(bad));
    ctl.tick(0, 0);
    EXPECT_FALSE(Mus::ok(absent));
    ctl.tick(0, 0);
    EXPECT_TRUE(Mus::ok(one));
    EXPECT_EQ(mixer.calls_of("play_music"), Calls{"play_music 1"});
    EXPECT_EQ(mixer.calls_of("load_mus"), (Calls{"load_mus failed", "load_mus"}));
}

TEST_F(Music, DisabledAudioDrainsOneJobPerTick) {
    Snd::set_enabled(false);
    Mus* off = Mus::mus_register(".a/m_off.ogg", 1.0f, 1000);
    ctl.play(off, 1, 0, 0);
    ctl.fade_out(300);
    ctl.play(off, 1, 0, 0);
    ctl.play(off, -1, 0, 0);
    ctl.set_master_volume(0.5f);
    EXPECT_EQ(ctl.master_volume_raw(), 64);
    EXPECT_EQ(ctl.queue().size(), 3u);
    ctl.tick(0, 0);
    ctl.tick(0, 0);
    ctl.tick(0, 0);
    EXPECT_TRUE(ctl.queue().empty());
    EXPECT_TRUE(mixer.calls.empty());
    EXPECT_FALSE(Mus::ok(off));
}

TEST_F(Music, MasterVolumeIsTruncatedAndClamped) {
    ctl.set_master_volume(1.5f);
    ctl.set_master_volume(-0.2f);
    ctl.set_master_volume(0.6f);
    EXPECT_EQ(mixer.calls,
              (Calls{"volume_music 128", "volume_music 0", "volume_music 76"}));
    EXPECT_FLOAT_EQ(ctl.master_volume(), 76 / 128.0f);
    EXPECT_EQ(MusicCtl::ctl(), MusicCtl::ctl());
}

TEST_F(Music, PendingTracksLoadAndPlayOnTheirOwn) {
    Mus* pend = Mus::mus_register(".a/m_pend.ogg", 1.0f, 2000);
    ASSERT_TRUE(Mus::has_jobs());
    while (Mus::has_jobs()) Mus::process_job();
    EXPECT_TRUE(Mus::ok(pend));

    MusicCtl::ctl()->clear();
    mixer.reset();
    pend->play_once();
    EXPECT_EQ(mixer.calls, (Calls{"volume_music 128", "play_music 1"}));
    EXPECT_EQ(MusicCtl::ctl()->queue().size(), 1u);
    MusicCtl::ctl()->clear();

    pend->unload();
    EXPECT_FALSE(Mus::ok(pend));
    EXPECT_EQ(mixer.calls_of("free_music").size(), 1u);
    pend->unload();  // already unloaded: nothing
    EXPECT_EQ(mixer.calls_of("free_music").size(), 1u);
    EXPECT_TRUE(pend->load());
    pend->unload();
}

}  // namespace
