#pragma once
// Something drawn at a position on the 1024x768 world canvas that may take the mouse:
// one image, two input flags, a hit test and a list of effectors that animate it.

#include <cstdint>
#include <list>

#include "geom.h"
#include "tde.h"

class Surf;
class SpriteEffector;

class Sprite : public TDE {
public:
    enum : std::uint8_t {
        takes_motion = 1,   // gets on_mouse_motion
        takes_buttons = 2,  // gets on_mouse_down / on_mouse_up when hit
    };

    Sprite() = default;
    Sprite(Surf* surface, E2::Vec2<int> pos);
    ~Sprite() override;
    Sprite(Sprite const&) = delete;
    Sprite& operator=(Sprite const&) = delete;

    // Runs the effectors; subclasses call it first.
    void tick(unsigned now, unsigned dt) override;
    // One alpha blit of the image at its screen position, when it is loaded.
    void display(SDL_Surface* s) const override;
    // Routes mouse events (in world coordinates) to the handlers below.
    bool proc_event(SDL_Event* e) override;
    using TDE::load;

    virtual bool on_mouse_motion(int x, int y, bool no_button);
    virtual bool on_mouse_down(int x, int y);
    virtual bool on_mouse_up(int x, int y);
    // Inside the loaded image's world rectangle, right and bottom edges excluded.
    virtual bool is_inside(int x, int y) const;
    virtual bool is_inside(E2::Vec2<int> const& p) const;
    virtual void set_pos(int x, int y);
    virtual void set_pos(E2::Vec2<int> const& p);
    // Centred on the canvas.
    virtual void set_pos_center();
    // The image's centre at p; the position itself without an image.
    virtual void center_at(E2::Vec2<int> const& p);
    virtual E2::Vec2<int> pos() const;
    // Position and world size of the image; 1x1 without one.
    virtual E2::Rect<int> display_region() const;
    virtual void load();
    virtual void unload();
    // The newest effector runs first.
    virtual void add_eff(SpriteEffector* e);
    // e starts when the effectors before it have finished.
    virtual void chain_eff(SpriteEffector* e);
    virtual void clear_effs();

    std::list<SpriteEffector*> const& effectors() const { return effectors_; }

    int x = 0, y = 0;
    Surf* surface = nullptr;  // not owned
    std::uint8_t flags = 0;

private:
    std::list<SpriteEffector*> effectors_;
};
