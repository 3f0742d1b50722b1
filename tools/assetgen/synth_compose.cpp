#include "synth_music.h"

#include <algorithm>

namespace assetgen::synth {

namespace {

int total_bars(const Track& t) {
    int n = 0;
    for (const Section& s : t.form) n += s.bars;
    return n;
}

int floor_div(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int mod12(int a) { return ((a % 12) + 12) % 12; }

// Chord tones placed in the octave around `center`, low to high.
std::vector<float> place(const std::vector<int>& tones, int key, float center) {
    std::vector<float> v;
    for (int t : tones) {
        float n = float(key + t);
        while (n >= center + 6) n -= 12;
        while (n < center - 6) n += 12;
        if (std::find(v.begin(), v.end(), n) == v.end()) v.push_back(n);
    }
    std::sort(v.begin(), v.end());
    return v;
}

int degree_pitch(const Track& t, int d) {
    int n = int(t.scale.size());
    int o = floor_div(d, n);
    return t.key + 12 * o + t.scale[size_t(d - o * n)];
}

bool in_chord(const Track& t, const Chord& c, int pitch) {
    int pc = mod12(pitch - t.key);
    for (int x : c.tones)
        if (mod12(x) == pc) return true;
    return false;
}

// The chord tone nearest to scale degree d, looking first in direction `dir`
// (or d itself if none is close).
int snap(const Track& t, const Chord& c, int d, int dir = 1) {
    dir = dir < 0 ? -1 : 1;
    for (int r : {0, dir, -dir, 2 * dir, -2 * dir})
        if (in_chord(t, c, degree_pitch(t, d + r))) return d + r;
    return d;
}

int nearest_degree(const Track& t, float pitch) {
    int best = 0;
    float err = 1e9f;
    for (int d = -21; d <= 35; ++d) {
        float e = std::fabs(float(degree_pitch(t, d)) - pitch);
        if (e < err) err = e, best = d;
    }
    return best;
}

// Two bars of arpeggio steps: an index into the chord's notes, or -1 for a rest.
std::vector<int> arp_pattern(Rng& rng, const Track& t) {
    const int per_bar = t.beats_per_bar * t.steps_per_beat;
    std::vector<int> p(size_t(per_bar * 2), -1);
    const int shape = rng.below(4);
    int walk = 0;
    for (int s = 0; s < per_bar * 2; ++s) {
        float w = s % per_bar == 0 ? 1.0f : s % t.steps_per_beat == 0 ? 0.85f : 0.6f;
        if (s != 0 && !rng.chance(t.arp_density * w)) continue;
        switch (shape) {
        case 0: p[size_t(s)] = s % 6; break;
        case 1: p[size_t(s)] = 5 - s % 6; break;
        case 2: p[size_t(s)] = std::abs(4 - s % 8); break;
        default:
            walk = std::clamp(walk + (rng.chance(0.5f) ? 1 : -1) * (1 + rng.below(2)), 0, 5);
            p[size_t(s)] = walk;
        }
    }
    return p;
}

struct MotifNote {
    float beat, len;
    int step;  // scale steps from the previous note
};

// A phrase of about `bars` bars: rhythm and an arched contour; the pitches are set
// later against the chords underneath.
std::vector<MotifNote> motif(Rng& rng, int beats_per_bar, int steps_per_beat, int bars) {
    static constexpr float kLens[] = {1, 1, 1, 2, 2, 0.5f, 3};
    static constexpr int kSizes[] = {1, 1, 1, 2, 2, 3};
    std::vector<MotifNote> m;
    const float end = float(beats_per_bar * bars) - 1.0f;
    float beat = rng.chance(0.3f) ? 1.0f : 0.0f;
    while (beat < end) {
        float len = kLens[rng.below(7)];
        if (len == 0.5f) {  // a beat split in two, long-short on a triplet grid
            float a = steps_per_beat == 3 ? 2.0f / 3.0f : 0.5f;
            m.push_back({beat, a, 0});
            beat += a;
            len = 1.0f - a;
        }
        len = std::min(len, end + 1.0f - beat);
        m.push_back({beat, len, 0});
        beat += len;
    }
    // Mostly rising in the first half, falling in the second.
    for (size_t i = 1; i < m.size(); ++i) {
        bool rising = rng.chance(2 * i <= m.size() ? 0.72f : 0.28f);
        m[i].step = rng.chance(0.08f) ? 0 : (rising ? 1 : -1) * kSizes[rng.below(6)];
    }
    m.back().len += 1.0f;  // let the phrase's last note breathe
    return m;
}

// Drop-2 voicing: the second voice from the top goes down an octave, opening the chord.
void open_up(std::vector<float>& v) {
    if (v.size() < 4) return;
    v[v.size() - 2] -= 12;
    std::sort(v.begin(), v.end());
}

}  // namespace

double bar_seconds(const Track& t) {
    double music = t.loop ? double(track_frames(t)) / kRate : t.seconds - t.ending;
    return music / total_bars(t);
}

Score compose(const Track& t) {
    Score sc;
    Rng rng(t.seed);
    const int bars = total_bars(t);
    const double bar = bar_seconds(t), beat = bar / t.beats_per_bar;
    const double step = beat / t.steps_per_beat;

    // Chord and section of every bar.
    std::vector<const Chord*> chord_at;
    std::vector<const Section*> section_at;
    for (size_t ci = 0, left = 0; int(chord_at.size()) < bars;) {
        if (left == 0) left = size_t(t.progression[ci].bars);
        chord_at.push_back(&t.progression[ci]);
        if (--left == 0) ci = (ci + 1) % t.progression.size();
    }
    for (const Section& s : t.form)
        for (int b = 0; b < s.bars; ++b) section_at.push_back(&s);

    // Pads and bass: one note per chord tone for each run of bars on the same chord.
    for (int b = 0; b < bars;) {
        int e = b + 1;
        while (e < bars && chord_at[size_t(e)] == chord_at[size_t(b)] && e - b < chord_at[size_t(b)]->bars) ++e;
        const Chord& c = *chord_at[size_t(b)];
        const Section& s = *section_at[size_t(b)];
        const double start = b * bar, len = (e - b) * bar;
        std::vector<float> v = place(c.tones, t.key, t.pad_center);
        open_up(v);
        for (size_t i = 0; i < v.size() && s.pad > 0; ++i) {
            float pan = v.size() > 1 ? -0.7f + 1.4f * float(i) / float(v.size() - 1) : 0.0f;
            sc.pad.push_back({start, float(len) + 0.4f, v[i], t.pad_level * s.pad / std::sqrt(float(v.size())),
                              {pan, 0.45f, 0.0f}});
        }
        if (s.bass > 0) {
            float root = float(t.key + c.bass);
            while (root >= t.bass_low + 12) root -= 12;
            while (root < t.bass_low) root += 12;
            for (int k = b; k < e; k += 2)
                sc.bass.push_back({k * bar, float(std::min(2, e - k) * bar) - 0.15f, root,
                                   t.bass_level * s.bass * (k == b ? 1.0f : 0.8f), {0.0f, 0.12f, 0.0f}});
        }
        b = e;
    }

    // Arpeggios, with a fresh pattern for every section and a variation now and then.
    int bar0 = 0;
    for (const Section& s : t.form) {
        std::vector<int> pat = arp_pattern(rng, t);
        std::vector<int> alt = arp_pattern(rng, t);
        const int per_bar = t.beats_per_bar * t.steps_per_beat;
        for (int b = bar0; b < bar0 + s.bars && s.arp > 0; ++b) {
            const Chord& c = *chord_at[size_t(b)];
            std::vector<float> v = place(c.tones, t.key, t.arp_center);
            v.push_back(v.front() + 12);
            const std::vector<int>& p = ((b - bar0) % 8 >= 6) ? alt : pat;
            for (int k = 0; k < per_bar; ++k) {
                int idx = p[size_t((b - bar0) % 2 * per_bar + k)];
                if (idx < 0) continue;
                size_t ni = size_t(idx) % v.size();
                float accent = k == 0 ? 1.0f : k % t.steps_per_beat == 0 ? 0.82f : 0.66f;
                float pan = -0.45f + 0.9f * float(ni) / float(v.size() - 1);
                sc.arp.push_back({b * bar + k * step + rng.range(0.0f, 0.006f), float(step * 2.5), v[ni],
                                  t.arp_level * s.arp * accent * rng.range(0.9f, 1.05f), {pan, 0.35f, 0.3f}});
            }
        }
        // Sparse high bells on the beats.
        for (int b = bar0; b < bar0 + s.bars && s.bell > 0; ++b) {
            const Chord& c = *chord_at[size_t(b)];
            std::vector<float> v = place(c.tones, t.key, t.arp_center + 14);
            for (int k = 0; k < t.beats_per_bar; ++k) {
                if (!rng.chance(0.16f * s.bell)) continue;
                float key = v[size_t(rng.below(int(v.size())))];
                sc.bell.push_back({b * bar + k * beat + rng.range(0.0f, 0.01f), float(beat), key,
                                   t.bell_level * rng.range(0.6f, 1.0f), {rng.bipolar() * 0.8f, 0.7f, 0.45f}});
            }
        }
        bar0 += s.bars;
    }

    // Melody: two-bar phrases every four bars (A A B A), against the chords underneath.
    bar0 = 0;
    int deg = nearest_degree(t, t.lead_center);
    const int lo = nearest_degree(t, t.lead_center - 7), hi = nearest_degree(t, t.lead_center + 9);
    for (const Section& s : t.form) {
        std::vector<MotifNote> a = motif(rng, t.beats_per_bar, t.steps_per_beat, 2),
                               bm = motif(rng, t.beats_per_bar, t.steps_per_beat, 2);
        for (int ph = 0; s.lead > 0 && ph * 4 + 2 <= s.bars; ++ph) {
            if (ph % 4 != 0 && !rng.chance(t.lead_density)) continue;
            const std::vector<MotifNote>& m = ph % 4 == 2 ? bm : a;
            const int pb = bar0 + ph * 4;
            deg = snap(t, *chord_at[size_t(pb)], nearest_degree(t, t.lead_center + rng.range(-3.0f, 3.0f)));
            for (size_t i = 0; i < m.size(); ++i) {
                int b = pb + int(m[i].beat) / t.beats_per_bar;
                const int prev = deg;
                if (i > 0) deg += m[i].step;
                if (deg < lo || deg > hi) deg -= 2 * m[i].step;
                deg = std::clamp(deg, lo, hi);
                bool strong = std::fmod(m[i].beat, float(t.beats_per_bar)) == 0.0f || m[i].len >= 2;
                if (strong || i + 1 == m.size()) {
                    const int dir = deg >= prev ? 1 : -1;
                    deg = snap(t, *chord_at[size_t(b)], deg, dir);
                    // A step that snapping undid moves on to the next chord tone instead.
                    if (deg == prev && m[i].step != 0) deg = snap(t, *chord_at[size_t(b)], deg + 2 * dir, dir);
                }
                sc.lead.push_back({pb * bar + m[i].beat * beat, float(m[i].len * beat * 0.92),
                                   float(degree_pitch(t, deg)), t.lead_level * s.lead * rng.range(0.85f, 1.0f),
                                   {rng.range(-0.2f, 0.2f), 0.45f, 0.35f}});
            }
        }
        bar0 += s.bars;
    }

    // A closing tonic chord with a rolled bell chord on top.
    if (!t.loop) {
        const Chord& c = t.progression.front();
        const double start = bars * bar;
        const float hold = float(t.ending) - t.pad.release - 2.0f;
        std::vector<float> v = place(c.tones, t.key, t.pad_center);
        open_up(v);
        for (size_t i = 0; i < v.size(); ++i)
            sc.pad.push_back({start, hold, v[i], t.pad_level * 0.8f / std::sqrt(float(v.size())),
                              {-0.7f + 1.4f * float(i) / float(v.size() - 1), 0.45f, 0.0f}});
        std::vector<float> top = place(c.tones, t.key, t.arp_center);
        for (size_t i = 0; i < top.size(); ++i)
            sc.arp.push_back({start + 0.09 * double(i), 4.0f, top[i], t.arp_level * 0.7f,
                              {-0.4f + 0.8f * float(i) / float(top.size() - 1), 0.5f, 0.3f}});
        float root = float(t.key + c.bass);
        while (root >= t.bass_low + 12) root -= 12;
        while (root < t.bass_low) root += 12;
        sc.bass.push_back({start, hold, root, t.bass_level * 0.8f, {0.0f, 0.12f, 0.0f}});
    }
    return sc;
}

}  // namespace assetgen::synth
