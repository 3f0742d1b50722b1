#pragma once
// Small float synthesiser used to render the game's sounds and music:
// random numbers, oscillators, filters and the shared effects.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen::synth {

constexpr int kRate = 22050;
constexpr float kPi = 3.14159265358979f;

// Deterministic generator (xorshift64*), independent of the standard library.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
    uint32_t next() {
        s_ ^= s_ >> 12;
        s_ ^= s_ << 25;
        s_ ^= s_ >> 27;
        return uint32_t((s_ * 0x2545F4914F6CDD1Dull) >> 32);
    }
    float uniform() { return float(next() >> 8) * (1.0f / 16777216.0f); }  // [0, 1)
    float range(float a, float b) { return a + (b - a) * uniform(); }
    float bipolar() { return 2.0f * uniform() - 1.0f; }
    int below(int n) { return int(next() % uint32_t(n)); }
    bool chance(float p) { return uniform() < p; }

private:
    uint64_t s_;
};

inline float midi_hz(float note) { return 440.0f * std::exp2((note - 69.0f) / 12.0f); }
inline float db_gain(float db) { return std::pow(10.0f, db / 20.0f); }

// Sine by table lookup; the phase is a 32-bit fraction of a turn, so it wraps for free.
const float* sine_table();  // kSineSize + 1 entries
constexpr int kSineBits = 11;
constexpr int kSineSize = 1 << kSineBits;
inline uint32_t phase_step(float hz) {
    return uint32_t(int64_t(double(hz) / kRate * 4294967296.0));
}
inline float sine_at(const float* tab, uint32_t phase) {
    uint32_t i = phase >> (32 - kSineBits);
    float f = float(phase & ((1u << (32 - kSineBits)) - 1)) * (1.0f / float(1u << (32 - kSineBits)));
    return tab[i] + (tab[i + 1] - tab[i]) * f;
}

// Band-limited sawtooth (polyBLEP); phase and step in turns.
inline float saw_blep(float t, float dt) {
    float v = 2.0f * t - 1.0f;
    if (t < dt) {
        float x = t / dt;
        v -= x + x - x * x - 1.0f;
    } else if (t > 1.0f - dt) {
        float x = (t - 1.0f) / dt;
        v -= x * x + x + x + 1.0f;
    }
    return v;
}

// Two-pole state-variable filter (trapezoidal), low-pass and band-pass outputs.
struct Svf {
    float a1 = 0, a2 = 0, a3 = 0, k = 1, ic1 = 0, ic2 = 0, bp = 0;
    void set(float hz, float q) {
        float fc = std::fmin(hz, 0.45f * kRate);
        float g = std::tan(kPi * fc / kRate);
        k = 1.0f / q;
        a1 = 1.0f / (1.0f + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }
    float lp(float v0) {
        float v3 = v0 - ic2;
        float v1 = a1 * ic1 + a2 * v3;
        float v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        bp = v1;
        return v2;
    }
};

// One-pole low-pass.
struct OnePole {
    float a = 0, z = 0;
    void set(float hz) { a = 1.0f - std::exp(-2.0f * kPi * hz / kRate); }
    float lp(float x) { return z += a * (x - z); }
};

// A stereo mix with mono send buses for the reverb and the echo.
struct Bus {
    explicit Bus(size_t frames) : l(frames), r(frames), rev(frames), echo(frames) {}
    size_t size() const { return l.size(); }
    std::vector<float> l, r, rev, echo;
};

// Where and how loud a voice goes: equal-power pan and the two sends.
struct Placement {
    float pan = 0;   // -1 left .. 1 right
    float rev = 0;   // reverb send
    float echo = 0;  // echo send
};

// Feedback-delay-network reverb: mono in, adds its stereo output to l/r.
void reverb(const std::vector<float>& in, std::vector<float>& l, std::vector<float>& r, float rt60,
            float damp_hz, float predelay_s, float gain);
// Ping-pong echo: mono in, adds to l/r and feeds a share into the reverb send.
void echo(const std::vector<float>& in, Bus& bus, float delay_s, float feedback, float damp_hz,
          float gain, float to_reverb);

}  // namespace assetgen::synth
