#pragma once
// One image, known by its resource name: its world size and its screen-scaled surface.

#include <SDL/SDL.h>

#include <string>

#include "geom.h"

class Surf {
public:
    Surf(std::string const& name, SDL_Surface* surface);
    ~Surf();
    Surf(Surf const&) = delete;
    Surf& operator=(Surf const&) = delete;

    // Non-null and loaded: the test every drawing path makes first.
    static bool ok(Surf const* s);

    std::string const& name() const { return name_; }
    SDL_Surface* surface() const { return surface_; }

    int screen_w() const { return surface_ ? surface_->w : 0; }
    int screen_h() const { return surface_ ? surface_->h : 0; }
    E2::Vec2<int> screen_wh() const { return {screen_w(), screen_h()}; }
    int world_w() const { return world_w_; }
    int world_h() const { return world_h_; }
    E2::Vec2<int> world_wh() const { return {world_w_, world_h_}; }
    // Records a world size without decoding anything (for code that only lays images out).
    void set_world_wh(E2::Vec2<int> const& wh);

    // Decodes the image from the archive or, failing that, from the loose file at its name,
    // converts it to the display format with alpha and scales it to the screen. An image found
    // in neither place stops the process; one that cannot be decoded stays unloaded.
    void load();
    // Frees the surface and its zoomed copy; the world size stays recorded.
    void unload();

private:
    SDL_Surface* surface_;
    std::string name_;
    int world_w_ = 0;
    int world_h_ = 0;
};
