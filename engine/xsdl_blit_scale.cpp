// scaled clipping, scaled blits and the intensity-map blit.

#include "xsdl_blit.h"

#include "xsdl_detail.h"
#include "xsdl_kernels.h"
#include "xsdl_pixel.h"

#include <algorithm>

using namespace xsdl_detail;

namespace {

// Float to int truncating toward zero, kept inside the int range.
int ftoi(float v) {
    if (!(v == v)) return 0;
    if (v >= 2.0e9f) return 2000000000;
    if (v <= -2.0e9f) return -2000000000;
    return int(v);
}

struct ScaleClip {
    int sx, sy, sw, sh, dx, dy, dw, dh;
};

// Scaled clipping. S is the source rectangle (whole source when null), D the
// destination rectangle. A zero-size S or D leaves nothing.
bool clip_scaled(const SDL_Surface* src, const SDL_Rect* srcrect, const SDL_Surface* dst,
                 const SDL_Rect* dstrect, ScaleClip& o) {
    if (!dstrect) return false;
    const SDL_Rect S = srcrect ? *srcrect : SDL_Rect{0, 0, Uint16(src->w), Uint16(src->h)};
    const SDL_Rect& D = *dstrect;
    if (S.w == 0 || S.h == 0 || D.w == 0 || D.h == 0) return false;
    const float fx = float(D.w) / float(S.w);
    const float fy = float(D.h) / float(S.h);
    int sx = S.x, sy = S.y, sw = S.w, sh = S.h;
    int dx = D.x, dy = D.y, dw = D.w, dh = D.h;
    if (srcrect) {
        if (sx < 0) {
            const int k = ftoi(float(sx) * fx);
            dx -= k;
            dw += k;
            sw += sx;
            sx = 0;
        }
        if (src->w - sx < sw) {
            dw = ftoi(float(src->w - sx) * fx);
            sw = src->w - sx;
        }
        if (sy < 0) {
            const int k = ftoi(float(sy) * fy);
            dy -= k;
            dh += k;
            sh += sy;
            sy = 0;
        }
        if (src->h - sy < sh) {
            dh = ftoi(float(src->h - sy) * fy);
            sh = src->h - sy;
        }
    }
    const SDL_Rect& c = dst->clip_rect;
    if (c.x > dx) {
        const int k = c.x - dx;
        dx += k;
        dw -= k;
        const int m = ftoi(float(k) / fx);
        sw -= m;
        sx += m;
    }
    int over = dx + dw - c.x - int(c.w);
    if (over > 0) {
        dw -= over;
        sw -= ftoi(float(over) / fx);
    }
    if (c.y > dy) {
        const int k = c.y - dy;
        dy += k;
        dh -= k;
        const int m = ftoi(float(k) / fy);
        sh -= m;
        sy += m;
    }
    over = dy + dh - c.y - int(c.h);
    if (over > 0) {
        dh -= over;
        sh -= ftoi(float(over) / fy);
    }
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1) return false;
    o = ScaleClip{sx, sy, sw, sh, dx, dy, dw, dh};
    return true;
}

// The quotient-and-remainder stepping of the scaled blits, from the
// rectangles as the caller gave them, with the source column and row clamped
// to the source rectangle (so upscales of 4x and more stay inside it).
struct Stepping {
    int qx, rx, qy, ry, Dw, Dh;
    int xhi, yhi;  // last source column and row of the source rectangle
    Stepping(const SDL_Surface* src, const SDL_Rect* srcrect, const SDL_Rect& D) {
        const SDL_Rect S = srcrect ? *srcrect : SDL_Rect{0, 0, Uint16(src->w), Uint16(src->h)};
        Dw = D.w;
        Dh = D.h;
        qx = S.w / D.w;
        rx = 2 * (S.w % D.w);
        qy = S.h / D.h;
        ry = 2 * (S.h % D.h);
        xhi = std::min(int(S.x) + int(S.w), src->w) - 1;
        yhi = std::min(int(S.y) + int(S.h), src->h) - 1;
    }
    void step_x(int& x, int& ex) const {
        if (ex >= Dw) {
            ex += rx - 2 * Dw;
            x += 1;
        } else {
            ex += rx;
        }
        x += qx;
    }
    void step_y(int& y, int& ey) const {
        if (ey >= Dh) {
            ey += ry - 2 * Dh;
            y += 1;
        } else {
            ey += ry;
        }
        y += qy;
    }
};

