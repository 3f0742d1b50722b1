#pragma once
// The mixer calls of the audio code, behind one replaceable object.

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

class Mixer {
public:
    virtual ~Mixer() = default;

    virtual int open_audio(int frequency, Uint16 format, int channels, int chunk_size) = 0;
    // Closes the stream when freesrc is not 0, as the mixer does.
    virtual Mix_Chunk* load_wav(SDL_RWops* src, int freesrc) = 0;
    virtual int volume_chunk(Mix_Chunk* chunk, int volume) = 0;
    virtual int play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) = 0;
    // The stream stays the caller's; it must outlive the music.
    virtual Mix_Music* load_mus(SDL_RWops* src) = 0;
    virtual void free_music(Mix_Music* music) = 0;
    virtual int play_music(Mix_Music* music, int loops) = 0;
    virtual int fade_in_music(Mix_Music* music, int loops, int ms) = 0;
    virtual int fade_in_music_pos(Mix_Music* music, int loops, int ms, double position) = 0;
    virtual int fade_out_music(int ms) = 0;
    virtual int volume_music(int volume) = 0;

    // The mixer in use: the SDL_mixer one unless another was installed.
    static Mixer* get();
    // Installs a mixer (null restores the SDL_mixer one); returns the previous one. The caller
    // keeps ownership.
    static Mixer* set(Mixer* m);
};

// SDL_mixer itself; failures are silent (the error text is fetched and dropped).
class SdlMixer : public Mixer {
public:
    int open_audio(int frequency, Uint16 format, int channels, int chunk_size) override;
    Mix_Chunk* load_wav(SDL_RWops* src, int freesrc) override;
    int volume_chunk(Mix_Chunk* chunk, int volume) override;
    int play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) override;
    Mix_Music* load_mus(SDL_RWops* src) override;
    void free_music(Mix_Music* music) override;
    int play_music(Mix_Music* music, int loops) override;
    int fade_in_music(Mix_Music* music, int loops, int ms) override;
    int fade_in_music_pos(Mix_Music* music, int loops, int ms, double position) override;
    int fade_out_music(int ms) override;
    int volume_music(int volume) override;
};
