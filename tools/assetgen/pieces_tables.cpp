// Play-table backgrounds: felt, velvet and night-sky textures with a vignette.

#include <algorithm>
#include <cmath>
#include <vector>

#include "pieces.h"
#include "pieces_common.h"

namespace assetgen {
namespace pieces {
namespace {

enum class Kind { felt, velvet, sky, nebula, aurora, milky, caustic };

struct TableStyle {
    Kind kind;
    uint32_t centre, edge;  // base colours (sky kinds: top and bottom)
    uint32_t accent1, accent2;
    int stars;              // number of stars, 0 for none
    double glow_x, glow_y;  // a soft light, negative for none
};

const TableStyle kTables[22] = {
    {Kind::felt, 0x21407e, 0x0a1434, 0, 0, 0, -1, -1},                    // deep blue felt
    {Kind::felt, 0x1a6470, 0x062830, 0, 0, 0, -1, -1},                    // teal felt
    {Kind::velvet, 0x4c2c7e, 0x14092e, 0, 0, 0, -1, -1},                  // purple velvet
    {Kind::felt, 0x1f6a4a, 0x07261a, 0, 0, 0, -1, -1},                    // green felt
    {Kind::sky, 0x131848, 0x5a2e5e, 0xc86a8a, 0x9fa8ff, 260, -1, -1},     // dusk
    {Kind::nebula, 0x0e1436, 0x0a0f28, 0x4a5ac8, 0x9a4ac0, 500, -1, -1},  // blue nebula
    {Kind::sky, 0x0b1030, 0x1f2f62, 0x3a4a9a, 0x9fa8ff, 650, 860, 40},    // midnight sky
    {Kind::velvet, 0x6c1c34, 0x22060f, 0, 0, 0, -1, -1},                  // wine velvet
    {Kind::felt, 0x2c3c64, 0x0e1428, 0, 0, 0, -1, -1},                    // slate felt
    {Kind::velvet, 0x0f5c4a, 0x031e18, 0, 0, 0, -1, -1},                  // emerald velvet
    {Kind::felt, 0x3c4a66, 0x141a2a, 0, 0, 0, -1, -1},                    // storm grey felt
    {Kind::aurora, 0x04161e, 0x0b2c36, 0x46e0a8, 0x7ab0ff, 320, -1, -1},  // aurora
    {Kind::nebula, 0x170a2c, 0x0c0618, 0x8a2a7a, 0x3a4ab0, 450, -1, -1},  // violet nebula
    {Kind::caustic, 0x125a7a, 0x041c2c, 0x5ac8e0, 0, 0, -1, -1},          // moonlit sea
    {Kind::felt, 0x222838, 0x0a0c16, 0xe8c56a, 0, 0, -1, -1},             // charcoal, gold dust
    {Kind::felt, 0x5a2a5c, 0x1e0a22, 0, 0, 0, -1, -1},                    // plum felt
    {Kind::sky, 0x0a1a2c, 0x14382e, 0x8ab0a8, 0xdfe6f5, 240, -1, -1},     // misty forest night
    {Kind::velvet, 0x2c2c7e, 0x0a0a2c, 0, 0, 0, 900, 30},                 // indigo, moonlight
    {Kind::felt, 0x5a3c1c, 0x1a0f06, 0xe8c56a, 0, 0, -1, -1},             // amber felt
    {Kind::sky, 0x1a1450, 0x3c2c7c, 0x9fa8ff, 0xdfe6f5, 300, -1, -1},     // twilight
    {Kind::velvet, 0x2838a0, 0x0c1240, 0, 0, 0, -1, -1},                  // royal blue velvet
    {Kind::milky, 0x070a1e, 0x0c1430, 0xb8b0ff, 0xe8c56a, 900, -1, -1},   // milky way
};

inline double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// A smooth noise field sampled on a coarse grid and read back bilinearly.
class Field {
public:
    Field() = default;
    template <typename F>
    Field(int w, int h, int step, F f) : step_(step), nx_(w / step + 2), ny_(h / step + 2) {
        v_.resize(size_t(nx_) * ny_);
        for (int j = 0; j < ny_; ++j)
            for (int i = 0; i < nx_; ++i)
                v_[size_t(j) * nx_ + i] = f(double(i * step), double(j * step));
    }
    double at(double x, double y) const {
        if (v_.empty()) return 0.5;
        double gx = x / step_, gy = y / step_;
        int i = std::min(int(gx), nx_ - 2), j = std::min(int(gy), ny_ - 2);
        double tx = gx - i, ty = gy - j;
        const double* r0 = &v_[size_t(j) * nx_ + i];
        const double* r1 = r0 + nx_;
        double a = r0[0] + (r0[1] - r0[0]) * tx, b = r1[0] + (r1[1] - r1[0]) * tx;
        return a + (b - a) * ty;
    }

private:
    int step_ = 1, nx_ = 0, ny_ = 0;
    std::vector<double> v_;
};

// Per-column values of the aurora curtains.
struct Column {
    double base, height, streak, amp;
};

Rgb shade(const TableStyle& st, double x, double y, int w, int h, uint32_t seed,
          const std::vector<Column>& cols, const Field& f0, const Field& f1) {
    const double u = x / w, v = y / h;
    const double dx = (x - w * 0.5) / (w * 0.62), dy = (y - h * 0.45) / (h * 0.62);
    const double r2 = dx * dx + dy * dy;
    const Rgb c0 = hex(st.centre), c1 = hex(st.edge);
    Rgb c;
    double grain = hash01(int(x), int(y), seed) - 0.5;
    switch (st.kind) {
        case Kind::felt: {
            c = mix(c0, c1, clamp01(r2 * 0.8));
            double fib = value_noise(x / 1.3, y / 7.0, seed + 1) - 0.5;
            double fib2 = value_noise(y / 1.3, x / 7.0, seed + 2) - 0.5;
            double mott = f0.at(x, y) - 0.5;
            double k = 1 + 0.07 * fib + 0.05 * fib2 + 0.12 * mott + 0.05 * grain;
            c = scale(c, k);
            if (st.accent1 && hash01(int(x), int(y), seed + 9) > 0.9992)
                c = mix(c, hex(st.accent1), 0.6);
            break;
        }
        case Kind::velvet: {
            c = mix(c0, c1, clamp01(r2 * 0.9));
            double mott = f0.at(x, y) - 0.5;
            double fold = std::sin((x * 0.6 + y) / 90 + 3 * f1.at(x, y));
            double sheen = 0.5 + 0.5 * fold;
            double k = 1 + 0.22 * mott + 0.1 * sheen * (1 - u * 0.5) + 0.035 * grain;
            c = scale(c, k);
            break;
        }
        case Kind::sky:
        case Kind::aurora:
        case Kind::milky:
        case Kind::nebula:
        case Kind::caustic: {
            if (st.kind == Kind::caustic) {
                c = mix(c0, c1, clamp01(r2 * 0.85));
                double n1 = f0.at(x, y);
                double ridge = 1 - std::fabs(2 * n1 - 1);
                double n2 = f1.at(x, y);
                double ridge2 = 1 - std::fabs(2 * n2 - 1);
                double light = std::pow(ridge, 8) * 0.5 + std::pow(ridge2, 10) * 0.3;
                c = mix(c, hex(st.accent1), clamp01(light * 0.45 * (1.1 - v)));
                c = scale(c, 1 + 0.03 * grain);
                break;
            }
            c = mix(c0, c1, v);
            double cl = f0.at(x, y);
            if (st.kind == Kind::sky) {
                double wisp = clamp01((cl - 0.48) * 2.2);
                c = mix(c, hex(st.accent1), wisp * 0.22);
            } else if (st.kind == Kind::nebula) {
                double n2 = f1.at(x, y);
                c = mix(c, hex(st.accent1), clamp01((cl - 0.42) * 1.8) * 0.5);
                c = mix(c, hex(st.accent2), clamp01((n2 - 0.5) * 2.2) * 0.45);
                c = mix(c, hex(0x000000), clamp01((0.45 - n2) * 2) * 0.35);
            } else if (st.kind == Kind::aurora) {
                for (int k = 0; k < 2; ++k) {
                    const Column& col = cols[size_t(x) * 2 + k];
                    double d = y - col.base;
                    // Bright lower hem, curtains fading upwards.
                    double cur = d > 0 ? std::exp(-d * d / 60) : std::exp(d / col.height);
                    cur *= 0.25 + 0.75 * col.streak * col.streak;
                    c = mix(c, hex(k == 0 ? st.accent1 : st.accent2),
                            clamp01(cur * col.amp * 0.55));
                }
            } else {  // milky way band from lower left to upper right
                double across = (-x * 0.35 + y * 0.94 - h * 0.08 + 60 * (cl - 0.5)) / (h * 0.2);
                double band = std::exp(-across * across * 1.6);
                double n2 = f1.at(x, y);
                double dust = clamp01((n2 - 0.35) * 1.6);
                c = mix(c, hex(st.accent1), band * 0.1);
                c = mix(c, hex(st.accent1), band * 0.3 * dust);
                c = mix(c, hex(st.accent2), band * band * 0.12 * dust);
                c = mix(c, hex(0x000000), band * clamp01((0.42 - n2) * 3) * 0.5);
            }
            c = scale(c, 1 + 0.035 * grain);
            break;
        }
    }
    if (st.glow_x >= 0) {
        double gx = (x - st.glow_x) / 420, gy = (y - st.glow_y) / 340;
        double gl = std::exp(-(gx * gx + gy * gy) * 2.2);
        c = mix(c, hex(0xc8d0f0), gl * 0.18);
    }
    // Vignette.
    c = scale(c, 1 - 0.42 * clamp01(r2 * 0.75));
    return c;
}

}  // namespace

void table_background(cairo_t* cr, int w, int h, int index) {
    const TableStyle& st = kTables[std::clamp(index, 0, 21)];
    const uint32_t seed = 5000u + 37u * static_cast<uint32_t>(std::max(index, 0));
    std::vector<Column> cols;
    if (st.kind == Kind::aurora) {
        cols.resize(size_t(w) * 2);
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 2; ++k) {
                double fx = x + 0.5;
                Column& c = cols[size_t(x) * 2 + k];
                c.base = h * (0.2 + 0.13 * k) + 38 * std::sin(fx / 170.0 + k * 2.1) +
                         60 * (fbm(fx / 260, k * 3.0, seed + 20 + k, 3) - 0.5);
                c.height = 25 + 70 * fbm(fx / 80, k, seed + 30, 2);
                c.streak = 0.3 * value_noise(fx / 23.0, k * 5.0, seed + 40 + k) +
                           0.7 * value_noise(fx / 5.0, k * 5.0, seed + 50 + k);
                c.amp = clamp01((fbm(fx / 240, k * 7.0, seed + 60 + k, 2) - 0.3) * 2.6);
            }
    }
    Field f0, f1;
    switch (st.kind) {
        case Kind::felt:
            f0 = Field(w, h, 4,
                       [&](double x, double y) { return fbm(x / 70, y / 70, seed + 3, 3); });
            break;
        case Kind::velvet:
            f0 = Field(w, h, 4,
                       [&](double x, double y) { return fbm(x / 160, y / 160, seed + 3, 4); });
            f1 = Field(w, h, 8,
                       [&](double x, double y) { return fbm(x / 300, y / 300, seed + 4, 2); });
            break;
        case Kind::caustic:
            f0 = Field(w, h, 3,
                       [&](double x, double y) { return fbm(x / 150, y / 100, seed + 5, 3); });
            f1 = Field(w, h, 3,
                       [&](double x, double y) { return fbm(x / 70 + 3, y / 50, seed + 6, 2); });
            break;
        default:
            f0 = Field(w, h, 4,
                       [&](double x, double y) { return fbm(x / 220, y / 160, seed + 5, 5); });
            if (st.kind == Kind::nebula)
                f1 = Field(w, h, 3, [&](double x, double y) {
                    return fbm(x / 120 + 7, y / 120, seed + 6, 5);
                });
            if (st.kind == Kind::milky)
                f1 = Field(w, h, 2,
                           [&](double x, double y) { return fbm(x / 60, y / 60, seed + 6, 4); });
            break;
    }
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            Rgb c = shade(st, x + 0.5, y + 0.5, w, h, seed, cols, f0, f1);
            auto b8 = [](double v) { return uint32_t(std::lround(clamp01(v) * 255)); };
            row[x] = (b8(c.r) << 16) | (b8(c.g) << 8) | b8(c.b);
        }
    }
    cairo_surface_mark_dirty(s);
    cairo_t* g = cairo_create(s);
    // Stars: dim, small, fewer towards the bottom of the table.
    Rng rng(seed);
    for (int i = 0; i < st.stars; ++i) {
        double x = rng.uni() * w, y = rng.uni() * rng.uni() * h;
        if (st.kind == Kind::milky || st.kind == Kind::nebula) y = rng.uni() * h;
        double t = rng.uni();
        double r = 0.45 + 1.1 * t * t * t;
        double a = 0.25 + 0.5 * rng.uni();
        const Rgb c = (i % 7 == 0) ? hex(0xfff0c8) : (i % 5 == 0) ? kLavender : kSilver;
        cairo_arc(g, x, y, r, 0, 2 * kPi);
        set_rgb(g, c, a);
        cairo_fill(g);
        if (t > 0.97) {
            cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r * 6);
            add_stop(p, 0, c, 0.25);
            add_stop(p, 1, c, 0);
            cairo_set_source(g, p);
            cairo_arc(g, x, y, r * 6, 0, 2 * kPi);
            cairo_fill(g);
            cairo_pattern_destroy(p);
            cairo_new_path(g);
            sparkle_path(g, x, y, r * 4.5, 0.12);
            set_rgb(g, c, 0.5);
            cairo_fill(g);
        }
    }
    cairo_destroy(g);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(s);
}

}  // namespace pieces
}  // namespace assetgen
