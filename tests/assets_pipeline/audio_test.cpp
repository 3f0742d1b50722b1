// Sounds and music in the archive: they load in the mixer as the program opens it,
// at 22050 Hz, and last as long as the program expects.

#include "archive_file.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Sample rate from a WAV file's "fmt " chunk; 0 when there is none.
uint32_t wav_rate(const std::vector<uint8_t>& b) {
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) || std::memcmp(b.data() + 8, "WAVE", 4))
        return 0;
    for (size_t i = 12; i + 8 <= b.size(); i += 8 + le32(&b[i + 4]) + (le32(&b[i + 4]) & 1))
        if (std::memcmp(&b[i], "fmt ", 4) == 0 && i + 16 <= b.size()) return le32(&b[i + 12]);
    return 0;
}

struct OggInfo {
    uint32_t rate = 0;     // from the Vorbis identification header
    uint64_t samples = 0;  // granule position of the last page
};

OggInfo ogg_info(const std::vector<uint8_t>& b) {
    OggInfo info;
    static const uint8_t id[7] = {1, 'v', 'o', 'r', 'b', 'i', 's'};
    for (size_t i = 0; i + 23 <= b.size() && !info.rate; ++i)
        if (std::memcmp(&b[i], id, 7) == 0) info.rate = le32(&b[i + 12]);
    for (size_t i = b.size() >= 27 ? b.size() - 26 : 0; i-- > 0;)
        if (std::memcmp(&b[i], "OggS", 4) == 0) {
            info.samples = uint64_t(le32(&b[i + 6])) | uint64_t(le32(&b[i + 10])) << 32;
            break;
        }
    return info;
}

class AssetAudio : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Without a sound card the mixer needs the dummy driver; keep one given outside.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ready_ = SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) == 0;
    }
    static void TearDownTestSuite() {
        if (ready_) Mix_CloseAudio();
        SDL_Quit();
    }
    // The index row of an audio member.
    const QDataRow& row(const char* name) {
        const QDataRow* r = index_row(name);
        if (!r) throw std::runtime_error(std::string("not in the index: ") + name);
        return *r;
    }
    static bool ready_;
};
bool AssetAudio::ready_ = false;

#define SKIP_IF_EMPTY(r)                                                                   \
    if ((r).size == 0) GTEST_SKIP() << (r).name << " is empty: no sound painter output yet"

}  // namespace

TEST_F(AssetAudio, SoundEffectsLoadAndAreShort) {
    ASSERT_TRUE(ready_) << Mix_GetError();
    for (const char* name : {"a/button_down.wav", "a/button_over.wav", "a/flip0.wav",
                             "a/flip1.wav"}) {
        const QDataRow& r = row(name);
        SKIP_IF_EMPTY(r);
        EXPECT_EQ(wav_rate(member_bytes(r)), 22050u) << name;
        Mix_Chunk* chunk = Mix_LoadWAV_RW(member_stream(r), 1);
        ASSERT_NE(chunk, nullptr) << name << ": " << Mix_GetError();
        const double ms = chunk->alen / (22050.0 * 4) * 1000;  // 16-bit stereo
        EXPECT_GT(ms, 20) << name;
        EXPECT_LE(ms, 150) << name;
        Mix_FreeChunk(chunk);
    }
}

TEST_F(AssetAudio, MusicLoadsAndLastsItsRegisteredLength) {
    ASSERT_TRUE(ready_) << Mix_GetError();
    const struct {
        const char* name;
        double ms;
    } tracks[] = {{"a/menu.ogg", 184000}, {"a/game-0.ogg", 276000},
                  {"a/game-1.ogg", 231000}, {"a/game-2.ogg", 239000}};
    for (const auto& t : tracks) {
        const QDataRow& r = row(t.name);
        SKIP_IF_EMPTY(r);
        const OggInfo info = ogg_info(member_bytes(r));
        EXPECT_EQ(info.rate, 22050u) << t.name;
        if (info.rate) {
            EXPECT_NEAR(info.samples * 1000.0 / info.rate, t.ms, 1000) << t.name;
        }
        SDL_RWops* rw = member_stream(r);
        Mix_Music* music = Mix_LoadMUS_RW(rw);
        EXPECT_NE(music, nullptr) << t.name << ": " << Mix_GetError();
        if (music) Mix_FreeMusic(music);
        SDL_RWclose(rw);
    }
}
