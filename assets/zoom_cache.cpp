#include "zoom_cache.h"

#include <SDL/SDL_rotozoom.h>

#include "util.h"

ZoomCache _zcache;

ZoomedSurface::~ZoomedSurface() {
    if (surface) SDL_FreeSurface(surface);
}

void ZoomCache::clear(SDL_Surface const* src) {
    auto it = copies_.find(src);
    if (it == copies_.end()) return;
    delete it->second;
    copies_.erase(it);
}

void ZoomCache::clear() { E2::util::delete_all_values(copies_); }

SDL_Surface* ZoomCache::get(SDL_Surface const* src, unsigned zoom) {
    if (!src || zoom == 0) return nullptr;
    if (zoom == 1024) return const_cast<SDL_Surface*>(src);

    auto it = copies_.find(src);
    if (it != copies_.end()) {
        if (it->second->zoom == zoom) {
            ++hits_;
            return it->second->surface;
        }
        delete it->second;
        copies_.erase(it);
    }
    ++misses_;
    double f = zoom / 1024.0;
    SDL_Surface* zoomed = zoomSurface(const_cast<SDL_Surface*>(src), f, f, SMOOTHING_ON);
    if (zoomed && zoomed != src) copies_[src] = new ZoomedSurface(zoomed, zoom);
    return zoomed;
}
