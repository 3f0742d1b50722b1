#pragma once
// Sound effects, registered by name and loaded progressively from the data archive.

#include <SDL/SDL_mixer.h>

#include <string>

class Snd {
public:
    // Own volume clamped to 0..1.
    Snd(std::string const& name, Mix_Chunk* chunk, float volume);
    Snd(Snd const&) = delete;
    Snd& operator=(Snd const&) = delete;

    // The registered Snd of the name, or a new unloaded one that joins the pending set (the
    // volume of a later registration is ignored). The registry owns it for the whole run.
    static Snd* snd_register(std::string const& name, float volume);
    static bool has_jobs();
    // Loads at most one pending sound; names that fail to load are dropped.
    static void process_job();

    static bool ok(Snd const* s);
    std::string const& name() const { return name_; }
    Mix_Chunk* chunk() const { return chunk_; }
    bool load();

    void play_once();
    // Plays n times in all.
    void play_loop(int n);

    float volume() const { return volume_; }
    void set_volume(float v);

    static void set_master_volume(float v);
    static float master_volume();
    // Audio on or off, for sound and music alike.
    static void set_enabled(bool on);
    static bool is_enabled();
    // Opens the mixer (22050 Hz, signed 16-bit, stereo, 1024-sample chunks) unless audio is
    // off; when the device cannot be opened audio counts as off. True when open.
    static bool open_audio();

private:
    void play(int loops);

    std::string name_;
    Mix_Chunk* chunk_;
    float volume_;

    static int _master_snd_vol;
};
