#include "synth.h"

#include <array>

namespace assetgen::synth {

const float* sine_table() {
    // Built once (thread-safe static initialisation) and read-only afterwards.
    static const std::array<float, kSineSize + 1> table = [] {
        std::array<float, kSineSize + 1> t{};
        for (int i = 0; i <= kSineSize; ++i) t[size_t(i)] = float(std::sin(6.283185307179586 * i / kSineSize));
        return t;
    }();
    return table.data();
}

namespace {

// Schroeder all-pass used to diffuse the reverb input.
struct Allpass {
    std::vector<float> buf;
    size_t pos = 0;
    float g;
    Allpass(size_t n, float g_) : buf(n), g(g_) {}
    float run(float x) {
        float d = buf[pos];
        float y = d - g * x;
        buf[pos] = x + g * y;
        if (++pos == buf.size()) pos = 0;
        return y;
    }
};

}  // namespace

void reverb(const std::vector<float>& in, std::vector<float>& l, std::vector<float>& r, float rt60,
            float damp_hz, float predelay_s, float gain) {
    constexpr int kLines = 8;
    static constexpr int kLen[kLines] = {661, 797, 953, 1109, 1297, 1451, 1637, 1823};
    std::vector<float> line[kLines];
    size_t pos[kLines] = {};
    float fb[kLines];
    OnePole damp[kLines];
    for (int j = 0; j < kLines; ++j) {
        line[j].assign(size_t(kLen[j]), 0.0f);
        fb[j] = std::pow(10.0f, -3.0f * float(kLen[j]) / (rt60 * kRate));
        damp[j].set(damp_hz);
    }
    Allpass ap[4] = {{113, 0.6f}, {173, 0.6f}, {263, 0.55f}, {337, 0.5f}};
    const size_t pre = size_t(predelay_s * kRate);
    const size_t n = in.size();
    for (size_t i = 0; i < n; ++i) {
        float x = i >= pre ? in[i - pre] : 0.0f;
        for (Allpass& a : ap) x = a.run(x);
        float o[kLines];
        for (int j = 0; j < kLines; ++j) o[j] = damp[j].lp(line[j][pos[j]]) * fb[j];
        // Output taps with orthogonal sign patterns for a wide, decorrelated image.
        l[i] += gain * (o[0] - o[1] + o[2] + o[3] - o[4] + o[5] - o[6] + o[7]) * 0.35f;
        r[i] += gain * (o[0] + o[1] - o[2] + o[3] + o[4] - o[5] - o[6] + o[7]) * 0.35f;
        // Fast Hadamard mix, normalised when written back.
        for (int s = 1; s < kLines; s <<= 1)
            for (int j = 0; j < kLines; j += s << 1)
                for (int k = j; k < j + s; ++k) {
                    float a = o[k], b = o[k + s];
                    o[k] = a + b;
                    o[k + s] = a - b;
                }
        for (int j = 0; j < kLines; ++j) {
            line[j][pos[j]] = o[j] * (1.0f / std::sqrt(8.0f)) + ((j & 1) ? -x : x);
            if (++pos[j] == size_t(kLen[j])) pos[j] = 0;
        }
    }
}

void echo(const std::vector<float>& in, Bus& bus, float delay_s, float feedback, float damp_hz,
          float gain, float to_reverb) {
    const size_t d = size_t(delay_s * kRate);
    std::vector<float> a(d), b(d);
    OnePole damp;
    damp.set(damp_hz);
    size_t pos = 0;
    const size_t n = in.size();
    for (size_t i = 0; i < n; ++i) {
        float ya = a[pos], yb = b[pos];
        // The left line takes the input and the right line's return; the right line
        // repeats the left one, so echoes alternate sides.
        a[pos] = in[i] + feedback * damp.lp(yb);
        b[pos] = ya;
        if (++pos == d) pos = 0;
        bus.l[i] += gain * ya;
        bus.r[i] += gain * yb;
        bus.rev[i] += to_reverb * (ya + yb);
    }
}

}  // namespace assetgen::synth
