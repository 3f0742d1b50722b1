#pragma once
// Music tracks, registered by name and loaded by their first play.

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <string>

class Mus {
public:
    // The volume is kept as given.
    Mus(std::string const& name, Mix_Music* music, float volume, unsigned length_ms);
    Mus(Mus const&) = delete;
    Mus& operator=(Mus const&) = delete;

    // The registered Mus of the name, or a new unloaded one that joins the pending set (volume
    // and length of a later registration are ignored). The registry owns it for the whole run.
    static Mus* mus_register(std::string const& name, float volume, unsigned length_ms);
    static bool has_jobs();
    // Loads at most one pending track.
    static void process_job();

    static bool ok(Mus const* m);
    std::string const& name() const { return name_; }
    Mix_Music* music() const { return music_; }
    float volume() const { return volume_; }
    // Play time of one pass; a queued play ends by it.
    unsigned length_ms() const { return length_ms_; }

    // Loads the track from the archive unless audio is off; the member's bytes stay with it.
    bool load();
    // Frees the track and then the bytes it streams from.
    void unload();
    // Queues one play, no fade, from the start.
    void play_once();

private:
    std::string name_;
    Mix_Music* music_;
    float volume_;
    unsigned length_ms_;
    SDL_RWops* stream_ = nullptr;
};
