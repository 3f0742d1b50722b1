#pragma once
// The audio-disabled flag shared by sound effects and music.

namespace audio_state {

bool disabled();
void set_disabled(bool off);

// v scaled by the 0..128 master and the own volume, as the mixer's 0..128 volume.
int mixer_volume(int master, float volume);

}  // namespace audio_state
