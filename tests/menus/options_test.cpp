#include <string>

#include "loader.h"
#include "menus/support.h"
#include "music_ctl.h"
#include "options_screen.h"
#include "snd.h"
#include "tde_manager.h"

namespace {

using menus_test::Bytes;
using menus_test::press;
using menus_test::release;
using menus_test::send;

// The video mode as the options screen sees it, and the switches it asks for.
bool fake_full = false;
int toggles = 0;
bool toggle_works = true;
bool fake_is_fullscreen() { return fake_full; }
void fake_toggle() {
    ++toggles;
    if (toggle_works) fake_full = !fake_full;
}

class Options : public menus_test::Menus {
protected:
    void SetUp() override {
        Menus::SetUp();
        fake_full = false;
        toggles = 0;
        toggle_works = true;
        o.mode_is_fullscreen = fake_is_fullscreen;
        o.toggle_mode = fake_toggle;
    }
    void write_options(Bytes const& b) {
        o.filename();
        write_file(saved("options.dat"), b.str());
    }
    static Bytes file_of(unsigned full, std::uint32_t sound, std::uint32_t music, std::uint32_t fx) {
        Bytes b;
        b.u32(0xB17690AEu).u8(full).u32(sound).u32(music).u32(fx);
        return b;
    }
    std::string file() const { return read_file(saved("options.dat")); }
    // The screen shown, with blank images.
    void enter() {
        for (char const* n : {".i/menu/options_bg.jpg", ".i/menu/checkbox.png", ".i/menu/slider.png"}) blank(n);
        o.load(&l);
        o.on_enqueue();
    }
    static int music_raw() { return MusicCtl::ctl()->master_volume_raw(); }

