// resizing filters.

#include "xsdl_resize.h"

#include "xsdl_detail.h"
#include "xsdl_pixel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace xsdl_detail;

namespace {

// Robustness: factors must be positive and finite, and results addressable by
// the library's 16-bit coordinates.
bool bad_factor(double f) {
    return !(f > 0.0) || !std::isfinite(f);
}
constexpr double kMaxSide = 65535.0;

// Result of bilinear, bicubic and 25/32: the source's depth and masks, or
// 32-bit RGBA for an 8-bit source; no flags, no SDL_SetAlpha.
SDL_Surface* make_result(const SDL_Surface* src, int W, int H) {
    const SDL_PixelFormat* f = src->format;
    if (f->BitsPerPixel == 8)
        return SDL_CreateRGBSurface(0, W, H, 32, 0xFFu, 0xFF00u, 0xFF0000u, 0xFF000000u);
    return SDL_CreateRGBSurface(0, W, H, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
}

// A buffer kept between calls; it only grows.
template <class T>
struct Kept {
    std::vector<T> v;
    T* get(std::size_t n) {
        if (v.size() < n) v.resize(n);
        return v.data();
    }
};

// A ring of consecutive source rows base .. base + size - 1 (rows past the
// last read as the last), each read as a scanline of the columns x0 .. w - 1
// into their own entries of a full-width buffer.
class RowRing {
public:
    static constexpr int kMax = 4;
    RowRing(Kept<Uint8>* bufs, int size, const SDL_Surface* s, int x0 = 0)
        : m_s(s), m_get(row_getter(s)), m_size(size), m_x0(x0), m_h(s->h) {
        for (int k = 0; k < size; ++k) m_slot[k] = bufs[k].get(4ul * unsigned(s->w));
    }
    // Rows first .. first + size - 1, base at first.
    void prime(int first) {
        m_base = first;
        for (int k = 0; k < m_size; ++k) read(m_slot[k], std::min(first + k, m_h - 1));
    }
    // Rotates one row at a time until base reaches target, while the row that
    // comes in (base + size) lies inside the source.
    void advance_to(int target) {
        while (m_base < target && m_base + m_size < m_h) {
            Uint8* first = m_slot[0];
            for (int k = 0; k + 1 < m_size; ++k) m_slot[k] = m_slot[k + 1];
            m_slot[m_size - 1] = first;
            ++m_base;
            read(first, m_base + m_size - 1);
        }
    }
    int base() const { return m_base; }
    // Entries of source row r (clamped to the source); r lies in the ring.
    const Uint8* row(int r) const {
        r = std::max(0, std::min(r, m_h - 1));
        const int k = std::max(0, std::min(r - m_base, m_size - 1));
        return m_slot[k];
    }

private:
    void read(Uint8* buf, int y) {
        m_get(m_s, pixel_at(m_s, m_x0, y), unsigned(m_s->w - m_x0), buf + 4 * m_x0);
    }
    const SDL_Surface* m_s;
    row_get_fn m_get;
    int m_size, m_x0, m_h;
    int m_base = 0;
    Uint8* m_slot[kMax] = {};
};

// Locks the source, then the result; on failure frees the result.
struct ResultLocks {
    SurfaceLock src, dst;
    ResultLocks(const SDL_Surface* s, SDL_Surface*& d) : src(s), dst(src.ok() ? d : nullptr) {}
    bool ok() const { return src.ok() && dst.ok(); }
};

// --- nearest and box ----------------------------------------------------------------------

void resize_nearest(const SDL_Surface* src, SDL_Surface* dst, double fx, double fy) {
    const float ry = float(1.0 / fy), rx = float(1.0 / fx);
    const int W = dst->w, H = dst->h;
    scoped_scanline sbuf(4ul * unsigned(src->w));
    scoped_scanline dbuf(4ul * unsigned(W));
    const row_get_fn get = row_getter(src);
    const row_put_fn put = row_putter(dst);
    const Uint32* sb = reinterpret_cast<const Uint32*>(sbuf.get());
    Uint32* db = reinterpret_cast<Uint32*>(dbuf.get());
    for (int y = 0; y < H; ++y) {
        const int sy = std::min(int(float(y) * ry), src->h - 1);
        get(src, pixel_at(src, 0, sy), unsigned(src->w), sbuf.get());
        for (int x = 0; x < W; ++x) db[x] = sb[std::min(int(float(x) * rx), src->w - 1)];
        put(dst, pixel_at(dst, 0, y), unsigned(W), dbuf.get());
    }
}

void resize_box(const SDL_Surface* src, SDL_Surface* dst, double fx, double fy) {
    const float ry = float(1.0 / fy), rx = float(1.0 / fx);
    const float sh = float(src->h), sw = float(src->w);
    for (int y = 0; y < dst->h; ++y) {
        const float y0 = float(y) * ry, y1 = y0 + ry, y1c = std::min(y1, sh);
        const int row0 = int(y / fy), row1 = std::min(int(y1) + 1, src->h);
        for (int x = 0; x < dst->w; ++x) {
            const float x0 = float(x) * rx, x1c = std::min(x0 + rx, sw);
            const float area = (y1c - y0) * (x1c - x0);
            const int col0 = int(x / fx), col1 = std::min(int(x0 + rx) + 1, src->w);
            float sum[4] = {0, 0, 0, 0};
            float yc = y0;
            for (int sy = row0; sy < row1; ++sy) {
                const float yn = std::min(std::floor(yc + 1.0f), y1c), hy = yn - yc;
                float xc = x0;
                for (int sx = col0; sx < col1; ++sx) {
                    const float xn = std::min(std::floor(xc + 1.0f), x1c);
                    const float weight = (xn - xc) * hy;
                    Uint8 c[4];
                    _xSDL_get_pixel(src, Uint16(sx), Uint16(sy), c, c + 1, c + 2, c + 3);
                    for (int k = 0; k < 4; ++k) sum[k] += float(c[k]) * weight;
                    xc = xn;
                }
                yc = yn;
            }
            Uint8 v[4];
            for (int k = 0; k < 4; ++k) {
                const float q = area > 0.0f ? sum[k] / area : 0.0f;
                v[k] = Uint8(q >= 255.0f ? 255 : (q > 0.0f ? int(q) : 0));
            }
            _xSDL_put_pixel(dst, Uint16(x), Uint16(y), v[0], v[1], v[2], v[3]);
        }
    }
}

// --- bilinear and bicubic ---------------------------------------------------------------------

// Per result column: the sampled column ix, its fraction tx.
struct Columns {
    const int* ix;
    const float* tx;
};

Columns step_columns(Kept<int>& ixs, Kept<float>& txs, int W, double fx) {
    const float rx = float(1.0 / fx);
    int* ix = ixs.get(std::size_t(W));
    float* tx = txs.get(std::size_t(W));
    for (int x = 0; x < W; ++x) {
        const float sx = float(x) * rx;
        ix[x] = int(sx);
        tx[x] = sx - float(ix[x]);
    }
    return Columns{ix, tx};
}

inline int clampi(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// One bilinear interpolation: the product with t in single precision, the
// product with 1 - t and the sums in double precision, + 0.5, truncated.
inline int lerp_round(int p0, int p1, float t) {
    return int(double(float(p1) * t) + double(p0) * (1.0 - double(t)) + 0.5);
}

// f(p0, p1, p2, p3, t) x 18: the Mitchell-Netravali cubic with B = C = 1/3;
// integer combinations in integers, the rest in single precision.
inline float cubic18(int p0, int p1, int p2, int p3, float t) {
    return float(p0 + 16 * p1 + p2) +
           t * (float(9 * (p2 - p0)) + t * (float(15 * p0 - 36 * p1 + 27 * p2 - 6 * p3) +
                                            t * float(7 * (p3 - p0) + 21 * (p1 - p2))));
}
inline int cubic(int p0, int p1, int p2, int p3, float t) {
    return int(double(cubic18(p0, p1, p2, p3, t)) / 18.0);
}

bool result_size_floor(const SDL_Surface* src, double fx, double fy, int& W, int& H) {
    if (bad_factor(fx) || bad_factor(fy)) return false;
    const double wd = std::floor(src->w * fx), hd = std::floor(src->h * fy);
    if (wd > kMaxSide || hd > kMaxSide) return false;
    W = int(wd);
    H = int(hd);
    return true;
}

// --- 25/32 area average ------------------------------------------------------------------------

struct Weight {
    Uint16 weight, index;
};

// Output pixel i (0..24) of a 32-pixel block covers [32i, 32i + 32), source
// pixel j covers [25j, 25j + 25): every non-zero overlap with its j.
constexpr Weight kTable25x32[56] = {
    {25, 0},  {7, 1},   {18, 1},  {14, 2},  {11, 2},  {21, 3},  {4, 3},   {25, 4},  {3, 5},   {22, 5},
    {10, 6},  {15, 6},  {17, 7},  {8, 7},   {24, 8},  {1, 8},   {25, 9},  {6, 10},  {19, 10}, {13, 11},
    {12, 11}, {20, 12}, {5, 12},  {25, 13}, {2, 14},  {23, 14}, {9, 15},  {16, 15}, {16, 16}, {9, 16},
    {23, 17}, {2, 17},  {25, 18}, {5, 19},  {20, 19}, {12, 20}, {13, 20}, {19, 21}, {6, 21},  {25, 22},
    {1, 23},  {24, 23}, {8, 24},  {17, 24}, {15, 25}, {10, 25}, {22, 26}, {3, 26},  {25, 27}, {4, 28},
    {21, 28}, {11, 29}, {14, 29}, {18, 30}, {7, 30},  {25, 31}};
constexpr Uint8 kStart25x32[25] = {0,  2,  4,  6,  9,  11, 13, 15, 18, 20, 22, 25, 27,
                                   29, 31, 34, 36, 38, 41, 43, 45, 47, 50, 52, 54};

// The expanded tables: 32 blocks of the 56 entries, 802 starts.
struct Tables25x32 {
    Weight entry[1792];
    int start[802];
    Tables25x32() {
        for (int k = 0; k < 1792; ++k)
            entry[k] = Weight{kTable25x32[k % 56].weight, Uint16(kTable25x32[k % 56].index + 32 * (k / 56))};
        for (int i = 0; i < 802; ++i) start[i] = kStart25x32[i % 25] + 56 * (i / 25);
    }
};

const Tables25x32& tables25x32() {
    static const Tables25x32* t = new Tables25x32();
    return *t;
}

// Result column (0..24) of each of the 56 entries.
struct OutOfEntry {
    Uint8 out[56];
    constexpr OutOfEntry() : out() {
        for (int i = 0; i < 25; ++i)
            for (int e = kStart25x32[i]; e < (i + 1 < 25 ? kStart25x32[i + 1] : 56); ++e) out[e] = Uint8(i);
    }
};
constexpr OutOfEntry kOut25x32{};

inline Uint64 load64(const Uint16* p) {
    Uint64 v;
    std::memcpy(&v, p, 8);
    return v;
}
inline void store64(Uint16* p, Uint64 v) {
    std::memcpy(p, &v, 8);
}

// A row of n scanline entries widened to 16-bit lanes (4 per pixel), so that
// the four channels of a pixel form one 64-bit word of 16-bit fields.
void widen_row(const Uint8* __restrict in, Uint16* __restrict out, unsigned n) {
    const unsigned bytes = 4 * n;
    unsigned i = 0;
    for (; i + 64 <= bytes; i += 64) {
        const Uint8* a = in + i;
        Uint16* o = out + i;
        for (unsigned k = 0; k < 64; ++k) o[k] = a[k];
    }
    for (; i < bytes; ++i) out[i] = in[i];
}

// One block of 32 source pixels to 25 result columns with every entry inside
// the source: the channels of a pixel summed together in one 64-bit word (a
// sum of weights x channel is at most 32 x 255 = 8160, so no field carries).
inline void hsum_block(const Uint16* sp, Uint16* out) {
    Uint64 acc[25] = {};
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC unroll 56
#endif
    for (int e = 0; e < 56; ++e)
        acc[kOut25x32.out[e]] += Uint64(kTable25x32[e].weight) * load64(sp + 4 * kTable25x32[e].index);
    for (int i = 0; i < 25; ++i) store64(out + 4 * i, acc[i]);
}

// Horizontal sums of one source row (widened, indexed by column) for the
// result columns 0 .. W - 1: sum of wh x channel per channel. Interior columns
// (c < wi) clamp the source column to the last one; edge columns end at the
// first entry past the source width. wsum gets the sum of the weights used.
void hsum_row(const Tables25x32& t, const Uint16* sp, int srcw, int W, int wi, Uint16* sums, Uint16* wsum) {
    int c = 0;
    for (int b = 0; 25 * (b + 1) <= W && 32 * (b + 1) <= srcw; ++b) {
        hsum_block(sp + 4 * 32 * b, sums + 4 * 25 * b);
        for (int i = 0; i < 25; ++i) wsum[25 * b + i] = 32;
        c = 25 * (b + 1);
    }
    for (; c < W; ++c) {
        Uint64 acc = 0;
        Uint16 ws = 0;
        for (int e = t.start[c]; e < t.start[c + 1]; ++e) {
            int sx = t.entry[e].index;
            if (sx >= srcw) {
                if (c >= wi) break;
                sx = srcw - 1;
            }
            acc += Uint64(t.entry[e].weight) * load64(sp + 4 * sx);
            ws = Uint16(ws + t.entry[e].weight);
        }
        store64(sums + 4 * c, acc);
        wsum[c] = ws;
    }
}

// Interior values of a result row: (w0 h0 + w1 h1 + w2 h2) >> 10 for n lanes
// (16-bit weights and sums widened to 32 bits, which the compiler vectorises).
inline Uint8 vsum(Uint16 w0, Uint16 w1, Uint16 w2, Uint16 a, Uint16 b, Uint16 c) {
    return Uint8((Uint32(w0) * Uint32(a) + Uint32(w1) * Uint32(b) + Uint32(w2) * Uint32(c)) >> 10);
}
void vsum_row(const Uint16* __restrict h0, const Uint16* __restrict h1, const Uint16* __restrict h2,
              Uint16 w0, Uint16 w1, Uint16 w2, Uint8* __restrict out, unsigned n) {
    unsigned i = 0;
    for (; i + 32 <= n; i += 32) {
        const Uint16* a = h0 + i;
        const Uint16* b = h1 + i;
        const Uint16* c = h2 + i;
        Uint8* o = out + i;
        for (unsigned k = 0; k < 32; ++k) o[k] = vsum(w0, w1, w2, a[k], b[k], c[k]);
    }
    for (; i < n; ++i) out[i] = vsum(w0, w1, w2, h0[i], h1[i], h2[i]);
}

}  // namespace

// --- Public interface ----------------------------------------------------------------------------

bool _is_eligible_for_xSDL_resize_25x32(const SDL_Surface* src, double fx, double fy) {
    return src && src->w <= 1024 && src->h <= 1024 && std::fabs(fy - fx) <= 0.001 &&
           std::fabs(0.78125 - fx) <= 0.001;
}

SDL_Surface* _xSDL_resize_by_fxy(const SDL_Surface* src, double fx, double fy, _xSDL_Resize_Type type) {
    if (!src) return nullptr;
    if (std::fabs(1.0 - fx) <= 0.001 && std::fabs(1.0 - fy) <= 0.001) return const_cast<SDL_Surface*>(src);
    if (_is_eligible_for_xSDL_resize_25x32(src, fx, fy)) return _xSDL_resize_25x32(src);
    if (type == 5 || type == 6) return _xSDL_resize_bicubic(src, fx, fy);
    if (type == 3 || type == 4) return _xSDL_resize_bilinear(src, fx, fy);

    if (bad_factor(fx) || bad_factor(fy)) return nullptr;
    const double wd = src->w * fx, hd = src->h * fy;
    if (wd >= kMaxSide || hd >= kMaxSide) return nullptr;
    SDL_Surface* dst = _xSDL_copy_blank(src, int(std::lround(wd)), int(std::lround(hd)));
    if (!dst) return nullptr;
    {
        ResultLocks locks(src, dst);
        if (!locks.ok()) {
            locks.dst.unlock();
            locks.src.unlock();
            SDL_FreeSurface(dst);
            return nullptr;
        }
        if (dst->w > 0 && dst->h > 0) {
            if (type == 2)
                resize_box(src, dst, fx, fy);
            else
                resize_nearest(src, dst, fx, fy);
        }
    }  // unlocks the result, then the source
    return dst;
}

SDL_Surface* _xSDL_resize_by_f(const SDL_Surface* src, double f, _xSDL_Resize_Type type) {
    return _xSDL_resize_by_fxy(src, f, f, type);
}

SDL_Surface* _xSDL_resize_to(const SDL_Surface* src, int w, int h, _xSDL_Resize_Type type) {
    if (!src) return nullptr;
    if (src->w == w && src->h == h) return const_cast<SDL_Surface*>(src);
    if (src->w == 0 || src->h == 0) return nullptr;
    return _xSDL_resize_by_fxy(src, double(w) / src->w, double(h) / src->h, type);
}

namespace {

// The frame of the interpolating resizes: a result of the floored size, both surfaces
// locked, a ring of four source rows and the column steps. For each output row y,
// fill(ob, ring, cols, iy, ty) writes its W entries from the ring rows around iy.
template <class Fill>
SDL_Surface* resize_by_rows(const SDL_Surface* src, double fx, double fy, const Fill& fill) {
    if (!src) return nullptr;
    int W, H;
    if (!result_size_floor(src, fx, fy, W, H)) return nullptr;
    SDL_Surface* dst = make_result(src, W, H);
    if (!dst) return nullptr;
    {
        ResultLocks locks(src, dst);
        if (!locks.ok()) {
            locks.src.unlock();
            SDL_FreeSurface(dst);
            return nullptr;
        }
        if (W == 0 || H == 0) return dst;
        static Kept<Uint8> rows[4], out;
        static Kept<int> ixs;
        static Kept<float> txs;
        const Columns cols = step_columns(ixs, txs, W, fx);
        Uint8* ob = out.get(4ul * unsigned(W));
        RowRing ring(rows, 4, src);
        ring.prime(0);
        const float ry = float(1.0 / fy);
        const row_put_fn put = row_putter(dst);
        for (int y = 0; y < H; ++y) {
            const float sy = float(y) * ry;
            const int iy = int(sy);
            ring.advance_to(iy - 1);
            fill(ob, ring, cols, W, iy, sy - float(iy));
            put(dst, pixel_at(dst, 0, y), unsigned(W), ob);
        }
    }  // unlocks the result, then the source
    return dst;
}

}  // namespace

SDL_Surface* _xSDL_resize_bilinear(const SDL_Surface* src, double fx, double fy) {
    const int lastc = src ? src->w - 1 : 0;
    return resize_by_rows(src, fx, fy, [lastc](Uint8* ob, RowRing& ring, Columns const& cols, int W, int iy, float ty) {
        const Uint8* r0 = ring.row(iy);
        const Uint8* r1 = ring.row(iy + 1);
        for (int x = 0; x < W; ++x) {
            const int c0 = 4 * clampi(cols.ix[x], 0, lastc), c1 = 4 * clampi(cols.ix[x] + 1, 0, lastc);
            const float tx = cols.tx[x];
            for (int k = 0; k < 4; ++k) {
                const int h0 = lerp_round(r0[c0 + k], r0[c1 + k], tx);
                const int h1 = lerp_round(r1[c0 + k], r1[c1 + k], tx);
                ob[4 * x + k] = Uint8(clampi(lerp_round(h0, h1, ty), 0, 255));
            }
        }
    });
}

SDL_Surface* _xSDL_resize_bicubic(const SDL_Surface* src, double fx, double fy) {
    const int lastc = src ? src->w - 1 : 0;
    return resize_by_rows(src, fx, fy, [lastc](Uint8* ob, RowRing& ring, Columns const& cols, int W, int iy, float ty) {
        const Uint8* r[4] = {ring.row(iy - 1), ring.row(iy), ring.row(iy + 1), ring.row(iy + 2)};
        for (int x = 0; x < W; ++x) {
            const int ix = cols.ix[x];
            const float tx = cols.tx[x];
            int c[4];
            for (int j = 0; j < 4; ++j) c[j] = 4 * clampi(ix - 1 + j, 0, lastc);
            for (int k = 0; k < 4; ++k) {
                int q[4];
                for (int j = 0; j < 4; ++j)
                    q[j] = cubic(r[j][c[0] + k], r[j][c[1] + k], r[j][c[2] + k], r[j][c[3] + k], tx);
                ob[4 * x + k] = Uint8(clampi(cubic(q[0], q[1], q[2], q[3], ty), 0, 255));
            }
        }
    });
}

SDL_Surface* _xSDL_resize_25x32(const SDL_Surface* src) {
    const Tables25x32& t = tables25x32();
    if (!src) return nullptr;
    const int sw = src->w, sh = src->h;
    if (sw > 1024 || sh > 1024) return nullptr;  // the tables cover 1024 source pixels
    // Rounded up: a partly covered last column or row is kept (its weights are those of
    // the source pixels it covers), so an image covers every screen pixel its world
    // rectangle maps to wherever it is placed, and images that touch leave no gap.
    const int W = (25 * sw + 31) / 32, H = (25 * sh + 31) / 32;
    SDL_Surface* dst = make_result(src, W, H);
    if (!dst) return nullptr;
    {
        ResultLocks locks(src, dst);
        if (!locks.ok()) {
            locks.src.unlock();
            SDL_FreeSurface(dst);
            return nullptr;
        }
        if (W == 0 || H == 0) return dst;
        const int Wi = std::max(W - 2, 0), Hi = std::max(H - 2, 0);

        // The ring holds, for three consecutive source rows, the rows' sums
        // over each result column's horizontal entries (summing horizontally
        // first and vertically after gives the same integers as the double sum).
        static Kept<Uint8> src_row, out_row;
        static Kept<Uint16> wide_row, hsums[3], hweights[3];
        Uint8* sbuf = src_row.get(4ul * unsigned(sw));
        Uint16* wide = wide_row.get(4ul * unsigned(sw));
        Uint8* ob = out_row.get(4ul * unsigned(W));
        Uint16* hs[3];
        Uint16* hw[3];
        for (int k = 0; k < 3; ++k) {
            hs[k] = hsums[k].get(4ul * unsigned(W));
            hw[k] = hweights[k].get(unsigned(W));
        }
        const row_get_fn get = row_getter(src);
        const row_put_fn put = row_putter(dst);
        int base = 0;
        // Reads source row y into ring slot k: every column's horizontal sums.
        auto load = [&](int k, int y, int wi) {
            get(src, pixel_at(src, 0, y), unsigned(sw), sbuf);
            widen_row(sbuf, wide, unsigned(sw));
            hsum_row(t, wide, sw, W, wi, hs[k], hw[k]);
        };
        auto prime = [&](int first, int wi) {
            base = first;
            for (int k = 0; k < 3; ++k) load(k, std::min(first + k, sh - 1), wi);
        };
        auto advance_to = [&](int target, int wi) {
            while (base < target && base + 3 < sh) {
                std::rotate(hs, hs + 1, hs + 3);
                std::rotate(hw, hw + 1, hw + 3);
                ++base;
                load(2, base + 2, wi);
            }
        };
        auto slot = [&](int y) { return std::max(0, std::min(std::min(y, sh - 1) - base, 2)); };
        // Edge pixel: rows end at the first entry past the source height,
        // columns at the first past its width (in hsum_row); the sum over the
        // weights used divides.
        auto edge_pixel = [&](int e0, int e1, int c) {
            Uint32 v[4] = {0, 0, 0, 0}, den = 0;
            for (int e = e0; e < e1; ++e) {
                const int sy = t.entry[e].index;
                if (sy >= sh) break;
                const Uint32 wv = t.entry[e].weight;
                const int k = slot(sy);
                for (int ch = 0; ch < 4; ++ch) v[ch] += wv * hs[k][4 * c + ch];
                den += wv * hw[k][c];
            }
            for (int ch = 0; ch < 4; ++ch) ob[4 * c + ch] = Uint8(den ? v[ch] / den : 0);
        };

        // Interior rows (with the right edge): interior columns >> 10.
        if (Hi > 0) {
            prime(0, Wi);
            for (int r = 0; r < Hi; ++r) {
                const int e0 = t.start[r], e1 = t.start[r + 1];
                advance_to(t.entry[e0].index, Wi);
                Uint16 w[3] = {0, 0, 0};
                const Uint16* h[3] = {nullptr, nullptr, nullptr};
                for (int e = e0; e < e1 && e - e0 < 3; ++e) {
                    w[e - e0] = t.entry[e].weight;
                    h[e - e0] = hs[slot(t.entry[e].index)];
                }
                if (!h[2]) h[2] = h[0];  // weight 0
                vsum_row(h[0], h[1], h[2], w[0], w[1], w[2], ob, 4u * unsigned(Wi));
                for (int c = Wi; c < W; ++c) edge_pixel(e0, e1, c);
                put(dst, pixel_at(dst, 0, r), unsigned(W), ob);
            }
        }
        // Bottom rows: every column as on the edge.
        if (Hi < H) {
            prime(std::min(int(t.entry[t.start[Hi]].index), sh - 1), 0);
            for (int r = Hi; r < H; ++r) {
                const int e0 = t.start[r], e1 = t.start[r + 1];
                advance_to(t.entry[e0].index, 0);
                for (int c = 0; c < W; ++c) edge_pixel(e0, e1, c);
                put(dst, pixel_at(dst, 0, r), unsigned(W), ob);
            }
        }
    }  // unlocks the result, then the source
    return dst;
}
