#include "snd.h"

#include "audio_state.h"
#include "mixer_input.h"
#include "mixer_seam.h"
#include "name_registry.h"

namespace {

NameRegistry<Snd>& registry() {
    static auto* r = new NameRegistry<Snd>;
    return *r;
}

float clamp01(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

}  // namespace

int Snd::_master_snd_vol = 128;

Snd::Snd(std::string const& name, Mix_Chunk* chunk, float volume)
    : name_(name), chunk_(chunk), volume_(clamp01(volume)) {}

Snd* Snd::snd_register(std::string const& name, float volume) { return registry().add(name, nullptr, volume); }

bool Snd::has_jobs() { return registry().has_jobs(); }

void Snd::process_job() { registry().process_job(); }

bool Snd::ok(Snd const* s) { return s && s->chunk_; }

bool Snd::load() {
    if (chunk_) return true;
    SDL_RWops* src = open_for_mixer(name_);
    if (!src) return false;
    chunk_ = Mixer::get()->load_wav(src, 1);
    return chunk_ != nullptr;
}

void Snd::play(int loops) {
    if (!chunk_) return;
    Mixer* m = Mixer::get();
    m->volume_chunk(chunk_, audio_state::mixer_volume(_master_snd_vol, volume_));
    m->play_channel_timed(-1, chunk_, loops, -1);
}

void Snd::play_once() { play(0); }

void Snd::play_loop(int n) { play(n - 1); }

void Snd::set_volume(float v) { volume_ = clamp01(v); }

void Snd::set_master_volume(float v) {
    if (v < 0.0f)
        _master_snd_vol = 0;
    else if (v > 1.0f)
        _master_snd_vol = 128;
    else
        _master_snd_vol = static_cast<int>(v * 128.0f);
}

float Snd::master_volume() { return _master_snd_vol / 128.0f; }

void Snd::set_enabled(bool on) { audio_state::set_disabled(!on); }

bool Snd::is_enabled() { return !audio_state::disabled(); }

bool Snd::open_audio() {
    if (audio_state::disabled()) return false;
    if (Mixer::get()->open_audio(22050, AUDIO_S16SYS, 2, 1024) < 0) {
        audio_state::set_disabled(true);
        return false;
    }
    return true;
}
