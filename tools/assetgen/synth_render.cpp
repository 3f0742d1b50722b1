#include "synth_music.h"

#include <algorithm>

namespace assetgen::synth {

namespace {

// Removes DC with a 10 Hz one-pole high-pass. A looped track is filtered
// twice round its loop so the filter starts in its periodic steady state.
void dc_block(std::vector<float>& x, bool loop) {
    const float r = 1.0f - 2.0f * kPi * 10.0f / kRate;
    float x1 = 0, y1 = 0;
    if (loop)
        for (float v : x) {
            y1 = v - x1 + r * y1;
            x1 = v;
        }
    for (float& v : x) {
        float y = v - x1 + r * y1;
        x1 = v;
        y1 = y;
        v = y;
    }
}

// Turns a loop so that it starts, at most 50 ms before its first downbeat, where
// both channels are close to zero: the first play then starts without a click.
void start_quietly(Stereo& s) {
    const size_t n = s.l.size(), window = size_t(0.05 * kRate);
    size_t best = 0;
    float score = 1e9f;
    for (size_t k = 0; k <= window; ++k) {
        size_t i = (n - k) % n, j = (i + 1) % n;
        float v = std::max(std::fabs(s.l[i]), std::fabs(s.r[i])) + std::fabs(s.l[j] - s.l[i]) +
                  std::fabs(s.r[j] - s.r[i]);
        if (v < score) score = v, best = i;
    }
    std::rotate(s.l.begin(), s.l.begin() + long(best), s.l.end());
    std::rotate(s.r.begin(), s.r.begin() + long(best), s.r.end());
}

}  // namespace

size_t track_frames(const Track& t) {
    constexpr size_t kLoopGrain = 512;
    if (!t.loop) return size_t(std::lround(t.seconds * kRate));
    return size_t(std::lround(t.seconds * kRate / kLoopGrain)) * kLoopGrain;
}

Stereo render_track(const Track& t) {
    const size_t frames = track_frames(t);
    Score sc = compose(t);

    // Room for every release plus the echo and reverb decay after the last note.
    double end = 0;
    for (const Note& n : sc.pad) end = std::max(end, n.start + n.dur + t.pad.release);
    for (const std::vector<Note>* v : {&sc.arp, &sc.bell, &sc.lead, &sc.bass})
        for (const Note& n : *v) end = std::max(end, n.start + n.dur + 1.0);
    const size_t total = t.loop ? std::max(frames, size_t((end + 12.0) * kRate)) : frames;

    Bus bus(total);
    uint32_t seed = uint32_t(t.seed);
    for (const Note& n : sc.pad) add_pad(bus, n, t.pad, seed += 0x9E3779B9u);
    for (const Note& n : sc.arp) add_pluck(bus, n, t.arp);
    for (const Note& n : sc.bell) add_pluck(bus, n, t.bell);
    for (const Note& n : sc.lead) add_lead(bus, n, t.lead);
    for (const Note& n : sc.bass) add_bass(bus, n, t.bass);

    const float beat = float(bar_seconds(t) / t.beats_per_bar);
    echo(bus.echo, bus, t.echo_beats * beat, t.echo_feedback, 2800.0f, 0.55f, 0.35f);
    reverb(bus.rev, bus.l, bus.r, t.rt60, 4200.0f, 0.025f, 0.5f);

    Stereo out{std::move(bus.l), std::move(bus.r)};
    for (std::vector<float>* ch : {&out.l, &out.r}) {
        std::vector<float>& x = *ch;
        // Looping: wrap everything that rings past the end back onto the start.
        for (size_t i = frames; i < x.size(); ++i) x[i % frames] += x[i];
        x.resize(frames);
        dc_block(x, t.loop);
    }
    if (!t.loop) {
        // The final chord dies away into a short fade that ends exactly at zero.
        const size_t fade = size_t(3.5 * kRate);
        for (size_t k = 0; k < fade && k < frames; ++k) {
            float g = std::sin(0.5f * kPi * float(k) / float(fade));
            out.l[frames - 1 - k] *= g * g;
            out.r[frames - 1 - k] *= g * g;
        }
    }
    if (t.loop) start_quietly(out);
    float peak = 1e-9f;
    for (size_t i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(out.l[i]), std::fabs(out.r[i])});
    const float g = db_gain(-3.4f) / peak;
    for (size_t i = 0; i < frames; ++i) {
        out.l[i] *= g;
        out.r[i] *= g;
    }
    return out;
}

}  // namespace assetgen::synth
