#include "mus.h"

#include "mixer_input.h"
#include "mixer_seam.h"
#include "music_ctl.h"
#include "name_registry.h"

namespace {

NameRegistry<Mus>& registry() {
    static auto* r = new NameRegistry<Mus>;
    return *r;
}

}  // namespace

Mus::Mus(std::string const& name, Mix_Music* music, float volume, unsigned length_ms)
    : name_(name), music_(music), volume_(volume), length_ms_(length_ms) {}

Mus* Mus::mus_register(std::string const& name, float volume, unsigned length_ms) {
    return registry().add(name, nullptr, volume, length_ms);
}

bool Mus::has_jobs() { return registry().has_jobs(); }

void Mus::process_job() { registry().process_job(); }

bool Mus::ok(Mus const* m) { return m && m->music_; }

bool Mus::load() {
    if (music_) return true;
    SDL_RWops* src = open_for_mixer(name_);
    if (!src) return false;
    music_ = Mixer::get()->load_mus(src);
    if (!music_) {
        SDL_RWclose(src);
        return false;
    }
    stream_ = src;
    return true;
}

void Mus::unload() {
    if (!music_) return;
    Mixer::get()->free_music(music_);
    music_ = nullptr;
    SDL_RWclose(stream_);
    stream_ = nullptr;
}

void Mus::play_once() { MusicCtl::ctl()->play(this, 1, 0, 0); }
