#include "blit_job.h"

#include <ostream>

#include "surf.h"
#include "xsdl_blit.h"

namespace {

using Blit = int (*)(const SDL_Surface*, const SDL_Rect*, SDL_Surface*, const SDL_Rect*, unsigned char);
using ScaledBlit = int (*)(SDL_Surface*, const SDL_Rect*, SDL_Surface*, const SDL_Rect*, unsigned char);

Blit plain_blit(std::uint32_t mode) {
    switch (mode) {
        case E2::blend_matte: return _xSDL_blit_matte_ai;
        case E2::blend_alpha: return _xSDL_blit_ai;
        case E2::blend_additive: return _xSDL_blit_additive_blend_ai;
        case E2::blend_multiply: return _xSDL_blit_multiply_blend_ai;
        case E2::blend_dodge: return _xSDL_blit_dodge_blend_ai;
        default: return nullptr;
    }
}

ScaledBlit scaled_blit(std::uint32_t mode) {
    switch (mode) {
        case E2::blend_matte: return _xSDL_blit_scale_matte_ai;
        case E2::blend_alpha: return _xSDL_blit_scale_ai;
        case E2::blend_additive: return _xSDL_blit_scale_additive_blend_ai;
        case E2::blend_multiply: return _xSDL_blit_scale_multiply_blend_ai;
        case E2::blend_dodge: return _xSDL_blit_scale_dodge_blend_ai;
        default: return nullptr;
    }
}

void fill(SDL_Surface* dst, SDL_Rect* r, std::uint32_t mode, E2::Color c, unsigned char ai) {
    switch (mode) {
        case E2::blend_matte:
            // The colour's own alpha is not used; the intensity goes into the pixel's alpha.
            SDL_FillRect(dst, r, SDL_MapRGBA(dst->format, c.r(), c.g(), c.b(), ai));
            break;
        case E2::blend_alpha: _xSDL_fillrect_alpha(dst, r, (c.value() & 0xFFFFFF00u) | ai); break;
        case E2::blend_additive: _xSDL_fillrect_additive_blend(dst, r, c.value()); break;
        case E2::blend_multiply: _xSDL_fillrect_multiply_blend(dst, r, c.value()); break;
        case E2::blend_dodge: _xSDL_fillrect_dodge_blend(dst, r, c.value()); break;
        default: break;
    }
}

E2::Rect<int> sized_rect(Surf const* s, E2::Rect<int> r) {
    if (s && r.w == 0 && r.h == 0) {
        r.w = s->screen_w();
        r.h = s->screen_h();
    }
    return r;
}

}  // namespace

BlitJob::BlitJob() : flags(0), surface(nullptr), rect(), color(0x000000FFu), ai(0) {}

BlitJob::BlitJob(E2::BlitOp op, E2::BlendMode mode, Surf const* surface_, E2::Rect<int> const& rect_,
                 E2::Color color_, unsigned char ai_)
    : flags(op | mode), surface(surface_), rect(sized_rect(surface_, rect_)), color(color_), ai(ai_) {}

BlitJob::BlitJob(E2::BlitOp op, E2::BlendMode mode, Surf const* surface_, E2::Vec2<int> const& pos, E2::Color color_,
                 unsigned char ai_)
    : flags(op | mode),
      surface(surface_),
      rect(pos.x, pos.y, surface_ ? surface_->screen_w() : 0, surface_ ? surface_->screen_h() : 0),
      color(color_),
      ai(ai_) {}

SDL_Rect to_sdl_rect(E2::Rect<int> const& r) {
    SDL_Rect s;
    s.x = static_cast<Sint16>(r.x);
    s.y = static_cast<Sint16>(r.y);
    s.w = static_cast<Uint16>(r.w);
    s.h = static_cast<Uint16>(r.h);
    return s;
}

void BlitJob::execute(SDL_Surface* dst) const {
    // A negative size would wrap to a huge 16-bit one and paint far outside the job.
    if (!dst || rect.w < 0 || rect.h < 0) return;
    SDL_Rect r = to_sdl_rect(rect);
    switch (op()) {
        case E2::op_fill:
            fill(dst, &r, mode(), color, ai);
            return;
        case E2::op_blit_im: {
            if (!Surf::ok(surface)) return;
            SDL_Surface* src = surface->surface();
            SDL_Rect whole = {0, 0, static_cast<Uint16>(src->w), static_cast<Uint16>(src->h)};
            _xSDL_blit_scale_additive_blend_im_ai(src, &whole, dst, &r, color.value(), ai);
            return;
        }
        case E2::op_blit: {
            if (!Surf::ok(surface)) return;
            SDL_Surface* src = surface->surface();
            SDL_Rect whole = {0, 0, static_cast<Uint16>(src->w), static_cast<Uint16>(src->h)};
            if (surface->screen_w() == rect.w && surface->screen_h() == rect.h) {
                if (Blit b = plain_blit(mode())) b(src, &whole, dst, &r, ai);
            } else if (ScaledBlit b = scaled_blit(mode())) {
                b(src, &whole, dst, &r, ai);
            }
            return;
        }
        default:
            return;
    }
}

bool operator==(BlitJob const& a, BlitJob const& b) {
    return a.flags == b.flags && a.surface == b.surface && a.color == b.color && a.ai == b.ai && a.rect == b.rect;
}

bool operator!=(BlitJob const& a, BlitJob const& b) { return !(a == b); }

bool operator==(std::vector<BlitJob*> const& a, std::vector<BlitJob*> const& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(*a[i] == *b[i])) return false;
    return true;
}

std::ostream& operator<<(std::ostream& out, BlitJob const& j) {
    return out << "{flags=" << j.flags << " sp=" << static_cast<void const*>(j.surface)
               << " ai=" << static_cast<unsigned>(j.ai) << " cl=" << j.color.value() << " r=" << "(" << j.rect.x
               << "," << j.rect.y << "," << j.rect.w << "," << j.rect.h << ")" << "}";
}
