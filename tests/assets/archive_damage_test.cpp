// Damaged and missing archives: what the reader hands out, and what images, sounds and music
// make of it with the real decoders and SDL_mixer on the dummy audio driver.

#include <gtest/gtest.h>
#include <unistd.h>

#include <SDL/SDL_mixer.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "loader.h"
#include "mixer_seam.h"
#include "mus.h"
#include "music_ctl.h"
#include "qdata.h"
#include "screen_hacks.h"
#include "snd.h"
#include "support.h"

namespace {

const long header = 16;

// Bytes that follow no format, the same on every run.
std::string garbage(size_t n, unsigned seed) {
    std::string s(n, '\0');
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return s;
}

std::string file_bytes(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// How much of a member a file cut to cut bytes still holds.
long present(QDataRow const& row, long cut) {
    long n = cut - header - static_cast<long>(row.offset);
    return std::max(0L, std::min(n, static_cast<long>(row.size)));
}

void put_le(std::string& s, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// test::wav_bytes with one little-endian field of its header replaced: 16 is the format
// block's length, 20 the format tag, 22 the channels, 24 the rate, 32 the block size, 34 the
// bits per sample, 40 the data length.
std::string wav_with(size_t at, uint32_t value, int bytes) {
    std::string s = test::wav_bytes(40);
    put_le(s, at, value, bytes);
    return s;
}

// A PCM WAV of silence with the given channels, rate and sample size.
std::string pcm_wav(int channels, uint32_t rate, int bits) {
    std::string s = test::wav_bytes(40);
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    put_le(s, 22, static_cast<uint32_t>(channels), 2);
    put_le(s, 24, rate, 4);
    put_le(s, 28, rate * align, 4);
    put_le(s, 32, align, 2);
    put_le(s, 34, static_cast<uint32_t>(bits), 2);
    return s;
}

// Loads a sound as the game does, plays it a moment and frees it; true when it loaded.
bool sound_loads(std::string const& name) {
    Snd s(name, nullptr, 1.0f);
    if (!s.load()) return false;
    s.play_once();
    SDL_Delay(20);  // the mixer thread mixes it meanwhile
    Mix_HaltChannel(-1);
    Mix_FreeChunk(s.chunk());
    return true;
}

// Waits up to ms for the music to stop; true when it has.
bool wait_until_silent(unsigned ms) {
    for (unsigned t = 0; t < ms && Mix_PlayingMusic(); t += 50) SDL_Delay(50);
    return !Mix_PlayingMusic();
}

// Decodes an image as the loader does; true when it loaded. One that did not has no size.
bool image_loads(std::string const& name) {
    Surf s(name, nullptr);
    s.load();
    if (!Surf::ok(&s)) {
        EXPECT_EQ(s.world_wh(), E2::Vec2<int>(0, 0)) << name;
        EXPECT_EQ(s.screen_wh(), E2::Vec2<int>(0, 0)) << name;
    }
    return Surf::ok(&s);
}

// The real mixer, opened as the game opens it.
struct RealAudio : ::testing::Test {
    test::TempDir dir;
    Mixer* previous = Mixer::set(nullptr);

    void SetUp() override {
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

// A sound and three images, in the archive's order of names.
struct SmallArchive : ::testing::Test {
    test::TempDir dir;
    std::string path = dir.file("data/q.dat");
    test::Archive archive{{{"a/s.wav", test::wav_bytes(20)},
                           {"i/b.bmp", test::bmp_bytes(12, 9)},
                           {"i/c.bmp", test::bmp_bytes(30, 20)},
                           {"i/d.bmp", test::bmp_bytes(7, 5)}}};
    long total = 0;

    void SetUp() override {
        QDataRow const& last = archive.rows().back();
        total = header + static_cast<long>(last.offset + last.size);
        archive.write(path);
        archive.use(path);
    }
    void TearDown() override {
        ScreenHacks::set_screen_view({1024, 768});
        qdata_use_builtin();
    }
    std::string member(size_t i) const {
        std::string whole = file_bytes(path);
        QDataRow const& r = archive.rows()[i];
        return whole.substr(header + r.offset, r.size);
    }
};

// The start-up check: a whole archive passes; a missing, empty, cut or unreadable one
// names the archive, what is wrong and how many members are lacking, unless loose files
// stand in for every member it lacks.
TEST_F(SmallArchive, StartUpCheckNamesWhatIsWrongUnlessLooseFilesStandIn) {
    EXPECT_EQ(qdata_check(), "");
    QDataRow const& d = archive.rows()[3];
    struct Case {
        long cut;
        char const* wrong;
        char const* first;
    };
    for (Case const& c : {Case{0, "is empty", ".a/s.wav"}, Case{header - 1, "is cut short", ".a/s.wav"},
                          Case{header + long(d.offset) + 1, "is cut short", ".i/d.bmp"},
                          Case{total - 1, "is cut short", ".i/d.bmp"}}) {
        archive.write(path, c.cut);
        archive.use(path);
        std::string said = qdata_check();
        EXPECT_NE(said.find(path), std::string::npos) << said;
        EXPECT_NE(said.find(c.wrong), std::string::npos) << said;
        EXPECT_NE(said.find(std::string("(the first: ") + c.first + ")"), std::string::npos) << said;
        EXPECT_NE(said.find("Reinstall"), std::string::npos) << said;
    }
    archive.use(dir.file("none/q.dat"));
    EXPECT_NE(qdata_check().find("is missing, so 4 of the game's 4"), std::string::npos) << qdata_check();
    archive.use(dir.path());
    EXPECT_NE(qdata_check().find("is not a file"), std::string::npos) << qdata_check();

    // A loose file at the dotted name stands in for the one member a cut lost.
    archive.write(path, total - 1);
    archive.use(path);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    std::filesystem::create_directories(".i");
    { std::ofstream(".i/d.bmp") << "loose"; }
    std::string const with_loose = qdata_check();
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_EQ(with_loose, "");
}

// Damage inside an archive of the right length: its header, or bytes of its members, the
// first damaged member named. A loose file at its dotted name stands in for a damaged member,
// and the lookup then hands out nothing for it, so that the loader reads the loose file.
TEST_F(SmallArchive, StartUpCheckNamesTheFirstDamagedMemberUnlessALooseFileStandsIn) {
    std::string const whole = file_bytes(path);
    auto flipped = [&](std::vector<long> const& at) {
        std::string b = whole;
        for (long i : at) b[static_cast<size_t>(i)] ^= 0x5A;
        return b;
    };
    long const in_b = header + archive.rows()[1].offset, in_c = header + archive.rows()[2].offset + 30;
    long const last = total - 1;
    struct Case {
        std::string bytes;
        char const* said;
    };
    for (Case const& c :
         {Case{flipped({in_c}), "is damaged: 1 of the game's 4 images and sounds does not hold the bytes it was "
                                "packed with (the first: .i/c.bmp). Reinstall"},
          Case{flipped({last}), "(the first: .i/d.bmp)"},
          Case{flipped({last, in_b, in_b + 1}), "is damaged: 2 of the game's 4 images and sounds do not hold the "
                                                "bytes they were packed with (the first: .i/b.bmp)"},
          Case{flipped({0, 1, 2, 3}), "is damaged: its first 16 bytes are not the header it was packed with"},
          Case{flipped({15, in_c}), "its first 16 bytes"}}) {
        dir.write("data/q.dat", c.bytes);
        archive.use(path);
        std::string said = qdata_check();
        EXPECT_EQ(said.find(path + " in /"), 0u) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
    }

    dir.write("data/q.dat", flipped({in_c}));
    archive.use(path);
    test::InFolder in(dir.path());
    dir.write(".i/c.bmp", test::bmp_bytes(3, 2));
    EXPECT_EQ(qdata_check(), "");
    EXPECT_EQ(qdata_find(".i/c.bmp"), nullptr);
    Surf loose(".i/c.bmp", nullptr);
    loose.load();
    EXPECT_EQ(loose.world_wh(), E2::Vec2<int>(3, 2));
    EXPECT_EQ(test::drain(qdata_find(".i/b.bmp")), member(1));

    // Sounds are never read from loose files, so none stands in for a damaged one.
    dir.write("data/q.dat", flipped({header + long(archive.rows()[0].offset)}));
    archive.use(path);
    dir.write(".a/s.wav", member(0));
    EXPECT_NE(qdata_check().find("(the first: .a/s.wav)"), std::string::npos) << qdata_check();
}

TEST_F(SmallArchive, CutFileYieldsEachMemberOnlyUpToTheCut) {
    std::vector<std::string> members;
    for (size_t i = 0; i < archive.rows().size(); ++i) members.push_back(member(i));
    QDataRow const& c = archive.rows()[2];
    QDataRow const& d = archive.rows()[3];
    long in_c = header + long(c.offset) + 5;
    for (long cut : {0L, 3L, header - 1, header, in_c, header + long(d.offset), total - 1}) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        archive.write(path, cut);
        archive.use(path);
        for (size_t i = 0; i < members.size(); ++i) {
            QDataRow const& row = archive.rows()[i];
            long n = present(row, cut);
            SDL_RWops* rw = qdata_find(std::string(".") + row.name);
            if (n == 0) {
                EXPECT_EQ(rw, nullptr) << row.name;
                continue;
            }
            ASSERT_NE(rw, nullptr) << row.name;
            // Nothing of the next member, nothing past the end of the file.
            EXPECT_EQ(SDL_RWseek(rw, 0, RW_SEEK_END), n) << row.name;
            SDL_RWseek(rw, 0, RW_SEEK_SET);
            EXPECT_EQ(test::drain(rw), members[i].substr(0, static_cast<size_t>(n))) << row.name;
        }
    }

    // No file at all, or a folder where the file should be: nothing, every time.
    archive.use(dir.file("none/q.dat"));
    for (QDataRow const& row : archive.rows()) EXPECT_EQ(qdata_find(row.name), nullptr);
    archive.use(dir.path());
    for (QDataRow const& row : archive.rows()) EXPECT_EQ(qdata_find(row.name), nullptr);
}

TEST_F(SmallArchive, ImagesThatCannotBeDecodedStayUnloadedThroughModeSwitches) {
    std::string bytes = file_bytes(path);
    QDataRow const& b = archive.rows()[1];
    QDataRow const& c = archive.rows()[2];
    QDataRow const& d = archive.rows()[3];
    // b zeroed, c's pixels overwritten with garbage and its header kept, d cut short.
    bytes.replace(header + b.offset, b.size, std::string(b.size, '\0'));
    bytes.replace(header + c.offset + 54, c.size - 54, garbage(c.size - 54, 7));
    bytes.resize(header + d.offset + d.size / 2);
    dir.write("data/q.dat", bytes);
    archive.use(path);

    Loader loader("");
    Surf* zeroed = loader.schedule_surface(".i/b.bmp");
    Surf* scrambled = loader.schedule_surface(".i/c.bmp");
    Surf* cut = loader.schedule_surface(".i/d.bmp");
    while (loader.has_jobs()) loader.process_job();
    for (Surf* s : {zeroed, cut}) {
        EXPECT_FALSE(Surf::ok(s)) << s->name();
        EXPECT_EQ(s->world_wh(), E2::Vec2<int>(0, 0)) << s->name();
        EXPECT_EQ(s->screen_wh(), E2::Vec2<int>(0, 0)) << s->name();
    }
    // A BMP with garbage pixels is still a picture of its own size.
    ASSERT_TRUE(Surf::ok(scrambled));
    EXPECT_EQ(scrambled->world_wh(), E2::Vec2<int>(30, 20));

    // The switch to a scaled screen reloads only what was loaded and stays clear of the rest.
    for (E2::Vec2<int> view : {E2::Vec2<int>(800, 600), E2::Vec2<int>(1024, 768)}) {
        loader.save_loaded();
        loader.unload();
        ScreenHacks::set_screen_view(view);
        loader.reload();
        EXPECT_TRUE(Surf::ok(scrambled));
        EXPECT_FALSE(Surf::ok(zeroed));
        EXPECT_FALSE(Surf::ok(cut));
        zeroed->load();
        cut->load();
        EXPECT_FALSE(Surf::ok(zeroed));
        EXPECT_FALSE(Surf::ok(cut));
    }
    loader.unload();
}

using SmallArchiveDeathTest = SmallArchive;

TEST_F(SmallArchiveDeathTest, ImageInTheIndexButNotInTheFileStopsWithItsName) {
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    QDataRow const& c = archive.rows()[2];
    archive.write(path, header + static_cast<long>(c.offset));
    archive.use(path);
    EXPECT_TRUE(image_loads(".i/b.bmp"));
    EXPECT_DEATH(image_loads(".i/c.bmp"), "image not found: \\.i/c\\.bmp");

    archive.use(dir.file("none/q.dat"));
    EXPECT_DEATH(image_loads(".i/b.bmp"), "image not found: \\.i/b\\.bmp");
}

// Every sound goes through the real mixer: a crash there ends the test program.
using DamagedSounds = RealAudio;

TEST_F(DamagedSounds, BrokenWavesStaySilent) {
    std::string sound = test::wav_bytes(40);
    // A chunk of odd length, with or without its pad byte, before the format block or after it.
    auto with_odd_chunk = [&](size_t at, bool pad) {
        std::string s = sound;
        s.insert(at, std::string("LIST\x03\0\0\0abc\0", pad ? 12 : 11));
        put_le(s, 4, static_cast<uint32_t>(s.size() - 8), 4);
        return s;
    };
    std::vector<std::pair<std::string, std::string>> broken = {
        {"a/rate0.wav", wav_with(24, 0, 4)},
        {"a/rate1.wav", wav_with(24, 1, 4)},
        {"a/channels0.wav", wav_with(22, 0, 2)},
        {"a/bits0.wav", wav_with(34, 0, 2)},
        {"a/bits12.wav", wav_with(34, 12, 2)},
        {"a/format_tag0.wav", wav_with(20, 0, 2)},
        {"a/short_format.wav", wav_with(16, 2, 4)},
        {"a/ima_adpcm.wav", wav_with(32, 0, 2).replace(20, 2, std::string("\x11\x00", 2))},
        {"a/ms_adpcm.wav", wav_with(20, 2, 2)},
        {"a/long_data.wav", wav_with(40, 0x7FFFFFF0u, 4)},
        {"a/zeroed.wav", std::string(sound.size(), '\0')},
        {"a/garbage.wav", garbage(sound.size(), 3)},
        {"a/riff_garbage.wav", "RIFF" + garbage(sound.size() - 4, 4)},
        {"a/header_only.wav", sound.substr(0, 36)},
        {"a/half.wav", sound.substr(0, sound.size() / 2)},
        {"a/tiny.wav", "RI"},
        {"a/empty_data.wav", wav_with(40, 0, 4)},
        {"a/riff_short.wav", wav_with(4, 28, 4)},
        {"a/odd_chunk_first.wav", with_odd_chunk(12, false)},
        {"a/odd_chunk_after_format.wav", with_odd_chunk(36, true)},
    };
    std::vector<std::pair<std::string, std::string>> sound_ones = {
        {"a/ok_stereo.wav", sound},
        {"a/ok_mono.wav", pcm_wav(1, 22050, 16)},
        {"a/ok_8bit.wav", pcm_wav(1, 11025, 8)},
        {"a/ok_44k.wav", pcm_wav(2, 44100, 16)},
        {"a/ok_8k.wav", pcm_wav(1, 8000, 16)},
        {"a/ok_riff0.wav", wav_with(4, 0, 4)},
    };
    std::vector<std::pair<std::string, std::string>> all = broken;
    all.insert(all.end(), sound_ones.begin(), sound_ones.end());
    test::Archive archive(all);
    archive.write(dir.file("q.dat"));
    archive.use(dir.file("q.dat"));

    for (auto const& m : broken) EXPECT_FALSE(sound_loads("." + m.first)) << m.first;
    for (auto const& m : sound_ones) EXPECT_TRUE(sound_loads("." + m.first)) << m.first;

    // As the game loads them: the registry drops what fails and plays nothing for it.
    Snd* s = Snd::snd_register(".a/rate0.wav", 1.0f);
    while (Snd::has_jobs()) Snd::process_job();
    EXPECT_FALSE(Snd::ok(s));
    s->play_once();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(DamagedSounds, BrokenWaveTracksStaySilentToo) {
    test::Archive archive({{"a/rate0.wav", wav_with(24, 0, 4)},
                           {"a/channels0.wav", wav_with(22, 0, 2)},
                           {"a/tiny.wav", "RI"},
                           {"a/ok.wav", test::wav_bytes(40)}});
    archive.write(dir.file("q.dat"));
    archive.use(dir.file("q.dat"));
    for (char const* name : {".a/rate0.wav", ".a/channels0.wav", ".a/tiny.wav"}) {
        Mus m(name, nullptr, 1.0f, 1000);
        EXPECT_FALSE(m.load()) << name;
    }
    Mus ok(".a/ok.wav", nullptr, 1.0f, 1000);
    EXPECT_TRUE(ok.load());
    ok.unload();
}

// The build's own data/q.dat beside the folder of the test programs, or "" without one.
std::string built_archive() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    std::string exe(buf, static_cast<size_t>(n));
    std::string tests = exe.substr(0, exe.rfind('/'));
    std::string path = tests.substr(0, tests.rfind('/')) + "/data/q.dat";
    return access(path.c_str(), R_OK) == 0 ? path : std::string();
}

QDataRow const& row_of(std::string const& name) {
    for (size_t i = 0; i < qdata_row_count; ++i)
        if (name == qdata_rows[i].name) return qdata_rows[i];
    ADD_FAILURE() << "no " << name << " in the index";
    return qdata_rows[0];
}

bool is_sound(QDataRow const& r) { return std::string(r.name).find(".wav") != std::string::npos; }
bool is_track(QDataRow const& r) { return std::string(r.name).find(".ogg") != std::string::npos; }
bool is_png(QDataRow const& r) { return std::string(r.name).find(".png") != std::string::npos; }

// The real archive and index with the real decoders: the archive is damaged in a copy.
struct BuiltArchive : RealAudio {
    std::string bytes;

    void SetUp() override {
        std::string path = built_archive();
        if (path.empty()) GTEST_SKIP() << "no data/q.dat beside this build's tests";
        bytes = file_bytes(path);
        QDataRow const& last = qdata_rows[qdata_row_count - 1];
        ASSERT_EQ(bytes.size(), header + last.offset + last.size) << "archive and index disagree";
        RealAudio::SetUp();
    }
    void use(std::string const& damaged) {
        dir.write("data/q.dat", damaged);
        qdata_use(qdata_rows, qdata_row_count, dir.file("data/q.dat"));
    }
    void damage(std::string const& name, size_t from, std::string const& with) {
        QDataRow const& r = row_of(name);
        ASSERT_LE(from + with.size(), r.size) << name;
        bytes.replace(header + r.offset + from, with.size(), with);
    }
    void zero(std::string const& name, size_t from = 0) {
        damage(name, from, std::string(row_of(name).size - from, '\0'));
    }
};

TEST_F(BuiltArchive, CutAtAnyLengthLoadsWhatIsWholeAndNothingPastTheCut) {
    QDataRow const title = row_of("i/menu/title_bg.jpg");
    long total = static_cast<long>(bytes.size());
    std::vector<long> cuts = {0,
                              7,
                              header,
                              total / 2,
                              header + static_cast<long>(title.offset),
                              total - static_cast<long>(title.size) / 2,
                              total - 1};
    for (long cut : cuts) {
        SCOPED_TRACE("cut at " + std::to_string(cut) + " of " + std::to_string(total));
        use(bytes.substr(0, static_cast<size_t>(cut)));
        for (size_t i = 0; i < qdata_row_count; ++i) {
            QDataRow const& r = qdata_rows[i];
            long n = present(r, cut);
            bool whole = n == static_cast<long>(r.size);
            std::string name = std::string(".") + r.name;
            if (is_sound(r)) {
                EXPECT_EQ(sound_loads(name), whole) << name;
            } else if (is_track(r)) {
                // A track cut short may still open; one that is gone or whole may not.
                Mus m(name, nullptr, 1.0f, 1000);
                bool loads = m.load();
                m.unload();
                EXPECT_TRUE(loads == whole || (n > 0 && !whole)) << name;
            } else if (n > 0 && (!whole || i + 1 == qdata_row_count ||
                                 present(qdata_rows[i + 1], cut) == 0)) {
                // The image the cut runs through, or the last whole one before it. A cut
                // JPEG decodes with its missing rows grey, a cut PNG not at all.
                bool loads = image_loads(name);
                EXPECT_TRUE(loads == whole || !is_png(r)) << name;
            }
        }
    }
}

TEST_F(BuiltArchive, MembersDamagedInPlaceStaySilentOrUnloadedAndSpareTheirNeighbours) {
    zero("a/button_down.wav");
    damage("a/button_over.wav", 0, garbage(row_of("a/button_over.wav").size, 5));
    damage("a/flip0.wav", 24, std::string(4, '\0'));  // the rate
    damage("a/flip1.wav", 22, std::string(2, '\0'));  // the channels
    zero("a/menu.ogg");
    damage("a/game-0.ogg", 0, garbage(row_of("a/game-0.ogg").size, 6));
    zero("i/menu/title_bg.jpg");
    damage("i/menu/splashlogo.png", 0, garbage(row_of("i/menu/splashlogo.png").size, 8));
    zero("i/menu/loading.png", 64);  // its header kept
    use(bytes);

    for (char const* name :
         {".a/button_down.wav", ".a/button_over.wav", ".a/flip0.wav", ".a/flip1.wav"})
        EXPECT_FALSE(sound_loads(name)) << name;
    for (char const* name : {".a/menu.ogg", ".a/game-0.ogg"}) {
        Mus m(name, nullptr, 1.0f, 1000);
        MusicCtl ctl;
        ctl.play(&m, 1, 0, 0);
        EXPECT_FALSE(Mus::ok(&m)) << name;
        EXPECT_EQ(Mix_PlayingMusic(), 0) << name;
        ctl.tick(0, 0);
        EXPECT_TRUE(ctl.queue().empty()) << name;
    }
    for (char const* name :
         {".i/menu/title_bg.jpg", ".i/menu/splashlogo.png", ".i/menu/loading.png"})
        EXPECT_FALSE(image_loads(name)) << name;

    // The members next to the damaged ones are untouched.
    Mus track(".a/game-1.ogg", nullptr, 1.0f, 1000);
    EXPECT_TRUE(track.load());
    track.unload();
    EXPECT_TRUE(image_loads(".i/menu/slider.png"));
    EXPECT_TRUE(image_loads(".i/menu/quit_up.png"));
    EXPECT_TRUE(image_loads(".i/game/bf/b0_0.png"));
}

TEST_F(BuiltArchive, TrackCutShortPlaysUpToTheCutAndFallsSilent) {
    QDataRow const menu = row_of("a/menu.ogg");
    // Its first 20000 bytes are left: a few seconds of its three minutes.
    use(bytes.substr(0, header + menu.offset + 20000));
    Mus m(".a/menu.ogg", nullptr, 1.0f, 184000);
    MusicCtl ctl;
    ctl.play(&m, 1, 0, 0);
    ASSERT_TRUE(Mus::ok(&m));
    SDL_Delay(300);
    EXPECT_TRUE(Mix_PlayingMusic()) << "the cut track did not play";
    EXPECT_TRUE(wait_until_silent(10000)) << "the cut track still plays";
    ctl.clear();
    m.unload();

    // Its audio zeroed after the first pages: no sound, no crash.
    zero("a/game-2.ogg", 8192);
    use(bytes);
    Mus z(".a/game-2.ogg", nullptr, 1.0f, 1000);
    ctl.play(&z, 1, 0, 0);
    SDL_Delay(200);
    ctl.fade_out(0);
    ctl.clear();
    z.unload();
}

}  // namespace
