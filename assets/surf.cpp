#include "surf.h"

#include <SDL/SDL_image.h>

#include <cstdio>
#include <cstdlib>

#include "qdata.h"
#include "screen_hacks.h"
#include "xsdl_blit.h"
#include "xsdl_resize.h"
#include "zoom_cache.h"

namespace {

// The display format with per-pixel alpha; the input is freed whatever the outcome.
SDL_Surface* to_display_format(SDL_Surface* s) {
    SDL_Surface* converted = SDL_DisplayFormatAlpha(s);
    if (converted != s) SDL_FreeSurface(s);
    return converted;
}

}  // namespace

Surf::Surf(std::string const& name, SDL_Surface* surface) : surface_(surface), name_(name) {}

Surf::~Surf() {
    if (surface_) SDL_FreeSurface(surface_);
}

bool Surf::ok(Surf const* s) { return s && s->surface_; }

void Surf::set_world_wh(E2::Vec2<int> const& wh) {
    world_w_ = wh.x;
    world_h_ = wh.y;
}

void Surf::load() {
    if (surface_) return;

    SDL_RWops* src = qdata_find(name_);
    if (!src) src = SDL_RWFromFile(name_.c_str(), "rb");
    if (!src) {
        fprintf(stderr, "image not found: %s\n", name_.c_str());
        abort();
    }

    SDL_Surface* s = IMG_Load_RW(src, 1);
    if (!s) return;
    s = to_display_format(s);
    if (!s) return;
    world_w_ = s->w;
    world_h_ = s->h;

    if (!ScreenHacks::screen_is_identity()) {
        E2::Vec2<float> f = ScreenHacks::world_to_screen_factor();
        SDL_Surface* scaled = _xSDL_resize_by_fxy(s, f.x, f.y, _xSDL_Resize_Type(3));
        if (scaled != s) {
            SDL_FreeSurface(s);
            if (!scaled) return;
            s = to_display_format(scaled);
            if (!s) return;
        }
    }
    _xSDL_accelerate(s);
    surface_ = s;
}

void Surf::unload() {
    if (!surface_) return;
    _zcache.clear(surface_);
    SDL_FreeSurface(surface_);
    surface_ = nullptr;
}
