#include <gtest/gtest.h>

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "painters.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Pcm {
    int channels = 0;
    long rate = 0;
    std::vector<float> s;  // interleaved
    size_t frames() const { return channels ? s.size() / size_t(channels) : 0; }
    float at(size_t frame, int ch) const { return s[frame * size_t(channels) + size_t(ch)]; }
};

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

Pcm parse_wav(const Bytes& f) {
    Pcm p;
    if (f.size() < 44 || std::memcmp(f.data(), "RIFF", 4) || std::memcmp(f.data() + 8, "WAVE", 4)) return p;
    if (std::memcmp(f.data() + 12, "fmt ", 4) || le16(&f[20]) != 1 || le16(&f[34]) != 16) return p;
    if (std::memcmp(f.data() + 36, "data", 4) || le32(&f[40]) + 44 != f.size()) return p;
    if (le32(&f[4]) + 8 != f.size()) return p;
    p.channels = le16(&f[22]);
    p.rate = long(le32(&f[24]));
    for (size_t i = 44; i + 1 < f.size(); i += 2) p.s.push_back(float(int16_t(le16(&f[i]))) / 32768.0f);
    return p;
}

struct Reader {
    const Bytes* data;
    size_t pos = 0;
};
size_t mem_read(void* ptr, size_t size, size_t n, void* src) {
    Reader& r = *static_cast<Reader*>(src);
    size_t k = std::min(size * n, r.data->size() - r.pos);
    std::memcpy(ptr, r.data->data() + r.pos, k);
    r.pos += k;
    return size ? k / size : 0;
}
int mem_seek(void* src, ogg_int64_t off, int whence) {
    Reader& r = *static_cast<Reader*>(src);
    ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? ogg_int64_t(r.pos) : ogg_int64_t(r.data->size());
    if (base + off < 0 || base + off > ogg_int64_t(r.data->size())) return -1;
    r.pos = size_t(base + off);
    return 0;
}
long mem_tell(void* src) { return long(static_cast<Reader*>(src)->pos); }

Pcm decode_ogg(const Bytes& f) {
    Pcm p;
    Reader r{&f};
    OggVorbis_File vf;
    ov_callbacks cb{mem_read, mem_seek, nullptr, mem_tell};
    if (ov_open_callbacks(&r, &vf, nullptr, 0, cb) != 0) return p;
    vorbis_info* vi = ov_info(&vf, -1);
    p.channels = vi->channels;
    p.rate = vi->rate;
    for (;;) {
        float** pcm;
        int section;
        long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0) break;
        for (long i = 0; i < n; ++i)
            for (int c = 0; c < p.channels; ++c) p.s.push_back(pcm[c][i]);
    }
    ov_clear(&vf);
    return p;
}

// The audio packets of a single-stream Ogg Vorbis file (headers skipped).
std::vector<Bytes> audio_packets(const Bytes& f) {
    std::vector<Bytes> out;
    ogg_sync_state oy;
    ogg_sync_init(&oy);
    char* buf = ogg_sync_buffer(&oy, long(f.size()));
    std::memcpy(buf, f.data(), f.size());
    ogg_sync_wrote(&oy, long(f.size()));
    ogg_stream_state os;
    bool started = false;
    ogg_page pg;
    int seen = 0;
    while (ogg_sync_pageout(&oy, &pg) == 1) {
        if (!started) ogg_stream_init(&os, ogg_page_serialno(&pg)), started = true;
        ogg_stream_pagein(&os, &pg);
        ogg_packet op;
        while (ogg_stream_packetout(&os, &op) == 1)
            if (++seen > 3) out.emplace_back(op.packet, op.packet + op.bytes);
    }
    if (started) ogg_stream_clear(&os);
    ogg_sync_clear(&oy);
    return out;
}

float peak(const Pcm& p) {
    float m = 0;
    for (float v : p.s) m = std::max(m, std::fabs(v));
    return m;
}
float db(float x) { return 20.0f * std::log10(std::max(x, 1e-9f)); }
double mean(const Pcm& p, int ch) {
    double s = 0;
    for (size_t i = 0; i < p.frames(); ++i) s += p.at(i, ch);
    return s / double(p.frames());
}

struct Effect {
    const char* name;
    double min_s, max_s;
};
const Effect kEffects[] = {
    {"a/button_over.wav", 0.060, 0.120},
    {"a/button_down.wav", 0.080, 0.150},
    {"a/flip0.wav", 0.030, 0.150},
    {"a/flip1.wav", 0.030, 0.150},
};

