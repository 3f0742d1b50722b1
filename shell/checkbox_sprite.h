#pragma once
// A box with an unchecked and a checked image that toggles on a mouse press and tells its
// listeners; optionally hit in an area of its own beside the image.

#include <memory>
#include <vector>

#include "sprite.h"

class CheckboxSprite : public Sprite {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void on_change(CheckboxSprite* cb) = 0;
    };

    // Takes mouse buttons only.
    CheckboxSprite();

    // Toggles and tells the listeners; only presses inside reach it.
    bool on_mouse_down(int x, int y) override;
    // Inside the hit region with a hit rect, else the image test.
    bool is_inside(int x, int y) const override;
    using Sprite::is_inside;
    // Both images; then the surface follows the value.
    void load() override;
    void unload() override;

    // Sets the value and its image; nobody is told.
    virtual void set_checked(bool b);
    // Appends l unless it is registered already.
    virtual void register_listener(Listener* l);
    // The hit rect at the box's position, or the current image's world rectangle.
    virtual E2::Rect<int> hit_region() const;

    // set_checked, and the listeners are told when the value changed.
    void set_checked_and_notify(bool b);
    bool is_checked() const { return checked_; }
    void set_images(Surf* unchecked, Surf* checked);
    // The hit area relative to the box's position.
    void set_hit_rect(E2::Rect<int> const& r) { hit_rect_ = std::make_unique<E2::Rect<int>>(r); }
    E2::Rect<int> const* hit_rect() const { return hit_rect_.get(); }

    Surf* unchecked_image = nullptr;  // not owned
    Surf* checked_image = nullptr;    // not owned

private:
    void notify();

    bool checked_ = false;
    std::vector<Listener*> listeners_;
    std::unique_ptr<E2::Rect<int>> hit_rect_;
};