    Loader l{"options"};
    OptionsScreen o;
};

TEST_F(Options, WithoutAFileTheDefaultsStandAndSaveAs59And79) {
    o.read();
    EXPECT_EQ(o.music.x, 448);
    EXPECT_EQ(o.sound.x, 504);
    EXPECT_EQ(o.effects.x, 560);
    EXPECT_FLOAT_EQ(o.effects_quality, 1.0f);
    EXPECT_EQ(music_raw(), static_cast<int>(167.0f / 279.0f * 128.0f)) << "the quantised value is applied";
    EXPECT_FLOAT_EQ(Snd::master_volume(), static_cast<int>(223.0f / 279.0f * 128.0f) / 128.0f);
    o.save();
    EXPECT_EQ(TempDir::entries_of(save_folder()).size(), 0u) << "nothing changed";
    o.fullscreen = true;
    o.save();
    std::string bytes = file();
    EXPECT_EQ(bytes.size(), 17u);
    EXPECT_EQ(bytes, file_of(1, 79, 59, 100).str());
}

TEST_F(Options, AnotherMagicNumberCountsAsNoFile) {
    Bytes b;
    b.u32(0xB17690AFu).u8(1).u32(10).u32(20).u32(30);
    write_options(b);
    o.read();
    EXPECT_EQ(o.music.x, 448);
    EXPECT_EQ(o.sound.x, 504);
    EXPECT_EQ(o.effects.x, 560);
    EXPECT_FLOAT_EQ(o.effects_quality, 1.0f);
    EXPECT_FALSE(o.fullscreen);
    o.save();
    EXPECT_EQ(file(), b.str()) << "kept while nothing changed";
    o.fullscreen = true;
    o.save();
    EXPECT_EQ(file(), file_of(1, 79, 59, 100).str()) << "the defaults, not zeros";
    EXPECT_EQ(read_file(saved("options.dat.unreadable")), b.str());
}

TEST_F(Options, ValuesAbove100AreClamped) {
    write_options(file_of(1, 250, 0xFFFFFFFFu, 300));
    o.read();
    EXPECT_TRUE(o.fullscreen);
    EXPECT_EQ(o.sound.x, 560);
    EXPECT_EQ(o.music.x, 560);
    EXPECT_EQ(o.effects.x, 560);
    EXPECT_FLOAT_EQ(o.effects_quality, 1.0f);
    EXPECT_EQ(music_raw(), 128);
    o.fullscreen = false;
    o.save();
    EXPECT_EQ(file(), file_of(0, 100, 100, 100).str());
}

// A file cut short gives the defaults for what it lacks, not zeros (every cut: the damage
// tests), and is kept until a change is saved, which moves it aside.
TEST_F(Options, AShortFileYieldsDefaultsForTheMissingValues) {
    Bytes b;
    b.u32(0xB17690AEu).u8(7).u32(50);
    write_options(b);
    o.read();
    EXPECT_TRUE(o.fullscreen);
    EXPECT_EQ(o.sound.x, options_knob_x(50));
    EXPECT_EQ(o.music.x, 448);
    EXPECT_EQ(o.effects.x, 560);
    EXPECT_FLOAT_EQ(o.effects_quality, 1.0f);
    o.keep();
    EXPECT_EQ(file(), b.str()) << "kept while nothing changed";
    o.fullscreen = false;
    o.keep();
    EXPECT_EQ(file(), file_of(0, 50, 59, 100).str());
    EXPECT_EQ(read_file(saved("options.dat.unreadable")), b.str());
}

TEST_F(Options, EveryStoredValueSurvivesRestarts) {
    for (std::uint32_t p = 0; p <= 100; ++p) {
        write_options(file_of(0, p, 100 - p, p));
        OptionsScreen run;
        run.read();
        run.fullscreen = true;
        run.keep();
        EXPECT_EQ(read_file(saved("options.dat")), file_of(1, p, 100 - p, p).str()) << p;
    }
    // The first run's values over ten restarts, each leaving the options screen with the
    // other display mode.
    std::remove(saved("options.dat").c_str());
    for (int restart = 0; restart < 10; ++restart) {
        OptionsScreen run;
        run.mode_is_fullscreen = fake_is_fullscreen;
        run.read();
        run.fullscreen = restart % 2 == 0;
        run.on_dequeue();
        EXPECT_EQ(read_file(saved("options.dat")), file_of(restart % 2 == 0, 79, 59, 100).str()) << restart;
    }
}

TEST_F(Options, TheMusicDragIsThrottled) {
    enter();
    o.last_music_ms = 0;
    o.last_music_value = -1.0f;
    o.music.dragging = true;
    o.music.set_pos(400, o.music.y);
    o.tick(250, 16);
    EXPECT_EQ(o.last_music_ms, 0u) << "250 ms after the start is too soon";
    o.tick(251, 16);
    int first = music_raw();
    EXPECT_EQ(first, static_cast<int>(o.music.value() * 128.0f));
    EXPECT_EQ(o.last_music_ms, 251u);

    o.music.set_pos(300, o.music.y);  // a large move, too soon
    o.tick(501, 16);
    EXPECT_EQ(music_raw(), first);
    o.tick(502, 16);
    int second = music_raw();
    EXPECT_EQ(second, static_cast<int>(o.music.value() * 128.0f));

    o.music.set_pos(304, o.music.y);  // 4 pixels: below 16/1024
    o.tick(2000, 16);
    EXPECT_EQ(music_raw(), second);
    EXPECT_EQ(o.last_music_ms, 502u);

    // The release applies the last small step at once.
    o.music.dragging = false;
    send(o, release(304, 300));
    EXPECT_EQ(music_raw(), static_cast<int>(23.0f / 279.0f * 128.0f));
}

TEST_F(Options, ATrackClickAppliesTheVolumeOnRelease) {
    enter();
    o.read();
    send(o, press(400, 380));  // the sound track
    EXPECT_EQ(o.sound.x, 400);
    send(o, release(400, 380));
    EXPECT_FLOAT_EQ(Snd::master_volume(), static_cast<int>(119.0f / 279.0f * 128.0f) / 128.0f);
    send(o, press(500, 300));  // the music track
    o.on_dequeue();
    EXPECT_EQ(music_raw(), static_cast<int>(219.0f / 279.0f * 128.0f)) << "leaving applies it too";
}

TEST_F(Options, TheDisplayModeBoxesFollowTheRealMode) {
    o.fullscreen = true;  // -f and -w together: stored full screen, a window in force
    enter();
    EXPECT_FALSE(o.fullscreen_box.is_checked());
    EXPECT_TRUE(o.window_box.is_checked());

    send(o, press(300, 590));  // the window box: its mode is in force
    EXPECT_TRUE(o.window_box.is_checked());
    EXPECT_FALSE(o.fullscreen_box.is_checked());
    EXPECT_EQ(toggles, 0);

    send(o, press(300, 530));  // the full-screen box
    EXPECT_EQ(toggles, 1);
    EXPECT_TRUE(fake_full);
    EXPECT_TRUE(o.fullscreen);
    EXPECT_TRUE(o.fullscreen_box.is_checked());
    EXPECT_FALSE(o.window_box.is_checked());

    send(o, press(300, 530));  // again: in force already
    EXPECT_EQ(toggles, 1);
    EXPECT_TRUE(o.fullscreen_box.is_checked());

    toggle_works = false;  // a switch that fails leaves the boxes on the real mode
    send(o, press(300, 590));
    EXPECT_EQ(toggles, 2);
    EXPECT_TRUE(o.fullscreen);
    EXPECT_TRUE(o.fullscreen_box.is_checked());
    EXPECT_FALSE(o.window_box.is_checked());
}

TEST_F(Options, LeavingStoresTheEffectsQualityAndWritesTheFile) {
    enter();
    o.read();
    o.effects.set_pos(200, o.effects.y);  // left of its range
    tde_stack.link_front(&o);
    EXPECT_TRUE(send(o, menus_test::key(SDLK_ESCAPE)));
    EXPECT_NE(tde_stack.front(), &o);
    EXPECT_FLOAT_EQ(o.effects_quality, 0.0f);
    EXPECT_EQ(o.effects.x, 281);
    EXPECT_EQ(file(), file_of(0, 79, 59, 0).str());
}

TEST_F(Options, DraggingTheEffectsKnobSetsTheQuality) {
    enter();
    o.effects.dragging = true;
    o.effects.set_pos(420, o.effects.y);
    o.tick(100, 16);
    EXPECT_FLOAT_EQ(o.effects_quality, 139.0f / 279.0f);
    EXPECT_EQ(o.effects.x, 420);
}

}  // namespace