TEST(AssetgenAudio, SoundEffectsAreCleanShortWavs) {
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.name);
        Pcm p = parse_wav(assetgen::make_sound(e.name));
        ASSERT_EQ(p.channels, 1);
        EXPECT_EQ(p.rate, 22050);
        double s = double(p.frames()) / 22050.0;
        EXPECT_GE(s, e.min_s);
        EXPECT_LE(s, e.max_s);
        EXPECT_EQ(p.s.front(), 0.0f);
        EXPECT_EQ(p.s.back(), 0.0f);
        EXPECT_LT(db(peak(p)), -6.0f);   // never loud
        EXPECT_GT(db(peak(p)), -30.0f);  // but audible
        EXPECT_LT(std::fabs(mean(p, 0)), 2e-3);
    }
    EXPECT_NE(assetgen::make_sound("a/flip0.wav"), assetgen::make_sound("a/flip1.wav"));
}

TEST(AssetgenAudio, SoundEffectsAreDeterministic) {
    for (const Effect& e : kEffects) EXPECT_EQ(assetgen::make_sound(e.name), assetgen::make_sound(e.name)) << e.name;
}

TEST(AssetgenAudio, UnknownNameGivesNothing) { EXPECT_TRUE(assetgen::make_sound("a/none.ogg").empty()); }

// Common checks of a music track; returns the decoded audio.
Pcm check_track(const Bytes& file, double seconds) {
    Pcm p = decode_ogg(file);
    EXPECT_EQ(p.channels, 2);
    EXPECT_EQ(p.rate, 22050);
    EXPECT_NEAR(double(p.frames()) / 22050.0, seconds, 0.5);
    EXPECT_LT(db(peak(p)), -2.0f);  // about -3 dBFS after coding
    EXPECT_GT(db(peak(p)), -5.0f);
    for (int c = 0; c < 2; ++c) EXPECT_LT(std::fabs(mean(p, c)), 1e-3);
    return p;
}

void check_game_track(const char* name, double seconds) {
    Pcm p = check_track(assetgen::make_sound(name), seconds);
    ASSERT_GT(p.frames(), 22050u);
    // Starts from silence and dies away to silence at its end.
    EXPECT_LT(std::fabs(p.at(0, 0)) + std::fabs(p.at(0, 1)), 0.02f);
    float tail = 0;
    for (size_t i = p.frames() - 1100; i < p.frames(); ++i)
        tail = std::max({tail, std::fabs(p.at(i, 0)), std::fabs(p.at(i, 1))});
    EXPECT_LT(tail, 0.01f);
}

TEST(AssetgenAudio, Game0) { check_game_track("a/game-0.ogg", 276); }
TEST(AssetgenAudio, Game1) { check_game_track("a/game-1.ogg", 231); }
TEST(AssetgenAudio, Game2) { check_game_track("a/game-2.ogg", 239); }

TEST(AssetgenAudio, MenuLoopsSeamlesslyAndIsDeterministic) {
    const Bytes file = assetgen::make_sound("a/menu.ogg");
    Pcm p = check_track(file, 184);
    ASSERT_GT(p.frames(), 22050u);

    // The packets at the seam repeat those at the start, so a decoder wrapping round
    // continues exactly as it does inside the stream. The stream either ends on the
    // twin of its first (priming) packet, or runs one packet on and is trimmed there.
    std::vector<Bytes> pk = audio_packets(file);
    ASSERT_GT(pk.size(), 4u);
    const size_t n = pk.size();
    EXPECT_TRUE(pk[0] == pk[n - 1] || (pk[0] == pk[n - 2] && pk[1] == pk[n - 1]));

    // No jump at the seam: the step from the last frame to the first is an ordinary one.
    std::vector<float> steps;
    for (size_t i = 1; i < p.frames(); ++i) steps.push_back(std::fabs(p.at(i, 0) - p.at(i - 1, 0)));
    std::sort(steps.begin(), steps.end());
    const float seam = std::fabs(p.at(0, 0) - p.at(p.frames() - 1, 0));
    EXPECT_LT(seam, steps[steps.size() * 99 / 100]);
    // The first play starts near silence.
    EXPECT_LT(std::fabs(p.at(0, 0)) + std::fabs(p.at(0, 1)), 0.08f);

    EXPECT_EQ(file, assetgen::make_sound("a/menu.ogg"));
}

}  // namespace
