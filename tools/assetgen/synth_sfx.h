#pragma once
// Short interface sounds, rendered mono at kRate.

#include <string>
#include <vector>

namespace assetgen::synth {

// Samples in [-1, 1] for "a/button_over.wav", "a/button_down.wav", "a/flip0.wav",
// "a/flip1.wav"; empty for any other name.
std::vector<float> render_sfx(const std::string& name);

}  // namespace assetgen::synth