// Source pixels at the stepped columns of one row, as the surface's chosen
// per-pixel reader (_xSDL_get_pixel_fun) gives them, into scanline entries.
void gather_row(const SDL_Surface* src, _xSDL_get_pixel_t reader, int y, const Uint32* xs, unsigned n,
                Uint8* out) {
    const Uint8* row = static_cast<const Uint8*>(src->pixels) + std::ptrdiff_t(y) * src->pitch;
    if (reader == _xSDL_get_pixel_XRGB) {
        for (unsigned i = 0; i < n; ++i) {
            const Uint32 p = load32(row + 4 * xs[i]);
            store32(out + 4 * i, entry_pack(p >> 16, p >> 8, p, p >> 24));
        }
    } else if (reader == _xSDL_get_pixel_RGBX) {
        for (unsigned i = 0; i < n; ++i) {
            const Uint32 p = load32(row + 4 * xs[i]);
            store32(out + 4 * i, entry_pack(p >> 24, p >> 16, p >> 8, p));
        }
    } else if (reader == _xSDL_get_pixel_32 && is_bytes_rgba(src->format)) {
        // Bytes already R, G, B, A: the mask form is the pixel itself.
        for (unsigned i = 0; i < n; ++i) store32(out + 4 * i, load32(row + 4 * xs[i]));
    } else if (reader == _xSDL_get_pixel_32) {
        const Masks32 m(src->format);
        for (unsigned i = 0; i < n; ++i) store32(out + 4 * i, m.to_entry(load32(row + 4 * xs[i])));
    } else if (reader == _xSDL_get_pixel_16) {
        const Masks32 m(src->format);
        for (unsigned i = 0; i < n; ++i) store32(out + 4 * i, m.to_entry(load16(row + 2 * xs[i])));
    } else {
        for (unsigned i = 0; i < n; ++i)
            reader(src, Uint16(xs[i]), Uint16(y), out + 4 * i, out + 4 * i + 1, out + 4 * i + 2,
                   out + 4 * i + 3);
    }
}

template <class K>
int blit_scaled(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect,
                const K& k) {
    if (!src || !dst) return -1;
    scoped_scanline dbuf(4ul * unsigned(dst->w));
    SurfaceLock ls(src);
    if (!ls.ok()) return -1;
    SurfaceLock ld(dst);
    if (!ld.ok()) return -1;
    ScaleClip c;
    if (!clip_scaled(src, srcrect, dst, dstrect, c)) return -1;
    const _xSDL_get_pixel_t reader = _xSDL_get_pixel_fun(src);
    const Stepping st(src, srcrect, *dstrect);

    // The columns are the same for every row: step them once.
    scoped_scanline xbuf(4ul * unsigned(dst->w));
    scoped_scanline sbuf(4ul * unsigned(dst->w));
    Uint32* xs = reinterpret_cast<Uint32*>(xbuf.get());
    for (int i = 0, x = c.sx, ex = 0; i < c.dw; ++i) {
        xs[i] = Uint32(std::min(x, st.xhi));
        st.step_x(x, ex);
    }
    const row_get_fn dget = row_getter(dst);
    const row_put_fn dput = row_putter(dst);
    Uint8* db = dbuf.get();
    Uint8* sb = sbuf.get();
    const unsigned n = unsigned(c.dw);
    for (int j = 0, y = c.sy, ey = 0; j < c.dh; ++j) {
        Uint8* dpx = pixel_at(dst, c.dx, c.dy + j);
        dget(dst, dpx, n, db);
        gather_row(src, reader, std::min(y, st.yhi), xs, n, sb);
        run_blend(k, db, sb, n);
        dput(dst, dpx, n, db);
        st.step_y(y, ey);
    }
    return 0;
}

}  // namespace

bool _xSDL_calc_src_dest_rects_with_scale(const SDL_Surface* src, const SDL_Rect* srcrect,
                                          const SDL_Surface* dst, const SDL_Rect* dstrect, SDL_Rect* src_out,
                                          SDL_Rect* dst_out) {
    ScaleClip c;
    if (!clip_scaled(src, srcrect, dst, dstrect, c)) return false;
    *src_out = SDL_Rect{Sint16(c.sx), Sint16(c.sy), Uint16(c.sw), Uint16(c.sh)};
    *dst_out = SDL_Rect{Sint16(c.dx), Sint16(c.dy), Uint16(c.dw), Uint16(c.dh)};
    return true;
}

