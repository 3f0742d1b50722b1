#include "mixer_seam.h"

namespace {

SdlMixer* sdl_mixer() {
    static SdlMixer* m = new SdlMixer;
    return m;
}

Mixer*& current() {
    static Mixer* m = nullptr;
    return m;
}

// Drops the mixer's error text of a failed call.
int checked(int result) {
    if (result < 0) Mix_GetError();
    return result;
}

template <typename T>
T* checked(T* result) {
    if (!result) Mix_GetError();
    return result;
}

}  // namespace

Mixer* Mixer::get() {
    Mixer* m = current();
    return m ? m : sdl_mixer();
}

Mixer* Mixer::set(Mixer* m) {
    Mixer* previous = get();
    current() = m;
    return previous;
}

int SdlMixer::open_audio(int frequency, Uint16 format, int channels, int chunk_size) {
    return checked(Mix_OpenAudio(frequency, format, channels, chunk_size));
}

Mix_Chunk* SdlMixer::load_wav(SDL_RWops* src, int freesrc) {
    return checked(Mix_LoadWAV_RW(src, freesrc));
}

int SdlMixer::volume_chunk(Mix_Chunk* chunk, int volume) { return Mix_VolumeChunk(chunk, volume); }

int SdlMixer::play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
    return checked(Mix_PlayChannelTimed(channel, chunk, loops, ticks));
}

Mix_Music* SdlMixer::load_mus(SDL_RWops* src) { return checked(Mix_LoadMUS_RW(src)); }

void SdlMixer::free_music(Mix_Music* music) { Mix_FreeMusic(music); }

int SdlMixer::play_music(Mix_Music* music, int loops) {
    return checked(Mix_PlayMusic(music, loops));
}

int SdlMixer::fade_in_music(Mix_Music* music, int loops, int ms) {
    return checked(Mix_FadeInMusic(music, loops, ms));
}

int SdlMixer::fade_in_music_pos(Mix_Music* music, int loops, int ms, double position) {
    return checked(Mix_FadeInMusicPos(music, loops, ms, position));
}

int SdlMixer::fade_out_music(int ms) { return Mix_FadeOutMusic(ms); }

int SdlMixer::volume_music(int volume) { return Mix_VolumeMusic(volume); }
