#pragma once
// A horizontal slider: the sprite's image is the knob, dragged or clicked along a track
// between two x limits; its value is the knob's place as a fraction.

#include <vector>

#include "sprite.h"

class HSliderSprite : public Sprite {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void on_change(HSliderSprite* s) = 0;
    };

    // Takes motion and buttons.
    HSliderSprite();

    // While dragging the knob's left edge follows the pointer; with no button held the
    // drag ends.
    bool on_mouse_motion(int x, int y, bool no_button) override;
    // On the knob a drag starts; on the track the knob jumps there.
    bool on_mouse_down(int x, int y) override;
    bool on_mouse_up(int x, int y) override;
    // On the knob or on the track.
    bool is_inside(int x, int y) const override;
    using Sprite::is_inside;

    // (x - left) / (right - left); 0 when the limits coincide.
    virtual float value() const;
    // No clamping and no notification.
    virtual void set_value(float v);
    virtual void register_listener(Listener* l);

    bool dragging = false;
    int left = 0;
    int right = 1024;
    E2::Rect<int> track;  // world coordinates

private:
    // The knob at clamp(px, left, right); the listeners are told when it moved.
    void move_knob(int px);
    void _notify_slider_listeners();

    std::vector<Listener*> listeners_;
};