int _xSDL_blit_scale(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect) {
    return blit_scaled(src, srcrect, dst, dstrect, AlphaK{256});
}

int _xSDL_blit_scale_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, const SDL_Rect* dstrect,
                        unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_scale(src, srcrect, dst, dstrect);
    return blit_scaled(src, srcrect, dst, dstrect, AlphaK{ai});
}

int _xSDL_blit_scale_matte(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                           const SDL_Rect* dstrect) {
    return blit_scaled(src, srcrect, dst, dstrect, MatteK());
}

int _xSDL_blit_scale_matte_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                              const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_scale_matte(src, srcrect, dst, dstrect);
    return blit_scaled(src, srcrect, dst, dstrect, MatteAiK{ai});
}

int _xSDL_blit_scale_additive_blend(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                    const SDL_Rect* dstrect) {
    return blit_scaled(src, srcrect, dst, dstrect, AdditiveK{256});
}

int _xSDL_blit_scale_additive_blend_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                       const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_scale_additive_blend(src, srcrect, dst, dstrect);
    return blit_scaled(src, srcrect, dst, dstrect, AdditiveK{ai});
}

int _xSDL_blit_scale_multiply_blend(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                    const SDL_Rect* dstrect) {
    return blit_scaled(src, srcrect, dst, dstrect, MultiplyK());
}

int _xSDL_blit_scale_multiply_blend_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                       const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_scale_multiply_blend(src, srcrect, dst, dstrect);
    return blit_scaled(src, srcrect, dst, dstrect, MultiplyAiK{ai});
}

int _xSDL_blit_scale_dodge_blend(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                 const SDL_Rect* dstrect) {
    return blit_scaled(src, srcrect, dst, dstrect, DodgeK{dodge_table()});
}

int _xSDL_blit_scale_dodge_blend_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                    const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_scale_dodge_blend(src, srcrect, dst, dstrect);
    return blit_scaled(src, srcrect, dst, dstrect, DodgeAiK{dodge_table(), ai});
}

int _xSDL_blit_scale_gray(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                          const SDL_Rect* dstrect) {
    return blit_scaled(src, srcrect, dst, dstrect, GreyK{256});
}

int _xSDL_blit_scale_gray_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                             const SDL_Rect* dstrect, unsigned char ai) {
    if (ai == 0) return 0;
    if (ai == 255) return _xSDL_blit_scale_gray(src, srcrect, dst, dstrect);
    return blit_scaled(src, srcrect, dst, dstrect, GreyK{ai});
}

int _xSDL_blit_scale_additive_blend_im_ai(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst,
                                          const SDL_Rect* dstrect, unsigned colour, unsigned char ai) {
    if (ai == 0) return 0;
    if (!src || !dst) return -1;
    SurfaceLock ls(src);
    if (!ls.ok()) return -1;
    SurfaceLock ld(dst);
    if (!ld.ok()) return -1;
    ScaleClip c;
    if (!clip_scaled(src, srcrect, dst, dstrect, c)) return 0;
    const _xSDL_get_pixel_r_t red = _xSDL_get_pixel_r_fun(src);
    const _xSDL_get_pixel_t get = _xSDL_get_pixel_fun(dst);
    const _xSDL_put_pixel_t put = _xSDL_set_pixel_fun(dst);
    const Stepping st(src, srcrect, *dstrect);
    const unsigned kr = colour_r(colour) * unsigned(ai), kg = colour_g(colour) * unsigned(ai),
                   kb = colour_b(colour) * unsigned(ai);
    for (int j = 0, y = c.sy, ey = 0; j < c.dh; ++j) {
        const Uint16 sy = Uint16(std::min(y, st.yhi));
        const Uint16 dy = Uint16(c.dy + j);
        for (int i = 0, x = c.sx, ex = 0; i < c.dw; ++i) {
            Uint8 iv, r, g, b, a;
            red(src, Uint16(std::min(x, st.xhi)), sy, &iv);
            const Uint16 dx = Uint16(c.dx + i);
            get(dst, dx, dy, &r, &g, &b, &a);
            r = sat255(r + ((kr * iv) >> 16));
            g = sat255(g + ((kg * iv) >> 16));
            b = sat255(b + ((kb * iv) >> 16));
            put(dst, dx, dy, r, g, b, a);
            st.step_x(x, ex);
        }
        st.step_y(y, ey);
    }
    return 0;
    // ld unlocks the destination, then ls the source.
}
