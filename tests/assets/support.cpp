#include "support.h"

#include "qdata.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace test {

namespace {

// The media layer for every test: dummy drivers, a 32-bit 1024x768 video surface.
struct MediaEnvironment : ::testing::Environment {
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_NOPARACHUTE), 0);
        ASSERT_NE(SDL_SetVideoMode(1024, 768, 32, 0), nullptr);
    }
    void TearDown() override { SDL_Quit(); }
};

::testing::Environment* const media_env =
    ::testing::AddGlobalTestEnvironment(new MediaEnvironment);

// The folders alive now. A death test's child ends in abort(), before any destructor runs:
// its folders go on the way out.
std::vector<std::string>& live_dirs() {
    static std::vector<std::string> dirs;
    return dirs;
}

extern "C" void remove_live_dirs(int sig) {
    for (auto const& d : live_dirs()) {
        std::error_code ec;
        fs::remove_all(d, ec);
    }
    signal(sig, SIG_DFL);
    raise(sig);
}

void put_le(std::string& s, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "assets_test_XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) ADD_FAILURE() << "mkdtemp failed";
    path_ = buf.data();
    if (live_dirs().empty()) signal(SIGABRT, remove_live_dirs);
    live_dirs().push_back(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
    auto& dirs = live_dirs();
    dirs.erase(std::remove(dirs.begin(), dirs.end(), path_), dirs.end());
}

void TempDir::write(std::string const& rel, std::string const& bytes) const {
    fs::path p = fs::path(path_) / rel;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

InFolder::InFolder(std::string const& path) : previous_(fs::current_path().string()) {
    fs::current_path(path);
}

InFolder::~InFolder() { fs::current_path(previous_); }

Archive::Archive(std::vector<std::pair<std::string, std::string>> members)
    : members_(std::move(members)) {
    std::sort(members_.begin(), members_.end());
    uint32_t offset = 0;
    for (auto const& m : members_) {
        rows_.push_back({m.first.c_str(), offset, static_cast<uint32_t>(m.second.size()),
                         static_cast<uint32_t>(crc32(0, reinterpret_cast<Bytef const*>(m.second.data()),
                                                     static_cast<uInt>(m.second.size())))});
        offset += static_cast<uint32_t>(m.second.size());
    }
}

void Archive::write(std::string const& path, long keep) const {
    fs::create_directories(fs::path(path).parent_path());
    std::string bytes(reinterpret_cast<char const*>(qdata_header), sizeof qdata_header);
    for (auto const& m : members_) bytes += m.second;
    if (keep >= 0) bytes.resize(static_cast<size_t>(keep));
    std::ofstream(path, std::ios::binary) << bytes;
}

void Archive::use(std::string const& path) const { qdata_use(rows_.data(), rows_.size(), path); }

std::string drain(SDL_RWops* rw) {
    std::string out;
    char buf[4096];
    int n;
    while ((n = SDL_RWread(rw, buf, 1, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    SDL_RWclose(rw);
    return out;
}

std::string bmp_bytes(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_LockSurface(s);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; ++x)
            row[x] = SDL_MapRGB(s->format, static_cast<Uint8>(x * 255 / (w > 1 ? w - 1 : 1)),
                                static_cast<Uint8>(y * 255 / (h > 1 ? h - 1 : 1)),
                                static_cast<Uint8>((x * 7 + y * 13) & 0xFF));
    }
    SDL_UnlockSurface(s);
    std::string path = (fs::temp_directory_path() / ("bmp_" + std::to_string(getpid()))).string();
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    fs::remove(path);
    return ss.str();
}

std::string wav_bytes(int ms) {
    uint32_t frames = static_cast<uint32_t>(22050 * ms / 1000);
    uint32_t data = frames * 4;
    std::string s = "RIFF";
    put_le(s, 36 + data, 4);
    s += "WAVEfmt ";
    put_le(s, 16, 4);
    put_le(s, 1, 2);          // PCM
    put_le(s, 2, 2);          // stereo
    put_le(s, 22050, 4);      // rate
    put_le(s, 22050 * 4, 4);  // bytes per second
    put_le(s, 4, 2);          // block align
    put_le(s, 16, 2);         // bits
    s += "data";
    put_le(s, data, 4);
    s.append(data, '\0');
    return s;
}

FakeMixer::Use::Use(FakeMixer& m) : previous(Mixer::set(&m)) {}
FakeMixer::Use::~Use() { Mixer::set(previous); }

FakeMixer& FakeMixer::get() {
    static auto* m = new FakeMixer;
    return *m;
}

void FakeMixer::reset() {
    calls.clear();
    open_result = 0;
}

std::vector<std::string> FakeMixer::calls_of(std::string const& prefix) const {
    std::vector<std::string> out;
    for (auto const& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

int FakeMixer::open_audio(int frequency, Uint16 format, int channels, int chunk_size) {
    std::ostringstream o;
    o << "open_audio " << frequency << " " << std::hex << format << std::dec << " " << channels
      << " " << chunk_size;
    calls.push_back(o.str());
    return open_result;
}

Mix_Chunk* FakeMixer::load_wav(SDL_RWops* src, int freesrc) {
    char head[3] = {};
    bool bad = SDL_RWread(src, head, 1, 3) == 3 && std::string(head, 3) == "BAD";
    if (freesrc) SDL_RWclose(src);
    calls.push_back(bad ? "load_wav failed" : "load_wav");
    if (bad) return nullptr;
    chunks_.emplace_back(new Mix_Chunk{});
    return chunks_.back().get();
}

int FakeMixer::volume_chunk(Mix_Chunk*, int volume) {
    calls.push_back("volume_chunk " + std::to_string(volume));
    return 0;
}

int FakeMixer::play_channel_timed(int channel, Mix_Chunk*, int loops, int ticks) {
    std::ostringstream o;
    o << "play_channel_timed " << channel << " " << loops << " " << ticks;
    calls.push_back(o.str());
    return 0;
}

Mix_Music* FakeMixer::load_mus(SDL_RWops* src) {
    char head[3] = {};
    bool bad = SDL_RWread(src, head, 1, 3) == 3 && std::string(head, 3) == "BAD";
    calls.push_back(bad ? "load_mus failed" : "load_mus");
    if (bad) return nullptr;
    tracks_.emplace_back(new char);
    return reinterpret_cast<Mix_Music*>(tracks_.back().get());
}

void FakeMixer::free_music(Mix_Music*) { calls.push_back("free_music"); }

int FakeMixer::play_music(Mix_Music*, int loops) {
    calls.push_back("play_music " + std::to_string(loops));
    return 0;
}

int FakeMixer::fade_in_music(Mix_Music*, int loops, int ms) {
    calls.push_back("fade_in_music " + std::to_string(loops) + " " + std::to_string(ms));
    return 0;
}

int FakeMixer::fade_in_music_pos(Mix_Music*, int loops, int ms, double position) {
    std::ostringstream o;
    o << "fade_in_music_pos " << loops << " " << ms << " " << position;
    calls.push_back(o.str());
    return 0;
}

int FakeMixer::fade_out_music(int ms) {
    calls.push_back("fade_out_music " + std::to_string(ms));
    return 1;
}

int FakeMixer::volume_music(int volume) {
    calls.push_back("volume_music " + std::to_string(volume));
    return 0;
}

}  // namespace test
