#pragma once
// File encoders for the rendered sounds.

#include <cstdint>
#include <vector>

namespace assetgen::synth {

// RIFF WAVE, 16-bit PCM mono at kRate; samples in [-1, 1].
std::vector<uint8_t> encode_wav(const std::vector<float>& mono);

// Ogg Vorbis stereo at kRate, VBR at `quality` (-0.1 .. 1), fixed stream serial.
// With `loop` the codec is primed with the loop's end and runs on into its start,
// so playback wrapping from the last sample to the first shows no edge.
std::vector<uint8_t> encode_ogg(const std::vector<float>& l, const std::vector<float>& r, float quality,
                                int serial, bool loop);

}  // namespace assetgen::synth
