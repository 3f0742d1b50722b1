#include "mus.h"

#include <map>
#include <set>

#include "audio_state.h"
#include "mixer_input.h"
#include "mixer_seam.h"
#include "music_ctl.h"
#include "qdata.h"

namespace {

std::map<std::string, Mus*>& registry() {
    static auto* r = new std::map<std::string, Mus*>;
    return *r;
}

std::set<std::string>& pending() {
    static auto* p = new std::set<std::string>;
    return *p;
}

}  // namespace

Mus::Mus(std::string const& name, Mix_Music* music, float volume, unsigned length_ms)
    : name_(name), music_(music), volume_(volume), length_ms_(length_ms) {}

Mus* Mus::mus_register(std::string const& name, float volume, unsigned length_ms) {
    Mus*& m = registry()[name];
    if (m) return m;
    pending().insert(name);
    m = new Mus(name, nullptr, volume, length_ms);
    return m;
}

bool Mus::has_jobs() { return !pending().empty(); }

void Mus::process_job() {
    std::set<std::string>& p = pending();
    while (!p.empty()) {
        std::string name = *p.begin();
        p.erase(p.begin());
        auto it = registry().find(name);
        if (it == registry().end() || !it->second || it->second->music_) continue;
        it->second->load();
        return;
    }
}

bool Mus::ok(Mus const* m) { return m && m->music_; }

bool Mus::load() {
    if (music_) return true;
    if (audio_state::disabled()) return false;
    SDL_RWops* src = qdata_find(name_);
    if (!src) return false;
    music_ = is_safe_for_mixer(src) ? Mixer::get()->load_mus(src) : nullptr;
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
