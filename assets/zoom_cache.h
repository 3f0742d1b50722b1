#pragma once
// At most one zoomed copy per source surface.

#include <SDL/SDL.h>

#include <map>

// A zoomed copy; owns its surface. Zoom in 1/1024 units.
struct ZoomedSurface {
    SDL_Surface* surface = nullptr;
    unsigned zoom = 1024;

    ZoomedSurface() = default;
    ZoomedSurface(SDL_Surface* s, unsigned z) : surface(s), zoom(z) {}
    ~ZoomedSurface();
    ZoomedSurface(ZoomedSurface const&) = delete;
    ZoomedSurface& operator=(ZoomedSurface const&) = delete;
};

class ZoomCache {
public:
    // Deletes the cached copy of src, if any.
    void clear(SDL_Surface const* src);
    // Deletes every cached copy.
    void clear();
    // src zoomed by zoom/1024 with smoothing: null for a null source or zoom 0, src itself for
    // zoom 1024, else the cached or a new copy (a copy at another zoom is replaced).
    SDL_Surface* get(SDL_Surface const* src, unsigned zoom);

    unsigned hits() const { return hits_; }
    unsigned misses() const { return misses_; }
    size_t size() const { return copies_.size(); }

private:
    std::map<SDL_Surface const*, ZoomedSurface*> copies_;
    unsigned hits_ = 0;
    unsigned misses_ = 0;
};

// The loader's cache; unloading an image drops its copy.
extern ZoomCache _zcache;
