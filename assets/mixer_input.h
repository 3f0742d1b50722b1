#pragma once
// A check of a sound's or a track's bytes before the mixer reads them.

#include <SDL/SDL.h>

#include <string>

// Whether the bytes from the stream's position may be given to the mixer: a WAV only with a
// format block of PCM that sound devices play (the media layer's WAV reader trusts the block
// and crashes on some damaged ones) and every chunk whole up to the data (WAV readers differ
// on cut files), anything else of 4 bytes or more for the mixer to accept or refuse. The
// stream's position is kept.
bool is_safe_for_mixer(SDL_RWops* src);
// The archive member's stream for the mixer, or null when audio is off, the member is not
// there or its bytes are not safe for the mixer (the stream is then closed).
SDL_RWops* open_for_mixer(std::string const& name);
