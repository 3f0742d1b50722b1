#include "synth_voices.h"

#include <algorithm>

namespace assetgen::synth {

namespace {

constexpr float kRadToPhase = 683565275.6f;  // 2^32 / (2 pi)

// Sample range of a note of `seconds` length, clipped to the bus.
struct Span {
    size_t begin = 0, count = 0;
    Span(const Bus& bus, double start, float seconds) {
        begin = size_t(std::max(0.0, start) * kRate + 0.5);
        size_t len = size_t(std::max(0.0f, seconds) * kRate);
        if (begin < bus.size()) count = std::min(len, bus.size() - begin);
    }
};

// Equal-power pan gains.
struct Pan {
    float l, r;
    explicit Pan(float pan) {
        float a = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * (kPi / 4.0f);
        l = std::cos(a);
        r = std::sin(a);
    }
};

// Smooth attack from 0 to 1, held, then a release that reaches exactly 0.
struct Envelope {
    float attack, hold, release;
    float at(float t) const {
        float e = t < attack ? smooth(t / attack) : 1.0f;
        if (t > hold) {
            float x = std::min(1.0f, (t - hold) / release);
            e *= (1.0f - x) * (1.0f - x);
        }
        return e;
    }
    static float smooth(float x) { return x * x * (3.0f - 2.0f * x); }
};

inline void put(Bus& bus, size_t i, float mono, const Pan& p, const Placement& at) {
    bus.l[i] += mono * p.l;
    bus.r[i] += mono * p.r;
    bus.rev[i] += mono * at.rev;
    bus.echo[i] += mono * at.echo;
}

inline uint32_t pm(float index_times_mod) { return uint32_t(int64_t(index_times_mod * kRadToPhase)); }

}  // namespace

void add_pad(Bus& bus, const Note& n, const PadTone& t, uint32_t seed) {
    const float* tab = sine_table();
    Rng rng(seed);
    const float f = midi_hz(n.key);
    const float step[3] = {midi_hz(n.key - t.detune * 0.5f) / kRate, f / kRate,
                           midi_hz(n.key + t.detune * 0.5f) / kRate};
    float ph[3] = {rng.uniform(), rng.uniform(), rng.uniform()};
    uint32_t sine_ph = 0;
    const uint32_t sine_step = phase_step(f);
    uint32_t lfo_ph = rng.next();
    const uint32_t lfo_step = phase_step(t.lfo_hz) * 16;
    const float track = std::sqrt(f / 261.63f);
    const Envelope env{t.attack, n.dur, t.release};
    const Span span(bus, n.start, n.dur + t.release);
    // The pan sets the balance; within it the outer oscillators sit left and right.
    const Pan p(n.at.pan * 0.5f);
    Svf fl, fr;
    float e = 0;
    for (size_t k = 0; k < span.count; ++k) {
        if ((k & 15) == 0) {
            e = env.at(float(k) / kRate);
            float lfo = sine_at(tab, lfo_ph);
            lfo_ph += lfo_step;
            float fc = t.cutoff * track * (0.4f + 0.6f * e) * (1.0f + t.lfo_depth * lfo);
            fl.set(fc, t.q);
            fr.set(fc * 1.03f, t.q);
        }
        float s[3];
        for (int j = 0; j < 3; ++j) {
            s[j] = saw_blep(ph[j], step[j]);
            ph[j] += step[j];
            if (ph[j] >= 1.0f) ph[j] -= 1.0f;
        }
        float warm = t.warmth * sine_at(tab, sine_ph);
        sine_ph += sine_step;
        float g = n.vel * 0.3f * env.at(float(k) / kRate);
        float left = g * fl.lp(s[0] + 0.5f * s[1] + warm);
        float right = g * fr.lp(s[2] + 0.5f * s[1] + warm);
        size_t i = span.begin + k;
        bus.l[i] += left * p.l * 1.41f;
        bus.r[i] += right * p.r * 1.41f;
        float mono = 0.5f * (left + right);
        bus.rev[i] += mono * n.at.rev;
        bus.echo[i] += mono * n.at.echo;
    }
}

void add_pluck(Bus& bus, const Note& n, const PluckTone& t) {
    const float* tab = sine_table();
    const float f = midi_hz(n.key);
    const float tau = t.decay * std::sqrt(261.63f / f);
    const float ring = std::min(n.dur + t.release, 9.0f * tau);
    const Envelope env{t.attack, n.dur, t.release};
    const Span span(bus, n.start, ring);
    const float ka = std::exp(-1.0f / (tau * kRate));
    const float ks = std::exp(-1.0f / (0.35f * tau * kRate));
    const float ki = std::exp(-1.0f / (t.index_decay * kRate));
    float index = std::min(3.0f, t.index * std::clamp(std::sqrt(440.0f / f), 0.45f, 1.3f));
    const uint32_t cstep = phase_step(f), mstep = phase_step(f * t.ratio);
    const uint32_t sstep = phase_step(f * 2.003f);
    uint32_t cph = 0, mph = 0, sph = 0;
    float a = n.vel, sh = n.vel * t.shimmer;
    const Pan p(n.at.pan);
    for (size_t k = 0; k < span.count; ++k) {
        float m = sine_at(tab, mph);
        float v = a * sine_at(tab, cph + pm(index * m)) + sh * sine_at(tab, sph);
        cph += cstep;
        mph += mstep;
        sph += sstep;
        a *= ka;
        sh *= ks;
        index *= ki;
        put(bus, span.begin + k, v * env.at(float(k) / kRate), p, n.at);
    }
}

void add_lead(Bus& bus, const Note& n, const LeadTone& t) {
    const float* tab = sine_table();
    const Envelope env{t.attack, n.dur, t.release};
    const Span span(bus, n.start, n.dur + t.release);
    const Pan p(n.at.pan);
    uint32_t cph = 0, mph = 0, vph = 0;
    uint32_t cstep = 0, mstep = 0;
    const uint32_t vstep = phase_step(t.vibrato_hz) * 16;
    for (size_t k = 0; k < span.count; ++k) {
        float time = float(k) / kRate;
        if ((k & 15) == 0) {
            float depth = t.vibrato * std::clamp((time - 0.35f) / 0.6f, 0.0f, 1.0f);
            float f = midi_hz(n.key + depth * sine_at(tab, vph));
            vph += vstep;
            cstep = phase_step(f);
            mstep = phase_step(f * t.ratio);
        }
        float e = env.at(time);
        float sag = 1.0f - 0.2f * std::min(1.0f, time / 2.0f);
        float v = sine_at(tab, cph + pm(t.index * (0.5f + 0.5f * e) * sine_at(tab, mph)));
        cph += cstep;
        mph += mstep;
        put(bus, span.begin + k, n.vel * e * sag * v, p, n.at);
    }
}

void add_bass(Bus& bus, const Note& n, const BassTone& t) {
    const float* tab = sine_table();
    const float f = midi_hz(n.key);
    const Envelope env{t.attack, n.dur, t.release};
    const Span span(bus, n.start, n.dur + t.release);
    const Pan p(n.at.pan);
    const uint32_t step = phase_step(f);
    uint32_t ph = 0;
    for (size_t k = 0; k < span.count; ++k) {
        float time = float(k) / kRate;
        float sag = 1.0f - 0.3f * std::min(1.0f, time / 3.0f);
        float v = sine_at(tab, ph) + t.second * sine_at(tab, ph * 2u);
        ph += step;
        put(bus, span.begin + k, n.vel * sag * env.at(time) * v, p, n.at);
    }
}

}  // namespace assetgen::synth
