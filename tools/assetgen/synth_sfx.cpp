#include "synth_sfx.h"

#include "synth.h"

#include <algorithm>

namespace assetgen::synth {

namespace {

float decay(float t, float tau) { return std::exp(-t / tau); }
float tone(float t, float hz) { return std::sin(2.0f * kPi * hz * t); }

// Starts and ends exactly at zero, with no DC, at the given peak.
void finish(std::vector<float>& x, float attack_s, float fade_s, float peak) {
    const float r = 1.0f - 2.0f * kPi * 30.0f / kRate;
    float x1 = 0, y1 = 0;
    for (float& v : x) {
        float y = v - x1 + r * y1;
        x1 = v;
        y1 = v = y;
    }
    const size_t n = x.size(), a = size_t(attack_s * kRate), f = size_t(fade_s * kRate);
    for (size_t i = 0; i < a && i < n; ++i) {
        float s = std::sin(0.5f * kPi * float(i) / float(a));
        x[i] *= s * s;
    }
    for (size_t k = 0; k < f && k < n; ++k) {
        float s = std::sin(0.5f * kPi * float(k) / float(f));
        x[n - 1 - k] *= s * s;
    }
    float m = 1e-9f;
    for (float v : x) m = std::max(m, std::fabs(v));
    for (float& v : x) v *= peak / m;
}

// Hover: a small glassy tick.
std::vector<float> hover() {
    std::vector<float> x(size_t(0.090 * kRate));
    for (size_t i = 0; i < x.size(); ++i) {
        float t = float(i) / kRate;
        x[i] = 0.6f * tone(t, 1850) * decay(t, 0.014f) + 0.22f * tone(t, 3720) * decay(t, 0.006f) +
               0.3f * tone(t, 925) * decay(t, 0.022f);
    }
    finish(x, 0.0015f, 0.025f, db_gain(-14.0f));
    return x;
}

// Press: a soft wooden "tock" with a slight downward glide.
std::vector<float> press() {
    std::vector<float> x(size_t(0.130 * kRate));
    Rng rng(77);
    Svf bp;
    bp.set(2400, 1.2f);
    double ph = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        float t = float(i) / kRate;
        float f = 480.0f + 140.0f * decay(t, 0.02f);
        ph += double(f) / kRate;
        float p = float(ph - std::floor(ph)) * 2.0f * kPi;
        bp.lp(rng.bipolar());
        x[i] = 0.8f * std::sin(p) * decay(t, 0.032f) + 0.18f * std::sin(2.76f * p) * decay(t, 0.011f) +
               0.35f * tone(t, 230) * decay(t, 0.02f) + 0.5f * bp.bp * decay(t, 0.0025f);
    }
    finish(x, 0.001f, 0.03f, db_gain(-9.0f));
    return x;
}

// Card landing: a papery snap, a short slide of air and a faint thump.
std::vector<float> flip(uint64_t seed, float seconds, float snap_hz, float slide_tau, float thump_hz) {
    std::vector<float> x(size_t(seconds * kRate));
    Rng rng(seed);
    Svf snap, slide, soft;
    snap.set(snap_hz, 1.0f);
    slide.set(1700, 0.7f);
    soft.set(5200, 0.7f);
    for (size_t i = 0; i < x.size(); ++i) {
        float t = float(i) / kRate;
        float n = rng.bipolar();
        snap.lp(n);
        float s = 0.9f * snap.bp * decay(t, 0.009f) + 0.3f * slide.lp(n) * decay(t, slide_tau) +
                  0.45f * tone(t, thump_hz) * decay(t, 0.012f);
        x[i] = soft.lp(s);
    }
    finish(x, 0.0008f, 0.03f, db_gain(-12.0f));
    return x;
}

}  // namespace

std::vector<float> render_sfx(const std::string& name) {
    if (name == "a/button_over.wav") return hover();
    if (name == "a/button_down.wav") return press();
    if (name == "a/flip0.wav") return flip(11, 0.115f, 2900, 0.030f, 165);
    if (name == "a/flip1.wav") return flip(23, 0.105f, 2350, 0.024f, 190);
    return {};
}

}  // namespace assetgen::synth
