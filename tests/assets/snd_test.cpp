#include <gtest/gtest.h>

#include "qdata.h"
#include "snd.h"
#include "support.h"

namespace {

using test::FakeMixer;

struct Sounds : ::testing::Test {
    test::TempDir dir;
    test::Archive archive{{{"a/t_hover.wav", "RIFF-hover"},
                           {"a/t_click.wav", "RIFF-click"},
                           {"a/t_broken.wav", "BAD-bytes"},
                           {"a/t_off.wav", "RIFF-off"},
                           {"a/t_skip.wav", "RIFF-skip"},
                           {"a/t_vol.wav", "RIFF-vol"}}};
    FakeMixer& mixer = FakeMixer::get();
    FakeMixer::Use use{mixer};

    void SetUp() override {
        archive.write(dir.file("q.dat"));
        archive.use(dir.file("q.dat"));
        drain_pending();
        mixer.reset();
        Snd::set_enabled(true);
        Snd::set_master_volume(1.0f);
    }
    void TearDown() override {
        Snd::set_enabled(true);
        Snd::set_master_volume(1.0f);
        qdata_use_builtin();
    }
    // Other tests' sounds out of the way.
    static void drain_pending() {
        while (Snd::has_jobs()) Snd::process_job();
    }
};

TEST_F(Sounds, RegisteringTwiceKeepsTheFirst) {
    Snd* s = Snd::snd_register(".a/t_reg.wav", 0.25f);
    EXPECT_EQ(Snd::snd_register(".a/t_reg.wav", 0.75f), s);
    EXPECT_FLOAT_EQ(s->volume(), 0.25f);
    EXPECT_FALSE(Snd::ok(s));
    EXPECT_FLOAT_EQ(Snd::snd_register(".a/t_loud.wav", 3.0f)->volume(), 1.0f);
    EXPECT_FLOAT_EQ(Snd::snd_register(".a/t_quiet.wav", -1.0f)->volume(), 0.0f);
    drain_pending();
}

TEST_F(Sounds, ProcessJobLoadsOneSoundInByteOrder) {
    Snd* hover = Snd::snd_register(".a/t_hover.wav", 1.0f);
    Snd* click = Snd::snd_register(".a/t_click.wav", 1.0f);
    Snd* missing = Snd::snd_register(".a/t_absent.wav", 1.0f);
    Snd::process_job();  // ".a/t_absent.wav" comes first: not in the archive, dropped
    EXPECT_FALSE(Snd::ok(missing));
    EXPECT_FALSE(Snd::ok(click));
    Snd::process_job();
    EXPECT_TRUE(Snd::ok(click));
    EXPECT_FALSE(Snd::ok(hover));
    Snd::process_job();
    EXPECT_TRUE(Snd::ok(hover));
    EXPECT_FALSE(Snd::has_jobs());
    EXPECT_EQ(mixer.calls_of("load_wav").size(), 2u);

    // A sound that was not in the archive is never played.
    missing->play_once();
    EXPECT_TRUE(mixer.calls_of("play").empty());
}

TEST_F(Sounds, LoadedNamesAreSkippedAndFailuresNotRetried) {
    Snd* broken = Snd::snd_register(".a/t_broken.wav", 1.0f);
    Snd* skip = Snd::snd_register(".a/t_skip.wav", 1.0f);
    ASSERT_TRUE(skip->load());
    Snd::process_job();  // t_broken: fails to decode
    EXPECT_FALSE(Snd::ok(broken));
    EXPECT_TRUE(Snd::has_jobs());
    Snd::process_job();  // t_skip: already loaded, skipped; nothing else pending
    EXPECT_FALSE(Snd::has_jobs());
    EXPECT_EQ(mixer.calls_of("load_wav"),
              (std::vector<std::string>{"load_wav", "load_wav failed"}));
}

TEST_F(Sounds, PlayScalesByMasterAndOwnVolume) {
    Snd* s = Snd::snd_register(".a/t_vol.wav", 1.0f);
    s->load();
    mixer.reset();
    s->play_once();
    Snd::set_master_volume(0.8f);
    s->play_once();
    Snd::set_master_volume(1.5f);
    s->play_once();
    Snd::set_master_volume(-0.2f);
    s->play_once();
    EXPECT_EQ(mixer.calls_of("volume_chunk"),
              (std::vector<std::string>{"volume_chunk 128", "volume_chunk 102",
                                        "volume_chunk 128", "volume_chunk 0"}));
    EXPECT_EQ(mixer.calls_of("play_channel_timed"),
              std::vector<std::string>(4, "play_channel_timed -1 0 -1"));

    mixer.reset();
    Snd::set_master_volume(0.8f);
    EXPECT_FLOAT_EQ(Snd::master_volume(), 102 / 128.0f);
    s->set_volume(0.5f);
    s->play_loop(3);
    EXPECT_EQ(mixer.calls, (std::vector<std::string>{"volume_chunk 51",
                                                     "play_channel_timed -1 2 -1"}));
    s->set_volume(1.0f);
}

TEST_F(Sounds, DisabledAudioDropsPendingNamesAndLoadsNothing) {
    Snd::set_enabled(false);
    EXPECT_FALSE(Snd::is_enabled());
    Snd* s = Snd::snd_register(".a/t_off.wav", 1.0f);
    Snd::process_job();
    EXPECT_FALSE(Snd::has_jobs());
    EXPECT_FALSE(Snd::ok(s));
    EXPECT_FALSE(s->load());
    s->play_once();
    EXPECT_TRUE(mixer.calls.empty());
    EXPECT_FALSE(Snd::open_audio());
    EXPECT_TRUE(mixer.calls.empty());
}

TEST_F(Sounds, UnopenableDeviceCountsAsDisabled) {
    EXPECT_TRUE(Snd::open_audio());
    EXPECT_EQ(mixer.calls, std::vector<std::string>{"open_audio 22050 8010 2 1024"});
    EXPECT_TRUE(Snd::is_enabled());

    mixer.open_result = -1;
    EXPECT_FALSE(Snd::open_audio());
    EXPECT_FALSE(Snd::is_enabled());
}

}  // namespace
